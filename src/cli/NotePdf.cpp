#include "cli/NotePdf.h"

#include "editor/ColumnWrap.h"
#include "editor/EditorLook.h"
#include "editor/NotePrinter.h"
#include "shell/AppTitle.h"
#include "shell/EditorSettings.h"
#include "shell/FileVersion.h"
#include "shell/FontFamilies.h"
#include "shell/Settings.h"
#include "shell/SettingsStore.h"

#include <Qsci/qsciscintilla.h>

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <memory>

namespace qj::cli {
namespace {

QtMessageHandler qtHandler = nullptr;

// Qt's notes and warnings (a missing runtime folder offscreen, and the like) are not the command's
// output: a script sees one line on standard error only when the command fails.
void QuietQtMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtCriticalMsg && type != QtFatalMsg)
        return;
    if (qtHandler)
        qtHandler(type, context, text);
    else
        std::fprintf(stderr, "%s\n", qPrintable(text));
}

// Printing needs the widgets' application object. Without a display it draws offscreen (a
// platform chosen by the user is kept).
std::unique_ptr<QApplication> MakeApplication() {
    if (QCoreApplication::instance())
        return nullptr;
    qtHandler = qInstallMessageHandler(&QuietQtMessages);
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "qingjian-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QApplication>(argc, argv);
}

} // namespace

int WriteNotePdfFile(const QString& text, const QString& dataFilePath, const QString& pdfPath,
                     QString* failure) {
    const std::unique_ptr<QApplication> app = MakeApplication();
    // The settings file the window reads sits in the program folder, beside its data file.
    const SettingsStore store = SettingsStore::InFolder(QFileInfo(dataFilePath).absolutePath());
    const Settings settings = store.read();
    // The editor as the window sets it up for a note (CR LF lines, the program's look, the stored
    // options, font and text colour).
    QsciScintilla editor;
    editor.setUtf8(true);
    editor.setEolMode(QsciScintilla::EolWindows);
    ConfigureNoteEditor(editor);
    const EditorOptions options = store.readEditorOptions();
    ApplyEditorOptions(editor, options);
    // The rows end where the window's editor ends them: its column wrap, switched on at the wrap
    // column (Scintilla's printing ends rows at the row rule's places only while the editor itself
    // wraps words; without wrap it ends them after blanks alone).
    auto* wrap = new ColumnWrap(&editor);
    wrap->setWrapColumn(options.edgeColumn);
    wrap->setEdgeColumn(options.edgeColumn);
    wrap->setEnabled(true);
    editor.setFont(NoteFont(settings.fontName, settings.fontSize));
    editor.setColor(SettingsColour(settings.fontColor));
    editor.setText(text);
    const PrintTexts texts{QString::fromUtf8(kAppTitle), VersionPanelText()};
    return WriteNotePdf(editor, pdfPath, texts, QDateTime::currentDateTime(), PrintLayout::page(), failure);
}

} // namespace qj::cli
