#pragma once
// The note store's windows as the main window opens them: the search windows ("全目录查找") and
// the category manager ("目录分类管理", made once). It gives them what they need of the main
// window (SearchHost, CategoryHost).

#include "seams/Services.h"
#include "store/TextFiles.h"
#include "store/windows/CategoryHost.h"
#include "store/windows/SearchHost.h"

#include <QList>
#include <QObject>
#include <QPointer>

namespace qj {

class TFmain;
class TFaddTable;
class TFind_all;

class StoreWindows : public QObject, public SearchHost, public CategoryHost {
    Q_OBJECT
public:
    StoreWindows(TFmain& main, const Services& services);

    // "全目录查找": a new search window, shown.
    TFind_all* openSearch();

    // "目录分类管理": the category manager, shown modally.
    void openCategoryManager();
    TFaddTable* categoryManager() const { return manager_; }

    // "资料备份": a byte copy of the data file into a dated folder beside the program.
    void actBackupExecute();
    // "导入文件", "导出到 .txt", "导出到 .Html".
    void actInputFilesExecute();
    void actOutputFilesTxtExecute();
    void actOutputFilesHtmlExecute();
    // Files dropped onto the editor, in the order given.
    void dropFiles(const QStringList& paths);
    // The line-break style of the last file loaded into the editor.
    LineBreak lineBreak() const { return lineBreak_; }

    // SearchHost and CategoryHost
    DataFile* dataFile() override;
    QStringList categoryNames() override;
    bool openNote(const QString& category, RecordId rowid, const QString& title) override;
    QString editorText() override;
    void selectInEditor(int start, int length) override;

    // CategoryHost
    QString currentCategory() override;
    QString startupCategory() override;
    void createCategory() override;
    void writeDefault(const QString& name) override;
    bool makeCurrent(const QString& name) override;
    void closeCurrent() override;
    bool askSaveIfDirty() override;
    void clearEditor() override;
    void rebuildSelector(const QString& select) override;
    void enableNoteCommands(bool enabled) override;
    void clearTitleBar() override;
    bool run(const std::function<void()>& command) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Lines too long for the editor to lay out quickly are broken into rows if the user agrees.
    QStringList offerBreakingLongLines(const QStringList& lines);
    void copyWithProgress(const QString& source, const QString& destination);

    TFmain& main_;
    Services services_;
    TFaddTable* manager_ = nullptr;
    static constexpr int kCascadeStep = 30;
    QList<QPointer<TFind_all>> searches_; // in the order they were opened
    LineBreak lineBreak_ = LineBreak::CrLf;
};

} // namespace qj
