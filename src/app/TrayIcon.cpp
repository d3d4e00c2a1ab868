#include "app/TrayIcon.h"

#include "app/Lymain.h"
#include "seams/QtDialogs.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QMenu>

#include <algorithm>

namespace qj {

namespace {

// The widget Qt's X11 tray puts into the notification area.
bool IsTrayIconWidget(QObject* object) {
    return object && object->isWidgetType() &&
           qstrcmp(object->metaObject()->className(), "QSystemTrayIconSys") == 0;
}

} // namespace

TrayIcon::TrayIcon(TFmain& main, std::function<void()> refreshCalendar, QObject* parent)
    : QObject(parent), main_(main), refreshCalendar_(std::move(refreshCalendar)),
      a1_(new QSystemTrayIcon(this)), menu_(new QMenu) {
    a1_->setObjectName(QStringLiteral("a1"));
    a1_->setIcon(main.windowIcon());
    a1_->setToolTip(DisplayLineBreaks(tooltip_.text()));
    buildMenu();
    a1_->setContextMenu(menu_);
    connect(a1_, &QSystemTrayIcon::activated, this, &TrayIcon::onActivated);
    qApp->installEventFilter(this);
    a1_->show();
    // Qt's X11 tray puts a widget of its own into the notification area; a D-Bus tray has none.
    const QWidgetList windows = QApplication::topLevelWidgets();
    setClickOnlyTray(isAvailable() && std::none_of(windows.begin(), windows.end(), IsTrayIconWidget));
}

void TrayIcon::setHotKeyHeld(bool held) {
    tooltip_.setHotKeyHeld(held);
    a1_->setToolTip(DisplayLineBreaks(tooltip_.text()));
}

void TrayIcon::setClickOnlyTray(bool clickOnly) {
    clickOnly_ = clickOnly;
    if (clickOnly_ && !tooltip_.wasHovered()) {
        tooltip_.hovered();
        a1_->setToolTip(DisplayLineBreaks(tooltip_.text()));
    }
}

TrayIcon::~TrayIcon() {
    qApp->removeEventFilter(this);
    a1_->hide();
    delete menu_;
}

bool TrayIcon::isAvailable() {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

bool TrayIcon::notify(const QString& title, const QString& text) {
    if (!a1_->isVisible() || !isAvailable() || !QSystemTrayIcon::supportsMessages())
        return false;
    constexpr int kShownMs = 15'000;
    a1_->showMessage(title, text, QSystemTrayIcon::Information, kShownMs);
    return true;
}

void TrayIcon::buildMenu() {
    menu_->setObjectName(QStringLiteral("PopupMenu3"));
    QAction* show = menu_->addAction(QStringLiteral("显示主窗口"));
    show->setObjectName(QStringLiteral("N51"));
    connect(show, &QAction::triggered, this, &TrayIcon::a1DblClick);
    menu_->setDefaultAction(show);
    menu_->addAction(main_.actions().hideMainW);
    menu_->addSeparator();
    menu_->addAction(main_.actions().alert);
    menu_->addSeparator();
    menu_->addAction(main_.actions().paiGua);
    menu_->addAction(main_.actions().cnDate);
    menu_->addSeparator();
    QAction* about = menu_->addAction(QStringLiteral("关于..."));
    about->setObjectName(QStringLiteral("N58"));
    connect(about, &QAction::triggered, this, &TrayIcon::aboutRequested);
    QAction* exit = menu_->addAction(QStringLiteral("退出(&X)"));
    exit->setObjectName(QStringLiteral("N59"));
    connect(exit, &QAction::triggered, main_.actions().exit, &QAction::trigger);
    // A menu opened with the mouse means the mouse was on the icon.
    connect(menu_, &QMenu::aboutToShow, this, &TrayIcon::a1MouseMove);
}

Presence TrayIcon::presence() const {
    return {main_.isVisible() && !main_.isMinimized(), a1_->isVisible()};
}

void TrayIcon::apply(Presence presence, TFmain::Away away) {
    if (presence.windowShown)
        main_.bringToFront();
    else
        main_.putAway(away);
    a1_->setVisible(presence.iconShown);
}

void TrayIcon::a1DblClick() {
    apply(AfterTrayToggle(presence()));
}

void TrayIcon::a1MouseMove() {
    if (refreshCalendar_)
        refreshCalendar_();
    tooltip_.hovered();
    a1_->setToolTip(DisplayLineBreaks(tooltip_.text()));
}

void TrayIcon::hotKeyPressed() {
    apply(AfterHotKey(presence()));
}

void TrayIcon::toggleRequested() {
    apply(AfterHotKey(presence()), TFmain::Away::Hidden);
}

void TrayIcon::showRequested() {
    apply(AfterShowRequest(presence()));
}

void TrayIcon::onActivated(QSystemTrayIcon::ActivationReason reason) {
    a1MouseMove();
    if (reason == QSystemTrayIcon::DoubleClick || (clickOnly_ && reason == QSystemTrayIcon::Trigger))
        a1DblClick();
}

bool TrayIcon::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Enter:
    case QEvent::ToolTip:
    case QEvent::MouseMove:
        if (IsTrayIconWidget(watched))
            a1MouseMove();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace qj
