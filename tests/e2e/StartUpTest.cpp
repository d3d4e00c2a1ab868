// The built program, started as a user starts it: first run in a fresh program folder, the
// single-copy rule between processes, and start-up after a crash.

#include "ProgramRun.h"

#include "shell/FileVersion.h"
#include "support/Printers.h"
#include "support/TempProgramFolder.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>

#include <sqlite3.h>

#include <string>
#include <vector>

namespace qj::test {
namespace {

struct Note {
    long long id = -1;
    long long parent = -1;
    QString name;
    QString info;
    bool infoIsNull = false;
};

struct DataFileContents {
    QStringList tables;
    std::vector<Note> helpNotes;
};

// Reads the data file with SQLite itself, read-only, while the program may still have it open.
DataFileContents ReadDataFile(const QString& path) {
    DataFileContents out;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) !=
        SQLITE_OK) {
        ADD_FAILURE() << "cannot open " << path.toStdString() << ": " << sqlite3_errmsg(db);
        sqlite3_close(db);
        return out;
    }
    auto text = [](sqlite3_stmt* s, int col) {
        const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(s, col));
        return bytes ? QString::fromUtf8(bytes, sqlite3_column_bytes(s, col)) : QString();
    };
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY rowid", -1,
                           &stmt, nullptr) == SQLITE_OK)
        while (sqlite3_step(stmt) == SQLITE_ROW)
            out.tables << text(stmt, 0);
    sqlite3_finalize(stmt);
    if (out.tables.contains(QStringLiteral("帮助")) &&
        sqlite3_prepare_v2(db, "SELECT ID, Parent, Name, Info FROM \"帮助\" ORDER BY rowid", -1, &stmt,
                           nullptr) == SQLITE_OK) {
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            Note note;
            note.id = sqlite3_column_int64(stmt, 0);
            note.parent = sqlite3_column_int64(stmt, 1);
            note.name = text(stmt, 2);
            note.info = text(stmt, 3);
            note.infoIsNull = sqlite3_column_type(stmt, 3) == SQLITE_NULL;
            out.helpNotes.push_back(note);
        }
        sqlite3_finalize(stmt);
    }
    sqlite3_close(db);
    return out;
}

// The value of a key in a section of settings text, or nothing.
std::optional<QString> IniValue(const QString& ini, const QString& section, const QString& key) {
    QString current;
    for (QString line : ini.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")))) {
        line = line.trimmed();
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            current = line.mid(1, line.size() - 2).trimmed();
        } else if (current.compare(section, Qt::CaseInsensitive) == 0) {
            const qsizetype eq = line.indexOf(QLatin1Char('='));
            if (eq > 0 && line.left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0)
                return line.mid(eq + 1).trimmed();
        }
    }
    return std::nullopt;
}

QString Utf8File(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

class StartUp : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        ASSERT_TRUE(runtime.isValid());
        ASSERT_TRUE(folder.copyDataFile());
        ASSERT_TRUE(folder.copyReadme());
        program = InstallProgramCopy(folder.path());
        ASSERT_FALSE(program.isEmpty());
    }

    std::unique_ptr<ProgramRun> start(const QString& path, const QStringList& arguments = {}) {
        return std::make_unique<ProgramRun>(path, ProgramEnvironment(runtime.path()), arguments);
    }

    TempProgramFolder folder;
    QTemporaryDir runtime{QDir::tempPath() + QStringLiteral("/qj-runtime-XXXXXX")};
    QString program;
};

