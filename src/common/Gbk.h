#pragma once
// GBK (code page 936) byte arithmetic and conversions. Texts in the program are UTF-8; several
// rules count or cut by the bytes the text would take in GBK: one byte for ASCII, two for every
// other character. Cutting never splits a character.

#include <string>
#include <string_view>

namespace qj {

// Bytes one Unicode code point takes in GBK: 1 below 0x80, else 2.
inline int GbkWidth(char32_t cp) {
    return cp < 0x80 ? 1 : 2;
}

// Byte length of a UTF-8 text in GBK.
int GbkByteLength(std::string_view utf8);

// The characters of a UTF-8 text whose GBK bytes lie wholly inside the byte range that starts at
// 1-based byte position `start` and spans `count` bytes. A double-byte character cut by either end
// of the range is left out, never halved.
std::string GbkCopy(std::string_view utf8, int start, int count);

// The first `count` GBK bytes of a text, without splitting a character (a character cut in half
// at the end is dropped).
inline std::string GbkLeft(std::string_view utf8, int count) {
    return GbkCopy(utf8, 1, count);
}

// Strict UTF-8 check of a whole byte string (no overlongs, no surrogates, nothing above U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// UTF-8 → GBK through iconv. A character GBK cannot hold becomes '?'.
std::string Utf8ToGbk(std::string_view utf8);
// GBK → UTF-8 through iconv; bytes GBK refuses are decoded as GB18030, and what neither can read
// becomes U+FFFD.
std::string GbkToUtf8(std::string_view gbk);

// Windows code page `codePage` (1252, 1250, 950 …) → UTF-8 through iconv. 936, 0 (not known) and a
// code page iconv lacks read as GbkToUtf8 does; a byte the code page does not define becomes
// U+FFFD.
std::string CodePageToUtf8(std::string_view bytes, int codePage);

// The character of a GBK double-byte code (lead 0x81..0xFE, trail 0x40..0xFE but 0x7F), or 0 when
// GBK defines none there. Looked up in a table read once from iconv.
char32_t GbkPairCodePoint(unsigned char lead, unsigned char trail);

// UTF-8 → GBK through iconv for a file the program writes: a character GBK cannot hold is written
// in its GB18030 form (four bytes), which GbkToUtf8 reads back, so nothing is lost.
std::string Utf8ToGbkKeepingAll(std::string_view utf8);

// Decode the next code point of a UTF-8 text at byte offset `pos`, advancing `pos`. Invalid bytes
// decode as U+FFFD, one byte each.
char32_t NextCodePoint(std::string_view utf8, size_t& pos);

} // namespace qj
