#include "divination/ui/CastingMessages.h"

#include <QRegularExpression>

namespace qj {

namespace {

// A refusal's pattern and the message for it; %1 … are the pattern's captures.
struct Translation {
    const char* pattern;
    const char* message;
};

constexpr Translation kTranslations[] = {
    // The number dialog's two fields, named as the dialog names them.
    {R"(^first number '(.*)' is not a valid integer value\.?$)",
     "第一个数“%1”不是整数：请只填写数字 0 到 9 !"},
    {R"(^second number '(.*)' is not a valid integer value\.?$)",
     "第二个数“%1”不是整数：请只填写数字 0 到 9 !"},
    {R"(^first number '(.*)' is negative\.?$)", "第一个数“%1”是负数：请填写 0 到 2147483647 之间的整数 !"},
    {R"(^second number '(.*)' is negative\.?$)", "第二个数“%1”是负数：请填写 0 到 2147483647 之间的整数 !"},
    {R"(^first number '(.*)' is larger than 2147483647\.?$)",
     "第一个数“%1”太大：请填写 0 到 2147483647 之间的整数 !"},
    {R"(^second number '(.*)' is larger than 2147483647\.?$)",
     "第二个数“%1”太大：请填写 0 到 2147483647 之间的整数 !"},
    {R"(^'(.*)' is not a valid integer value\.?$)", "“%1”不是整数：请只填写数字 !"},
    {R"(^'(.*)' is not a line mark\.?$)", "“%1”不是爻的记号：请在手摇起卦中为每一爻选择一种记号 !"},
    {R"(^trigram number (-?\d+) is outside 0\.\.8\.?$)",
     "卦数 %1 不在 0 到 8 之间：上卦和下卦请选择 1 到 8（乾 兑 离 震 巽 坎 艮 坤） !"},
    {R"(^moving line (-?\d+) is outside 0\.\.6\.?$)",
     "动爻 %1 不在 0 到 6 之间：请选择 1 到 6 爻，或不选动爻 !"},
    {R"(^the date lies outside 1901-01-01 \.\. 2050-12-31\.?$)",
     "日期超出了万年历的范围：请在日历中选择 1901年1月1日 到 2050年12月31日 之间的日子 !"},
    {R"(^hour index (-?\d+) is outside -1\.\.11\.?$)", "时辰 %1 无效：请在日历的时辰列表中选择一个时辰 !"},
    {R"(^clock hour (-?\d+) is outside 0\.\.23\.?$)", "钟点 %1 无效：请检查电脑的时间 !"},
};

} // namespace

QString CastingMessage(const QString& refusal) {
    for (const Translation& t : kTranslations) {
        const QRegularExpressionMatch match =
            QRegularExpression(QString::fromLatin1(t.pattern)).match(refusal);
        if (!match.hasMatch())
            continue;
        QString message = QString::fromUtf8(t.message);
        for (int i = 1; i <= match.lastCapturedIndex(); ++i)
            message = message.arg(match.captured(i));
        return message;
    }
    return QStringLiteral("起卦没有成功（%1） !").arg(refusal);
}

} // namespace qj
