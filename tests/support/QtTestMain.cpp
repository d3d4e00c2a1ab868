// gtest main for tests that need widgets: the offscreen platform unless the caller chose one, one
// QApplication for the whole run, and the program's large main stack (deep trees).

#include <gtest/gtest.h>

#include "platform/MainStack.h"

#include <QApplication>

int main(int argc, char** argv) {
    qj::EnsureLargeMainStack(argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
