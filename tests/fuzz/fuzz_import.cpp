// The import splitter: any file's bytes give lines without breaks or NULs, and the editor text made
// of them splits back into the same lines.
#include "FuzzCheck.h"

#include "common/TextDecode.h"
#include "store/TextFiles.h"

#include <cstdint>
#include <iconv.h>
#include <string>

using namespace qj;

namespace {

// The line as GB18030 can hold it: a character it has no code for (a private-use character that
// the 2005 table moved to a standard one, say) is written as "?".
QString AsGb18030CanHold(const QString& line) {
    static const iconv_t cd = iconv_open("GB18030", "UTF-32LE");
    QString out;
    for (const char32_t c : line.toUcs4()) {
        char in[4] = {char(c & 0xFF), char((c >> 8) & 0xFF), char((c >> 16) & 0xFF), char(c >> 24)};
        char buf[8];
        char* src = in;
        char* dst = buf;
        size_t srcLeft = sizeof in;
        size_t dstLeft = sizeof buf;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        const bool held = iconv(cd, &src, &srcLeft, &dst, &dstLeft) != size_t(-1);
        if (held)
            out += QChar::fromUcs4(c);
        else
            out += QLatin1Char('?');
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const LoadedText loaded = DecodeLoadedText(std::string(reinterpret_cast<const char*>(data), size));
    for (const QString& line : loaded.lines) {
        FUZZ_CHECK(!line.contains(QLatin1Char('\r')) && !line.contains(QLatin1Char('\n')));
        FUZZ_CHECK(!line.contains(QChar(0)));
    }
    const QString editorText = EditorTextOf(loaded.lines);
    FUZZ_CHECK(EditorLines(editorText) == loaded.lines);
    // Exported as text (GBK, characters GBK lacks in their GB18030 form), nothing is lost. (Read
    // back through the encoding guess a short export may pass for UTF-8: the guess is a heuristic,
    // and such a file with a byte-order mark before GBK, found by this target, is kept in the corpus.)
    // A character GB18030 has no code for is written as "?".
    // (U+FEFF at the very start reads as byte-order marks to the GBK decoder and is dropped.)
    const std::string exported = ExportTextBytes(editorText, loaded.style);
    QStringList expected;
    for (const QString& line : loaded.lines)
        expected << AsGb18030CanHold(line);
    while (!expected.isEmpty() && expected.front().startsWith(QChar(0xFEFF)))
        expected.front().remove(0, 1);
    QStringList got = EditorLines(QString::fromStdString(DecodeText(exported, TextEncoding::Gbk)));
    while (!got.isEmpty() && got.front().startsWith(QChar(0xFEFF)))
        got.front().remove(0, 1);
    while (!expected.isEmpty() && expected.back().isEmpty())
        expected.removeLast();
    while (!got.isEmpty() && got.back().isEmpty())
        got.removeLast();
    FUZZ_CHECK(got == expected);
    return 0;
}
