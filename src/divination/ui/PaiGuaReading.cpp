// The reading: the report written into the memo (开始断卦) and handed on as a note and on the
// clipboard (数据存在剪贴板并且退出).

#include "divination/core/Report.h"
#include "divination/ui/NoteFiling.h"
#include "divination/ui/PaiGua.h"
#include "seams/StandardBoxes.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace qj {
namespace {

// The date and time as the desktop writes them: short date, blank, time with seconds.
QString NowText(const QDateTime& now) {
    const QLocale locale;
    QString timeFormat = locale.timeFormat(QLocale::LongFormat);
    timeFormat.remove(QRegularExpression(QStringLiteral("\\s*t+\\s*"))); // no time zone
    return locale.toString(now.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
           locale.toString(now.time(), timeFormat.trimmed());
}

} // namespace

// The line bars are drawn with ▅, which a Song face draws one Chinese cell wide. Faces without
// it borrow the glyph from another face at another width, and the bars would no longer line up
// with the columns around them: each ▅ is stretched to one cell of the memo's font, so that a bar
// stays one solid block, and what stretching cannot reach is made up by letter spacing.
void FitBarsToCells(QPlainTextEdit* memo) {
    const QChar bar(0x2585);
    const QFont font = memo->font();
    const qreal cell = QFontMetricsF(font).horizontalAdvance(QChar(0x4E16)); // 世
    const qreal drawn = QFontMetricsF(font).horizontalAdvance(bar);
    if (drawn <= 0)
        return;
    QFont stretched = font;
    const int stretch = std::clamp(qRound(100 * cell / drawn), 50, 200);
    stretched.setStretch(stretch);
    QTextCharFormat fitted;
    fitted.setFontStretch(stretch);
    fitted.setFontLetterSpacingType(QFont::AbsoluteSpacing);
    fitted.setFontLetterSpacing(cell - QFontMetricsF(stretched).horizontalAdvance(bar));
    QTextDocument* document = memo->document();
    for (QTextCursor at = document->find(bar); !at.isNull(); at = document->find(bar, at))
        at.mergeCharFormat(fitted);
    document->setModified(false);
}

void TFPaiGua::StartReading() {
    if (cbbCategory_->currentText().isEmpty()) {
        InformationBox(services_.dialogs, this, QStringLiteral("请选择起卦类别 !!!"));
        return;
    }
    // A question of blanks only would file a note without a visible title.
    if (edtQuestion_->text().trimmed().isEmpty()) {
        InformationBox(services_.dialogs, this, QStringLiteral("请填写求占内容 !!!"));
        return;
    }
    InputRequest request;
    request.caption = QStringLiteral("确认开始断卦");
    request.prompt = QStringLiteral("请输入占卦内容");
    request.text = edtQuestion_->text();
    request.maxLength = kQuestionLength; // it becomes the note's title
    const std::optional<QString> question = services_.dialogs.inputText(this, request);
    if (!question)
        return;
    if (question->trimmed().isEmpty()) {
        InformationBox(services_.dialogs, this, QStringLiteral("请填写求占内容 !!!"));
        return;
    }
    edtQuestion_->setText(question->left(kQuestionLength));

    showChartView(false);
    const ReportInputs inputs{cbbCategory_->currentText().toStdString(),
                              cbbMethod_->currentText().toStdString(), edtName_->text().toStdString(),
                              cbbSex_->currentText().toStdString(), edtQuestion_->text().toStdString()};
    const ReportStyle style = rbOld_->isChecked() ? ReportStyle::Old : ReportStyle::New;
    std::vector<std::string> lines =
        BuildReport(shownChart(), inputs, style, NowText(services_.clock.now()).toStdString());
    for (std::string& line : reportAnalysisLines())
        lines.push_back(std::move(line));
    QStringList memo;
    for (const std::string& line : lines)
        memo.append(QString::fromStdString(line));
    mmoReport_->setPlainText(memo.join(QLatin1Char('\n')));
    reportQuestion_ = edtQuestion_->text();
    FitBarsToCells(mmoReport_);
}

// The memo's text as a note holds it: every line ended by CR LF.
QString TFPaiGua::reportText() const {
    const QString text = mmoReport_->toPlainText();
    if (text.isEmpty())
        return text;
    return text.split(QLatin1Char('\n')).join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

void TFPaiGua::HandOffReport() {
    const QString report = reportText();
    if (report.isEmpty()) {
        close();
        return;
    }
    // The note is titled with the question its report answers, not one typed after the reading.
    const QString question = reportQuestion_.isEmpty() ? edtQuestion_->text() : reportQuestion_;
    const QString category = cbbCategory_->currentText();
    const DialogButton answer =
        ConfirmBox(services_.dialogs, this,
                   QStringLiteral("确认是否将[") + question + QStringLiteral("]\r\r\n添加到 【") + category +
                       QStringLiteral("】 类别中 ？"));
    bool filed = true;
    if (answer == DialogButton::Yes) {
        filed = false;
        runCommand([&] { filed = notes_.fileReport(category, question, report); });
    } else {
        InformationBox(services_.dialogs, this, QStringLiteral("当前已内容存到剪贴板。。。"));
    }
    QGuiApplication::clipboard()->setText(report);
    // When the notebook refused the note, the window stays open, in front, with the report.
    if (!filed) {
        keepInFront();
        return;
    }
    // A report that was filed is not offered again (Return would file it twice).
    if (answer == DialogButton::Yes)
        dropReport();
    close();
}

} // namespace qj
