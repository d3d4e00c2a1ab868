#pragma once
// Which tables of a Jet file are categories: exactly the columns ID, Parent, Name and Info (names
// compared without letter case, in any order), ID and Parent integers, Name text, Info long text
// or text.

#include "store/jet/JetFile.h"

#include <QString>

#include <optional>
#include <vector>

namespace qj {

// Where the four columns of a category table are among the table's columns.
struct CategoryColumns {
    int id = -1;
    int parent = -1;
    int name = -1;
    int info = -1;
};

// The four columns when `columns` make a category table; otherwise nothing, and `why` says in a
// sentence for the user what keeps the table from being one.
std::optional<CategoryColumns> MatchCategoryColumns(const std::vector<JetColumn>& columns, QString& why);

} // namespace qj
