#pragma once
// The search window "资料查询-所有【目录分类】": finds notes of every category by title or by text
// and opens a hit in the main window (or previews it as a tooltip). Each use of "全目录查找" makes
// a new window; it frees itself when closed.

#include "store/NoteSearch.h"

#include <QWidget>

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QTableView;
class QToolButton;

namespace qj {

class Dialogs;
class SearchHost;
class SearchResultModel;

class TFind_all : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 518;
    static constexpr int kHeight = 358;

    TFind_all(SearchHost& host, Dialogs& dialogs, QWidget* parent = nullptr);

    // btn1 / Enter in the search box: runs the search and lists the hits.
    void btn1Click();
    // A double-click on the result row `row`.
    void DBGridEh1DblClick(int row);

    SearchResultModel* result() const { return model_; }
    // The preview shown as the grid's tooltip (empty when none).
    QString previewHint() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void radioClick();
    void closeResult();
    void reportError(const QString& text);

    SearchHost& host_;
    Dialogs& dialogs_;
    QLineEdit* edt1_;
    QToolButton* btn1_;
    QRadioButton* rb1_;
    QRadioButton* rb2_;
    QCheckBox* chk1_;
    QToolButton* btn2_;
    QTableView* grid_;
    SearchResultModel* model_;
};

} // namespace qj
