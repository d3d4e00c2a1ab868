#include "platform/WindowGroupName.h"

#ifdef QJ_HAVE_XCB
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#endif

namespace qj {

#ifdef QJ_HAVE_XCB

namespace {

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    const std::unique_ptr<xcb_intern_atom_reply_t, FreeReply> reply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, uint16_t(qstrlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

} // namespace

bool NameWindowGroup(const QWidget& window, const QString& name) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection() || !window.internalWinId())
        return false;
    xcb_connection_t* connection = x11->connection();
    const xcb_atom_t leaderAtom = Atom(connection, "WM_CLIENT_LEADER");
    const std::unique_ptr<xcb_get_property_reply_t, FreeReply> reply(
        xcb_get_property_reply(connection,
                               xcb_get_property(connection, 0, xcb_window_t(window.internalWinId()),
                                                leaderAtom, XCB_ATOM_WINDOW, 0, 1),
                               nullptr));
    if (!reply || reply->type != XCB_ATOM_WINDOW || xcb_get_property_value_length(reply.get()) != 4)
        return false;
    const xcb_window_t leader = *static_cast<const xcb_window_t*>(xcb_get_property_value(reply.get()));
    const QByteArray text = name.toUtf8();
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, leader, Atom(connection, "_NET_WM_NAME"),
                        Atom(connection, "UTF8_STRING"), 8, uint32_t(text.size()), text.constData());
    xcb_flush(connection);
    return true;
}

#else

bool NameWindowGroup(const QWidget&, const QString&) {
    return false;
}

#endif

} // namespace qj
