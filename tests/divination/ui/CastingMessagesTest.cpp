// What the user reads when a casting is refused: Chinese, with the value and what to do.

#include "divination/ui/CastingMessages.h"

#include <gtest/gtest.h>

namespace qj {
namespace {

TEST(CastingMessages, RefusalsOfTheRulesReadInChinese) {
    struct Case {
        const char* refusal;
        const char* message;
    };
    const Case cases[] = {
        {"'x' is not a valid integer value", "“x”不是整数：请只填写数字 !"},
        {"'1.5' is not a valid integer value.", "“1.5”不是整数：请只填写数字 !"},
        {"'' is not a valid integer value", "“”不是整数：请只填写数字 !"},
        {"trigram number 9 is outside 0..8",
         "卦数 9 不在 0 到 8 之间：上卦和下卦请选择 1 到 8（乾 兑 离 震 巽 坎 艮 坤） !"},
        {"trigram number -1 is outside 0..8.",
         "卦数 -1 不在 0 到 8 之间：上卦和下卦请选择 1 到 8（乾 兑 离 震 巽 坎 艮 坤） !"},
        {"moving line 7 is outside 0..6", "动爻 7 不在 0 到 6 之间：请选择 1 到 6 爻，或不选动爻 !"},
        {"the date lies outside 1901-01-01 .. 2050-12-31.",
         "日期超出了万年历的范围：请在日历中选择 1901年1月1日 到 2050年12月31日 之间的日子 !"},
        // The number dialog's fields, by the names the dialog gives them.
        {"first number '1.5' is not a valid integer value", "第一个数“1.5”不是整数：请只填写数字 0 到 9 !"},
        {"second number 'x' is not a valid integer value", "第二个数“x”不是整数：请只填写数字 0 到 9 !"},
        {"first number '-5' is negative", "第一个数“-5”是负数：请填写 0 到 2147483647 之间的整数 !"},
        {"second number '-5' is negative", "第二个数“-5”是负数：请填写 0 到 2147483647 之间的整数 !"},
        {"first number '99999999999' is larger than 2147483647",
         "第一个数“99999999999”太大：请填写 0 到 2147483647 之间的整数 !"},
        {"second number '2147483648' is larger than 2147483647.",
         "第二个数“2147483648”太大：请填写 0 到 2147483647 之间的整数 !"},
        {"'?' is not a line mark", "“?”不是爻的记号：请在手摇起卦中为每一爻选择一种记号 !"},
        {"hour index 12 is outside -1..11", "时辰 12 无效：请在日历的时辰列表中选择一个时辰 !"},
        {"clock hour 24 is outside 0..23", "钟点 24 无效：请检查电脑的时间 !"},
        // Anything else still opens in Chinese.
        {"something unforeseen", "起卦没有成功（something unforeseen） !"},
        {"xtrigram number 9 is outside 0..8", "起卦没有成功（xtrigram number 9 is outside 0..8） !"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.refusal);
        EXPECT_EQ(CastingMessage(QString::fromUtf8(c.refusal)), QString::fromUtf8(c.message));
    }
}

} // namespace
} // namespace qj
