// The shell's tests run under the program's own application object, so that its handling of
// errors from event handlers is tested where it lives.

#include "app/shell/GuardedApplication.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    qj::GuardedApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
