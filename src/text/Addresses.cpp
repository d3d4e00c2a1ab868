#include "text/Addresses.h"

#include <QRegularExpression>

namespace qj {
namespace {

// Addresses are ASCII: a full-width mark or a Chinese character ends one.
const QRegularExpression& AddressPattern() {
    static const QRegularExpression pattern(
        QStringLiteral("(?<web>(?:(?:https?|ftp)://|www\\.)[A-Za-z0-9\\-._~:/?#\\[\\]@!$&'()*+,;=%]+)"
                       "|(?<mail>(?:mailto:)?[A-Za-z0-9._%+\\-]+@[A-Za-z0-9\\-]+(?:\\.[A-Za-z0-9\\-]+)+)"),
        QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

// Sentence punctuation after an address belongs to the sentence.
qsizetype TrimmedLength(const QString& text, qsizetype start, qsizetype length) {
    static const QString kTrailing = QStringLiteral(".,;:!?)]'\"");
    while (length > 0 && kTrailing.contains(text[start + length - 1])) {
        // A closing bracket that pairs with one inside the address stays.
        const QChar last = text[start + length - 1];
        if (last == QLatin1Char(')') && QStringView(text).mid(start, length).count(QLatin1Char('(')) >=
                                            QStringView(text).mid(start, length).count(QLatin1Char(')')))
            break;
        --length;
    }
    return length;
}

void AddPlain(const QString& text, qsizetype from, qsizetype to, std::vector<TextRun>& runs) {
    for (qsizetype i = from; i < to;) {
        const bool blank = text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t');
        qsizetype j = i + 1;
        while (j < to && (text[j] == QLatin1Char(' ') || text[j] == QLatin1Char('\t')) == blank)
            ++j;
        const RunKind kind = blank ? RunKind::Blank : RunKind::Text;
        if (!runs.empty() && runs.back().kind == kind && runs.back().start + runs.back().length == i)
            runs.back().length += j - i;
        else
            runs.push_back({i, j - i, kind});
        i = j;
    }
}

} // namespace

std::vector<TextRun> HighlightRuns(const QString& text) {
    std::vector<TextRun> runs;
    qsizetype done = 0;
    QRegularExpressionMatchIterator it = AddressPattern().globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const bool web = m.capturedStart(QStringLiteral("web")) >= 0;
        const qsizetype start = m.capturedStart();
        qsizetype length = m.capturedLength();
        if (web)
            length = TrimmedLength(text, start, length);
        // "www." alone, or an address that is only punctuation after trimming, is no address.
        if (web && length <= 4)
            continue;
        AddPlain(text, done, start, runs);
        runs.push_back({start, length, web ? RunKind::WebAddress : RunKind::MailAddress});
        done = start + length;
    }
    AddPlain(text, done, text.size(), runs);
    return runs;
}

const char* RunClassName(RunKind kind) {
    switch (kind) {
    case RunKind::Blank:
        return "blank";
    case RunKind::WebAddress:
        return "url";
    case RunKind::MailAddress:
        return "mail";
    case RunKind::Text:
        break;
    }
    return "text";
}

std::optional<QUrl> AddressUrl(const QString& runText, RunKind kind) {
    QString address = runText;
    if (kind == RunKind::WebAddress) {
        if (address.startsWith(QStringLiteral("www."), Qt::CaseInsensitive))
            address.prepend(QStringLiteral("http://"));
    } else if (kind == RunKind::MailAddress) {
        if (!address.startsWith(QStringLiteral("mailto:"), Qt::CaseInsensitive))
            address.prepend(QStringLiteral("mailto:"));
    } else {
        return std::nullopt;
    }
    const QUrl url(address, QUrl::StrictMode);
    if (!url.isValid())
        return std::nullopt;
    return url;
}

bool IsOpenableAddress(const QUrl& url) {
    if (!url.isValid())
        return false;
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https") || scheme == QLatin1String("ftp"))
        return !url.host().isEmpty();
    if (scheme == QLatin1String("mailto"))
        return url.path().contains(QLatin1Char('@'));
    return false;
}

std::optional<QUrl> OpenableAddressAt(const QString& text, qsizetype offset) {
    for (const TextRun& run : HighlightRuns(text)) {
        if (offset < run.start || offset >= run.start + run.length)
            continue;
        const std::optional<QUrl> url = AddressUrl(text.mid(run.start, run.length), run.kind);
        if (url && IsOpenableAddress(*url))
            return url;
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace qj
