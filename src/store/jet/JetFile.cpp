#include "store/jet/JetFile.h"

#include "store/jet/JetText.h"

#include <QFile>
#include <QFileInfo>

#include <mdbtools.h>

#include <cstring>
#include <string>

namespace qj {

namespace {

constexpr char kSignature[] = "Standard Jet DB";

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

struct JetFile::Library {
    MdbHandle* mdb = nullptr;
    std::vector<MdbCatalogEntry*> entries;
    ~Library() {
        if (mdb)
            mdb_close(mdb);
    }
};

JetFile::JetFile(const QString& path) : lib_(std::make_unique<Library>()), path_(path) {
    const QString shown = QFileInfo(path).fileName();
    if (!QFileInfo(path).isFile())
        throw JetError(QStringLiteral("找不到文件“%1”").arg(path));
    if (!HasJetSignature(path))
        throw JetError(QStringLiteral("“%1”不是 Jet 数据库文件").arg(shown));
    lib_->mdb = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
    if (!lib_->mdb)
        throw JetError(QStringLiteral("无法打开 Jet 数据库文件“%1”").arg(shown));
    MdbHandle* mdb = lib_->mdb;
    switch (mdb->f->jet_version) {
    case MDB_VER_JET3:
        version_ = 3;
        // Jet 3 keeps names in the code page of the system that wrote the file: GBK for our
        // users (the library would read them as a Western code page).
        mdb_iconv_close(mdb);
        mdb->iconv_in = iconv_open("UTF-8", "GBK");
        mdb->iconv_out = iconv_open("GBK", "UTF-8");
        break;
    case MDB_VER_JET4:
        version_ = 4;
        break;
    default:
        throw JetError(QStringLiteral("“%1”不是 Jet 3 或 Jet 4 格式的数据库文件").arg(shown));
    }
    GPtrArray* catalog = mdb_read_catalog(mdb, MDB_TABLE);
    if (!catalog)
        throw JetError(QStringLiteral("读不出 Jet 数据库文件“%1”的表目录").arg(shown));
    for (guint i = 0; i < mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (!mdb_is_user_table(entry))
            continue;
        lib_->entries.push_back(entry);
        names_.append(QString::fromUtf8(entry->object_name));
    }
}

JetFile::~JetFile() = default;

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
};

QString Decode(int version, const char* bytes, size_t size) {
    const std::string_view raw(bytes, size);
    return version == 3 ? DecodeJet3Text(raw) : DecodeJet4Text(raw);
}

// The bytes of a long text whose 12-byte header starts at `header` on the current page: inline
// after the header, on one page of long values, or on a chain of them.
void ReadMemo(MdbHandle* mdb, const unsigned char* header, int fieldLength, int version, JetValue& value) {
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
        for (int steps = 0; pageRow != 0 && bytes.size() < length; ++steps) {
            void* page = nullptr;
            int start = 0;
            size_t size = 0;
            if (steps > 0x1000000 || mdb_find_pg_row(mdb, pageRow, &page, &start, &size) != 0 ||
                (chain && size < 4)) {
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
    value.text = Decode(version, bytes.data(), bytes.size());
    value.null = false;
}

} // namespace

std::vector<JetColumn> JetFile::Columns(int table) {
    const TableDef t(lib_->entries.at(static_cast<size_t>(table)), names_.at(table));
    std::vector<JetColumn> columns;
    for (guint i = 0; i < t.def->num_cols; ++i) {
        const MdbColumn* c = t.column(i);
        columns.push_back({QString::fromUtf8(c->name), KindOf(c->col_type), c->col_type});
    }
    return columns;
}

void JetFile::ReadRows(int table, const std::function<void(const JetRow&)>& take) {
    MdbHandle* mdb = lib_->mdb;
    const TableDef t(lib_->entries.at(static_cast<size_t>(table)), names_.at(table));
    // Nothing is bound: after each fetch every column tells where its value lies on the current
    // page (an empty place is NULL), and the values are read from there.
    mdb_rewind_table(t.def);
    JetRow row(t.def->num_cols);
    while (mdb_fetch_row(t.def)) {
        for (guint i = 0; i < t.def->num_cols; ++i) {
            const MdbColumn* c = t.column(i);
            JetValue& value = row[i];
            value = JetValue();
            const int length = c->cur_value_len;
            if (length <= 0)
                continue;
            const unsigned char* at = mdb->pg_buf + c->cur_value_start;
            switch (c->col_type) {
            case MDB_BYTE:
                value.integer = at[0];
                value.null = false;
                break;
            case MDB_INT:
                value.integer = static_cast<std::int16_t>(at[0] | at[1] << 8);
                value.null = false;
                break;
            case MDB_LONGINT:
                value.integer = static_cast<std::int32_t>(Int32At(at));
                value.null = false;
                break;
            case MDB_TEXT:
                value.text = Decode(version_, reinterpret_cast<const char*>(at), static_cast<size_t>(length));
                value.null = false;
                break;
            case MDB_MEMO:
                if (length >= MDB_MEMO_OVERHEAD)
                    ReadMemo(mdb, at, length, version_, value);
                break;
            default:
                break;
            }
        }
        take(row);
    }
}

} // namespace qj
