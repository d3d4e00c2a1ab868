#pragma once
// The search window "资料查询-所有【目录分类】": finds notes of every category by title or by text
// and opens a hit in the main window (or previews it as a tooltip). Each use of "全目录查找" makes
// a new window; it frees itself when closed.

#include "shell/Settings.h"
#include "store/NoteSearch.h"
#include "store/SearchSnippet.h"

#include <QWidget>

#include <functional>

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QTableView;
class QToolButton;

namespace qj {

class Dialogs;
class SearchHost;
class SearchResultModel;

// The snippets of a search's hits for the result's context column, read through `host`.
std::function<Snippet(const SearchHit&)> SnippetsOf(SearchHost& host, const QString& text,
                                                    const SearchOptions& options);

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
    // The options "多词", "简繁", "拼音" and "上下文" as ticked.
    SearchSettings options() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The second strip: the options, ticked as the settings file keeps them, kept there when changed.
    QWidget* makeOptionsStrip();
    // After a hit was opened: every occurrence of the words marked, the first selected.
    void markOccurrences(const QString& text);
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
    QCheckBox* chkWords_;
    QCheckBox* chkVariants_;
    QCheckBox* chkPinyin_;
    QCheckBox* chkContext_;
    QTableView* grid_;
    SearchResultModel* model_;
};

} // namespace qj
