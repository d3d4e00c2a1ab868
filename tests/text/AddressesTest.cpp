// Which addresses are highlighted and which of them may be opened.

#include "text/Addresses.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

namespace qj {
namespace {

QString Describe(const QString& text) {
    QStringList parts;
    for (const TextRun& run : HighlightRuns(text))
        parts << QString::fromLatin1(RunClassName(run.kind)) + QLatin1Char(':') +
                     text.mid(run.start, run.length);
    return parts.join(QLatin1Char('|'));
}

TEST(AddressRuns, CoverTheTextAndMarkWebAndMailAddresses) {
    const struct {
        const char* text;
        const char* runs;
    } cases[] = {
        {"", ""},
        {"纯文本", "text:纯文本"},
        {"见 http://a.cn/x?y=1。", "text:见|blank: |url:http://a.cn/x?y=1|text:。"},
        {"www.example.com, ok", "url:www.example.com|text:,|blank: |text:ok"},
        {"写信给 li.si@mail.example.cn 吧", "text:写信给|blank: |mail:li.si@mail.example.cn|blank: |text:吧"},
        {"mailto:a@b.cn\t", "mail:mailto:a@b.cn|blank:\t"},
        {"(https://x.org/a_(b))", "text:(|url:https://x.org/a_(b)|text:)"},
        {"ftp://f.cn/p", "url:ftp://f.cn/p"},
        {"file:///etc/passwd javascript:alert(1)",
         "text:file:///etc/passwd|blank: |text:javascript:alert(1)"},
        {"www.", "text:www."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Describe(QString::fromUtf8(c.text)), QString::fromUtf8(c.runs)) << c.text;
}

TEST(AddressFilter, OnlyWebAndMailSchemesOpen) {
    const struct {
        const char* url;
        bool opens;
    } cases[] = {
        {"http://example.com", true},
        {"HTTPS://example.com/a", true},
        {"ftp://files.example.com", true},
        {"mailto:a@b.cn", true},
        {"mailto:", false},
        {"http://", false},
        {"file:///etc/passwd", false},
        {"javascript:alert(1)", false},
        {"data:text/html,<b>x</b>", false},
        {"/home/user/x.sh", false},
        {"C:/Windows/notepad.exe", false},
        {"smb://host/share", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsOpenableAddress(QUrl(QString::fromUtf8(c.url))), c.opens) << c.url;
}

TEST(AddressFilter, AddressUnderAnOffsetGetsItsSchemeAndPlainTextGetsNothing) {
    const QString text = QStringLiteral("主页 www.a.cn 邮件 x@y.cn file:/tmp/a");
    const struct {
        qsizetype offset;
        const char* url; // empty: nothing opens
    } cases[] = {
        {0, ""},
        {3, "http://www.a.cn"},
        {15, "mailto:x@y.cn"},
        {text.indexOf(QStringLiteral("file:")) + 2, ""},
    };
    for (const auto& c : cases) {
        const std::optional<QUrl> url = OpenableAddressAt(text, c.offset);
        EXPECT_EQ(url ? url->toString() : QString(), QString::fromUtf8(c.url)) << c.offset;
    }
}

} // namespace
} // namespace qj
