#include "store/jet/JetFile.h"

#include "store/jet/JetText.h"

#include <QFile>
#include <QFileInfo>

#include <mdbtools.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

namespace qj {

namespace {

constexpr char kSignature[] = "Standard Jet DB";

// mdbtools writes its warnings about damaged pages straight to standard error, a line per value
// it cannot read: they are not the program's output. While the library reads, standard error goes
// nowhere (what the file lacks shows in the result: a damaged value, or a JetError).
class QuietLibrary {
public:
    QuietLibrary() {
        std::fflush(stderr);
        const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (null < 0)
            return;
        saved_ = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
        if (saved_ >= 0 && ::dup2(null, STDERR_FILENO) < 0) {
            ::close(saved_);
            saved_ = -1;
        }
        ::close(null);
    }
    ~QuietLibrary() {
        if (saved_ < 0)
            return;
        std::fflush(stderr);
        ::dup2(saved_, STDERR_FILENO);
        ::close(saved_);
    }
    QuietLibrary(const QuietLibrary&) = delete;
    QuietLibrary& operator=(const QuietLibrary&) = delete;

private:
    int saved_ = -1;
};

// The 32-bit little-endian integer at `p`.
std::uint32_t Int32At(const unsigned char* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

JetColumnKind KindOf(int type) {
    switch (type) {
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
        return JetColumnKind::Integer;
    case MDB_TEXT:
        return JetColumnKind::Text;
    case MDB_MEMO:
        return JetColumnKind::Memo;
    default:
        return JetColumnKind::Other;
    }
}

} // namespace

bool HasJetSignature(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(4 + sizeof kSignature);
    return head.size() == int(4 + sizeof kSignature) && head.startsWith(QByteArray("\0\1\0\0", 4)) &&
           std::memcmp(head.constData() + 4, kSignature, sizeof kSignature) == 0;
}

// What reading a value needs to know of the open file.
struct JetReading {
    MdbHandle* mdb = nullptr;
    int version = 4;
    int codePage = 936;
    std::uint64_t pages = 0;
    size_t pageSize = 0;
};
JetValue ReadJetValue(const JetReading& r, const MdbColumn* c);

struct JetFile::Library {
    MdbHandle* mdb = nullptr;
    // The catalog entries of the user tables, read by the program itself (the library's own
    // catalog reading also parses every object's properties, which never ends on some damaged
    // files).
    std::vector<std::unique_ptr<MdbCatalogEntry>> entries;
    // Every loop over the file ends within these: a row table holds at most one row per two bytes
    // of a page, and a chain of long-value pages visits each page at most once.
    std::uint64_t pages = 0;
    std::uint64_t maxRows = 0;
    int codePage = 936;
    ~Library() {
        const QuietLibrary quiet;
        if (mdb)
            mdb_close(mdb);
    }
};

namespace {

// mdbtools' table definition with its columns, freed on every way out.
struct TableDef {
    MdbTableDef* def = nullptr;
    explicit TableDef(MdbCatalogEntry* entry, const QString& name) : def(mdb_read_table(entry)) {
        if (!def || !mdb_read_columns(def)) {
            mdb_free_tabledef(def);
            throw JetError(QStringLiteral("读不出 Jet 数据库文件中表“%1”的定义").arg(name));
        }
    }
    ~TableDef() { mdb_free_tabledef(def); }
    TableDef(const TableDef&) = delete;
    TableDef& operator=(const TableDef&) = delete;
    MdbColumn* column(guint i) const { return static_cast<MdbColumn*>(g_ptr_array_index(def->columns, i)); }
    // The index of the column of this name, or -1.
    int indexOf(const char* name) const {
        for (guint i = 0; i < def->num_cols; ++i)
            if (g_ascii_strcasecmp(column(i)->name, name) == 0)
                return static_cast<int>(i);
        return -1;
    }
};

// Calls `each` after every row fetched; a JetError when a table yields more rows than the file
// can hold (a damaged file whose pages lead in a circle).
template <class F> void FetchRows(const TableDef& t, std::uint64_t maxRows, const QString& name, F&& each) {
    mdb_rewind_table(t.def);
    std::uint64_t rows = 0;
    while (mdb_fetch_row(t.def)) {
        if (++rows > maxRows)
            throw JetError(QStringLiteral("Jet 数据库文件中表“%1”已损坏，读不完它的记录").arg(name));
        each();
    }
}

} // namespace

JetFile::JetFile(const QString& path) : lib_(std::make_unique<Library>()), path_(path) {
    const QString shown = QFileInfo(path).fileName();
    if (!QFileInfo(path).isFile())
        throw JetError(QStringLiteral("找不到文件“%1”").arg(path));
    if (!HasJetSignature(path))
        throw JetError(QStringLiteral("“%1”不是 Jet 数据库文件").arg(shown));
    const QuietLibrary quiet;
    lib_->mdb = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
    if (!lib_->mdb)
        throw JetError(QStringLiteral("无法打开 Jet 数据库文件“%1”").arg(shown));
    MdbHandle* mdb = lib_->mdb;
    switch (mdb->f->jet_version) {
    case MDB_VER_JET3: {
        version_ = 3;
        // Jet 3 keeps names and texts in the code page of the system that wrote the file, which
        // its header names (the library would read them as a Western code page).
        const int codePage = mdb->f->code_page;
        lib_->codePage = codePage > 0 ? codePage : 936;
        const std::string charset =
            lib_->codePage == 936 ? std::string("GBK") : "CP" + std::to_string(lib_->codePage);
        iconv_t in = iconv_open("UTF-8", charset.c_str());
        iconv_t out = iconv_open(charset.c_str(), "UTF-8");
        if (in == reinterpret_cast<iconv_t>(-1) || out == reinterpret_cast<iconv_t>(-1)) {
            if (in != reinterpret_cast<iconv_t>(-1))
                iconv_close(in);
            if (out != reinterpret_cast<iconv_t>(-1))
                iconv_close(out);
            lib_->codePage = 936;
            in = iconv_open("UTF-8", "GBK");
            out = iconv_open("GBK", "UTF-8");
        }
        mdb_iconv_close(mdb);
        mdb->iconv_in = in;
        mdb->iconv_out = out;
        break;
    }
    case MDB_VER_JET4:
        version_ = 4;
        break;
    default:
        throw JetError(QStringLiteral("“%1”不是 Jet 3 或 Jet 4 格式的数据库文件").arg(shown));
    }
    const auto pageSize = static_cast<std::uint64_t>(std::max<ssize_t>(mdb->fmt->pg_size, 512));
    lib_->pages = static_cast<std::uint64_t>(QFileInfo(path).size()) / pageSize + 1;
    lib_->maxRows = lib_->pages * (pageSize / 2);
    ReadCatalog(shown);
}

void JetFile::ReadCatalog(const QString& shown) {
    MdbHandle* mdb = lib_->mdb;
    const auto unreadable = [&] {
        return JetError(QStringLiteral("读不出 Jet 数据库文件“%1”的表目录").arg(shown));
    };
    // The engine's table of objects is on page 2.
    MdbCatalogEntry objects{};
    objects.mdb = mdb;
    objects.object_type = MDB_TABLE;
    objects.table_pg = 2;
    std::strcpy(objects.object_name, "MSysObjects");
    std::optional<TableDef> t;
    try {
        t.emplace(&objects, QStringLiteral("MSysObjects"));
    } catch (const JetError&) {
        throw unreadable();
    }
    const int id = t->indexOf("Id"), name = t->indexOf("Name"), type = t->indexOf("Type"),
              flags = t->indexOf("Flags");
    if (id < 0 || name < 0 || type < 0 || flags < 0)
        throw unreadable();
    const JetReading r = reading();
    JetRow row(t->def->num_cols);
    FetchRows(*t, lib_->maxRows, QStringLiteral("MSysObjects"), [&] {
        for (int i : {id, name, type, flags})
            row[static_cast<size_t>(i)] = ReadJetValue(r, t->column(static_cast<guint>(i)));
        const auto& n = row[static_cast<size_t>(name)];
        if (n.null || row[static_cast<size_t>(id)].null || row[static_cast<size_t>(type)].null)
            return;
        // A user table: of type table, and neither a system nor a hidden object.
        const std::int64_t kind = row[static_cast<size_t>(type)].integer & 0x7F;
        const auto objectFlags = static_cast<std::uint32_t>(row[static_cast<size_t>(flags)].integer);
        if (kind != MDB_TABLE || (objectFlags & 0x80000002U) != 0)
            return;
        auto entry = std::make_unique<MdbCatalogEntry>();
        entry->mdb = mdb;
        entry->object_type = MDB_TABLE;
        entry->table_pg = static_cast<unsigned long>(row[static_cast<size_t>(id)].integer) & 0x00FFFFFF;
        entry->flags = static_cast<int>(objectFlags);
        const QByteArray utf8 = n.text.toUtf8().left(MDB_MAX_OBJ_NAME);
        std::memcpy(entry->object_name, utf8.constData(), static_cast<size_t>(utf8.size()));
        lib_->entries.push_back(std::move(entry));
        names_.append(n.text);
    });
}

JetFile::~JetFile() = default;

namespace {

QString Decode(const JetReading& r, const char* bytes, size_t size) {
    const std::string_view raw(bytes, size);
    return r.version == 3 ? DecodeJet3Text(raw, r.codePage) : DecodeJet4Text(raw);
}

// The bytes of a long text whose 12-byte header starts at `header` on the current page: inline
// after the header, on one page of long values, or on a chain of them.
void ReadMemo(const JetReading& r, const unsigned char* header, int fieldLength, JetValue& value) {
    const std::uint32_t word = Int32At(header);
    const std::uint32_t length = word & 0x3FFFFFFF;
    std::string bytes;
    if (word & 0x80000000) {
        bytes.assign(reinterpret_cast<const char*>(header) + MDB_MEMO_OVERHEAD,
                     static_cast<size_t>(std::max(0, fieldLength - MDB_MEMO_OVERHEAD)));
    } else {
        int pageRow = static_cast<int>(Int32At(header + 4));
        const bool chain = (word & 0x40000000) == 0;
        // A chain visits each page of the file at most once; more steps mean a loop.
        for (std::uint64_t steps = 0; pageRow != 0 && bytes.size() < length; ++steps) {
            void* page = nullptr;
            int start = 0;
            size_t size = 0;
            if (steps >= r.pages || mdb_find_pg_row(r.mdb, pageRow, &page, &start, &size) != 0 ||
                (chain && size < 4) || start < 0 || static_cast<size_t>(start) + size > r.pageSize) {
                value.damaged = true;
                break;
            }
            const auto* row = static_cast<const unsigned char*>(page) + start;
            if (!chain) {
                bytes.assign(reinterpret_cast<const char*>(row), size);
                break;
            }
            bytes.append(reinterpret_cast<const char*>(row) + 4, size - 4);
            pageRow = static_cast<int>(Int32At(row));
        }
    }
    if (bytes.size() < length)
        value.damaged = true;
    if (bytes.size() > length)
        bytes.resize(length);
    value.text = Decode(r, bytes.data(), bytes.size());
    value.null = false;
}

} // namespace

// Nothing is bound: after each fetch every column tells where its value lies on the current page
// (an empty place is NULL), and the value is read from there. A place outside the page is a
// damaged row: its value is NULL and marked damaged.
JetValue ReadJetValue(const JetReading& r, const MdbColumn* c) {
    JetValue value;
    const int length = c->cur_value_len;
    if (length <= 0)
        return value;
    if (c->cur_value_start < 0 ||
        static_cast<size_t>(c->cur_value_start) + static_cast<size_t>(length) > r.pageSize) {
        value.damaged = true;
        return value;
    }
    const unsigned char* at = r.mdb->pg_buf + c->cur_value_start;
    switch (c->col_type) {
    case MDB_BYTE:
        value.integer = at[0];
        value.null = false;
        break;
    case MDB_INT:
        if (length >= 2) {
            value.integer = static_cast<std::int16_t>(at[0] | at[1] << 8);
            value.null = false;
        }
        break;
    case MDB_LONGINT:
        if (length >= 4) {
            value.integer = static_cast<std::int32_t>(Int32At(at));
            value.null = false;
        }
        break;
    case MDB_TEXT:
        value.text = Decode(r, reinterpret_cast<const char*>(at), static_cast<size_t>(length));
        value.null = false;
        break;
    case MDB_MEMO:
        if (length >= MDB_MEMO_OVERHEAD)
            ReadMemo(r, at, length, value);
        break;
    default:
        break;
    }
    return value;
}

JetReading JetFile::reading() const {
    return {lib_->mdb, version_, lib_->codePage, lib_->pages,
            static_cast<size_t>(std::min<ssize_t>(lib_->mdb->fmt->pg_size, MDB_PGSIZE))};
}

std::vector<JetColumn> JetFile::Columns(int table) {
    const QuietLibrary quiet;
    const TableDef t(lib_->entries.at(static_cast<size_t>(table)).get(), names_.at(table));
    std::vector<JetColumn> columns;
    for (guint i = 0; i < t.def->num_cols; ++i) {
        const MdbColumn* c = t.column(i);
        columns.push_back({QString::fromUtf8(c->name), KindOf(c->col_type), c->col_type});
    }
    return columns;
}

void JetFile::ReadRows(int table, const std::function<void(const JetRow&)>& take) {
    const QuietLibrary quiet;
    const TableDef t(lib_->entries.at(static_cast<size_t>(table)).get(), names_.at(table));
    const JetReading r = reading();
    JetRow row(t.def->num_cols);
    FetchRows(t, lib_->maxRows, names_.at(table), [&] {
        for (guint i = 0; i < t.def->num_cols; ++i)
            row[i] = ReadJetValue(r, t.column(i));
        take(row);
    });
}

} // namespace qj
