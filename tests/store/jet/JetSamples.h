#pragma once
// Test-only: the tables of the Jet files the tests write, kept as data so that a test can compare
// what a conversion wrote with what the Jet file held, record by record.

#include "store/jet/JetFileWriter.h"

#include <QString>

#include <vector>

namespace qj::test {

struct SampleTable {
    QString name;
    std::vector<JetFileWriter::Column> columns;
    std::vector<JetFileWriter::Row> rows;
    bool category = true; // a category our file takes as it is
};

// A notebook of several categories (Chinese titles, texts over several lines with CR LF, NULLs,
// the largest 32-bit ID, a text long enough for a chain of long-value pages, an empty category)
// and a table that is no category.
std::vector<SampleTable> SampleNotebook();

// A text of `lines` numbered Chinese lines joined by CR LF.
QString LongText(int lines);

void WriteJetFile(const QString& path, const std::vector<SampleTable>& tables, bool compressTexts = false);

} // namespace qj::test
