#pragma once
// Reading text files written either in the system's ANSI code page (GBK) or in UTF-8. Telling the
// two apart is a guess: a byte-order mark wins, then a strict UTF-8 check of the whole file (some
// short GBK texts happen to be valid UTF-8, so the check covers every byte), else GBK.

#include <string>
#include <string_view>

namespace qj {

enum class TextEncoding {
    Gbk,     // GBK bytes (ASCII-only text counts as GBK)
    Utf8,    // valid UTF-8 without a byte-order mark, holding at least one non-ASCII character
    Utf8Bom, // UTF-8 behind the byte-order mark EF BB BF
};

// The encoding a file's bytes were most likely written in.
TextEncoding DetectTextEncoding(std::string_view bytes);

// The file's text as UTF-8 (byte-order mark removed).
std::string DecodeTextFile(std::string_view bytes);

// Bytes of a UTF-8 text in the given encoding (GBK: characters it cannot hold become '?').
std::string EncodeTextFile(std::string_view utf8, TextEncoding encoding);

} // namespace qj
