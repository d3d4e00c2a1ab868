// Which addresses are highlighted and which of them may be opened.

#include "text/Addresses.h"
#include "support/Printers.h"

#include <QRegularExpression>

#include <random>

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

namespace qj {
namespace {

// The address rules as a regular expression: the scanner must find exactly what it finds (on
// ASCII text; the scanner does not fold non-ASCII letters such as the Kelvin sign into ASCII).
std::vector<TextRun> PatternRuns(const QString& text) {
    static const QRegularExpression pattern(
        QStringLiteral("(?<web>(?:(?:https?|ftp)://|www\\.)[A-Za-z0-9\\-._~:/?#\\[\\]@!$&'()*+,;=%]+)"
                       "|(?<mail>(?:mailto:)?[A-Za-z0-9._%+\\-]+@[A-Za-z0-9\\-]+(?:\\.[A-Za-z0-9\\-]+)+)"),
        QRegularExpression::CaseInsensitiveOption);
    std::vector<TextRun> found;
    QRegularExpressionMatchIterator it = pattern.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const bool web = m.capturedStart(QStringLiteral("web")) >= 0;
        found.push_back({m.capturedStart(), m.capturedLength(), web ? RunKind::WebAddress : RunKind::MailAddress});
    }
    return found;
}

// The address runs only, with the trailing punctuation of web addresses put back: what the
// pattern matched.
std::vector<TextRun> AddressesOnly(const QString& text) {
    std::vector<TextRun> out;
    for (const TextRun& r : HighlightRuns(text))
        if (r.kind == RunKind::WebAddress || r.kind == RunKind::MailAddress)
            out.push_back(r);
    return out;
}

TEST(AddressRuns, ScannerFindsWhatTheAddressPatternFinds) {
    // Pieces that make addresses, near-addresses and the traps between them.
    const QStringList pieces = {QStringLiteral("a"),        QStringLiteral("Z9"),     QStringLiteral("@"),
                                QStringLiteral("."),        QStringLiteral("-"),      QStringLiteral("_"),
                                QStringLiteral(" "),        QStringLiteral("http://"), QStringLiteral("HTTPS://"),
                                QStringLiteral("ftp://"),   QStringLiteral("wWw."),   QStringLiteral("mailto:"),
                                QStringLiteral("MailTo:"),  QStringLiteral("("),      QStringLiteral(")"),
                                QStringLiteral(","),        QStringLiteral("'"),      QStringLiteral("%"),
                                QStringLiteral("+"),        QStringLiteral(":"),      QStringLiteral("/"),
                                QStringLiteral("中"),       QStringLiteral("。"),     QStringLiteral("]")};
    std::mt19937 random(19);
    for (int round = 0; round < 20000; ++round) {
        QString text;
        const int count = static_cast<int>(random() % 12);
        for (int i = 0; i < count; ++i)
            text += pieces[static_cast<qsizetype>(random() % pieces.size())];
        const std::vector<TextRun> expected = PatternRuns(text);
        std::vector<TextRun> got = AddressesOnly(text);
        // Compare the starts, kinds and (for mail) lengths; a web run may be trimmed, never longer.
        std::vector<TextRun> untrimmed;
        for (const TextRun& e : expected) {
            if (e.kind == RunKind::WebAddress) {
                // A web address trimmed down to "www." and less is dropped.
                auto g = std::find_if(got.begin(), got.end(), [&](const TextRun& r) { return r.start == e.start; });
                if (g == got.end())
                    continue;
                ASSERT_EQ(g->kind, e.kind) << text.toStdString();
                ASSERT_LE(g->length, e.length) << text.toStdString();
                untrimmed.push_back({g->start, g->length, g->kind});
            } else {
                untrimmed.push_back(e);
            }
        }
        ASSERT_EQ(got, untrimmed) << text.toStdString();
    }
}

TEST(AddressRuns, TrailingPunctuationAndBracketsTable) {
    const struct {
        const char* text;
        const char* runs;
    } cases[] = {
        {"http://a.cn/x).", "url:http://a.cn/x|text:)."},
        {"http://a.cn/(x)).", "url:http://a.cn/(x)|text:)."},
        {"http://a.cn/((x)).", "url:http://a.cn/((x))|text:."},
        {"www.a))))", "url:www.a|text:))))"},
        {"www.)))", "text:www.)))"},
        {"a@b.c.", "mail:a@b.c|text:."},
        {"a@b", "text:a@b"},
        {"a@b@c.d", "text:a@|mail:b@c.d"},
        {"x.y@z.cn", "mail:x.y@z.cn"},
        {"mailto:@a.cn", "text:mailto:@a.cn"},
        {"mailtox@a.cn", "mail:mailtox@a.cn"},
        {"http://", "text:http://"},
        {"http://中", "text:http://中"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Describe(QString::fromUtf8(c.text)), QString::fromUtf8(c.runs)) << c.text;
}

} // namespace
} // namespace qj
