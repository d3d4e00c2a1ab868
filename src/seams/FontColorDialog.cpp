#include "seams/FontColorDialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace qj {

namespace {

QIcon Swatch(const QColor& color, const QSize& size) {
    QPixmap pixmap(size);
    pixmap.fill(color);
    QPainter painter(&pixmap);
    painter.setPen(QColor(Qt::darkGray));
    painter.drawRect(0, 0, size.width() - 1, size.height() - 1);
    return QIcon(pixmap);
}

// The chooser's sample is the one line edit inside a group box (the face, style and size edits sit
// beside their lists).
QLineEdit* SampleOf(QFontDialog* fonts) {
    for (QLineEdit* edit : fonts->findChildren<QLineEdit*>())
        if (qobject_cast<QGroupBox*>(edit->parentWidget()))
            return edit;
    return nullptr;
}

} // namespace

FontColorDialog::FontColorDialog(const FontChoice& initial, const QString& caption, QWidget* parent)
    : QDialog(parent), color_(initial.color) {
    setWindowTitle(caption.isEmpty() ? QStringLiteral("选择字体") : caption);

    // Qt's chooser as a part of this window: its own buttons hidden, never the desktop's dialog.
    fonts_ = new QFontDialog(this);
    fonts_->setWindowFlags(Qt::Widget);
    fonts_->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    fonts_->setCurrentFont(initial.font);
    fonts_->setSizeGripEnabled(false);
    if (QLayout* own = fonts_->layout())
        own->setContentsMargins(0, 0, 0, 0);
    sample_ = SampleOf(fonts_);
    fonts_->installEventFilter(this);

    colorButton_ = new QPushButton(QStringLiteral("选择颜色(&C)..."), this);
    colorButton_->setObjectName(QStringLiteral("colorButton"));
    colorButton_->setAutoDefault(false);
    auto* colorLabel = new QLabel(QStringLiteral("文字颜色："), this);
    colorLabel->setBuddy(colorButton_);
    connect(colorButton_, &QPushButton::clicked, this, &FontColorDialog::chooseColor);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(colorLabel);
    colorRow->addWidget(colorButton_);
    colorRow->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fonts_);
    layout->addLayout(colorRow);
    layout->addWidget(buttons);
    setTextColor(color_);
}

FontChoice FontColorDialog::choice() const {
    return {fonts_->currentFont(), color_};
}

void FontColorDialog::setTextColor(const QColor& color) {
    color_ = color;
    const int h = colorButton_->fontMetrics().height();
    colorButton_->setIconSize(QSize(2 * h, h));
    colorButton_->setIcon(Swatch(color_, colorButton_->iconSize()));
    if (sample_) {
        QPalette palette = sample_->palette();
        palette.setColor(QPalette::Text, color_);
        sample_->setPalette(palette);
    }
}

// Escape and Enter in the chooser's fields answer this window: the chooser, a dialog itself, would
// hide itself on Escape and swallow Enter.
bool FontColorDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == fonts_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Cancel)) {
            reject();
            return true;
        }
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FontColorDialog::chooseColor() {
    const QColor chosen = QColorDialog::getColor(color_, this, QStringLiteral("文字颜色"));
    if (chosen.isValid())
        setTextColor(chosen);
}

} // namespace qj
