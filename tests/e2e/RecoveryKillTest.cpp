// Killed while the user types: the built program types into its note editor from a script and is
// killed outright at random instants (a handful here; QJ_RECOVERY_KILLS asks for more, see
// tools/recovery-kills.sh). After each kill the journal holds exactly the text typed up to a
// moment at most two seconds (and the time of its write) before the kill, the data file passes
// SQLite's integrity check with no note changed, and the next start, answered 恢复, puts that text
// into the editor as a change.

#include "ProgramRun.h"

#include "app/Lymain.h"
#include "app/notebook/NoteEditor.h"
#include "app/notebook/Notebook.h"
#include "store/CategoryTable.h"
#include "store/DataFile.h"
#include "store/DefaultCategory.h"
#include "store/JournalPace.h"
#include "store/RecoveryJournal.h"
#include "support/FakeServices.h"
#include "support/TempProgramFolder.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <map>

namespace qj::test {
namespace {

const QString kStored = QStringLiteral("原来的文字");
// Two seconds, and the journal's own write (a sync to the disk) on a busy machine.
constexpr qint64 kMostLossMs = kJournalDelayMs + 600;

QString TypedText() {
    const QString piece = QStringLiteral("青简札记records每一个字ab");
    return piece.repeated(20); // 400 characters
}

QString IntegrityOf(const QString& path) {
    sqlite3* db = nullptr;
    QString result;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &st, nullptr) == SQLITE_OK &&
            sqlite3_step(st) == SQLITE_ROW)
            result = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return result;
}

struct Kill {
    qint64 lossMs = 0;   // how long before the kill the first character the journal lacks was typed
    qsizetype typed = 0; // characters typed before the kill
    qsizetype kept = 0;  // characters the journal holds
};

class RecoveryKill : public ::testing::Test {
protected:
    void SetUp() override {
        const QString data = folder.filePath(QStringLiteral("dataly.dat"));
        CreateEmptyDataFile(data);
        DataFile file(data);
        file.CreateCategoryTable(QStringLiteral("帮助")); // not a first run
        file.CreateCategoryTable(QStringLiteral("日记"));
        CategoryTable(file, QStringLiteral("日记"))
            .Append(NoteId{1}, NoteId{0}, QStringLiteral("今天"), kStored);
        folder.writeIni(QStringLiteral("[Info]\r\nCurTb=日记\r\n"));
        program = InstallProgramCopy(folder.path());
    }

    // One run: typed into, killed `afterMs` after its window showed, then checked.
    Kill typeAndKill(int afterMs) {
        Kill kill;
        QProcessEnvironment env = ProgramEnvironment(runtime.path());
        env.insert(QStringLiteral("QJ_TYPE_TEXT"), TypedText());
        env.insert(QStringLiteral("QJ_TYPE_INTERVAL_MS"), QStringLiteral("15"));
        ProgramRun run(program, env);
        EXPECT_TRUE(run.waitShown());
        QThread::msleep(afterMs);
        const qint64 killedAt = QDateTime::currentMSecsSinceEpoch();
        run.crash();
        // "typed N MS" per character.
        std::map<qsizetype, qint64> typedAt;
        for (const QByteArray& line : run.output().split('\n')) {
            long long n = 0, ms = 0;
            if (std::sscanf(line.constData(), "typed %lld %lld", &n, &ms) == 2 && ms <= killedAt)
                typedAt[n] = ms;
        }
        kill.typed = typedAt.empty() ? 0 : typedAt.rbegin()->first;
        const JournalContents journal = ReadJournal(folder.filePath(QStringLiteral("dataly.recovery")));
        EXPECT_NE(journal.state, JournalRead::Refused);
        if (journal.state == JournalRead::Entry) {
            const QString text = QString::fromUtf8(journal.entry.text);
            EXPECT_TRUE(text.endsWith(kStored)) << text.toStdString();
            kill.kept = text.size() - kStored.size();
            EXPECT_EQ(text.left(kill.kept), TypedText().left(kill.kept));
        }
        if (kill.kept < kill.typed)
            kill.lossMs = killedAt - typedAt[kill.kept + 1];
        EXPECT_EQ(IntegrityOf(folder.filePath(QStringLiteral("dataly.dat"))), QStringLiteral("ok"));
        DataFile file(folder.filePath(QStringLiteral("dataly.dat")));
        EXPECT_EQ(CategoryTable(file, QStringLiteral("日记")).ReadInfo(RecordRef{RecordId{1}, NoteId{1}}),
                  kStored);
        return kill;
    }

    // The next start, answered 恢复: the journal's text in the editor, changed, nothing written.
    void restartAndRestore(const Kill& kill) {
        if (kill.kept == 0)
            return;
        FakeServices fake(folder.folder());
        fake.dialogs.answerMessage(DialogButton::Yes);
        TFmain window(fake.services());
        EXPECT_EQ(window.notebook().editor()->text(), TypedText().left(kill.kept) + kStored);
        EXPECT_TRUE(window.notebook().isDirty());
    }

    TempProgramFolder folder;
    QTemporaryDir runtime{QDir::tempPath() + QStringLiteral("/qj-runtime-XXXXXX")};
    QString program;
};

TEST_F(RecoveryKill, LosesAtMostTwoSecondsOfTyping) {
    bool ok = false;
    const int kills = std::max(1, qEnvironmentVariableIntValue("QJ_RECOVERY_KILLS", &ok));
    const int runs = ok ? kills : 4;
    Kill worst;
    for (int i = 0; i < runs; ++i) {
        const int afterMs = int(QRandomGenerator::global()->bounded(300, 6000));
        SCOPED_TRACE(afterMs);
        const Kill kill = typeAndKill(afterMs);
        EXPECT_LE(kill.lossMs, kMostLossMs) << kill.typed << " typed, " << kill.kept << " kept";
        restartAndRestore(kill);
        if (kill.lossMs > worst.lossMs)
            worst = kill;
        std::printf("kill %d after %d ms: %lld typed, %lld kept, loss %lld ms\n", i + 1, afterMs,
                    static_cast<long long>(kill.typed), static_cast<long long>(kill.kept),
                    static_cast<long long>(kill.lossMs));
        QFile::remove(folder.filePath(QStringLiteral("dataly.recovery")));
    }
    std::printf("worst loss %lld ms over %d kills\n", static_cast<long long>(worst.lossMs), runs);
}

} // namespace
} // namespace qj::test
