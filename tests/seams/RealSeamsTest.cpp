// The real launcher and sound, where a test can run them harmlessly: commands that only touch a
// temporary folder, and a WAV file played on whatever audio the machine has (often none).

#include "seams/Launcher.h"
#include "seams/QtSound.h"

#include "support/TempProgramFolder.h"
#include "support/UiHelpers.h"

#include <gtest/gtest.h>

#include <QDataStream>
#include <QFile>
#include <QTest>

namespace qj {
namespace {

TEST(DesktopLauncher, CommandLinesAreSplitAsAShellSplitsThem) {
    test::TempProgramFolder dir;
    DesktopLauncher launcher;
    ASSERT_TRUE(launcher.runCommandLine(
        QStringLiteral("touch \"%1\" %2")
            .arg(dir.filePath(QStringLiteral("with blank.txt")), dir.filePath(QStringLiteral("plain.txt")))));
    EXPECT_TRUE(test::WaitUntil([&] {
        return dir.exists(QStringLiteral("with blank.txt")) && dir.exists(QStringLiteral("plain.txt"));
    }));
    EXPECT_FALSE(dir.exists(QStringLiteral("with")));

    EXPECT_TRUE(launcher.startProgram(QStringLiteral("touch"), {QStringLiteral("started.txt")}, dir.path()));
    EXPECT_TRUE(test::WaitUntil([&] { return dir.exists(QStringLiteral("started.txt")); }));

    EXPECT_FALSE(launcher.runCommandLine(QStringLiteral("   ")));
    EXPECT_FALSE(launcher.startProgram(dir.filePath(QStringLiteral("no-such-program")), {}, {}));
}

// A short mono 16-bit PCM WAV file of silence.
QByteArray SilentWav(int samples) {
    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    const quint32 bytes = static_cast<quint32>(samples) * 2;
    out.writeRawData("RIFF", 4);
    out << quint32(36 + bytes);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << quint32(8000) << quint32(16000) << quint16(2)
        << quint16(16);
    out.writeRawData("data", 4);
    out << bytes;
    for (int i = 0; i < samples; ++i)
        out << qint16(0);
    return data;
}

TEST(QtSound, PlaysAWavFileOrRefusesAMissingOneWithoutAnAudioDevice) {
    test::TempProgramFolder dir;
    ASSERT_TRUE(dir.writeFile(QStringLiteral("Alerting.wav"), SilentWav(800)));
    QtSound sound;
    EXPECT_FALSE(sound.playWav(dir.filePath(QStringLiteral("missing.wav"))));
    EXPECT_TRUE(sound.playWav(dir.filePath(QStringLiteral("Alerting.wav"))));
    QTest::qWait(200);
    sound.stop();
    // Playing again replaces the first sound.
    EXPECT_TRUE(sound.playWav(dir.filePath(QStringLiteral("Alerting.wav"))));
    sound.beep();
    QTest::qWait(50);
}

} // namespace
} // namespace qj
