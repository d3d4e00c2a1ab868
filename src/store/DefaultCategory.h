#pragma once
// Creating categories: the first-run category "帮助" and a new category named by the user.

#include "store/DataFile.h"

#include <QString>

namespace qj {

inline constexpr const char* kHelpCategory = "帮助";
inline constexpr const char* kGuideFileName = "readme.txt";

// True on a first run: the data file has no category named exactly "帮助". The caller then writes
// CurTb = "帮助" and calls CreateHelpCategory.
bool IsFirstRun(DataFile& file);

// Creates "帮助" with its one note (ID 0, Parent 0, Name "帮助") holding the guide readme.txt of
// the program folder (empty when the file is missing), in one transaction.
void CreateHelpCategory(DataFile& file, const QString& programFolder);

// The guide's text: the file decoded (UTF-8 with BOM, strict UTF-8, else GBK), every line
// followed by CR LF as the editor stores it. Empty when the file cannot be read.
QString ReadGuideText(const QString& path);

// Every line of a text followed by CR LF (line breaks CR LF, LF or CR); an empty text stays empty.
QString LinesWithCrLf(const QString& text);

enum class CreateCategoryResult {
    Created,
    AlreadyExists, // show "当前要建立的目录分类名已存在！"; nothing changed
};

// Creates the category `name` with its first note (ID 0, Parent 0, Name = name, Info NULL) in one
// transaction. A StoreError for a name that cannot be a category (see CheckNewCategoryName).
CreateCategoryResult CreateCategory(DataFile& file, const QString& name);

} // namespace qj
