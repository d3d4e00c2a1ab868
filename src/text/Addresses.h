#pragma once
// Web and mail addresses in a note's text: the runs the editor highlights (and the HTML export
// wraps in spans), and which addresses may be opened.

#include <QString>
#include <QUrl>

#include <optional>
#include <vector>

namespace qj {

enum class RunKind {
    Text,        // anything else
    Blank,       // blanks and tabs
    WebAddress,  // http://, https://, ftp:// or www. addresses
    MailAddress, // name@host.domain, with or without mailto:
};

// A run of a text, in UTF-16 units.
struct TextRun {
    qsizetype start = 0;
    qsizetype length = 0;
    RunKind kind = RunKind::Text;
    bool operator==(const TextRun&) const = default;
};

// The runs of `text` in order, covering it without gaps; neighbouring runs differ in kind, except
// that two addresses may touch. Line breaks belong to Text runs.
std::vector<TextRun> HighlightRuns(const QString& text);

// A class name for a run (the HTML export's span classes): "text", "blank", "url", "mail".
const char* RunClassName(RunKind kind);

// The address a highlighted run stands for: "www.x.cn" opens as http://www.x.cn, a bare mail
// address as mailto:. Nothing when the run is no address.
std::optional<QUrl> AddressUrl(const QString& runText, RunKind kind);

// Only http, https and ftp addresses with a host, and mailto addresses with a recipient, are
// opened; file:, javascript:, data:, bare paths and everything else are not.
bool IsOpenableAddress(const QUrl& url);

// The address under UTF-16 offset `offset` of `text` that may be opened, if any.
std::optional<QUrl> OpenableAddressAt(const QString& text, qsizetype offset);

} // namespace qj