TEST_F(StartUp, FirstRunFilesTheGuideAsTheOneNoteOfHelpAndRemembersIt) {
    auto run = start(program);
    ASSERT_TRUE(run->waitShown()) << "the program did not show its main window; it wrote:\n"
                                  << run->errors().toStdString();
    EXPECT_TRUE(run->running());

    const DataFileContents data = ReadDataFile(folder.filePath(QStringLiteral("dataly.dat")));
    EXPECT_TRUE(data.tables.contains(QStringLiteral("帮助")))
        << data.tables.join(QLatin1Char(',')).toStdString();
    ASSERT_EQ(data.helpNotes.size(), 1u);
    const Note& note = data.helpNotes[0];
    EXPECT_EQ(note.id, 0);
    EXPECT_EQ(note.parent, 0);
    EXPECT_EQ(note.name, QStringLiteral("帮助"));
    const QString guide = Utf8File(folder.filePath(QStringLiteral("readme.txt")));
    ASSERT_FALSE(guide.isEmpty());
    EXPECT_EQ(note.info, guide);

    EXPECT_EQ(IniValue(folder.readIniText(), QStringLiteral("Info"), QStringLiteral("CurTb")),
              std::optional<QString>(QStringLiteral("帮助")));

    // Ended by the system rather than by "退出系统" (as at the end of a session), the program
    // closes in order and leaves the settings file as it was.
    const QByteArray iniBefore = folder.readIni();
    run->end();
    EXPECT_EQ(run->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(run->exitCode(), 0);
    EXPECT_EQ(folder.readIni(), iniBefore);

    // The next start is no first run: nothing is filed twice.
    auto again = start(program);
    ASSERT_TRUE(again->waitShown());
    EXPECT_EQ(ReadDataFile(folder.filePath(QStringLiteral("dataly.dat"))).helpNotes.size(), 1u);
}

TEST_F(StartUp, SecondCopyEndsAtOnceWithoutAWordWhileTheFirstRuns) {
    auto first = start(program);
    ASSERT_TRUE(first->waitShown()) << first->errors().toStdString();

    // The same program file, and a copy installed in another folder: one copy per user.
    TempProgramFolder elsewhere;
    ASSERT_TRUE(elsewhere.copyDataFile());
    const QString otherProgram = InstallProgramCopy(elsewhere.path());
    for (const QString& path : {program, otherProgram}) {
        SCOPED_TRACE(path.toStdString());
        QElapsedTimer clock;
        clock.start();
        auto second = start(path);
        ASSERT_TRUE(second->waitEnded(5000)) << "the second copy keeps running";
        EXPECT_LT(clock.elapsed(), 3000);
        EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(second->exitCode(), 0);
        EXPECT_FALSE(second->output().contains("shown")) << "the second copy showed a window";
        EXPECT_TRUE(first->running());
    }
    // The second copy in the other folder did not touch its data file.
    EXPECT_FALSE(ReadDataFile(elsewhere.filePath(QStringLiteral("dataly.dat")))
                     .tables.contains(QStringLiteral("帮助")));
}

TEST_F(StartUp, WindowOptionsStartTheProgramOrGoToTheRunningCopy) {
    // An option nobody knows: one line on stderr, status 2, nothing started.
    auto wrong = start(program, {QStringLiteral("--calender")});
    ASSERT_TRUE(wrong->waitEnded(10000));
    EXPECT_EQ(wrong->exitCode(), 2);
    EXPECT_EQ(wrong->errors().count('\n'), 1) << wrong->errors().toStdString();
    EXPECT_TRUE(wrong->errors().contains("--calender"));
    EXPECT_FALSE(wrong->output().contains("shown"));
    EXPECT_FALSE(folder.exists(QStringLiteral("Jotterly.ini")));

    auto first = start(program, {QStringLiteral("--calendar")});
    ASSERT_TRUE(first->waitShown()) << first->errors().toStdString();
    auto second = start(program, {QStringLiteral("--calendar")});
    ASSERT_TRUE(second->waitEnded(5000)) << "the second copy keeps running";
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_TRUE(first->running());
    auto alert = start(program, {QStringLiteral("--alert")});
    ASSERT_TRUE(alert->waitEnded(5000)) << "the copy asking for the alert window keeps running";
    EXPECT_EQ(alert->exitCode(), 0);
    EXPECT_TRUE(first->running());
}

TEST_F(StartUp, ACrashedCopyDoesNotKeepTheNextOneFromStarting) {
    auto first = start(program);
    ASSERT_TRUE(first->waitShown()) << first->errors().toStdString();
    first->crash();

    auto next = start(program);
    EXPECT_TRUE(next->waitShown()) << next->errors().toStdString();
    EXPECT_TRUE(next->running());
}

TEST(ProgramFile, CarriesThisReleasesFileVersion) {
    EXPECT_EQ(ReadFileVersion(BuiltProgramPath()), QStringLiteral("1.2.12.41"));
}

} // namespace
} // namespace qj::test
