// The import splitter: any file's bytes give lines without breaks or NULs, and the editor text made
// of them splits back into the same lines.
#include "FuzzCheck.h"

#include "common/TextDecode.h"
#include "store/TextFiles.h"

#include <cstdint>
#include <string>

using namespace qj;

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
    // (U+FEFF at the very start reads as byte-order marks to the GBK decoder and is dropped.)
    const std::string exported = ExportTextBytes(editorText, loaded.style);
    QStringList expected = loaded.lines;
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
