#include "calendar/ui/CaptionPanel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>

namespace qj {

CaptionPanel::CaptionPanel(const QString& objectName, Qt::Alignment captionAlignment, bool wholeCaption,
                           QWidget* parent)
    : QFrame(parent), layout_(new QHBoxLayout(this)), caption_(new QLabel(this)) {
    setObjectName(objectName);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    layout_->setContentsMargins(4, 2, 4, 2);
    caption_->setObjectName(objectName + QStringLiteral("Caption"));
    caption_->setAlignment(captionAlignment | Qt::AlignVCenter);
    caption_->setTextFormat(Qt::PlainText);
    if (!wholeCaption) {
        caption_->setMinimumWidth(1);
        caption_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    }
    // Double-clicks on the caption reach the panel.
    caption_->setAttribute(Qt::WA_TransparentForMouseEvents);
    layout_->addWidget(caption_, 1);
}

QString CaptionPanel::caption() const {
    return caption_->text();
}

void CaptionPanel::setCaption(const QString& text) {
    caption_->setText(text);
}

void CaptionPanel::setCaptionColour(const QColor& colour) {
    QPalette p = caption_->palette();
    p.setColor(QPalette::WindowText, colour);
    caption_->setPalette(p);
}

void CaptionPanel::setGround(const QColor& colour) {
    QPalette p = palette();
    p.setColor(QPalette::Window, colour);
    setPalette(p);
    setAutoFillBackground(true);
}

void CaptionPanel::addControl(QWidget* control) {
    layout_->insertWidget(controls_++, control);
}

void CaptionPanel::setBorderWidth(int pixels) {
    layout_->setContentsMargins(pixels, 2, pixels, 2);
}

void CaptionPanel::mouseDoubleClickEvent(QMouseEvent* event) {
    QFrame::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

} // namespace qj
