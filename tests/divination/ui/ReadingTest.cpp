// 开始断卦: its refusals, the input box, the report in both styles, and 重新起卦.

#include "DivinationFixture.h"

#include "divination/core/Report.h"
#include "seams/StandardBoxes.h"

#include <QCoreApplication>
#include <QRadioButton>
#include <QTextBlock>
#include <QTextLayout>

namespace qj::test {
namespace {

class ReadingTest : public DivinationTest {
protected:
    bool chartViewShown() const {
        return child<QWidget>("pnlDate")->isVisibleTo(window.get()) &&
               child<QWidget>("pnlChart")->isVisibleTo(window.get());
    }
};

TEST_F(ReadingTest, RefusesWithoutCategoryOrQuestionAndCancelChangesNothing) {
    const struct {
        const char* category;
        const char* question;
        const char* refusal; // nullptr: the input box is asked, and cancelled
    } cases[] = {
        {"", "求财", "请选择起卦类别 !!!"},   {"财运", "", "请填写求占内容 !!!"},
        {"财运", "  ", "请填写求占内容 !!!"}, // blanks only would file an untitled note
        {"", "", "请选择起卦类别 !!!"},       {"财运", "求财", nullptr},
    };
    open();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.category);
        fake.dialogs.clearCalls();
        setCategory(QString::fromUtf8(c.category));
        child<QLineEdit>("edtQuestion")->setText(QString::fromUtf8(c.question));
        if (c.refusal)
            fake.dialogs.answerMessage(DialogButton::Ok);
        else
            fake.dialogs.cancelInput();
        window->StartReading();
        ASSERT_EQ(fake.dialogs.calls().size(), 1u);
        const DialogCall asked = fake.dialogs.last();
        if (c.refusal) {
            EXPECT_EQ(asked.kind, DialogKind::Message);
            EXPECT_EQ(asked.text, QString::fromUtf8(c.refusal));
            EXPECT_EQ(asked.caption, QString::fromUtf8(kInformationCaption));
            EXPECT_EQ(asked.icon, MessageIcon::Information);
        } else {
            EXPECT_EQ(asked.kind, DialogKind::Input);
            EXPECT_EQ(asked.caption, QStringLiteral("确认开始断卦"));
            EXPECT_EQ(asked.text, QStringLiteral("请输入占卦内容"));
            EXPECT_EQ(asked.startText, QStringLiteral("求财"));
        }
        EXPECT_TRUE(chartViewShown());
        EXPECT_EQ(memoText(), QString());
        EXPECT_TRUE(action("actStart")->isEnabled());
        EXPECT_FALSE(action("actRecast")->isEnabled());
        EXPECT_EQ(child<QLineEdit>("edtQuestion")->text(), QString::fromUtf8(c.question));
    }
}

// Emptying the question in the confirmation box is refused as an empty question field is: no
// report, the field keeps what it held.
TEST_F(ReadingTest, AnEmptiedQuestionInTheConfirmationIsRefused) {
    open();
    for (const QString& answer : {QString(), QStringLiteral(" "), QStringLiteral("　")}) {
        SCOPED_TRACE(answer.toStdString());
        fake.dialogs.clearCalls();
        setCategory(QStringLiteral("财运"));
        child<QLineEdit>("edtQuestion")->setText(QStringLiteral("求财"));
        fake.dialogs.answerInput(answer);
        fake.dialogs.answerMessage(DialogButton::Ok);
        window->StartReading();
        ASSERT_EQ(fake.dialogs.calls().size(), 2u);
        EXPECT_EQ(fake.dialogs.last().text, QStringLiteral("请填写求占内容 !!!"));
        EXPECT_EQ(memoText(), QString());
        EXPECT_TRUE(chartViewShown());
        EXPECT_TRUE(action("actStart")->isEnabled());
        EXPECT_EQ(child<QLineEdit>("edtQuestion")->text(), QStringLiteral("求财"));
    }
}

// The question becomes a note title of at most 50 characters: the field and the confirmation box
// take no more, so the filing is never refused for its length after the user confirmed it.
TEST_F(ReadingTest, TheQuestionIsLimitedWhereItIsTyped) {
    open();
    QLineEdit* field = child<QLineEdit>("edtQuestion");
    EXPECT_EQ(field->maxLength(), 50);
    field->setText(QString(51, QChar(0x95EE)));
    EXPECT_EQ(field->text().size(), 50);
    setCategory(QStringLiteral("财运"));
    fake.dialogs.answerInput(QString(50, QChar(0x5B57)));
    window->StartReading();
    ASSERT_EQ(fake.dialogs.last().kind, DialogKind::Input);
    EXPECT_EQ(fake.dialogs.last().maxLength, 50);
    EXPECT_EQ(field->text(), QString(50, QChar(0x5B57)));
    EXPECT_TRUE(memoText().contains(QStringLiteral("占卦内容: ") + QString(50, QChar(0x5B57))));
    // An answer of 51 characters (the box's limit aside) becomes a question of the first 50.
    window->btnRecastClick();
    fake.dialogs.answerInput(QString(50, QChar(0x5B57)) + QChar(0x591A));
    window->StartReading();
    EXPECT_EQ(field->text(), QString(50, QChar(0x5B57)));
    EXPECT_TRUE(
        memoText().contains(QStringLiteral("占卦内容: ") + QString(50, QChar(0x5B57)) + QLatin1Char('\n')));
    EXPECT_FALSE(memoText().contains(QChar(0x591A)));
}

