#pragma once
// Test-only: writes small Jet 4 database files page by page, as the format is documented publicly
// (mdbtools' notes on the file format): a header page, the catalog table MSysObjects on page 2,
// and for each table its definition page, data pages and long-value pages, with a usage map per
// table. No indexes, no properties, no free-space bookkeeping beyond what a reader needs.
// Texts are written as plain UTF-16 or, when asked, in the compressed form.

#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qj::test {

class JetFileWriter {
public:
    enum class Type : unsigned char {
        Integer = 0x03,
        Long = 0x04,
        DateTime = 0x08,
        Text = 0x0A,
        Memo = 0x0C
    };
    struct Column {
        QString name;
        Type type = Type::Long;
        int maxChars = 50; // Text only
    };
    // One value: NULL, an integer or a text (a date is written as a day count).
    struct Cell {
        bool null = true;
        std::int64_t integer = 0;
        QString text;
        static Cell Null() { return {}; }
        static Cell Int(std::int64_t v) { return {false, v, {}}; }
        static Cell Str(const QString& s) { return {false, 0, s}; }
    };
    using Row = std::vector<Cell>;

    // Adds a table (tables are listed in the catalog in the order added).
    void AddTable(const QString& name, std::vector<Column> columns, std::vector<Row> rows);
    // Texts of 4 characters or more whose characters all fit in one byte are written in the
    // compressed form (as Access does for columns marked so).
    void CompressTexts(bool on) { compress_ = on; }
    // Writes the file (replacing it).
    void Write(const QString& path) const;

    // The four columns of a category table: ID Long, Parent Long, Name Text(nameChars), Info Memo.
    static std::vector<Column> CategoryColumns(int nameChars = 50);

private:
    struct Table {
        QString name;
        std::vector<Column> columns;
        std::vector<Row> rows;
    };
    std::vector<Table> tables_;
    bool compress_ = false;
};

} // namespace qj::test
