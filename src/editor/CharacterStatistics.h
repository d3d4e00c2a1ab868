#pragma once
// "字符统计": counting the characters of a text in three classes.

#include <QString>

namespace qj {

struct CharacterCounts {
    int chinese = 0; // UTF-16 units from 0x7F up: every character outside ASCII
    int english = 0; // 0x21 … 0x7E
    int other = 0;   // below 0x21: blanks, tabs, line breaks, control characters
};

CharacterCounts CountCharacters(const QString& text);

// The editor's whole text as a list of lines, each followed by CR LF, the last one too. A final
// line break ends the last line; it does not start an empty one.
QString TextAsCrLfLines(const QString& text);

// "[Chinese]:2 [English]:3 [Other]:3", CR CR LF, then the echoed text.
QString StatisticsMessage(const CharacterCounts& counts, const QString& echoed);

} // namespace qj
