#include "TreeShapes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <cstdio>
#include <functional>
#include <string>

namespace qj::bench {

namespace {

bool Exec(sqlite3* db, const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "tree shapes: %s: %s\n", sql.c_str(), error ? error : "?");
        sqlite3_free(error);
        return false;
    }
    return true;
}

std::string Quote(const QString& identifier) {
    return "\"" + identifier.toStdString() + "\"";
}

class Inserter {
public:
    Inserter(sqlite3* db, const QString& table) {
        const std::string sql =
            "INSERT INTO " + Quote(table) + " (ID, Parent, Name, Info) VALUES (?, ?, ?, ?)";
        ok_ = sqlite3_prepare_v2(db, sql.c_str(), -1, &st_, nullptr) == SQLITE_OK;
    }
    ~Inserter() { sqlite3_finalize(st_); }
    bool Add(int id, int parent, const char* title, const char* info) {
        if (!ok_)
            return false;
        sqlite3_bind_int(st_, 1, id);
        sqlite3_bind_int(st_, 2, parent);
        sqlite3_bind_text(st_, 3, title, -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st_, 4, info, -1, SQLITE_TRANSIENT);
        ok_ = sqlite3_step(st_) == SQLITE_DONE;
        sqlite3_reset(st_);
        return ok_;
    }

private:
    sqlite3_stmt* st_ = nullptr;
    bool ok_ = false;
};

bool CreateTable(sqlite3* db, const QString& name) {
    return Exec(db, "CREATE TABLE " + Quote(name) +
                        " (ID INTEGER, Parent INTEGER, Name VARCHAR(50) NOT NULL CHECK(length(Name) <= 50), "
                        "Info TEXT)");
}

bool AddIndex(sqlite3* db, const QString& name) {
    return Exec(db, "CREATE INDEX " + Quote(name + QStringLiteral(".ID")) + " ON " + Quote(name) + " (ID)");
}

// The small category, and "帮助", without which a start would be a first run that writes the file.
bool FillSmall(sqlite3* db) {
    if (!CreateTable(db, kSmallCategory) || !CreateTable(db, kHelpCategory))
        return false;
    Inserter add(db, kSmallCategory);
    Inserter help(db, kHelpCategory);
    return add.Add(0, 0, "小", "一") && add.Add(1, 0, "小一", "二") && add.Add(2, 2, "小二", "三") &&
           help.Add(0, 0, "帮助", "说明");
}

bool FillMillion(sqlite3* db) {
    if (!CreateTable(db, kMillionCategory))
        return false;
    Inserter add(db, kMillionCategory);
    char title[32];
    char info[32];
    int id = 0;
    auto note = [&](int parent) {
        std::snprintf(title, sizeof title, "笔记%d", id);
        std::snprintf(info, sizeof info, "内容%d", id);
        return add.Add(id, parent < 0 ? id : parent, title, info) ? id++ : -1;
    };
    for (int r = 0; r < kMillionRoots; ++r) {
        const int root = note(-1);
        for (int c = 0; c < kMillionChildren && root >= 0; ++c) {
            const int child = note(root);
            for (int g = 0; g < kMillionGrandchildren && child >= 0; ++g)
                if (note(child) < 0)
                    return false;
            if (child < 0)
                return false;
        }
        if (root < 0)
            return false;
    }
    return AddIndex(db, kMillionCategory);
}

bool FillChain(sqlite3* db, int depth) {
    if (!CreateTable(db, kChainCategory))
        return false;
    Inserter add(db, kChainCategory);
    char title[32];
    for (int id = 0; id < depth; ++id) {
        std::snprintf(title, sizeof title, "第%d层", id);
        if (!add.Add(id, id == 0 ? 0 : id - 1, title, "链"))
            return false;
    }
    return AddIndex(db, kChainCategory);
}

QString Generated(const QString& fileName, const std::function<bool(sqlite3*)>& fill) {
    const QDir cache(QString::fromUtf8(QJ_BENCH_CACHE_DIR));
    const QString path = cache.filePath(fileName);
    if (QFileInfo::exists(path))
        return path;
    QDir().mkpath(cache.path());
    const QString partial = path + QStringLiteral(".partial");
    QFile::remove(partial);
    std::fprintf(stderr, "tree shapes: generating %s (once)...\n", qPrintable(path));
    sqlite3* db = nullptr;
    bool ok = sqlite3_open(QFile::encodeName(partial).constData(), &db) == SQLITE_OK &&
              Exec(db, "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF") && Exec(db, "BEGIN") &&
              FillSmall(db) && fill(db) && Exec(db, "COMMIT");
    sqlite3_close(db);
    if (!ok || !QFile::rename(partial, path)) {
        QFile::remove(partial);
        return {};
    }
    return path;
}

} // namespace

QString MillionNoteDataFile() {
    return Generated(QStringLiteral("million-notes-v2.dat"), FillMillion);
}

QString DeepChainDataFile(int depth) {
    return Generated(QStringLiteral("chain-%1-v2.dat").arg(depth),
                     [depth](sqlite3* db) { return FillChain(db, depth); });
}

} // namespace qj::bench
