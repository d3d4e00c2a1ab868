#include "BigDataFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <cstdio>
#include <random>
#include <string>

namespace qj::bench {

namespace {

// Three UTF-8 bytes each plus line breaks: 8.5 kB per note, which SQLite keeps in 8.7 kB of pages;
// 57,500 notes make a file of 500 MB.
constexpr int kInfoCharacters = 2800;

std::string CategoryName(int index) {
    if (index == 0)
        return "帮助";
    char name[32];
    std::snprintf(name, sizeof name, "类别%02d", index);
    return name;
}

bool Exec(sqlite3* db, const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "big data file: %s: %s\n", sql.c_str(), error ? error : "?");
        sqlite3_free(error);
        return false;
    }
    return true;
}

std::string Quote(const std::string& identifier) {
    return "\"" + identifier + "\"";
}

// A note text of Chinese characters in lines of 40, varied so that no two notes are alike.
std::string NoteText(std::mt19937& random) {
    static const char32_t kPool[] =
        U"天地玄黄宇宙洪荒日月盈昃辰宿列张寒来暑往秋收冬藏闰余成岁律吕调阳云腾致雨露结为霜"
        U"金生丽水玉出昆冈剑号巨阙珠称夜光果珍李柰菜重芥姜海咸河淡鳞潜羽翔龙师火帝鸟官人皇";
    constexpr size_t kPoolSize = sizeof(kPool) / sizeof(kPool[0]) - 1;
    std::string text;
    text.reserve(kInfoCharacters * 3 + kInfoCharacters / 20);
    for (int i = 0; i < kInfoCharacters; ++i) {
        const char32_t c = kPool[random() % kPoolSize];
        text += static_cast<char>(0xE0 | (c >> 12));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
        if (i % 40 == 39)
            text += "\r\n";
    }
    return text;
}

bool FillCategory(sqlite3* db, const std::string& name, std::mt19937& random) {
    const std::string table = Quote(name);
    if (!Exec(db, "CREATE TABLE " + table +
                      " (ID INTEGER, Parent INTEGER, Name VARCHAR(50) NOT NULL CHECK(length(Name) <= 50), "
                      "Info TEXT)") ||
        !Exec(db, "CREATE INDEX " + Quote(name + ".ID") + " ON " + table + " (ID)"))
        return false;
    sqlite3_stmt* insert = nullptr;
    const std::string sql = "INSERT INTO " + table + " (ID, Parent, Name, Info) VALUES (?, ?, ?, ?)";
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &insert, nullptr) != SQLITE_OK)
        return false;
    bool ok = true;
    int root = 0;
    for (int id = 0; id < kBigNotesPerCategory && ok; ++id) {
        // Roots of fifty notes each, the notes under a root one or two levels deep.
        int parent = id;
        if (id % 50 == 0)
            root = id;
        else
            parent = (id % 5 == 0) ? root : id - (id % 5);
        char title[32];
        std::snprintf(title, sizeof title, "笔记%04d", id);
        const std::string info = NoteText(random);
        sqlite3_bind_int(insert, 1, id);
        sqlite3_bind_int(insert, 2, parent);
        sqlite3_bind_text(insert, 3, title, -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 4, info.data(), static_cast<int>(info.size()), SQLITE_TRANSIENT);
        ok = sqlite3_step(insert) == SQLITE_DONE;
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    return ok;
}

} // namespace

QString BigDataFile() {
    const QDir cache(QString::fromUtf8(QJ_BENCH_CACHE_DIR));
    const QString path = cache.filePath(QStringLiteral("big-500mb-v2.dat"));
    if (QFileInfo::exists(path))
        return path;
    QDir().mkpath(cache.path());
    const QString partial = path + QStringLiteral(".partial");
    QFile::remove(partial);
    std::fprintf(stderr, "big data file: generating %s (once)...\n", qPrintable(path));
    sqlite3* db = nullptr;
    bool ok = sqlite3_open(QFile::encodeName(partial).constData(), &db) == SQLITE_OK &&
              Exec(db, "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF");
    std::mt19937 random(20240210);
    for (int c = 0; c < kBigCategories && ok; ++c)
        ok = Exec(db, "BEGIN") && FillCategory(db, CategoryName(c), random) && Exec(db, "COMMIT");
    sqlite3_close(db);
    // Renamed only when complete, so that an interrupted run generates it again.
    if (!ok || !QFile::rename(partial, path)) {
        QFile::remove(partial);
        return {};
    }
    return path;
}

} // namespace qj::bench
