#include "alert/TrackBar.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>

namespace qj {

TrackBar::TrackBar(Qt::Orientation orientation, QWidget* parent) : QSlider(orientation, parent) {}

void TrackBar::setSelection(int start, int end) {
    if (start == selectionStart_ && end == selectionEnd_)
        return;
    selectionStart_ = start;
    selectionEnd_ = end;
    update();
}

void TrackBar::paintEvent(QPaintEvent* event) {
    QSlider::paintEvent(event);
    if (selectionStart_ >= selectionEnd_)
        return;
    QStyleOptionSlider opt;
    initStyleOption(&opt);
    const QRect groove = style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderGroove, this);
    const QRect handle = style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, this);
    const bool vertical = orientation() == Qt::Vertical;
    const int handleLength = vertical ? handle.height() : handle.width();
    const int span = (vertical ? groove.height() : groove.width()) - handleLength;
    const int origin = (vertical ? groove.top() : groove.left()) + handleLength / 2;
    const auto at = [&](int value) {
        return origin + QStyle::sliderPositionFromValue(minimum(), maximum(), value, span, opt.upsideDown);
    };
    const int a = at(selectionStart_);
    const int b = at(selectionEnd_);
    const int centre = vertical ? groove.center().x() : groove.center().y();
    const QRect band = vertical
                           ? QRect(QPoint(centre - 2, std::min(a, b)), QPoint(centre + 1, std::max(a, b)))
                           : QRect(QPoint(std::min(a, b), centre - 2), QPoint(std::max(a, b), centre + 1));
    QPainter painter(this);
    painter.fillRect(band.intersected(groove), palette().color(QPalette::Highlight));
    // The thumb stays on top of the range.
    if (band.intersects(handle)) {
        opt.subControls = QStyle::SC_SliderHandle;
        style()->drawComplexControl(QStyle::CC_Slider, &opt, &painter, this);
    }
}

} // namespace qj
