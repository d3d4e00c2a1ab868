#pragma once

#include "divination/core/Chart.h"

#include <QDialog>

#include <array>
#include <functional>
#include <string>

class QListWidget;
class QMenu;

namespace qj {

// The coin-toss dialog "手摇起卦": six toss labels ("第6次" at the top to "第1次" at the bottom)
// beside six line marks. A click on a toss label opens the choice menu beside its row; a right
// click on the label list opens it at the mouse for the selected label. A double-click on a line
// advances the toss cycle shared by all rows and gives the line that state. 选择 hands the six
// marks on; 退出 closes without casting. From the keyboard, Enter or Space on a toss label opens
// its menu (Enter does not press 选择 there). Modeless; it frees itself when closed.
class TYaoGua : public QDialog {
    Q_OBJECT
public:
    using Marks = std::array<std::string, kChartRows>;
    // `cast` receives the marks, row 0 (the sixth toss) first; the dialog closes when it returns
    // true and stays open (the refusal shown by the caller) when it returns false.
    explicit TYaoGua(std::function<bool(const Marks&)> cast, QWidget* parent = nullptr);

    Marks marks() const;
    QListWidget* tossLabels() const { return lst1_; }
    QListWidget* lines() const { return lst2_; }
    QMenu* choiceMenu() const { return menu_; }
    // The row the choice menu works on, −1 when none.
    int menuRow() const { return menuRow_; }

    // Opens the choice menu for a toss row beside that row.
    void openChoiceMenu(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyChoice(int state);
    void lineDoubleClicked(int row);
    void choose();

    std::function<bool(const Marks&)> cast_;
    QListWidget* lst1_ = nullptr; // toss labels
    QListWidget* lst2_ = nullptr; // line marks
    QMenu* menu_ = nullptr;
    int menuRow_ = -1;
    int tossCycle_ = 0; // 0..3, shared by all rows
};

} // namespace qj
