#include "shell/ErrorHandler.h"

#include "support/Printers.h"
#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace qj {
namespace {

TEST(GeneralError, FullStopIsAppendedOnlyAfterCharactersPastThePointInCodeOrder) {
    struct Case {
        const char* text;
        const char* shown;
    } cases[] = {
        {"", ""},
        {"Disk full", "Disk full."},
        {"Disk full.", "Disk full."},
        {"Stop!", "Stop!"},                     // '!' comes before '.'
        {"Value (x)", "Value (x)"},             // ')' too
        {"Invalid value -", "Invalid value -"}, // '-' is U+002D, just before '.'
        {"Path is /tmp/", "Path is /tmp/."},    // '/' is U+002F, just after '.'
        {"Error 42", "Error 42."},
        {"Ends in a blank ", "Ends in a blank "},
        {"Line break\n", "Line break\n"},
        {"无法保存", "无法保存."},
        {"无法保存。", "无法保存。."}, // the ideographic full stop is not '.'
        {"Emoji \xF0\x9F\x98\x80", "Emoji \xF0\x9F\x98\x80."},
        {"Quote \"", "Quote \""}, // '"' is before '.'
        {"Tilde ~", "Tilde ~."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ErrorTextWithFullStop(QString::fromUtf8(c.text)), QString::fromUtf8(c.shown)) << c.text;
}

TEST(GeneralError, ShowsTheTextWithTheApplicationTitleErrorIconAndOk) {
    test::ScriptedDialogs dialogs;
    dialogs.answerMessage(DialogButton::Ok);
    dialogs.answerMessage(DialogButton::Ok);
    ShowGeneralError(dialogs, nullptr, std::runtime_error("UNIQUE constraint failed: 帮助.ID"));
    ShowGeneralError(dialogs, nullptr, QStringLiteral("已经结束."));

    ASSERT_EQ(dialogs.calls().size(), 2u);
    const test::DialogCall& first = dialogs.calls()[0];
    EXPECT_EQ(first.caption, QStringLiteral("青简札记"));
    EXPECT_EQ(first.text, QStringLiteral("UNIQUE constraint failed: 帮助.ID."));
    EXPECT_EQ(first.icon, MessageIcon::Error);
    EXPECT_EQ(first.buttons, std::vector<DialogButton>{DialogButton::Ok});
    EXPECT_EQ(dialogs.calls()[1].text, QStringLiteral("已经结束."));
}

// The command boundary: a failure ends the command where it was raised and is shown once; a command
// that ends is reported as done and shows nothing.
TEST(GeneralError, TheCommandBoundaryStopsAFailureAndShowsIt) {
    test::ScriptedDialogs dialogs;
    dialogs.answerMessage(DialogButton::Ok);
    int steps = 0;
    EXPECT_FALSE(RunCommand(dialogs, nullptr, [&] {
        ++steps;
        throw std::runtime_error("disk full");
    }));
    EXPECT_TRUE(RunCommand(dialogs, nullptr, [&] { ++steps; }));
    EXPECT_EQ(steps, 2);
    ASSERT_EQ(dialogs.calls().size(), 1u);
    EXPECT_EQ(dialogs.calls()[0].text, QStringLiteral("disk full."));
}

} // namespace
} // namespace qj
