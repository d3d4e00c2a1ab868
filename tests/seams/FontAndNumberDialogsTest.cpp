// The real font-and-colour dialog and the number box, driven offscreen.

#include "seams/QtDialogs.h"

#include "support/UiHelpers.h"

#include <gtest/gtest.h>

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <memory>

namespace qj {
namespace {

const QString kSong = QStringLiteral("AR PL SungtiL GB");
const QString kHei = QStringLiteral("WenQuanYi Micro Hei");

// The OK / Cancel row of the dialog itself (the embedded chooser keeps its own row hidden).
QDialogButtonBox* OwnButtons(QWidget* dialog) {
    return dialog->findChild<QDialogButtonBox*>(QString(), Qt::FindDirectChildrenOnly);
}

QColor SwatchColour(QPushButton* button) {
    const QImage image = button->icon().pixmap(button->iconSize()).toImage();
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

// The chooser's sample line: the line edit that is not one of its face, style or size edits.
QLineEdit* Sample(QFontDialog* fonts) {
    for (QLineEdit* edit : fonts->findChildren<QLineEdit*>())
        if (!edit->isReadOnly() && edit->text().size() > 4)
            return edit;
    return nullptr;
}

struct SeenFontDialog {
    QString caption, ok, cancel;
    bool embedded = false;
    QFont startFont;
    QColor swatch, sample, colourDialogStart, swatchAfter, sampleAfter;
};

TEST(FontColorDialog, StartsAtTheFontAndColourAndReturnsWhatWasChosen) {
    if (!QFontDatabase::hasFamily(kSong) || !QFontDatabase::hasFamily(kHei))
        GTEST_SKIP() << "the Song and Hei faces are not installed";
    QFont start(kSong);
    start.setPointSize(14);
    start.setUnderline(true); // the Chinese faces come in one style; the effects apply to every face
    const QColor red(200, 0, 0), green(0, 128, 0);
    auto seen = std::make_shared<SeenFontDialog>();
    test::WhenModalShown([seen, green](QWidget* modal) {
        seen->caption = modal->windowTitle();
        auto* fonts = modal->findChild<QFontDialog*>();
        auto* colour = modal->findChild<QPushButton*>(QStringLiteral("colorButton"));
        QDialogButtonBox* buttons = OwnButtons(modal);
        ASSERT_TRUE(fonts && colour && buttons);
        seen->ok = buttons->button(QDialogButtonBox::Ok)->text();
        seen->cancel = buttons->button(QDialogButtonBox::Cancel)->text();
        seen->embedded = !fonts->isWindow() && fonts->isVisible();
        seen->startFont = fonts->currentFont();
        seen->swatch = SwatchColour(colour);
        if (QLineEdit* sample = Sample(fonts))
            seen->sample = sample->palette().color(QPalette::Text);
        // The user picks another face, size and style, then green in the colour dialog.
        QFont other(kHei);
        other.setPointSize(20);
        fonts->setCurrentFont(other);
        test::WhenModalShown([seen, green](QWidget* inner) {
            auto* dialog = qobject_cast<QColorDialog*>(inner);
            ASSERT_NE(dialog, nullptr);
            seen->colourDialogStart = dialog->currentColor();
            dialog->setCurrentColor(green);
            dialog->accept();
        });
        colour->click();
        seen->swatchAfter = SwatchColour(colour);
        if (QLineEdit* sample = Sample(fonts))
            seen->sampleAfter = sample->palette().color(QPalette::Text);
        buttons->button(QDialogButtonBox::Ok)->click();
    });
    QtDialogs dialogs;
    const std::optional<FontChoice> chosen = dialogs.font(nullptr, {start, red}, QStringLiteral("选择字体"));
    EXPECT_EQ(seen->caption, QStringLiteral("选择字体"));
    EXPECT_EQ(seen->ok, QStringLiteral("确定"));
    EXPECT_EQ(seen->cancel, QStringLiteral("取消"));
    EXPECT_TRUE(seen->embedded) << "the chooser is part of the dialog, not a window of its own";
    EXPECT_EQ(seen->startFont.family(), kSong);
    EXPECT_EQ(seen->startFont.pointSize(), 14);
    EXPECT_TRUE(seen->startFont.underline());
    EXPECT_EQ(seen->swatch, red);
    EXPECT_EQ(seen->sample, red);
    EXPECT_EQ(seen->colourDialogStart, red);
    EXPECT_EQ(seen->swatchAfter, green);
    EXPECT_EQ(seen->sampleAfter, green);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(chosen->font.family(), kHei);
    EXPECT_EQ(chosen->font.pointSize(), 20);
    EXPECT_FALSE(chosen->font.underline());
    EXPECT_EQ(chosen->color, green);
}

// Cancel in the colour dialog keeps the colour; 取消, Escape and Enter answer the whole dialog, also
// when the chooser's own fields have the focus.
TEST(FontColorDialog, CancelEscapeAndEnterAnswerTheWholeDialog) {
    const QColor blue(0, 0, 255);
    enum class Way { CancelButton, EscapeInChooser, EnterInChooser, OkAfterColourCancel };
    const struct {
        Way way;
        bool answered;
    } cases[] = {{Way::CancelButton, false},
                 {Way::EscapeInChooser, false},
                 {Way::EnterInChooser, true},
                 {Way::OkAfterColourCancel, true}};
    QtDialogs dialogs;
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.way));
        auto closed = std::make_shared<bool>(false);
        test::WhenModalShown([closed, way = c.way](QWidget* modal) {
            auto* fonts = modal->findChild<QFontDialog*>();
            auto* colour = modal->findChild<QPushButton*>(QStringLiteral("colorButton"));
            QDialogButtonBox* buttons = OwnButtons(modal);
            ASSERT_TRUE(fonts && colour && buttons);
            QLineEdit* field = fonts->findChild<QLineEdit*>();
            ASSERT_NE(field, nullptr);
            switch (way) {
            case Way::CancelButton:
                buttons->button(QDialogButtonBox::Cancel)->click();
                break;
            case Way::EscapeInChooser:
                QTest::keyClick(field, Qt::Key_Escape);
                break;
            case Way::EnterInChooser:
                QTest::keyClick(field, Qt::Key_Return);
                break;
            case Way::OkAfterColourCancel:
                test::WhenModalShown([](QWidget* inner) {
                    auto* dialog = qobject_cast<QColorDialog*>(inner);
                    ASSERT_NE(dialog, nullptr);
                    dialog->setCurrentColor(Qt::yellow);
                    dialog->reject();
                });
                colour->click();
                buttons->button(QDialogButtonBox::Ok)->click();
                break;
            }
            *closed = !modal->isVisible();
            if (!*closed)
                qobject_cast<QDialog*>(modal)->reject();
        });
        QFont start(QStringLiteral("Sans Serif"));
        start.setPointSize(11);
        const std::optional<FontChoice> chosen = dialogs.font(nullptr, {start, blue}, {});
        EXPECT_TRUE(*closed) << "the dialog stayed open";
        ASSERT_EQ(chosen.has_value(), c.answered);
        if (chosen) {
            EXPECT_EQ(chosen->color, blue);
            EXPECT_EQ(chosen->font.pointSize(), 11);
        }
    }
}

