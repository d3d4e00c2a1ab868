// The real launcher and sound, where a test can run them harmlessly: commands that only touch a
// temporary folder, and a WAV file played on whatever audio the machine has (often none).

#include "seams/Launcher.h"
#include "seams/QtSound.h"

#include "support/TempProgramFolder.h"
#include "support/UiHelpers.h"

#include <gtest/gtest.h>

#include <QAudioDevice>
#include <QDataStream>
#include <QFile>
#include <QMediaDevices>
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

// A command run to its end tells how it ended: what the alert's session actions rely on to report
// a refused power-off or log-off instead of ending the program anyway.
TEST(DesktopLauncher, RunToEndReportsHowTheCommandEnded) {
    test::TempProgramFolder dir;
    DesktopLauncher launcher;
    EXPECT_TRUE(launcher.runToEnd(QStringLiteral("touch"), {dir.filePath(QStringLiteral("ran.txt"))}));
    EXPECT_TRUE(dir.exists(QStringLiteral("ran.txt"))); // finished before it returned
    EXPECT_FALSE(launcher.runToEnd(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("exit 1")}));
    EXPECT_FALSE(launcher.runToEnd(dir.filePath(QStringLiteral("no-such-program")), {}));
    // An empty argument reaches the program as one (it is not dropped as a split would drop it).
    EXPECT_TRUE(
        launcher.runToEnd(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("test $# -eq 2"),
                                                 QStringLiteral("sh"), QString(), QStringLiteral("x")}));
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

// A file is played where there is a sound device; without one (no sound server) even a playable
// file is refused, so that the caller beeps instead of staying silent.
TEST(QtSound, PlaysAWavFileOnlyWhereASoundDeviceIsThere) {
    test::TempProgramFolder dir;
    ASSERT_TRUE(dir.writeFile(QStringLiteral("Alerting.wav"), SilentWav(800)));
    QtSound sound;
    const bool device = !QMediaDevices::defaultAudioOutput().isNull();
    EXPECT_FALSE(sound.playWav(dir.filePath(QStringLiteral("missing.wav"))));
    EXPECT_EQ(sound.playWav(dir.filePath(QStringLiteral("Alerting.wav"))), device);
    QTest::qWait(200);
    sound.stop();
    // Playing again replaces the first sound.
    EXPECT_EQ(sound.playWav(dir.filePath(QStringLiteral("Alerting.wav"))), device);
    sound.beep();
    QTest::qWait(50);
}

TEST(QtSound, OnlyWavFilesOfPlayableSamplesArePlayed) {
    const QByteArray pcm = SilentWav(8);
    QByteArray floating = pcm;
    floating[20] = 3; // IEEE float samples
    QByteArray compressed = pcm;
    compressed[20] = 0x55; // MP3 inside a WAV wrapper
    QByteArray afterList = pcm.left(12) +
                           QByteArray("LIST\x04\x00\x00\x00"
                                      "abcd",
                                      12) +
                           pcm.mid(12);
    struct Case {
        const char* what;
        QByteArray head;
        bool playable;
    };
    const Case cases[] = {
        {"PCM", pcm, true},
        {"floating point", floating, true},
        {"format chunk after another chunk", afterList, true},
        {"compressed samples", compressed, false},
        {"cut inside the format chunk", pcm.left(30), false},
        {"no format chunk", pcm.left(12), false},
        {"an MP3 file renamed", QByteArray("ID3\x03\x00\x00\x00\x00\x00\x00", 10), false},
        {"a text file", QByteArray("RIFF is a file format"), false},
        {"empty", QByteArray(), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(IsPlayableWav(c.head), c.playable);
    }

    test::TempProgramFolder dir;
    ASSERT_TRUE(dir.writeFile(QStringLiteral("Alerting.wav"), "not a sound at all"));
    QtSound sound;
    EXPECT_FALSE(sound.playWav(dir.filePath(QStringLiteral("Alerting.wav"))));
}

// The program ships its own alarm sound, and it is one the sound effect can play.
TEST(QtSound, ShippedAlarmSoundIsPlayable) {
    QFile file(test::TempProgramFolder::buildBinFolder() + QStringLiteral("/Alerting.wav"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(IsPlayableWav(bytes));
    // About two seconds of 16-bit mono sound at 22 050 Hz: short, not silent.
    EXPECT_GT(bytes.size(), 22050);
    EXPECT_LT(bytes.size(), 22050 * 2 * 3);
    qint64 loudest = 0;
    for (qsizetype i = 44; i + 1 < bytes.size(); i += 2)
        loudest = std::max<qint64>(loudest, std::abs(qint16(quint8(bytes[i]) | quint8(bytes[i + 1]) << 8)));
    EXPECT_GT(loudest, 8000);
    EXPECT_LT(loudest, 32767); // no clipping
}

} // namespace
} // namespace qj
