// The address finder: runs cover the text in order without gaps, addresses are ASCII, and the time
// is linear: the input repeated to 100,000 characters must still be scanned well
// within libFuzzer's time limit per input (./dev fuzz sets -timeout), which a scanner that goes
// back over the text from every start (the old mail pattern took 3.6 s for 80,000 letters) exceeds.
#include "FuzzCheck.h"

#include "text/Addresses.h"

#include <cstdint>

using namespace qj;

namespace {

void CheckRuns(const QString& text) {
    qsizetype at = 0;
    for (const TextRun& run : HighlightRuns(text)) {
        FUZZ_CHECK(run.start == at && run.length > 0);
        if (run.kind == RunKind::WebAddress || run.kind == RunKind::MailAddress)
            for (qsizetype i = run.start; i < run.start + run.length; ++i)
                FUZZ_CHECK(text[i].unicode() > 0x20 && text[i].unicode() < 0x7F);
        at += run.length;
    }
    FUZZ_CHECK(at == text.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    CheckRuns(text);
    // One input in eight (by its first byte) is also scanned repeated: enough for the mutations
    // to reach long repetitions of every pattern, while the others keep the search quick.
    if (text.isEmpty() || data[0] % 8 != 0)
        return 0;
    QString longLine;
    const qsizetype target = 100000;
    longLine.reserve(target + text.size());
    while (longLine.size() < target)
        longLine += text;
    CheckRuns(longLine);
    return 0;
}
