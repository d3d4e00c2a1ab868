#pragma once
// Simplified and traditional characters alike: a traditional character folds to its simplified form
// (OpenCC's character table, generated into HanVariantsTable.inc), every other character stays.
// Folding keeps the number of characters, so a position in the folded text is one in the text.

#include <QString>
#include <QStringList>

#include <string>
#include <string_view>

namespace qj {

char32_t FoldHanVariant(char32_t c);
QString FoldHanVariants(const QString& text);
std::string FoldHanVariants(std::string_view utf8);
// True when another character folds alike with `c` (it has a traditional or simplified form).
bool HasHanVariant(char32_t c);
// The longest run of characters in `words` that have no other form: found as it is, it is found in
// any form. Empty when every character has one.
QString LongestRunWithoutVariants(const QStringList& words);

} // namespace qj