struct SeenNumberBox {
    QString caption, prompt, ok, cancel, text;
    int minimum = 0, maximum = 0, value = 0;
    bool okEnabled = false;
};

// The number box: Chinese buttons, the request's limits and start; letters cannot be typed, a number
// past the last line cannot be typed, and 0 or an empty field cannot be confirmed.
TEST(NumberBox, TakesOnlyNumbersWithinItsLimits) {
    const struct {
        const char* typed;
        const char* shown;        // the field after typing
        std::optional<int> value; // what OK returns; nothing: OK is disabled
    } cases[] = {
        {"250", "250", 250}, {"300", "300", 300}, {"1", "1", 1},  {"301", "30", 30}, {"abc", "", {}},
        {"0", "0", {}},      {"", "", {}},        {"-1", "1", 1}, {"7x", "7", 7},
    };
    QtDialogs dialogs;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        auto seen = std::make_shared<SeenNumberBox>();
        test::WhenModalShown([seen, typed = QString::fromUtf8(c.typed)](QWidget* modal) {
            auto* box = qobject_cast<QInputDialog*>(modal);
            ASSERT_NE(box, nullptr);
            auto* spin = box->findChild<QSpinBox*>();
            QDialogButtonBox* buttons = box->findChild<QDialogButtonBox*>();
            ASSERT_TRUE(spin && buttons);
            seen->caption = box->windowTitle();
            seen->prompt = box->labelText();
            seen->ok = buttons->button(QDialogButtonBox::Ok)->text();
            seen->cancel = buttons->button(QDialogButtonBox::Cancel)->text();
            seen->minimum = spin->minimum();
            seen->maximum = spin->maximum();
            seen->value = spin->value();
            spin->selectAll();
            QTest::keyClick(spin, Qt::Key_Delete);
            QTest::keyClicks(spin, typed);
            seen->text = spin->text();
            seen->okEnabled = buttons->button(QDialogButtonBox::Ok)->isEnabled();
            if (seen->okEnabled)
                buttons->button(QDialogButtonBox::Ok)->click();
            else
                buttons->button(QDialogButtonBox::Cancel)->click();
        });
        const std::optional<int> answer = dialogs.inputNumber(
            nullptr, {QStringLiteral("跳转"), QStringLiteral("行号 (1 - 300)："), 5, 1, 300});
        EXPECT_EQ(seen->caption, QStringLiteral("跳转"));
        EXPECT_EQ(seen->prompt, QStringLiteral("行号 (1 - 300)："));
        EXPECT_EQ(seen->ok, QStringLiteral("确定"));
        EXPECT_EQ(seen->cancel, QStringLiteral("取消"));
        EXPECT_EQ(seen->minimum, 1);
        EXPECT_EQ(seen->maximum, 300);
        EXPECT_EQ(seen->value, 5);
        EXPECT_EQ(seen->text, QString::fromUtf8(c.shown));
        EXPECT_EQ(seen->okEnabled, c.value.has_value());
        EXPECT_EQ(answer, c.value);
    }

    // Cancel with a good number in the field.
    test::WhenModalShown([](QWidget* modal) {
        auto* buttons = modal->findChild<QDialogButtonBox*>();
        ASSERT_NE(buttons, nullptr);
        buttons->button(QDialogButtonBox::Cancel)->click();
    });
    EXPECT_EQ(dialogs.inputNumber(nullptr, {QStringLiteral("跳转"), QStringLiteral("行号"), 2, 1, 3}),
              std::nullopt);
}

} // namespace
} // namespace qj
