#include "store/jet/JetFileWriter.h"

#include <QFile>

#include <array>
#include <cstring>
#include <stdexcept>

namespace qj::test {

namespace {

constexpr int kPage = 4096;
constexpr int kRowTable = 14;         // a data page's first row offset
constexpr int kInlineMemo = 1000;     // longer texts go to long-value pages
constexpr int kLongValueChunk = 4000; // bytes of a long text per long-value page
constexpr unsigned char kOle = 0x0B;

using Page = std::vector<unsigned char>;
using Bytes = std::string;

void Put16(unsigned char* p, std::uint32_t v) {
    p[0] = v & 0xFF;
    p[1] = (v >> 8) & 0xFF;
}
void Put32(unsigned char* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = (v >> (8 * i)) & 0xFF;
}
void Append16(Bytes& b, std::uint32_t v) {
    b.push_back(char(v & 0xFF));
    b.push_back(char((v >> 8) & 0xFF));
}
void Append32(Bytes& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b.push_back(char((v >> (8 * i)) & 0xFF));
}

bool IsFixed(unsigned char type) {
    return type == 0x03 || type == 0x04 || type == 0x08;
}
int FixedSize(unsigned char type) {
    return type == 0x03 ? 2 : type == 0x04 ? 4 : 8;
}

Bytes Utf16(const QString& text) {
    Bytes b;
    for (QChar c : text)
        Append16(b, c.unicode());
    return b;
}

Bytes EncodeText(const QString& text, bool compress) {
    // An empty text takes the compressed form too (just its two marker bytes): the format allows
    // it, and it is the one way a text of no characters is stored as present.
    bool fits = compress && (text.size() >= 4 || text.isEmpty());
    for (QChar c : text)
        fits = fits && c.unicode() != 0 && c.unicode() < 0x100;
    if (!fits)
        return Utf16(text);
    Bytes b("\xFF\xFE", 2);
    for (QChar c : text)
        b.push_back(char(c.unicode()));
    return b;
}

// The pages of the file, numbered from 0.
struct Pages {
    std::vector<Page> all;
    int New() {
        all.emplace_back(kPage, 0);
        return static_cast<int>(all.size()) - 1;
    }
    unsigned char* at(int page) { return all[static_cast<size_t>(page)].data(); }
};

// Places rows on data pages owned by `owner` (a tdef page, or 0 for the map page), filling each
// page before starting the next; returns the pages used.
class RowPlacer {
public:
    RowPlacer(Pages& pages, std::uint32_t owner, const unsigned char* ownerTag = nullptr)
        : pages_(pages), owner_(owner), tag_(ownerTag) {}
    // Puts the row; returns (page << 8) | row number.
    std::uint32_t Place(const Bytes& row, int forcePage = -1) {
        const int size = static_cast<int>(row.size());
        if (size + kRowTable + 2 > kPage)
            throw std::runtime_error("row too long for a page");
        if (current_ < 0 || kRowTable + 2 * (count_ + 1) + used_ + size > kPage) {
            current_ = forcePage >= 0 && used_pages_.empty() ? forcePage : pages_.New();
            used_pages_.push_back(current_);
            count_ = 0;
            used_ = 0;
            unsigned char* p = pages_.at(current_);
            p[0] = 0x01;
            p[1] = 0x01;
            if (tag_)
                std::memcpy(p + 4, tag_, 4);
            else
                Put32(p + 4, owner_);
        }
        unsigned char* p = pages_.at(current_);
        used_ += size;
        const int offset = kPage - used_;
        std::memcpy(p + offset, row.data(), row.size());
        Put16(p + kRowTable + 2 * count_, static_cast<std::uint32_t>(offset));
        ++count_;
        Put16(p + 12, static_cast<std::uint32_t>(count_));
        Put16(p + 2, static_cast<std::uint32_t>(offset - (kRowTable + 2 * count_)));
        return static_cast<std::uint32_t>(current_) << 8 | static_cast<std::uint32_t>(count_ - 1);
    }
    const std::vector<int>& pagesUsed() const { return used_pages_; }

private:
    Pages& pages_;
    std::uint32_t owner_;
    const unsigned char* tag_;
    int current_ = -1;
    int count_ = 0;
    int used_ = 0;
    std::vector<int> used_pages_;
};

struct Col {
    QString name;
    unsigned char type;
    int size; // bytes (Text: 2 per character; memo and OLE: 0)
};

// The 12-byte head of a long text and, when it is short, the text itself; longer texts are put
// on a chain of long-value pages (one piece per page).
Bytes PackMemo(const Bytes& value, Pages& pages) {
    Bytes b;
    if (value.size() <= kInlineMemo) {
        Append32(b, static_cast<std::uint32_t>(value.size()) | 0x80000000u);
        Append32(b, 0);
        Append32(b, 0);
        b += value;
        return b;
    }
    std::vector<int> chain;
    for (size_t at = 0; at < value.size(); at += kLongValueChunk)
        chain.push_back(pages.New());
    static const unsigned char kTag[4] = {'L', 'V', 'A', 'L'};
    for (size_t i = 0; i < chain.size(); ++i) {
        RowPlacer one(pages, 0, kTag);
        Bytes row;
        Append32(row, i + 1 < chain.size() ? static_cast<std::uint32_t>(chain[i + 1]) << 8 : 0);
        row += value.substr(i * kLongValueChunk, kLongValueChunk);
        one.Place(row, chain[i]);
    }
    Append32(b, static_cast<std::uint32_t>(value.size()));
    Append32(b, static_cast<std::uint32_t>(chain[0]) << 8);
    Append32(b, 0);
    return b;
}

using RowCells = std::vector<JetFileWriter::Cell>;

Bytes PackRow(const std::vector<Col>& cols, const RowCells& cells, bool compress, Pages& pages) {
    Bytes row;
    Append16(row, static_cast<std::uint32_t>(cols.size()));
    std::vector<bool> present(cols.size());
    for (size_t i = 0; i < cols.size(); ++i) {
        if (!IsFixed(cols[i].type))
            continue;
        const JetFileWriter::Cell& c = cells[i];
        present[i] = !c.null;
        Bytes v(static_cast<size_t>(FixedSize(cols[i].type)), '\0');
        if (!c.null) {
            if (cols[i].type == 0x08) {
                const double days = static_cast<double>(c.integer);
                std::memcpy(v.data(), &days, 8);
            } else {
                for (size_t k = 0; k < v.size(); ++k)
                    v[k] = char((static_cast<std::uint64_t>(c.integer) >> (8 * k)) & 0xFF);
            }
        }
        row += v;
    }
    std::vector<std::uint32_t> offsets;
    for (size_t i = 0; i < cols.size(); ++i) {
        if (IsFixed(cols[i].type))
            continue;
        offsets.push_back(static_cast<std::uint32_t>(row.size()));
        const JetFileWriter::Cell& c = cells[i];
        present[i] = !c.null;
        if (c.null)
            continue;
        const Bytes text = EncodeText(c.text, compress);
        row += cols[i].type == 0x0C ? PackMemo(text, pages) : text;
    }
    if (!offsets.empty()) {
        Append16(row, static_cast<std::uint32_t>(row.size())); // end of the variable data
        for (auto it = offsets.rbegin(); it != offsets.rend(); ++it)
            Append16(row, *it);
        Append16(row, static_cast<std::uint32_t>(offsets.size()));
    }
    Bytes mask((cols.size() + 7) / 8, '\0');
    for (size_t i = 0; i < cols.size(); ++i)
        if (present[i])
            mask[i / 8] = char(mask[i / 8] | (1 << (i % 8)));
    return row + mask;
}

// A table definition page.
void WriteTableDef(unsigned char* p, const std::vector<Col>& cols, std::uint32_t rows, std::uint32_t mapRow,
                   bool system) {
    Bytes b;
    b.push_back(0x02);
    b.push_back(0x01);
    Append16(b, 0);
    Append32(b, 0); // next definition page
    Append32(b, 0); // length, set below
    Append32(b, 0);
    Append32(b, rows);
    Append32(b, 0); // next autonumber
    b.push_back(0x01);
    b += Bytes(3, '\0');
    Append32(b, 0);
    b += Bytes(8, '\0');
    b.push_back(system ? 0x53 : 0x4E);
    int varCount = 0;
    for (const Col& c : cols)
        varCount += IsFixed(c.type) ? 0 : 1;
    Append16(b, static_cast<std::uint32_t>(cols.size()));
    Append16(b, static_cast<std::uint32_t>(varCount));
    Append16(b, static_cast<std::uint32_t>(cols.size()));
    Append32(b, 0); // logical indexes
    Append32(b, 0); // index entries
    Append32(b, mapRow);
    Append32(b, mapRow);
    int fixedOffset = 0, varIndex = 0;
    for (size_t i = 0; i < cols.size(); ++i) {
        const Col& c = cols[i];
        const bool fixed = IsFixed(c.type);
        b.push_back(char(c.type));
        Append32(b, 0);
        Append16(b, static_cast<std::uint32_t>(i));                    // column number
        Append16(b, fixed ? 0 : static_cast<std::uint32_t>(varIndex)); // place among variable columns
        Append16(b, static_cast<std::uint32_t>(i));                    // column id
        Append16(b, c.type == 0x0A || c.type == 0x0C ? 0x0409 : 0);    // sort order: General
        Append16(b, 0);
        b.push_back(fixed ? 0x03 : 0x02); // fixed length, may be null
        b.push_back(0);
        Append32(b, 0);
        Append16(b, fixed ? static_cast<std::uint32_t>(fixedOffset) : 0);
        Append16(b,
                 fixed ? static_cast<std::uint32_t>(FixedSize(c.type)) : static_cast<std::uint32_t>(c.size));
        if (fixed)
            fixedOffset += FixedSize(c.type);
        else
            ++varIndex;
    }
    for (const Col& c : cols) {
        const Bytes name = Utf16(c.name);
        Append16(b, static_cast<std::uint32_t>(name.size()));
        b += name;
    }
    Append16(b, 0xFFFF);
    if (b.size() > kPage)
        throw std::runtime_error("table definition longer than a page");
    Put32(reinterpret_cast<unsigned char*>(b.data()) + 8, static_cast<std::uint32_t>(b.size()));
    Put16(reinterpret_cast<unsigned char*>(b.data()) + 2, static_cast<std::uint32_t>(kPage - b.size() - 8));
    std::memcpy(p, b.data(), b.size());
}

// Pages owned by a table, as a type-0 usage map: first page, then one bit per page from it.
Bytes UsageMap(const std::vector<int>& dataPages, int fallbackStart) {
    const int start = dataPages.empty() ? fallbackStart : dataPages.front();
    Bytes map;
    map.push_back(0);
    Append32(map, static_cast<std::uint32_t>(start));
    const int last = dataPages.empty() ? start : dataPages.back();
    Bytes bits(static_cast<size_t>((last - start) / 8 + 1), '\0');
    for (int p : dataPages)
        bits[static_cast<size_t>((p - start) / 8)] =
            char(bits[static_cast<size_t>((p - start) / 8)] | (1 << ((p - start) % 8)));
    return map + bits;
}

// RC4, with which the header page hides its settings.
void Rc4(const unsigned char* key, size_t keyLength, unsigned char* data, size_t length) {
    std::array<unsigned char, 256> s;
    for (int i = 0; i < 256; ++i)
        s[static_cast<size_t>(i)] = static_cast<unsigned char>(i);
    for (size_t i = 0, j = 0; i < 256; ++i) {
        j = (j + s[i] + key[i % keyLength]) & 0xFF;
        std::swap(s[i], s[j]);
    }
    for (size_t n = 0, i = 0, j = 0; n < length; ++n) {
        i = (i + 1) & 0xFF;
        j = (j + s[i]) & 0xFF;
        std::swap(s[i], s[j]);
        data[n] ^= s[(s[i] + s[j]) & 0xFF];
    }
}

void WriteHeader(unsigned char* p) {
    p[1] = 0x01;
    std::memcpy(p + 4, "Standard Jet DB", 16);
    p[0x14] = 0x01;          // Jet 4
    Put16(p + 0x3C, 1252);   // code page (not used by Jet 4 texts)
    Put16(p + 0x6E, 0x0409); // sort order: General
    static const unsigned char kKey[4] = {0xC7, 0xDA, 0x39, 0x6B};
    Rc4(kKey, 4, p + 0x18, 128);
}

std::vector<Col> ColsOf(const std::vector<JetFileWriter::Column>& columns) {
    std::vector<Col> cols;
    for (const auto& c : columns)
        cols.push_back({c.name, static_cast<unsigned char>(c.type),
                        c.type == JetFileWriter::Type::Text ? c.maxChars * 2 : 0});
    return cols;
}

} // namespace

void JetFileWriter::AddTable(const QString& name, std::vector<Column> columns, std::vector<Row> rows) {
    for (const Row& r : rows)
        if (r.size() != columns.size())
            throw std::invalid_argument("row and columns differ in number");
    tables_.push_back({name, std::move(columns), std::move(rows)});
}

std::vector<JetFileWriter::Column> JetFileWriter::CategoryColumns(int nameChars) {
    return {
        {"ID", Type::Long}, {"Parent", Type::Long}, {"Name", Type::Text, nameChars}, {"Info", Type::Memo}};
}

void JetFileWriter::Write(const QString& path) const {
    Pages pages;
    const int header = pages.New(), mapPage = pages.New(), catalogDef = pages.New(),
              catalogData = pages.New();
    (void)mapPage;

    std::vector<Bytes> maps(tables_.size() + 1);
    std::vector<int> tableDefs;
    for (size_t t = 0; t < tables_.size(); ++t) {
        const Table& table = tables_[t];
        const std::vector<Col> cols = ColsOf(table.columns);
        const int def = pages.New();
        tableDefs.push_back(def);
        RowPlacer placer(pages, static_cast<std::uint32_t>(def));
        for (const Row& r : table.rows)
            placer.Place(PackRow(cols, r, compress_, pages));
        WriteTableDef(pages.at(def), cols, static_cast<std::uint32_t>(table.rows.size()),
                      1u << 8 | static_cast<std::uint32_t>(t + 1), false);
        maps[t + 1] = UsageMap(placer.pagesUsed(), def + 1);
    }

    // The catalog: the engine's own row for itself (a system table), then one row per table.
    const std::vector<Col> catalogCols = {{"Id", 0x04, 4},   {"ParentId", 0x04, 4}, {"Name", 0x0A, 256},
                                          {"Type", 0x03, 2}, {"Flags", 0x04, 4},    {"LvProp", kOle, 0}};
    std::vector<RowCells> catalogRows;
    catalogRows.push_back({Cell::Int(catalogDef), Cell::Int(0x0F000001), Cell::Str("MSysObjects"),
                           Cell::Int(1), Cell::Int(static_cast<std::int64_t>(0x80000002u)), Cell::Null()});
    for (size_t t = 0; t < tables_.size(); ++t)
        catalogRows.push_back({Cell::Int(tableDefs[t]), Cell::Int(0x0F000001), Cell::Str(tables_[t].name),
                               Cell::Int(1), Cell::Int(0), Cell::Null()});
    RowPlacer catalog(pages, static_cast<std::uint32_t>(catalogDef));
    for (const RowCells& r : catalogRows)
        catalog.Place(PackRow(catalogCols, r, false, pages), catalogData);
    WriteTableDef(pages.at(catalogDef), catalogCols, static_cast<std::uint32_t>(catalogRows.size()), 1u << 8,
                  true);
    maps[0] = UsageMap(catalog.pagesUsed(), catalogData);

    RowPlacer mapRows(pages, 0);
    for (const Bytes& m : maps)
        mapRows.Place(m, 1);
    if (mapRows.pagesUsed().size() != 1)
        throw std::runtime_error("usage maps do not fit on one page");
    WriteHeader(pages.at(header));

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write " + path.toStdString());
    for (const Page& p : pages.all)
        file.write(reinterpret_cast<const char*>(p.data()), kPage);
}

} // namespace qj::test
