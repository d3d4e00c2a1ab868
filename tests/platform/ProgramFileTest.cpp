// Files beside the program: programs are started, everything else is a document.

#include "platform/ProgramFile.h"

#include "support/TempProgramFolder.h"

#include <gtest/gtest.h>

#include <QFile>

namespace qj {
namespace {

#ifndef Q_OS_WIN
TEST(ProgramFile, OnlyRunnableExecutablesAreStarted) {
    test::TempProgramFolder dir;
    struct Case {
        const char* name;
        QByteArray bytes;
        bool executableBit;
        bool program;
    };
    const Case cases[] = {
        {"tool",
         QByteArray("\x7f"
                    "ELF\x02\x01\x01",
                    7),
         true, true},
        {"script.sh", "#!/bin/sh\necho hi\n", true, true},
        {"reading1.chm", "ITSF\x03\x00\x00\x00", true, false}, // from a Windows disk: every file has the bit
        {"custom1.exe", "MZ\x90\x00", true, false},            // a Windows program is not run here
        {"tool-without-bit",
         QByteArray("\x7f"
                    "ELF\x02\x01\x01",
                    7),
         false, false},
        {"empty", "", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString name = QString::fromLatin1(c.name);
        ASSERT_TRUE(dir.writeFile(name, c.bytes));
        QFile::Permissions p = QFile::ReadOwner | QFile::WriteOwner;
        if (c.executableBit)
            p |= QFile::ExeOwner;
        ASSERT_TRUE(QFile::setPermissions(dir.filePath(name), p));
        EXPECT_EQ(IsProgramFile(dir.filePath(name)), c.program);
    }
    EXPECT_FALSE(IsProgramFile(dir.filePath(QStringLiteral("missing"))));
    EXPECT_FALSE(IsProgramFile(dir.path()));
}
#endif

} // namespace
} // namespace qj
