#pragma once
// The printing commands of the main window: print (the platform's print dialog, then every page),
// print preview (the page-setup dialog, then the preview window "打印预览" that can print), page
// setup, and writing the note to a PDF file.

#include "editor/NotePrinter.h"
#include "seams/Dialogs.h"

#include <QObject>

#include <functional>
#include <memory>

class QPrinter;
class QsciScintilla;
class QWidget;

namespace qj {

class Clock;

class PrintCommands : public QObject {
    Q_OBJECT
public:
    PrintCommands(QsciScintilla* editor, Dialogs& dialogs, Clock& clock, QWidget* dialogParent,
                  std::function<PrintTexts()> texts, QObject* parent = nullptr);
    ~PrintCommands() override;

    void print();     // actPrintExecute
    void preview();   // actPrintViewExecute
    void pageSetup(); // aSynPageSetup1
    void exportPdf(); // "导出到 .pdf"

    NotePrinter& printer() { return *printer_; }
    // The page-setup dialog of the preview command (its own paper and margins).
    QPrinter& previewSetup() { return *previewSetup_; }

signals:
    // The preview window is open (tests look at it; it closes when the user closes it).
    void previewShown(QWidget* preview);

private:
    void say(const QString& text, MessageIcon icon);

    QsciScintilla* editor_;
    Dialogs& dialogs_;
    Clock& clock_;
    QWidget* dialogParent_;
    std::function<PrintTexts()> texts_;
    std::unique_ptr<NotePrinter> printer_;
    std::unique_ptr<QPrinter> previewSetup_;
};

} // namespace qj
