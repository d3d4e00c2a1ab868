// The real dialogs, driven offscreen: what the user sees must be what the program asked for.

#include "seams/QtDialogs.h"
#include "seams/StandardBoxes.h"

#include "support/Printers.h"
#include "support/UiHelpers.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTranslator>

namespace qj {
namespace {

struct SeenBox {
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons; // texts, in the order of the box's button list
    QString focused;     // text of the default button
};

TEST(QtDialogs, MessageBoxShowsRequestedButtonsIconDefaultAndReturnsThePressedOne) {
    struct Case {
        std::vector<DialogButton> buttons;
        DialogButton defaultButton;
        MessageIcon icon;
        QMessageBox::Icon qtIcon;
        QString press;
        DialogButton expected;
        QString expectedFocus;
    } cases[] = {
        {{DialogButton::Ok},
         DialogButton::None,
         MessageIcon::Information,
         QMessageBox::Information,
         QStringLiteral("OK"),
         DialogButton::Ok,
         QStringLiteral("OK")},
        {{DialogButton::Yes, DialogButton::No},
         DialogButton::No,
         MessageIcon::Question,
         QMessageBox::Question,
         QStringLiteral("Yes"),
         DialogButton::Yes,
         QStringLiteral("No")},
        {{DialogButton::Yes, DialogButton::No},
         DialogButton::None,
         MessageIcon::Warning,
         QMessageBox::Warning,
         QStringLiteral("No"),
         DialogButton::No,
         QStringLiteral("Yes")},
        {{DialogButton::Ok, DialogButton::Cancel},
         DialogButton::None,
         MessageIcon::Error,
         QMessageBox::Critical,
         QStringLiteral("Cancel"),
         DialogButton::Cancel,
         QStringLiteral("OK")},
    };
    QtDialogs dialogs;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.press.toStdString());
        auto seen = std::make_shared<SeenBox>();
        test::WhenModalShown([seen, press = c.press](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            seen->caption = box->windowTitle();
            seen->text = box->text();
            seen->icon = box->icon();
            for (QAbstractButton* b : box->buttons())
                seen->buttons << b->text().remove(QLatin1Char('&'));
            if (box->defaultButton())
                seen->focused = box->defaultButton()->text().remove(QLatin1Char('&'));
            for (QAbstractButton* b : box->buttons())
                if (b->text().remove(QLatin1Char('&')) == press)
                    return b->click();
            box->reject();
        });
        const DialogButton pressed = dialogs.message(nullptr, {QStringLiteral("资料备份"),
                                                               QStringLiteral("确认<b>备份</b>\r\r\n到 D:"),
                                                               c.icon, c.buttons, c.defaultButton});
        EXPECT_EQ(pressed, c.expected);
        EXPECT_EQ(seen->caption, QStringLiteral("资料备份"));
        EXPECT_EQ(seen->text, QStringLiteral("确认<b>备份</b>\n到 D:"));
        EXPECT_EQ(seen->icon, c.qtIcon);
        EXPECT_EQ(seen->buttons.size(), static_cast<qsizetype>(c.buttons.size()));
        EXPECT_EQ(seen->focused, c.expectedFocus);
    }
}

// Escape and the close button answer a box only when it has a way out: with Yes and No the user
// must press one (No may drop a text), with OK and Cancel they mean Cancel.
TEST(QtDialogs, EscapeAndCloseDoNotAnswerABoxThatMustBeAnswered) {
    struct Case {
        std::vector<DialogButton> buttons;
        DialogButton defaultButton;
        bool staysOpen;
        DialogButton expected;
    } cases[] = {
        {{DialogButton::Yes, DialogButton::No}, DialogButton::Yes, true, DialogButton::Yes},
        {{DialogButton::Yes, DialogButton::No}, DialogButton::No, true, DialogButton::Yes},
        {{DialogButton::Ok, DialogButton::Cancel}, DialogButton::None, false, DialogButton::Cancel},
        {{DialogButton::Ok}, DialogButton::None, false, DialogButton::Ok},
    };
    QtDialogs dialogs;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.buttons.size());
        auto openAfterEscape = std::make_shared<bool>(false);
        auto openAfterClose = std::make_shared<bool>(false);
        test::WhenModalShown([=](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QCoreApplication::sendEvent(box, &escape);
            *openAfterEscape = box->isVisible();
            if (!box->isVisible())
                return;
            box->close();
            *openAfterClose = box->isVisible();
            if (box->isVisible())
                box->button(QMessageBox::Yes)->click();
        });
        const DialogButton pressed =
            dialogs.message(nullptr, {QStringLiteral("提示"), QStringLiteral("文本内容已改变，需要保存吗？"),
                                      MessageIcon::Question, c.buttons, c.defaultButton});
        EXPECT_EQ(*openAfterEscape, c.staysOpen);
        EXPECT_EQ(*openAfterClose, c.staysOpen);
        EXPECT_EQ(pressed, c.expected);
    }
}

