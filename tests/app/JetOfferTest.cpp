// A data file still kept as a Jet database (written by the test generator) at start-up: the offer
// to convert it, the summary, the converted notebook in the window, and what Yes, No and a failed
// conversion leave on disk.
#include "MainWindowFixture.h"

#include "app/CategorySelector.h"
#include "app/notebook/NoteEditor.h"
#include "app/notebook/Notebook.h"
#include "store/jet/JetSamples.h"

#include <QDir>

namespace qj::test {
namespace {

class JetOfferTest : public MainWindowTest {
protected:
    void writeJet() {
        WriteJetFile(dataPath(), SampleNotebook());
        QFile f(dataPath());
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        jet = f.readAll();
    }
    QByteArray jet;
};

TEST_F(JetOfferTest, YesConvertsKeepsTheJetFileAndOpensTheNotebook) {
    writeJet();
    ASSERT_TRUE(dir.writeIni(QStringLiteral("[Info]\r\nCurTb=日记\r\n")));
    dialogs().answerMessage(DialogButton::Yes);
    dialogs().answerMessage(DialogButton::Ok);
    TFmain& w = open();

    ASSERT_EQ(dialogs().calls().size(), 2u);
    const DialogCall& offer = dialogs().calls()[0];
    EXPECT_EQ(offer.caption, QStringLiteral("转换数据文件"));
    EXPECT_EQ(offer.icon, MessageIcon::Question);
    EXPECT_EQ(offer.buttons, (std::vector<DialogButton>{DialogButton::Yes, DialogButton::No}));
    EXPECT_TRUE(offer.text.contains(QStringLiteral("“dataly.dat”是旧的 Jet 数据库文件")))
        << offer.text.toStdString();
    EXPECT_TRUE(offer.text.contains(QStringLiteral("“dataly.dat.jet”")));
    const DialogCall& summary = dialogs().calls()[1];
    EXPECT_EQ(summary.icon, MessageIcon::Information);
    EXPECT_TRUE(summary.text.startsWith(
        QStringLiteral("数据文件已从 Jet 4 格式转换完成：4 个目录分类，310 条笔记。")))
        << summary.text.toStdString();
    EXPECT_TRUE(summary.text.contains(QStringLiteral("跳过表“联系人”")));

    EXPECT_EQ(w.categorySelector()->names(), (QStringList{"帮助", "日记", "空分类", "Many Notes"}));
    EXPECT_EQ(w.notebook().categoryName(), QStringLiteral("日记"));
    EXPECT_EQ(w.notebook().topLevelTitles(), (QStringList{"日记", "没有上级", QString(50, QChar(0x5B57))}));
    EXPECT_EQ(storedInfo(QStringLiteral("帮助"), 1), QStringLiteral("第一行\r\n第二行\r\n\r\n最后一行"));
    EXPECT_EQ(dir.readFile(QStringLiteral("dataly.dat.jet")), jet);

    // The next start opens the converted file without asking.
    TFmain& again = exitAndReopen();
    EXPECT_TRUE(dialogs().calls().empty());
    EXPECT_EQ(again.categorySelector()->names().size(), 4);
    // Beside the notebook only the kept Jet file and the running copy's lock.
    EXPECT_EQ(QDir(dir.folder().path()).entryList({"dataly.dat*"}, QDir::Files),
              (QStringList{"dataly.dat", "dataly.dat.jet", "dataly.dat.lock"}));
}

TEST_F(JetOfferTest, NoLeavesTheFileAndEndsAsForAnyFileThatIsNotOurs) {
    writeJet();
    dialogs().answerMessage(DialogButton::No);
    dialogs().answerMessage(DialogButton::Ok);
    TFmain& w = open();
    ASSERT_EQ(dialogs().calls().size(), 2u);
    const DialogCall& error = dialogs().calls()[1];
    EXPECT_EQ(error.caption, QStringLiteral("青简札记"));
    EXPECT_EQ(error.icon, MessageIcon::Error);
    EXPECT_TRUE(error.text.contains(
        QStringLiteral("dataly.dat 是旧的 Jet 数据库文件，没有转换，保持原样；不转换就不能打开它")))
        << error.text.toStdString();
    EXPECT_FALSE(error.text.contains(QStringLiteral("database"))) << "no engine text";
    EXPECT_EQ(w.categorySelector()->count(), 0);
    EXPECT_FALSE(action("actNewCategory")->isEnabled());
    closeWindow();
    EXPECT_EQ(dir.readFile(QStringLiteral("dataly.dat")), jet);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("dataly.dat.jet"))));
}

TEST_F(JetOfferTest, AFailedConversionSaysSoOnceAndLeavesTheFile) {
    // A Jet signature with nothing readable behind it.
    const QByteArray broken = QByteArray("\0\1\0\0Standard Jet DB\0\1\0\0\0", 24) + QByteArray(4072, '\0');
    ASSERT_TRUE(dir.writeFile(QStringLiteral("dataly.dat"), broken));
    dialogs().answerMessage(DialogButton::Yes);
    dialogs().answerMessage(DialogButton::Ok);
    TFmain& w = open();
    ASSERT_EQ(dialogs().calls().size(), 2u);
    const DialogCall& error = dialogs().calls()[1];
    EXPECT_EQ(error.icon, MessageIcon::Error);
    EXPECT_TRUE(error.text.startsWith(QStringLiteral("数据文件没有转换，原文件保持原样：")))
        << error.text.toStdString();
    EXPECT_EQ(w.categorySelector()->count(), 0);
    closeWindow();
    EXPECT_EQ(dir.readFile(QStringLiteral("dataly.dat")), broken);
    EXPECT_EQ(QDir(dir.folder().path()).entryList({"dataly.dat*"}, QDir::Files), QStringList{"dataly.dat"});
}

} // namespace
} // namespace qj::test
