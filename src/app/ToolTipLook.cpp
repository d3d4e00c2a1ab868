#include "app/ToolTipLook.h"

#include <QApplication>
#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

namespace qj {

ToolTipLook::ToolTipLook(QObject* owner) : QObject(owner) {
    QPalette pal = QToolTip::palette();
    pal.setColor(QPalette::ToolTipBase, QColor(255, 255, 193));
    pal.setColor(QPalette::ToolTipText, Qt::black);
    QToolTip::setPalette(pal);
    qApp->installEventFilter(this);
}

ToolTipLook::~ToolTipLook() {
    qApp->removeEventFilter(this);
}

// A widget's own tooltip is shown by us with the long display time; views and other widgets that
// compute their tooltips themselves (tree node hints) keep their own handling.
bool ToolTipLook::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ToolTip || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    const QString tip = widget->toolTip();
    if (tip.isEmpty())
        return false;
    const auto* help = static_cast<QHelpEvent*>(event);
    QToolTip::showText(help->globalPos(), tip, widget, QRect(), kShowMilliseconds);
    return true;
}

} // namespace qj