TEST(QtDialogs, StandardBoxesCarryEnglishCaptions) {
    QtDialogs dialogs;
    auto seen = std::make_shared<QStringList>();
    auto look = [seen](const QString& press) {
        test::WhenModalShown([seen, press](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            *seen << box->windowTitle();
            for (QAbstractButton* b : box->buttons())
                if (b->text().remove(QLatin1Char('&')) == press)
                    return b->click();
            box->reject();
        });
    };
    look(QStringLiteral("Yes"));
    EXPECT_EQ(ConfirmBox(dialogs, nullptr, QStringLiteral("确认?")), DialogButton::Yes);
    look(QStringLiteral("OK"));
    InformationBox(dialogs, nullptr, QStringLiteral("完成"));
    look(QStringLiteral("OK"));
    ErrorBox(dialogs, nullptr, QStringLiteral("失败"));
    EXPECT_EQ(*seen, (QStringList{QStringLiteral("Confirm"), QStringLiteral("Information"),
                                  QStringLiteral("Error")}));
}

struct SeenInput {
    QString caption, prompt, text, ok, cancel;
    int maxLength = 0;
};

void AnswerInput(std::shared_ptr<SeenInput> seen, const QString& typed, bool accept) {
    test::WhenModalShown([seen, typed, accept](QWidget* modal) {
        auto* dialog = qobject_cast<QInputDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        auto* edit = dialog->findChild<QLineEdit*>();
        auto* buttons = dialog->findChild<QDialogButtonBox*>();
        ASSERT_NE(edit, nullptr);
        ASSERT_NE(buttons, nullptr);
        seen->caption = dialog->windowTitle();
        seen->prompt = dialog->labelText();
        seen->text = edit->text();
        seen->maxLength = edit->maxLength();
        seen->ok = buttons->button(QDialogButtonBox::Ok)->text();
        seen->cancel = buttons->button(QDialogButtonBox::Cancel)->text();
        edit->selectAll();
        test::TypeText(edit, typed);
        (accept ? buttons->button(QDialogButtonBox::Ok) : buttons->button(QDialogButtonBox::Cancel))->click();
    });
}

TEST(QtDialogs, InputBoxHasEnglishButtonsStartingTextAndLimit) {
    QtDialogs dialogs;
    auto seen = std::make_shared<SeenInput>();
    AnswerInput(seen, QStringLiteral("我的类别名字很长"), true);
    const auto answer = dialogs.inputText(nullptr, {QStringLiteral("新建目录分类"),
                                                    QStringLiteral("请再次确认\r\r\n请输入密码："),
                                                    QStringLiteral("目录分类名"), 5});
    EXPECT_EQ(seen->caption, QStringLiteral("新建目录分类"));
    EXPECT_EQ(seen->prompt, QStringLiteral("请再次确认\n请输入密码："));
    EXPECT_EQ(seen->text, QStringLiteral("目录分类名"));
    EXPECT_EQ(seen->ok, QStringLiteral("OK"));
    EXPECT_EQ(seen->cancel, QStringLiteral("Cancel"));
    EXPECT_EQ(seen->maxLength, 5);
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(*answer, QStringLiteral("我的类别名"));

    AnswerInput(seen, QStringLiteral("不要"), false);
    EXPECT_FALSE(
        dialogs.inputText(nullptr, {QStringLiteral("重命名"), QStringLiteral("名字"), QStringLiteral("甲")})
            .has_value());
}

// A title may hold 50 characters: the box shows 50 Chinese ones whole.
TEST(QtDialogs, InputBoxShowsFiftyChineseCharactersWhole) {
    QtDialogs dialogs;
    const QString fifty(50, QChar(0x9F98)); // 龘, a wide one
    struct Seen {
        int width = 0, needed = 0, firstShownWithCaretAtEnd = -1;
    };
    auto seen = std::make_shared<Seen>();
    test::WhenModalShown([seen, fifty](QWidget* modal) {
        auto* edit = modal->findChild<QLineEdit*>();
        ASSERT_NE(edit, nullptr);
        seen->width = edit->width();
        seen->needed = edit->fontMetrics().horizontalAdvance(fifty);
        edit->end(false);
        // Not scrolled: the left edge still shows the first character.
        seen->firstShownWithCaretAtEnd = edit->cursorPositionAt(QPoint(6, edit->height() / 2));
        qobject_cast<QDialog*>(modal)->reject();
    });
    dialogs.inputText(nullptr, {QStringLiteral("重命名"), QStringLiteral("名字"), fifty, 50});
    EXPECT_GT(seen->needed, 0);
    EXPECT_GE(seen->width, seen->needed);
    EXPECT_EQ(seen->firstShownWithCaretAtEnd, 0);
}

