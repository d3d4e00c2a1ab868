#include "app/shell/ModalsAboveOnTop.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace qj {

namespace {

bool StaysOnTop(const QWidget* w) {
    return w->windowFlags().testFlag(Qt::WindowStaysOnTopHint) ||
           (w->windowHandle() && w->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
}

} // namespace

bool ModalsAboveOnTop::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Show || !watched->isWidgetType())
        return false;
    auto* shown = static_cast<QWidget*>(watched);
    if (!shown->isWindow() || shown->windowModality() == Qt::NonModal || StaysOnTop(shown))
        return false;
    const QWidgetList windows = QApplication::topLevelWidgets();
    const bool onTopShown = std::any_of(windows.begin(), windows.end(), [shown](const QWidget* w) {
        return w != shown && w->isVisible() && StaysOnTop(w);
    });
    // The widget's native window exists (it is about to be mapped): its flags change in place.
    if (onTopShown && shown->windowHandle())
        shown->windowHandle()->setFlags(shown->windowHandle()->flags() | Qt::WindowStaysOnTopHint);
    return false;
}

} // namespace qj
