#pragma once
// Reading and writing text files that are in the system's ANSI code page (GBK), in UTF-8 or in
// UTF-16: the settings file, imported and inserted files, the guide. One rule tells them apart:
// - a UTF-16 byte-order mark (FF FE little-endian, FE FF big-endian) decides for UTF-16 (neither
//   begins a GBK text: FF is no GBK byte, and FE FF no GBK pair);
// - a byte-order mark (EF BB BF) decides for UTF-8 when the rest is valid UTF-8;
// - text without any byte above 0x7F is GBK (it reads the same either way, and what the program
//   adds to it later is written in GBK);
// - otherwise the bytes are read both ways and scored by TextLikelihood: valid UTF-8 is UTF-8 when
//   its reading is at least as likely as the GBK one; bytes that are not valid UTF-8 are UTF-8 only
//   when that reading is still the likelier (a UTF-8 file with one damaged character), else GBK.
// Short GBK texts are often valid UTF-8 ("学习" is D1 A7 CF B0, "ѧϰ" in UTF-8), which is why
// validity alone does not decide. A GBK file that starts with a byte-order mark is read as GBK when
// the rest is not valid UTF-8; it is written back as GBK without the mark, which would otherwise
// make it read as UTF-8 once its text happens to be valid UTF-8.

#include <string>
#include <string_view>

namespace qj {

enum class TextEncoding {
    Gbk, // GBK bytes (characters GBK lacks in their GB18030 form); also ASCII-only text
    Utf8,
    Utf16Le, // always with its byte-order mark
    Utf16Be,
};

// How a file's text is stored: its encoding, and whether a UTF-8 byte-order mark comes first.
struct TextForm {
    TextEncoding encoding = TextEncoding::Gbk;
    bool bom = false;
    friend bool operator==(const TextForm&, const TextForm&) = default;
};

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The form a file's bytes were most likely written in.
TextForm GuessTextForm(std::string_view bytes);
// The same for a file known to be GBK or UTF-8 (one split into lines on the bytes CR and LF, as
// the settings file is): a UTF-16 mark is not taken as one.
TextForm GuessEightBitTextForm(std::string_view bytes);

// What a NUL byte of a file becomes in the text read from it: U+2400 SYMBOL FOR NULL (a NUL would
// end the text in the editor and everything after it would be lost at the next save).
inline constexpr std::string_view kNulStandIn = "\xE2\x90\x80";

// The file's text as UTF-8, read in the guessed form (byte-order mark removed; what cannot be
// decoded becomes U+FFFD; a NUL becomes kNulStandIn).
std::string DecodeTextFile(std::string_view bytes);

// Text (without byte-order mark) in a given encoding, as UTF-8; what cannot be decoded becomes
// U+FFFD.
std::string DecodeText(std::string_view bytes, TextEncoding encoding);
// UTF-8 text as bytes of the encoding (GBK: characters GBK lacks take their GB18030 form).
std::string EncodeText(std::string_view utf8, TextEncoding encoding);
// The byte-order mark a file of this form is written with: the UTF-8 mark for UTF-8 read with
// one, the UTF-16 marks for UTF-16, nothing otherwise.
std::string_view BomToWrite(TextForm form);
// A whole file: BomToWrite, then the text in the form's encoding.
std::string EncodeTextFile(std::string_view utf8, TextForm form);

} // namespace qj
