#include "store/NoteSearch.h"

#include "common/Gbk.h"
#include "store/AsciiFind.h"

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <string>

namespace qj {

namespace {

// The SQL function qj_matches(text): 1 when the text matches the TextMatch given as the function's
// data, 0 otherwise and for a NULL text.
void MatchesFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const auto* match = static_cast<const TextMatch*>(sqlite3_user_data(ctx));
    sqlite3_result_int(
        ctx,
        text && Matches(*match, std::string_view(text, static_cast<size_t>(sqlite3_value_bytes(argv[0])))));
}

// Whether the table of `category` has the columns a search reads (ID, Name, and Info for the texts).
bool HasSearchedColumns(Database& db, const QString& category, SearchField field) {
    QStringList needed{QStringLiteral("ID"), QStringLiteral("Name")};
    if (field == SearchField::Content)
        needed << QStringLiteral("Info");
    Statement info(db, QStringLiteral("SELECT name FROM pragma_table_info(?1)"));
    info.Bind(1, category);
    while (info.Step())
        needed.removeIf(
            [&](const QString& column) { return column.compare(info.Text(0), Qt::CaseInsensitive) == 0; });
    return needed.isEmpty();
}

void RegisterMatches(Database& db, const TextMatch& match) {
    const int rc = sqlite3_create_function_v2(db.handle(), "qj_matches", 1, SQLITE_UTF8 | SQLITE_INNOCUOUS,
                                              const_cast<TextMatch*>(&match), &MatchesFunction, nullptr,
                                              nullptr, nullptr);
    if (rc != SQLITE_OK)
        db.Fail(rc, QStringLiteral("查找"));
}

bool IsBlankOrControl(QChar c) {
    return c.unicode() <= 0x20 || c.unicode() == 0x7F || c.category() == QChar::Other_Control;
}

bool IsWordChar(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

} // namespace

bool ContainsIgnoringAsciiCase(std::string_view haystack, std::string_view needle) {
    return FindIgnoringAsciiCase(haystack, needle) != std::string_view::npos;
}

QString TrimSearchText(const QString& typed) {
    qsizetype begin = 0;
    qsizetype end = typed.size();
    while (begin < end && IsBlankOrControl(typed[begin]))
        ++begin;
    while (end > begin && IsBlankOrControl(typed[end - 1]))
        --end;
    return typed.mid(begin, end - begin);
}

std::vector<SearchHit> SearchNotes(Database& db, const QStringList& categories, const QString& text,
                                   SearchField field) {
    if (text.isEmpty())
        return SearchNotes(db, categories, nullptr, field);
    const TextMatch match{{text.toStdString()}, nullptr};
    return SearchNotes(db, categories, &match, field);
}

std::vector<SearchHit> SearchNotes(Database& db, const QStringList& categories, const TextMatch* match,
                                   SearchField field) {
    if (match)
        RegisterMatches(db, *match);
    // Every page of every category is read: mapping the file into memory spares copying each page
    // into the engine's cache (a search takes less than half the time). Writes are not affected.
    db.Exec("PRAGMA mmap_size = 1073741824");
    const QString where =
        !match ? QString()
               : QStringLiteral(" WHERE qj_matches(%1)")
                     .arg(field == SearchField::Title ? QLatin1String("Name") : QLatin1String("Info"));
    std::vector<SearchHit> hits;
    for (const QString& category : categories) {
        const QString table = QuoteIdentifier(category);
        // A stored view lists as a category too, but its SQL is never run: it holds no notes.
        Statement kind(
            db, QStringLiteral("SELECT type = 'table' FROM sqlite_schema WHERE name = ?1 COLLATE NOCASE AND "
                               "type IN ('table','view')"));
        kind.Bind(1, category);
        if (!kind.Step())
            throw StoreError(QStringLiteral("找不到目录分类“%1”").arg(category));
        if (!kind.Int(0))
            continue;
        // Nor does a table without a category's columns (made by another program): the other
        // categories are searched all the same.
        if (!HasSearchedColumns(db, category, field))
            continue;
        // A table without record numbers (WITHOUT ROWID) is searched too; its hits cannot be opened.
        std::optional<Statement> st;
        try {
            st.emplace(
                db,
                QStringLiteral("SELECT rowid, typeof(ID) = 'integer', ID, Name FROM %1%2").arg(table, where));
        } catch (const StoreError&) {
            st.emplace(
                db,
                QStringLiteral("SELECT NULL, typeof(ID) = 'integer', ID, Name FROM %1%2").arg(table, where));
        }
        while (st->Step()) {
            SearchHit hit;
            hit.category = category;
            hit.rowid = RecordId{st->Int64(0)};
            if (st->Int(1)) // only integers are IDs
                hit.id = NoteId{st->Int64(2)};
            hit.name = st->Text(3);
            hits.push_back(std::move(hit));
        }
    }
    return hits;
}

namespace {

// Whether the UTF-8 byte at `at` begins a character the preview skips at the start: a blank, an
// ASCII control or a C1 control (C2 80 … C2 9F).
size_t SkippedAt(const std::string& bytes, size_t at) {
    const auto b = static_cast<unsigned char>(bytes[at]);
    if (b <= 0x20 || b == 0x7F)
        return 1;
    if (b == 0xC2 && at + 1 < bytes.size()) {
        const auto next = static_cast<unsigned char>(bytes[at + 1]);
        if (next >= 0x80 && next <= 0x9F)
            return 2;
    }
    return 0;
}

// The start of a note's text as the preview needs it, without reading the rest of a long text:
// from its first character that is no blank or control on, at most kPreviewReadBytes bytes (far
// more than the preview's 850 GBK bytes). A text of another type (a number) is read as text.
constexpr int kPreviewReadBytes = 4096;
QString InfoHead(Database& db, const QString& table, RecordId rowid) {
    sqlite3_blob* blob = nullptr;
    const QByteArray name = table.toUtf8();
    if (sqlite3_blob_open(db.handle(), "main", name.constData(), "Info", rowid.value(), 0, &blob) !=
        SQLITE_OK) {
        sqlite3_blob_close(blob);
        return QString();
    }
    const int size = sqlite3_blob_bytes(blob);
    constexpr int kChunk = 1 << 16;
    std::string bytes;
    int start = -1;
    for (int at = 0; at < size && start < 0; at += kChunk) {
        bytes.resize(static_cast<size_t>(std::min(kChunk, size - at)));
        if (sqlite3_blob_read(blob, bytes.data(), static_cast<int>(bytes.size()), at) != SQLITE_OK)
            break;
        for (size_t i = 0; i < bytes.size();) {
            const size_t skipped = SkippedAt(bytes, i);
            if (skipped == 0) {
                start = at + static_cast<int>(i);
                break;
            }
            i += skipped;
        }
    }
    QString head;
    if (start >= 0) {
        bytes.resize(static_cast<size_t>(std::min(kPreviewReadBytes, size - start)));
        if (sqlite3_blob_read(blob, bytes.data(), static_cast<int>(bytes.size()), start) == SQLITE_OK) {
            // The last character is dropped when the bytes end inside it.
            size_t lead = bytes.size();
            while (lead > 0 && (static_cast<unsigned char>(bytes[lead - 1]) & 0xC0) == 0x80)
                --lead;
            if (lead > 0 && start + static_cast<int>(bytes.size()) < size) {
                const auto b = static_cast<unsigned char>(bytes[lead - 1]);
                const size_t length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
                if (bytes.size() - (lead - 1) < length)
                    bytes.resize(lead - 1);
            }
            head = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
        }
    }
    sqlite3_blob_close(blob);
    return head;
}

} // namespace

std::optional<HitRecord> ReadHitRecord(Database& db, const SearchHit& hit) {
    // Info is read apart, only as far as the preview needs it: a note of hundreds of megabytes
    // would hold the window for minutes.
    Statement st(db,
                 QStringLiteral("SELECT typeof(ID) = 'integer', ID, Name, "
                                "CASE WHEN typeof(Info) IN ('integer', 'real') THEN CAST(Info AS TEXT) END, "
                                "typeof(Info) IN ('text', 'blob') FROM %1 WHERE rowid = ?1")
                     .arg(QuoteIdentifier(hit.category)));
    st.Bind(1, hit.rowid.value());
    if (!st.Step())
        return std::nullopt;
    HitRecord record;
    if (st.Int(0))
        record.id = NoteId{st.Int64(1)};
    if (record.id != hit.id)
        return std::nullopt;
    record.name = st.Text(2);
    record.info = st.Int(4) ? InfoHead(db, hit.category, hit.rowid) : st.Text(3);
    return record;
}

QString SearchPreviewText(const QString& category, const HitRecord& record) {
    qsizetype start = 0;
    while (start < record.info.size() && IsBlankOrControl(record.info[start]))
        ++start;
    const std::string text = record.info.mid(start).toStdString();
    return category + QStringLiteral("-【") + TrimSearchText(record.name) + QStringLiteral("】\r\n") +
           QString::fromStdString(GbkLeft(text, kPreviewGbkBytes)) + QStringLiteral("\r\n。。。");
}

std::vector<int> FindOccurrences(const QString& text, const QString& needle, bool matchCase, bool wholeWord) {
    std::vector<int> found;
    if (needle.isEmpty())
        return found;
    const Qt::CaseSensitivity cs = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    qsizetype from = 0;
    while (true) {
        const qsizetype at = text.indexOf(needle, from, cs);
        if (at < 0)
            break;
        const qsizetype end = at + needle.size();
        const bool wordStart = at == 0 || !IsWordChar(text[at - 1]) || !IsWordChar(text[at]);
        const bool wordEnd = end == text.size() || !IsWordChar(text[end]) || !IsWordChar(text[end - 1]);
        if (!wholeWord || (wordStart && wordEnd)) {
            found.push_back(static_cast<int>(at));
            from = end;
        } else {
            from = at + 1;
        }
    }
    return found;
}

} // namespace qj
