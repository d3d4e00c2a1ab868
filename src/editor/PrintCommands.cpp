#include "editor/PrintCommands.h"

#include "seams/Clock.h"
#include "seams/Dialogs.h"

#include <Qsci/qsciscintilla.h>

#include <QPageLayout>
#include <QPrintPreviewDialog>
#include <QTimer>

namespace qj {

PrintCommands::PrintCommands(QsciScintilla* editor, Dialogs& dialogs, Clock& clock, QWidget* dialogParent,
                             std::function<PrintTexts()> texts, QObject* parent)
    : QObject(parent ? parent : editor), editor_(editor), dialogs_(dialogs), clock_(clock),
      dialogParent_(dialogParent), texts_(std::move(texts)), printer_(std::make_unique<NotePrinter>()),
      previewSetup_(std::make_unique<QPrinter>()) {
    printer_->setTexts(texts_);
    printer_->setPrintTime([this] { return clock_.now(); });
    // The preview's page-setup dialog starts at 215.9 × 279.4 mm with 25 mm on every side.
    QPageLayout setup = PrintLayout::page();
    setup.setMargins(QMarginsF(25, 25, 25, 25));
    previewSetup_->setPageLayout(setup);
}

PrintCommands::~PrintCommands() = default;

void PrintCommands::print() {
    if (!dialogs_.print(dialogParent_, *printer_))
        return;
    if (printer_->printNote(*editor_) == 0) {
        say(QStringLiteral("打印失败：无法输出到所选的打印机。"), MessageIcon::Error);
    }
}

void PrintCommands::preview() {
    if (!dialogs_.pageSetup(dialogParent_, *previewSetup_))
        return;
    // The paper and its orientation chosen there are used; the margins stay those of the page setup.
    printer_->setPageSize(previewSetup_->pageLayout().pageSize());
    printer_->setPageOrientation(previewSetup_->pageLayout().orientation());
    QPrintPreviewDialog dialog(printer_.get(), dialogParent_);
    dialog.setObjectName(QStringLiteral("PrintPreview"));
    dialog.setWindowTitle(QStringLiteral("打印预览"));
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter*) { printer_->printNote(*editor_); });
    QTimer::singleShot(0, this, [this, &dialog] { emit previewShown(&dialog); });
    dialog.exec();
}

// Paper, orientation and the text's margins (millimetres) for printing, preview and PDF export;
// they last for the session.
void PrintCommands::pageSetup() {
    const QPageLayout before = printer_->pageLayout();
    if (!dialogs_.pageSetup(dialogParent_, *printer_) || LeavesRoomForText(printer_->pageLayout()))
        return;
    printer_->setPageLayout(before);
    say(QStringLiteral("页边距太大，纸上留给正文的地方不足 30 毫米。页面设置未改变。"), MessageIcon::Warning);
}

void PrintCommands::exportPdf() {
    FileRequest request;
    request.caption = QStringLiteral("导出到 .pdf");
    request.filter = QStringLiteral("PDF 文件 (*.pdf)");
    request.defaultSuffix = QStringLiteral("pdf");
    const std::optional<QString> path = dialogs_.saveFileName(dialogParent_, request);
    if (!path)
        return;
    QString failure;
    if (!WriteNotePdf(*editor_, *path, texts_ ? texts_() : PrintTexts{}, clock_.now(), printer_->pageLayout(),
                      &failure)) {
        say(QStringLiteral("无法写入文件 %1：%2。").arg(*path, failure), MessageIcon::Error);
    }
}

// A message box with the program's caption.
void PrintCommands::say(const QString& text, MessageIcon icon) {
    MessageRequest request;
    request.caption = texts_ ? texts_().caption : QString();
    request.text = text;
    request.icon = icon;
    dialogs_.message(dialogParent_, request);
}

} // namespace qj
