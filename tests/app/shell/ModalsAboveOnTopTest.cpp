// A modal box shown while an always-on-top window is visible stays on top as well; otherwise it
// keeps its flags.

#include "app/shell/ModalsAboveOnTop.h"

#include <QApplication>
#include <QDialog>
#include <QWindow>

#include <gtest/gtest.h>

namespace qj {
namespace {

TEST(ModalsAboveOnTop, AModalBoxStaysOnTopOnlyWhileAnOnTopWindowIsShown) {
    ModalsAboveOnTop filter;
    qApp->installEventFilter(&filter);
    struct Case {
        bool onTopShown;
        Qt::WindowModality modality;
        bool boxOnTop;
    };
    const Case cases[] = {
        {true, Qt::ApplicationModal, true},
        {true, Qt::WindowModal, true},
        {true, Qt::NonModal, false},
        {false, Qt::ApplicationModal, false},
    };
    for (const Case& c : cases) {
        QWidget onTop(nullptr, Qt::Window | Qt::WindowStaysOnTopHint);
        QWidget plain;
        plain.show();
        if (c.onTopShown)
            onTop.show();
        QDialog box(&plain);
        box.setWindowModality(c.modality);
        box.show();
        ASSERT_TRUE(box.windowHandle());
        EXPECT_EQ(box.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint), c.boxOnTop)
            << c.onTopShown << " " << c.modality;
    }
    qApp->removeEventFilter(&filter);
}

} // namespace
} // namespace qj
