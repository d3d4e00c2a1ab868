#include "text/Addresses.h"

#include <string_view>

namespace qj {
namespace {

// Addresses are ASCII: a full-width mark or a Chinese character ends one. The text is scanned
// once, left to right, without backtracking, so a line of any length (5 MB of one letter, of
// digits, of "a@" repeated) costs time in proportion to its length. The rules are those of the
// pattern
//   web:  (https?|ftp)://  or  www.   then one or more of  A-Z a-z 0-9 - . _ ~ : / ? # [ ] @ ! $ & ' ( ) * + , ; = %
//   mail: (mailto:)?  [A-Za-z0-9._%+-]+  @  [A-Za-z0-9-]+  (\.[A-Za-z0-9-]+)+
// matched case-insensitively from the leftmost start, a web address before a mail address at the
// same start, each as long as it goes.

bool IsAsciiLetterOrDigit(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

bool IsWebChar(char16_t c) {
    return IsAsciiLetterOrDigit(c) || (c < 0x80 && std::u16string_view(u"-._~:/?#[]@!$&'()*+,;=%").find(c) !=
                                                       std::u16string_view::npos);
}

bool IsMailNameChar(char16_t c) {
    return IsAsciiLetterOrDigit(c) || c == u'.' || c == u'_' || c == u'%' || c == u'+' || c == u'-';
}

bool IsDomainChar(char16_t c) {
    return IsAsciiLetterOrDigit(c) || c == u'-';
}

class AddressScanner {
public:
    explicit AddressScanner(QStringView text) : text_(text) {}

    // The address found at `start`, if any: its kind and untrimmed length.
    std::optional<TextRun> At(qsizetype start) {
        if (const qsizetype prefix = WebPrefixAt(start)) {
            qsizetype end = start + prefix;
            while (end < size() && IsWebChar(at(end)))
                ++end;
            if (end > start + prefix)
                return TextRun{start, end - start, RunKind::WebAddress};
        }
        qsizetype name = start;
        if (StartsWith(start, u"mailto:") && IsMailNameChar(at(start + 7)))
            name = start + 7;
        else if (!IsMailNameChar(at(start)))
            return std::nullopt;
        const qsizetype at = NameEnd(name);
        if (this->at(at) != u'@')
            return std::nullopt;
        const qsizetype end = DomainEnd(at + 1);
        if (end < 0)
            return std::nullopt;
        return TextRun{start, end - start, RunKind::MailAddress};
    }

private:
    qsizetype size() const { return text_.size(); }
    char16_t at(qsizetype i) const { return i < size() ? text_[i].unicode() : u'\0'; }

    bool StartsWith(qsizetype start, std::u16string_view word) const {
        if (start + static_cast<qsizetype>(word.size()) > size())
            return false;
        for (size_t i = 0; i < word.size(); ++i) {
            char16_t c = at(start + static_cast<qsizetype>(i));
            if (c >= u'A' && c <= u'Z')
                c = static_cast<char16_t>(c - u'A' + u'a');
            if (c != word[i])
                return false;
        }
        return true;
    }

    qsizetype WebPrefixAt(qsizetype start) const {
        for (const std::u16string_view prefix : {u"https://", u"http://", u"ftp://", u"www."})
            if (StartsWith(start, prefix))
                return static_cast<qsizetype>(prefix.size());
        return 0;
    }

    // Where the run of mail-name characters holding `i` ends. Every start inside one run ends at
    // the same place, so the run is measured once.
    qsizetype NameEnd(qsizetype i) {
        if (i < nameRunStart_ || i >= nameRunEnd_) {
            nameRunStart_ = i;
            nameRunEnd_ = i;
            while (nameRunEnd_ < size() && IsMailNameChar(at(nameRunEnd_)))
                ++nameRunEnd_;
        }
        return nameRunEnd_;
    }

    // The end of "label(.label)+" from `from`, or -1 when there is none; measured once for each '@'.
    qsizetype DomainEnd(qsizetype from) {
        if (from == domainFrom_)
            return domainEnd_;
        domainFrom_ = from;
        qsizetype end = from;
        while (end < size() && IsDomainChar(at(end)))
            ++end;
        int labels = 0;
        while (end > from && at(end) == u'.' && IsDomainChar(at(end + 1))) {
            end += 1;
            while (end < size() && IsDomainChar(at(end)))
                ++end;
            ++labels;
        }
        domainEnd_ = labels > 0 ? end : -1;
        return domainEnd_;
    }

    QStringView text_;
    qsizetype nameRunStart_ = 0;
    qsizetype nameRunEnd_ = 0;
    qsizetype domainFrom_ = -1;
    qsizetype domainEnd_ = -1;
};

// Sentence punctuation after an address belongs to the sentence. A closing bracket that pairs with
// one inside the address stays.
qsizetype TrimmedLength(const QString& text, qsizetype start, qsizetype length) {
    static const QString kTrailing = QStringLiteral(".,;:!?)]'\"");
    const QStringView address = QStringView(text).mid(start, length);
    qsizetype opening = address.count(QLatin1Char('('));
    qsizetype closing = address.count(QLatin1Char(')'));
    while (length > 0 && kTrailing.contains(text[start + length - 1])) {
        const QChar last = text[start + length - 1];
        if (last == QLatin1Char(')')) {
            if (opening >= closing)
                break;
            --closing;
        }
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
    AddressScanner scanner(text);
    qsizetype done = 0;
    for (qsizetype pos = 0; pos < text.size();) {
        const std::optional<TextRun> found = scanner.At(pos);
        if (!found) {
            ++pos;
            continue;
        }
        pos = found->start + found->length;
        const bool web = found->kind == RunKind::WebAddress;
        const qsizetype length = web ? TrimmedLength(text, found->start, found->length) : found->length;
        // "www." alone, or an address that is only punctuation after trimming, is no address.
        if (web && length <= 4)
            continue;
        AddPlain(text, done, found->start, runs);
        runs.push_back({found->start, length, found->kind});
        done = found->start + length;
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
