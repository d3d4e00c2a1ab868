// The test seam itself: a window test must fail loudly, not hang or pass, when the program asks
// something the test did not script.

#include "support/ScriptedDialogs.h"
#include "support/Printers.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QPrinter>

namespace qj {
namespace {

using test::DialogKind;
using test::ScriptedDialogs;

TEST(ScriptedDialogs, UnexpectedQuestionsFailTheTestAndGetTheSafeAnswer) {
    struct Case {
        std::vector<DialogButton> buttons;
        DialogButton safe;
    } cases[] = {
        {{DialogButton::Ok}, DialogButton::Ok},
        {{DialogButton::Ok, DialogButton::Cancel}, DialogButton::Cancel},
        {{DialogButton::Yes, DialogButton::No}, DialogButton::No},
    };
    for (const auto& c : cases) {
        ScriptedDialogs dialogs;
        DialogButton answer = DialogButton::None;
        EXPECT_NONFATAL_FAILURE(
            answer = dialogs.message(nullptr, {QStringLiteral("Confirm"), QStringLiteral("删除吗"),
                                               MessageIcon::Question, c.buttons, DialogButton::None}),
            "Unexpected message box");
        EXPECT_EQ(answer, c.safe);
        ASSERT_EQ(dialogs.calls().size(), 1u);
        EXPECT_FALSE(dialogs.calls()[0].answered);
    }

    ScriptedDialogs dialogs;
    std::optional<QString> text = QStringLiteral("x");
    EXPECT_NONFATAL_FAILURE(
        text = dialogs.inputText(nullptr, {QStringLiteral("重命名"), QStringLiteral("名字"), QString()}),
        "Unexpected input box");
    EXPECT_FALSE(text.has_value());
    QPrinter printer;
    bool printed = true;
    EXPECT_NONFATAL_FAILURE(printed = dialogs.print(nullptr, printer), "Unexpected print dialog");
    EXPECT_FALSE(printed);
}

TEST(ScriptedDialogs, AnswersComeInOrderPerKindAndEveryQuestionIsRecorded) {
    ScriptedDialogs dialogs;
    dialogs.answerInput(QStringLiteral("甲"));
    dialogs.answerMessage(DialogButton::Yes);
    dialogs.cancelInput();
    dialogs.answerMessage(DialogButton::No);

    EXPECT_EQ(dialogs.message(nullptr, {QStringLiteral("Confirm"),
                                        QStringLiteral("一"),
                                        MessageIcon::Question,
                                        {DialogButton::Yes, DialogButton::No},
                                        DialogButton::No}),
              DialogButton::Yes);
    EXPECT_EQ(dialogs.inputText(nullptr,
                                {QStringLiteral("新建"), QStringLiteral("输入"), QStringLiteral("名"), 50}),
              std::optional<QString>(QStringLiteral("甲")));
    EXPECT_EQ(
        dialogs.inputText(nullptr, {QStringLiteral("新建"), QStringLiteral("输入"), QStringLiteral("名")}),
        std::nullopt);
    EXPECT_EQ(dialogs.message(nullptr, {QStringLiteral("Confirm"),
                                        QStringLiteral("二"),
                                        MessageIcon::Warning,
                                        {DialogButton::Yes, DialogButton::No},
                                        DialogButton::None}),
              DialogButton::No);

    ASSERT_EQ(dialogs.calls().size(), 4u);
    EXPECT_EQ(dialogs.calls()[0].defaultButton, DialogButton::No);
    EXPECT_EQ(dialogs.calls()[1].kind, DialogKind::Input);
    EXPECT_EQ(dialogs.calls()[1].startText, QStringLiteral("名"));
    EXPECT_EQ(dialogs.calls()[1].maxLength, 50);
    EXPECT_EQ(dialogs.callsOf(DialogKind::Message).size(), 2u);
    EXPECT_EQ(dialogs.last().icon, MessageIcon::Warning);
    EXPECT_EQ(dialogs.pendingAnswers(), 0u);
}

TEST(ScriptedDialogs, AnswerThatIsNotAButtonOfTheBoxFailsTheTest) {
    ScriptedDialogs dialogs;
    dialogs.answerMessage(DialogButton::Yes);
    EXPECT_NONFATAL_FAILURE(dialogs.message(nullptr, {QStringLiteral("Information"),
                                                      QStringLiteral("好"),
                                                      MessageIcon::Information,
                                                      {DialogButton::Ok},
                                                      DialogButton::None}),
                            "is not a button of the box");
}

TEST(ScriptedDialogs, UnusedAnswersFailTheTestAtTheEnd) {
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedDialogs dialogs;
            dialogs.answerMessage(DialogButton::Ok);
        },
        "never asked for");
}

} // namespace
} // namespace qj
