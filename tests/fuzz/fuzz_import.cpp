// The import splitter: any file's bytes give lines without breaks or NULs, and the editor text made
// of them splits back into the same lines.
#include "FuzzCheck.h"

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
    // Exported as text and read again, the lines come back (trailing blank lines aside).
    const LoadedText again = DecodeLoadedText(ExportTextBytes(editorText, loaded.style));
    FUZZ_CHECK(again.lines.size() <= loaded.lines.size());
    for (qsizetype i = 0; i < again.lines.size(); ++i)
        FUZZ_CHECK(again.lines[i] == loaded.lines[i]);
    return 0;
}
