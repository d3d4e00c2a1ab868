// The encoding guess and the decoders: any bytes decode to valid UTF-8 without NUL, and a text
// written back in the form it was read in reads again as the same text.
#include "FuzzCheck.h"

#include "common/Gbk.h"
#include "common/TextDecode.h"

#include <cstdint>
#include <string>

using namespace qj;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const TextForm form = GuessTextForm(bytes);
    const std::string text = DecodeTextFile(bytes);
    FUZZ_CHECK(IsValidUtf8(text));
    FUZZ_CHECK(text.find('\0') == std::string::npos);
    for (const TextEncoding encoding : {TextEncoding::Gbk, TextEncoding::Utf8}) {
        const std::string decoded = DecodeText(bytes, encoding);
        FUZZ_CHECK(IsValidUtf8(decoded));
        // Nothing that was read is lost on the way back.
        FUZZ_CHECK(DecodeText(EncodeText(decoded, encoding), encoding) == decoded);
    }
    // Written in its own form, the text reads back the same (the form itself may change: a GBK
    // file that is also valid UTF-8 stays what it was only through the program's own writes).
    const std::string written = EncodeTextFile(text, form);
    FUZZ_CHECK(DecodeText(written.substr(BomToWrite(form).size()), form.encoding) == text);
    return 0;
}
