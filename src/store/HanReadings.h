#pragma once
// Titles found by their Mandarin readings: "biji" (full pinyin) and "bj" (initials) find 笔记, and
// a character of several readings matches by any of them (重: zhong, chong). The readings are data
// generated from Unihan (HanReadingsTable.inc).

#include <QString>

#include <string>
#include <string_view>
#include <vector>

namespace qj {

// The readings of `c` without tones ("lv" and "lu" for ü), none for a character without one.
std::vector<std::string_view> ReadingsOf(char32_t c);

// A query looked up by readings: Latin letters, with blanks or apostrophes between syllables.
bool IsPinyinQuery(const QString& text);
// Its letters, lower case, without the blanks and apostrophes.
std::string PinyinQueryLetters(const QString& text);

// True when some characters of `title` (UTF-8) in a row spell `letters`: each character by a whole
// reading or its initial (one letter, or zh/ch/sh), the last one also by the start of a reading;
// a Latin letter or digit of the title by itself.
bool MatchesByReadings(std::string_view title, const std::string& letters);

} // namespace qj
