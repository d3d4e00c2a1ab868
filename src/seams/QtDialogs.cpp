#include "seams/QtDialogs.h"

#include "seams/FontColorDialog.h"

#include <algorithm>

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QFileDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFrame>

namespace qj {

namespace {

// Titles hold up to 50 characters: the one-line input box shows 50 Chinese characters whole, as
// far as the screen allows.
constexpr int kInputBoxCharacters = 50;

void WidenForTitles(QLineEdit* edit, const QWidget* dialog) {
    const QFontMetrics fm = edit->fontMetrics();
    // 龘 is among the widest characters of a Chinese face.
    const int text = fm.horizontalAdvance(QString(kInputBoxCharacters, QChar(0x9F98)));
    const QMargins margins = edit->textMargins();
    QStyleOptionFrame opt;
    opt.initFrom(edit);
    opt.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, edit);
    opt.features = QStyleOptionFrame::None;
    // 2 px of the line edit's own on each side of the text.
    const QSize inner(text + 4 + margins.left() + margins.right() + 1, fm.height());
    int width = edit->style()->sizeFromContents(QStyle::CT_LineEdit, &opt, inner, edit).width();
    if (const QScreen* screen = dialog->screen())
        width = std::min(width, screen->availableGeometry().width() * 9 / 10);
    edit->setMinimumWidth(width);
}

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

struct ButtonPair {
    DialogButton ours;
    QMessageBox::StandardButton qt;
    const char* english; // the framework's own boxes
};

constexpr ButtonPair kButtons[] = {
    {DialogButton::Ok, QMessageBox::Ok, "OK"},
    {DialogButton::Cancel, QMessageBox::Cancel, "Cancel"},
    {DialogButton::Yes, QMessageBox::Yes, "Yes"},
    {DialogButton::No, QMessageBox::No, "No"},
};

const char* EnglishText(QMessageBox::StandardButton button) {
    for (const auto& pair : kButtons)
        if (pair.qt == button)
            return pair.english;
    return "";
}

// A box must never open behind one of the program's always-on-top windows (the alert window at
// its alarm): while one is shown, the box stays on top as well.
bool AnyStayOnTopWindowShown() {
    for (const QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && (w->windowFlags() & Qt::WindowStaysOnTopHint))
            return true;
    return false;
}

// A short text makes a narrow box, and the window border then cuts the caption ("青… 记"): the box
// is made wide enough for its caption beside the border's icon and buttons.
void WidenForCaption(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    QFont titleFont = QApplication::font("QMdiSubWindowTitleBar");
    titleFont.setBold(true);
    const int caption = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle());
    const int border = 4 * box.style()->pixelMetric(QStyle::PM_TitleBarHeight) + 24;
    const int width = caption + border;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

QMessageBox::StandardButton ToQt(DialogButton button) {
    for (const auto& pair : kButtons)
        if (pair.ours == button)
            return pair.qt;
    return QMessageBox::NoButton;
}

DialogButton FromQt(QMessageBox::StandardButton button) {
    for (const auto& pair : kButtons)
        if (pair.qt == button)
            return pair.ours;
    return DialogButton::None;
}

std::optional<QString> RunFileDialog(QWidget* parent, const FileRequest& request,
                                     QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, request.caption, request.directory, request.filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    if (!request.defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace

// A box whose buttons offer no way out (Yes and No) must be answered with a button: Escape and
// the close button do nothing, as with the system's own boxes. Qt would take them as No, and No
// may drop what the user typed.
class AnsweredBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;
    bool mustAnswer = false;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (mustAnswer && event->matches(QKeySequence::Cancel)) {
            event->accept();
            return;
        }
        QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent* event) override {
        if (mustAnswer) {
            event->ignore();
            return;
        }
        QMessageBox::closeEvent(event);
    }
};

QString DisplayLineBreaks(const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\r\n"), QStringLiteral("\n"));
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

DialogButton QtDialogs::message(QWidget* parent, const MessageRequest& request) {
    AnsweredBox box(ToQtIcon(request.icon), request.caption, DisplayLineBreaks(request.text),
                    QMessageBox::NoButton, parent);
    // Error texts may hold '<' or '&': never let Qt read them as markup.
    box.setTextFormat(Qt::PlainText);
    for (std::size_t i = 0; i < request.buttons.size(); ++i) {
        QAbstractButton* added = box.addButton(ToQt(request.buttons[i]));
        if (i < request.buttonTexts.size())
            added->setText(request.buttonTexts[i]);
    }
    if (request.buttons.empty())
        box.addButton(QMessageBox::Ok);
    if (request.frameworkBox)
        for (QAbstractButton* button : box.buttons())
            button->setText(QString::fromLatin1(EnglishText(box.standardButton(button))));
    if (AnyStayOnTopWindowShown())
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    WidenForCaption(box);
    const DialogButton focus = request.defaultButton != DialogButton::None
                                   ? request.defaultButton
                                   : (request.buttons.empty() ? DialogButton::Ok : request.buttons.front());
    box.setDefaultButton(ToQt(focus));
    box.mustAnswer = request.buttons.size() > 1 && std::find(request.buttons.begin(), request.buttons.end(),
                                                             DialogButton::Cancel) == request.buttons.end();
    box.exec();
    return FromQt(box.standardButton(box.clickedButton()));
}

std::optional<QString> QtDialogs::inputText(QWidget* parent, const InputRequest& request) {
    QInputDialog dialog(parent);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(request.caption);
    dialog.setLabelText(DisplayLineBreaks(request.prompt));
    dialog.setTextValue(request.text);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Cancel"));
    if (auto* edit = dialog.findChild<QLineEdit*>()) {
        if (request.maxLength > 0)
            edit->setMaxLength(request.maxLength);
        WidenForTitles(edit, &dialog);
    }
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

// A compact box around a spin box: only digits can be typed, and nothing beyond the limits.
std::optional<int> QtDialogs::inputNumber(QWidget* parent, const NumberRequest& request) {
    QInputDialog dialog(parent);
    dialog.setInputMode(QInputDialog::IntInput);
    dialog.setWindowTitle(request.caption);
    dialog.setLabelText(DisplayLineBreaks(request.prompt));
    dialog.setIntRange(request.minimum, request.maximum);
    dialog.setIntValue(request.value);
    dialog.setOkButtonText(QStringLiteral("确定"));
    dialog.setCancelButtonText(QStringLiteral("取消"));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.intValue();
}

std::optional<QString> QtDialogs::openFileName(QWidget* parent, const FileRequest& request) {
    return RunFileDialog(parent, request, QFileDialog::AcceptOpen);
}

std::optional<QString> QtDialogs::saveFileName(QWidget* parent, const FileRequest& request) {
    return RunFileDialog(parent, request, QFileDialog::AcceptSave);
}

std::optional<FontChoice> QtDialogs::font(QWidget* parent, const FontChoice& initial,
                                          const QString& caption) {
    FontColorDialog dialog(initial, caption, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

std::optional<QColor> QtDialogs::color(QWidget* parent, const QColor& initial, const QString& caption) {
    const QColor chosen = QColorDialog::getColor(initial, parent, caption);
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

bool QtDialogs::print(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("打印"));
    return dialog.exec() == QDialog::Accepted;
}

bool QtDialogs::pageSetup(QWidget* parent, QPrinter& printer) {
    QPageSetupDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("页面设置"));
    return dialog.exec() == QDialog::Accepted;
}

} // namespace qj
