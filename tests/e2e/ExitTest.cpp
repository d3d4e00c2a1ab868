// "退出系统" ends the process whatever windows are open: every ordered pair of the windows a user
// can open from the main window, then 退出系统, in real processes of the built program.

#include "ProgramRun.h"

#include "support/TempProgramFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <memory>
#include <vector>

namespace qj::test {
namespace {

// The actions that open a window; the about box and the category manager are modal.
const char* const kWindowActions[] = {"actCnDate", "actPaiGua", "actAlert",          "actFindall",
                                      "actAbout",  "actGuaMap", "actCategoryManager"};

struct Copy {
    QString first, second;
    std::unique_ptr<TempProgramFolder> folder = std::make_unique<TempProgramFolder>();
    std::unique_ptr<QTemporaryDir> runtime =
        std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/qj-runtime-XXXXXX"));
    std::unique_ptr<ProgramRun> run;
};

void StartCopy(Copy& copy, const QStringList& actions) {
    ASSERT_TRUE(copy.folder->copyDataFile());
    const QString program = InstallProgramCopy(copy.folder->path());
    ASSERT_FALSE(program.isEmpty());
    QProcessEnvironment env = ProgramEnvironment(copy.runtime->path());
    env.insert(QStringLiteral("QJ_RUN_ACTIONS"), actions.join(QLatin1Char(',')));
    copy.run = std::make_unique<ProgramRun>(program, env);
}

TEST(Exit, EndsTheProcessWithEveryPairOfWindowsOpen) {
    std::vector<Copy> copies;
    for (const char* first : kWindowActions)
        for (const char* second : kWindowActions)
            if (first != second) {
                Copy& copy = copies.emplace_back();
                copy.first = QString::fromLatin1(first);
                copy.second = QString::fromLatin1(second);
            }
    // A few copies at a time, each with its own folder and runtime folder.
    constexpr size_t kAtOnce = 6;
    for (size_t start = 0; start < copies.size(); start += kAtOnce) {
        const size_t end = std::min(copies.size(), start + kAtOnce);
        for (size_t i = start; i < end; ++i)
            StartCopy(copies[i], {copies[i].first, copies[i].second, QStringLiteral("actExit")});
        for (size_t i = start; i < end; ++i) {
            Copy& copy = copies[i];
            SCOPED_TRACE((copy.first + QLatin1Char('+') + copy.second).toStdString());
            ASSERT_TRUE(copy.run);
            const bool ended = copy.run->waitEnded(20000);
            const QByteArray out = copy.run->output();
            EXPECT_TRUE(ended) << "still running after 退出系统; it wrote:\n" << out.toStdString();
            for (const QString& name : {copy.first, copy.second, QStringLiteral("actExit")})
                EXPECT_TRUE(out.contains(("triggered " + name + "\n").toUtf8())) << out.toStdString();
            if (ended) {
                EXPECT_EQ(copy.run->exitStatus(), QProcess::NormalExit);
                EXPECT_EQ(copy.run->exitCode(), 0);
                // 退出系统 wrote the settings file on its way out.
                EXPECT_TRUE(copy.folder->exists(QStringLiteral("Jotterly.ini")));
            }
            copy.run.reset(); // ends it if it still runs
        }
    }
}

// Two copies that do not meet through the single-copy socket (different runtime folders, as in
// two sessions of one user) still never both open one data file: the second says so and never
// shows its window. After a crash of the first, the next copy takes the lock over.
TEST(DataFileLock, ASecondCopyWithAnotherRuntimeFolderLeavesTheDataFileAlone) {
    TempProgramFolder folder;
    ASSERT_TRUE(folder.copyDataFile());
    const QString program = InstallProgramCopy(folder.path());
    ASSERT_FALSE(program.isEmpty());
    auto runtime = [] {
        return std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/qj-runtime-XXXXXX"));
    };
    const auto runtimeA = runtime(), runtimeB = runtime(), runtimeC = runtime();

    auto first = std::make_unique<ProgramRun>(program, ProgramEnvironment(runtimeA->path()));
    ASSERT_TRUE(first->waitShown()) << first->errors().toStdString();
    EXPECT_TRUE(folder.exists(QStringLiteral("dataly.dat.lock")));

    ProgramRun second(program, ProgramEnvironment(runtimeB->path()));
    EXPECT_FALSE(second.waitShown(4000)) << "a second copy opened the data file the first holds";
    EXPECT_TRUE(first->running());
    second.crash(); // it waits on its message box

    first->crash(); // the lock stays behind, naming a process that no longer runs
    EXPECT_TRUE(folder.exists(QStringLiteral("dataly.dat.lock")));
    ProgramRun third(program, ProgramEnvironment(runtimeC->path()));
    EXPECT_TRUE(third.waitShown()) << "a stale lock kept the next copy out: " << third.errors().toStdString();
}

} // namespace
} // namespace qj::test
