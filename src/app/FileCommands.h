#pragma once
// The main window's file commands: "资料备份" (a byte copy of the data file into a dated folder
// beside the program), "导入文件", "导出到 .txt", "导出到 .Html", and files dropped onto the
// editor.

#include "seams/Services.h"
#include "store/TextFiles.h"

#include <QObject>
#include <QStringList>

#include <functional>

namespace qj {

class TFmain;

class FileCommands : public QObject {
    Q_OBJECT
public:
    FileCommands(TFmain& main, const Services& services);

    void actBackupExecute();
    void actInputFilesExecute();
    void actOutputFilesTxtExecute();
    void actOutputFilesHtmlExecute();
    // Files dropped onto the editor, in the order given.
    void dropFiles(const QStringList& paths);
    // The line-break style of the last file loaded into the editor.
    LineBreak lineBreak() const { return lineBreak_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Runs a command; a failure it raises is shown by the general error handler. False then.
    bool run(const std::function<void()>& command);
    // Lines too long for the editor to lay out quickly are broken into rows if the user agrees.
    QStringList offerBreakingLongLines(const QStringList& lines);
    void copyWithProgress(const QString& source, const QString& destination);

    TFmain& main_;
    Services services_;
    LineBreak lineBreak_ = LineBreak::CrLf;
};

} // namespace qj
