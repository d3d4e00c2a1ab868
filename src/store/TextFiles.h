#pragma once
// Text files going into and out of the editor: import, export to text and to an HTML fragment, and
// files dropped onto the editor. Files are read as GBK or UTF-8 (the program's one guessing rule)
// and written as GBK; a character GBK cannot hold is written in its GB18030 form, never lost.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qj {

// The line-break style a loaded file used: CR LF unless the file broke its lines with LF alone or
// CR alone (a file holding both CR and LF counts as CR LF).
enum class LineBreak { CrLf, Lf, Cr };
QString LineBreakText(LineBreak style);

struct LoadedText {
    QStringList lines; // trailing blank lines dropped
    LineBreak style = LineBreak::CrLf;
};

inline constexpr std::int64_t kMaxImportBytes = 100 * 1024 * 1024;

// The longest line the editor lays out quickly (each key on such a line lays the whole line out
// again, and the idle wrapping lays out a hundred lines at a time: at this length a key stays
// under 0.1 s in a 100 MiB text).
inline constexpr qsizetype kLongestQuickLine = 10000;

// The longest line of `lines`, in characters (UTF-16 units).
qsizetype LongestLine(const QStringList& lines);
// `lines` with every line longer than `most` units broken into rows of `most` (never between the
// two halves of a surrogate pair); the last row of a broken line takes the rest.
QStringList BrokenLongLines(const QStringList& lines, qsizetype most = kLongestQuickLine);

// Reads a text file for the editor. A StoreError with a clear message when it cannot be read:
// missing, a folder, no permission, larger than 100 MB.
LoadedText ReadTextFile(const QString& path);
// The same for bytes already read.
LoadedText DecodeLoadedText(const std::string& bytes);

// The editor's text as the editor holds it: every line followed by CR LF.
QString EditorTextOf(const QStringList& lines);
// The lines of an editor text (breaks CR LF, LF or CR); a final break ends the last line and does
// not start another.
QStringList EditorLines(const QString& text);

// GBK bytes of a text; a character GBK cannot hold takes its GB18030 bytes.
std::string EncodeGbk(const QString& text);

// Export to text: the lines with `style` between them and nothing after the last.
std::string ExportTextBytes(const QString& editorText, LineBreak style);

// A run of the text for the HTML export (UTF-16 positions) and its span class; an empty class
// writes the run without a span.
struct HtmlRun {
    qsizetype start = 0;
    qsizetype length = 0;
    QString cssClass;
};
using HtmlRunsFunction = std::function<std::vector<HtmlRun>(const QString& text)>;

// The runs the editor's highlighter distinguishes (addresses, blanks, other text).
std::vector<HtmlRun> HighlighterRuns(const QString& text);

// Export to HTML: the fragment "<pre>\r\n<code><span style="font: 10pt Courier New;">", the
// lines each followed by CR LF with entities (&amp; &lt; &gt; &quot;, &#n; from code point 256
// on) and the highlighter's spans, then "</span>\r\n</code></pre>\r\n".
std::string ExportHtmlBytes(const QString& editorText, const HtmlRunsFunction& runs = HighlighterRuns,
                            int fontPoints = 10, const QString& fontName = QStringLiteral("Courier New"));
// The HTML export's file name: ".html" appended when the chosen name has no extension.
QString HtmlFileName(const QString& chosen);

// Writes bytes to a file whole: written beside it first, synced to the disk and moved into place,
// so a failed write or sync leaves an existing file as it was. A StoreError naming the file and the
// cause (a full disk, an I/O error) on failure.
void WriteFileBytes(const QString& path, const std::string& bytes);

// The editor's text after files were dropped on it: an empty line, the previous text, then per
// file the separator "-------- i -------" (when several), its path, a line holding one blank, its
// text and a line holding one blank; every file's text but the last is preceded by one more empty
// line.
struct DroppedFile {
    QString path;
    QStringList lines;
};
QString TextAfterDrop(const QString& editorText, const std::vector<DroppedFile>& files);

} // namespace qj
