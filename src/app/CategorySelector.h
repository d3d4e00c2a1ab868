#pragma once

#include <QComboBox>
#include <QStringList>

namespace qj {

// The category selector at the top of the left column: a drop-down list (no typing) whose items are
// drawn by the program at a fixed height of 18, ten rows when dropped down, on a pale violet ground.
class CategorySelector : public QComboBox {
    Q_OBJECT
public:
    static constexpr int kItemHeight = 18;
    static constexpr int kVisibleRows = 10;
    static constexpr int kWidth = 195;

    explicit CategorySelector(QWidget* parent = nullptr);

    // Replaces the list without announcing a user choice.
    void setNames(const QStringList& names);
    QStringList names() const;
    // Selects the entry equal to `name` (exact text); returns false when there is none.
    bool selectName(const QString& name);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace qj