TEST_F(ReadingTest, TheReportTakesTheWindowsTextsInTheChosenStyle) {
    open();
    window->btnTimeClick();
    action("actYearBranch")->trigger();
    child<QLineEdit>("edtName")->setText(QStringLiteral("张三"));
    child<QComboBox>("cbbSex")->setCurrentIndex(1);
    for (ReportStyle style : {ReportStyle::New, ReportStyle::Old}) {
        SCOPED_TRACE(style == ReportStyle::New ? "新式" : "古式");
        window->btnRecastClick();
        child<QRadioButton>(style == ReportStyle::New ? "rbNew" : "rbOld")->setChecked(true);
        makeReport(QStringLiteral("财运"), QStringLiteral("求财何如"));
        EXPECT_FALSE(chartViewShown());
        EXPECT_FALSE(action("actStart")->isEnabled());
        EXPECT_TRUE(action("actRecast")->isEnabled());

        const ReportInputs inputs{"财运", "时间起卦[年支]", "张三", "女", "求财何如"};
        const std::vector<std::string> expected = BuildReport(window->chart(), inputs, style, "");
        const QStringList shown = memoText().split(QLatin1Char('\n'));
        ASSERT_EQ(shown.size(), static_cast<qsizetype>(expected.size()));
        EXPECT_TRUE(shown[0].startsWith(QStringLiteral("断卦时间: "))) << shown[0].toStdString();
        EXPECT_TRUE(shown[0].contains(QStringLiteral("2006")) &&
                    shown[0].endsWith(QStringLiteral("12:00:00")))
            << shown[0].toStdString();
        for (size_t i = 1; i < expected.size(); ++i)
            EXPECT_EQ(shown[static_cast<qsizetype>(i)], QString::fromStdString(expected[i])) << i;
    }
}

TEST_F(ReadingTest, TheInputBoxAnswerBecomesTheQuestionAndRecastShowsTheChartAgain) {
    open();
    setCategory(QStringLiteral("财运"));
    child<QLineEdit>("edtQuestion")->setText(QStringLiteral("占"));
    fake.dialogs.answerInput(QStringLiteral("出行平安否"));
    window->StartReading();
    EXPECT_EQ(child<QLineEdit>("edtQuestion")->text(), QStringLiteral("出行平安否"));
    EXPECT_TRUE(memoText().contains(QStringLiteral("占卦内容: 出行平安否")));

    const QString report = memoText();
    action("actRecast")->trigger();
    EXPECT_TRUE(chartViewShown());
    EXPECT_TRUE(action("actStart")->isEnabled());
    EXPECT_FALSE(action("actRecast")->isEnabled());
    EXPECT_EQ(memoText(), report) << "the report stays until the next casting";
}

TEST_F(ReadingTest, TheSixLineRowsOfTheReportLineUpInASongFace) {
    // AR PL SungtiL GB draws Latin letters half as wide as Chinese ones but has no ▅: the bars come
    // from another face unless the memo fits them to the cell.
    open();
    window->resize(900, 700);
    window->show();
    window->setReportFont(QFont(QStringLiteral("AR PL SungtiL GB"), 12));
    action("actYearBranch")->trigger(); // 离为火 with a moving line: yin and yang bars, 世, 应, X->
    for (const char* style : {"rbNew", "rbOld"}) {
        SCOPED_TRACE(style);
        window->btnRecastClick();
        child<QRadioButton>(style)->setChecked(true);
        makeReport(QStringLiteral("财运"), QStringLiteral("求财"));
        auto* memo = child<QPlainTextEdit>("mmoReport");
        QCoreApplication::processEvents();
        // Memo lines 9..14 are the six line rows (after the six heading lines, the equals signs,
        // the labels and an empty line); each ends with its spirit.
        std::vector<qreal> spiritAt;
        for (int n = 9; n < 15; ++n) {
            const QTextBlock block = memo->document()->findBlockByNumber(n);
            ASSERT_TRUE(block.isValid());
            ASSERT_NE(block.layout(), nullptr);
            ASSERT_GT(block.layout()->lineCount(), 0);
            spiritAt.push_back(
                block.layout()->lineAt(0).cursorToX(static_cast<int>(block.text().size()) - 2));
        }
        ASSERT_EQ(spiritAt.size(), 6u);
        for (qreal x : spiritAt)
            EXPECT_NEAR(x, spiritAt[0], 0.5) << memoText().toStdString();
    }
}

} // namespace
} // namespace qj::test