// One language inside each box: the framework's own boxes ("Confirm", "Information", "Error")
// read in English to their buttons, while a box with the program's caption keeps the system's
// buttons, which speak Chinese once Qt's Chinese texts are installed (as the program does).
TEST(QtDialogs, EachBoxSpeaksOneLanguage) {
    QTranslator chinese;
    ASSERT_TRUE(
        chinese.load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
    QCoreApplication::installTranslator(&chinese);
    QtDialogs dialogs;
    auto seen = std::make_shared<QStringList>();
    auto look = [seen](const QString& caption) {
        test::WhenModalShown([seen, caption](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), caption);
            QStringList texts;
            for (QAbstractButton* b : box->buttons())
                texts << b->text();
            *seen << texts.join(QLatin1Char('|'));
            box->buttons().constFirst()->click();
        });
    };
    look(QStringLiteral("Confirm"));
    ConfirmBox(dialogs, nullptr, QStringLiteral("确认?"));
    look(QStringLiteral("Confirm"));
    ConfirmBox(dialogs, nullptr, QStringLiteral("确认?"), {DialogButton::Ok, DialogButton::Cancel});
    look(QStringLiteral("Information"));
    InformationBox(dialogs, nullptr, QStringLiteral("完成"));
    look(QStringLiteral("Error"));
    ErrorBox(dialogs, nullptr, QStringLiteral("失败"));
    look(QStringLiteral("青简札记"));
    MessageBox(dialogs, nullptr, QStringLiteral("青简札记"), QStringLiteral("文本内容已改变，需要保存吗？"),
               MessageIcon::Question, {DialogButton::Yes, DialogButton::No});
    look(QStringLiteral("青简札记"));
    MessageBox(dialogs, nullptr, QStringLiteral("青简札记"), QStringLiteral("完成"),
               MessageIcon::Information);
    QCoreApplication::removeTranslator(&chinese);
    ASSERT_EQ(seen->size(), 6);
    EXPECT_EQ((*seen)[0], QStringLiteral("Yes|No"));
    EXPECT_EQ((*seen)[1], QStringLiteral("OK|Cancel"));
    EXPECT_EQ((*seen)[2], QStringLiteral("OK"));
    EXPECT_EQ((*seen)[3], QStringLiteral("OK"));
    for (int i : {4, 5}) {
        SCOPED_TRACE(i);
        EXPECT_FALSE((*seen)[i].contains(QLatin1String("Yes")) || (*seen)[i].contains(QLatin1String("OK")))
            << (*seen)[i].toStdString();
        EXPECT_TRUE((*seen)[i].contains(QRegularExpression(QStringLiteral("[\\x{4e00}-\\x{9fff}]"))))
            << (*seen)[i].toStdString();
    }
}

// A short box is still wide enough for its caption (with the border's icon and buttons beside
// it), and a box never opens behind one of the program's always-on-top windows.
TEST(QtDialogs, ShortBoxesShowTheirCaptionAndStayAboveOnTopWindows) {
    QtDialogs dialogs;
    struct Seen {
        int width = 0;
        int captionWidth = 0;
        bool onTop = false;
    };
    auto seen = std::make_shared<Seen>();
    auto look = [seen] {
        test::WhenModalShown([seen](QWidget* modal) {
            seen->width = modal->width();
            QFont titleFont = QApplication::font("QMdiSubWindowTitleBar");
            titleFont.setBold(true);
            seen->captionWidth = QFontMetrics(titleFont).horizontalAdvance(modal->windowTitle());
            seen->onTop = modal->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            qobject_cast<QMessageBox*>(modal)->buttons().constFirst()->click();
        });
    };
    const QString caption = QStringLiteral("青简札记");
    look();
    MessageBox(dialogs, nullptr, caption, QStringLiteral("好"), MessageIcon::None);
    EXPECT_GT(seen->width, seen->captionWidth + 100);
    EXPECT_FALSE(seen->onTop);

    QWidget alert(nullptr, Qt::Window | Qt::WindowStaysOnTopHint);
    alert.show();
    look();
    ErrorBox(dialogs, &alert, QStringLiteral("失败"));
    EXPECT_TRUE(seen->onTop);
    alert.hide();
    look();
    ErrorBox(dialogs, nullptr, QStringLiteral("失败"));
    EXPECT_FALSE(seen->onTop) << "only while such a window is shown";
}

TEST(QtDialogs, LineBreaksOfProgramTextsBecomeSingleLineFeeds) {
    const struct {
        const char* text;
        const char* shown;
    } cases[] = {
        {"a\r\r\nb", "a\nb"}, {"a\r\nb", "a\nb"},         {"a\nb", "a\nb"},
        {"a\rb", "a\nb"},     {"a\r\r\n\r\nb", "a\n\nb"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DisplayLineBreaks(QString::fromUtf8(c.text)), QString::fromUtf8(c.shown)) << c.text;
}

} // namespace
} // namespace qj
