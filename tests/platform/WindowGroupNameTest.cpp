// The name X11 task lists give the program's windows, on a real X server (the test runs under
// xvfb-run with the xcb platform): the windows' client leader carries the Chinese name.

#include "platform/WindowGroupName.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QTest>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace {

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    const std::unique_ptr<xcb_intern_atom_reply_t, FreeReply> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(qstrlen(name)), name), nullptr));
    return reply->atom;
}

// A property of `window` as bytes.
QByteArray Property(xcb_connection_t* c, xcb_window_t window, const char* name) {
    const std::unique_ptr<xcb_get_property_reply_t, FreeReply> reply(xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, Atom(c, name), XCB_GET_PROPERTY_TYPE_ANY, 0, 1024), nullptr));
    if (!reply)
        return {};
    return QByteArray(static_cast<const char*>(xcb_get_property_value(reply.get())),
                      xcb_get_property_value_length(reply.get()));
}

TEST(WindowGroupName, TheClientLeaderCarriesTheName) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    ASSERT_NE(x11, nullptr) << "run with QT_QPA_PLATFORM=xcb on an X server";
    QWidget never;
    EXPECT_FALSE(qj::NameWindowGroup(never, QStringLiteral("青简札记"))); // no native window yet
    QWidget window;
    window.setWindowTitle(QStringLiteral("窗口"));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    xcb_connection_t* c = x11->connection();
    const QByteArray leaderBytes = Property(c, xcb_window_t(window.winId()), "WM_CLIENT_LEADER");
    ASSERT_EQ(leaderBytes.size(), 4);
    const xcb_window_t leader = *reinterpret_cast<const xcb_window_t*>(leaderBytes.constData());
    EXPECT_NE(Property(c, leader, "_NET_WM_NAME"), QByteArray("青简札记"));
    ASSERT_TRUE(qj::NameWindowGroup(window, QStringLiteral("青简札记")));
    EXPECT_EQ(Property(c, leader, "_NET_WM_NAME"), QByteArray("青简札记"));
    EXPECT_EQ(Property(c, xcb_window_t(window.winId()), "_NET_WM_NAME"), QByteArray("窗口"))
        << "the window's own title untouched";
}

} // namespace
