// Dates and times as the locale writes them, without a time zone; midnight shows the date alone.

#include "platform/DateTimeText.h"

#include <gtest/gtest.h>

#include <QLocale>

namespace qj {
namespace {

class LocaleTexts : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China)); }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }
};

TEST_F(LocaleTexts, ChineseLocaleTexts) {
    EXPECT_EQ(ShortDateText(QDate(2006, 5, 1)), QStringLiteral("2006/5/1"));
    EXPECT_EQ(LongTimeText(QTime(10, 1, 30)), QStringLiteral("10:01:30"));
    EXPECT_EQ(LongTimeText(QTime(0, 0)), QStringLiteral("00:00:00"));
}

TEST_F(LocaleTexts, TimeIsLeftOutAtExactlyMidnight) {
    struct Case {
        QTime time;
        const char* text;
    };
    const Case cases[] = {
        {QTime(0, 0), "2024/2/10"},
        {QTime(0, 0, 0, 1), "2024/2/10 00:00:00"},
        {QTime(0, 0, 1), "2024/2/10 00:00:01"},
        {QTime(23, 59, 59), "2024/2/10 23:59:59"},
        {QTime(8, 5, 7), "2024/2/10 08:05:07"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(DateTimeText(QDateTime(QDate(2024, 2, 10), c.time)), QString::fromUtf8(c.text));
    }
}

TEST_F(LocaleTexts, NoLocaleWritesATimeZone) {
    for (const QLocale& locale :
         {QLocale(QLocale::Chinese, QLocale::China), QLocale(QLocale::Chinese, QLocale::Taiwan),
          QLocale(QLocale::English, QLocale::UnitedStates), QLocale::c()}) {
        SCOPED_TRACE(locale.name().toStdString());
        QLocale::setDefault(locale);
        const QString text = LongTimeText(QTime(13, 4, 5));
        EXPECT_TRUE(text.contains(QStringLiteral("04")) && text.contains(QStringLiteral("05")))
            << text.toStdString();
        EXPECT_FALSE(text.contains(QStringLiteral("UTC")) || text.contains(QStringLiteral("GMT")) ||
                     text.contains(QStringLiteral("CST")) || text.endsWith(QLatin1Char(' ')))
            << text.toStdString();
    }
}

} // namespace
} // namespace qj
