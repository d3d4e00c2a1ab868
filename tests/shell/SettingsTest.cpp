#include "shell/Settings.h"
#include "shell/SettingsStore.h"

#include "common/Gbk.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace qj;

namespace {

class SettingsTest : public ::testing::Test {
protected:
    void Write(const std::string& gbk) {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(gbk.data(), static_cast<qint64>(gbk.size()));
    }
    QString path() const { return dir.filePath(QString::fromUtf8(kSettingsFileName)); }
    QTemporaryDir dir;
};

} // namespace

TEST_F(SettingsTest, FreshInstallationDefaults) {
    const Settings s = SettingsStore(path()).read();
    EXPECT_TRUE(s.toolBar);
    EXPECT_TRUE(s.listBar);
    EXPECT_TRUE(s.autoLine);
    EXPECT_EQ(s.currentTable, QStringLiteral("帮助"));
    EXPECT_EQ(s.fontName, QStringLiteral("宋体"));
    EXPECT_EQ(s.fontSize, 12);
    EXPECT_EQ(s.fontColor, 0);
    EXPECT_EQ(s.backColor, -16777192);
    EXPECT_EQ(s.lineFontColor, 16711680);
    EXPECT_EQ(s.lineBackColor, -16777192);
    EXPECT_TRUE(s.skinIndex.isEmpty());
    EXPECT_FALSE(SkinIndex(s).has_value());
}

TEST_F(SettingsTest, StoredZeroAndJunkFallBackToDefaults) {
    Write(Utf8ToGbk("[Settings]\r\nToolBar=0\r\nListBar=junk\r\nAutoLine=2\r\n[Info]\r\nCurTb=\r\n"
                    "[Font]\r\nName=\r\nSize=0\r\nColor=255\r\n[Back]\r\nColor=0\r\nNowlinefontColor=0\r\n"
                    "NowlinebkColor=0x00FF00\r\n[SkinFile]\r\nName=skin02.skn\r\nIndex=x\r\n"));
    const Settings s = SettingsStore(path()).read();
    EXPECT_FALSE(s.toolBar);
    EXPECT_TRUE(s.listBar);   // no integer: default
    EXPECT_FALSE(s.autoLine); // any value but 1 turns wrapping off
    EXPECT_EQ(s.currentTable, QStringLiteral("帮助"));
    EXPECT_EQ(s.fontName, QStringLiteral("宋体"));
    EXPECT_EQ(s.fontSize, 12);
    EXPECT_EQ(s.fontColor, 255);
    EXPECT_EQ(s.backColor, kTooltipColor); // black is not kept as background
    EXPECT_EQ(s.lineFontColor, ColorRef(0, 0, 255));
    EXPECT_EQ(s.lineBackColor, 0xFF00);
    EXPECT_EQ(s.skinName, QStringLiteral("skin02.skn"));
    EXPECT_FALSE(SkinIndex(s).has_value()); // ignored, not fatal
}

TEST_F(SettingsTest, SavedValuesComeBackAndCurTbIsLeftAlone) {
    SettingsStore ini(path());
    ini.saveStartupCategory(QStringLiteral("日记"));
    ini.saveSkinChoice(QStringLiteral("skin03.skn"), 3);
    Settings s;
    s.toolBar = false;
    s.autoLine = false;
    s.fontName = QStringLiteral("楷体");
    s.fontSize = 16;
    s.fontColor = ColorRef(10, 20, 30);
    s.backColor = ColorRef(255, 255, 255);
    s.lineBackColor = kTooltipColor;
    s.currentTable = QStringLiteral("不应写入");
    ini.saveAtExit(s);
    const Settings back = ini.read();
    EXPECT_FALSE(back.toolBar);
    EXPECT_TRUE(back.listBar);
    EXPECT_FALSE(back.autoLine);
    EXPECT_EQ(back.currentTable, QStringLiteral("日记"));
    EXPECT_EQ(back.fontName, QStringLiteral("楷体"));
    EXPECT_EQ(back.fontSize, 16);
    EXPECT_EQ(back.fontColor, ColorRef(10, 20, 30));
    EXPECT_EQ(back.backColor, 0xFFFFFF);
    EXPECT_EQ(back.lineBackColor, kTooltipColor);
    EXPECT_EQ(SkinIndex(back), 3);
    EXPECT_EQ(ProfileFile(path()).ReadString(QStringLiteral("Back"), QStringLiteral("NowlinebkColor")),
              QStringLiteral("-16777192"));
    EXPECT_EQ(ProfileFile(path()).ReadString(QStringLiteral("Settings"), QStringLiteral("AutoLine")),
              QStringLiteral("0"));
}

// The editor's options are kept within the options dialog's limits (a number beyond them reads as
// the nearest limit), switches read as stored, missing keys keep the defaults, and what is written
// reads back.
TEST_F(SettingsTest, EditorOptionsAreClampedToTheDialogsLimitsAndComeBack) {
    const struct {
        const char* tabWidth;
        const char* edge;
        const char* gutter;
        int tabs, edgeColumn;
        bool gutterShown;
    } cases[] = {
        {"0", "9", "0", 1, 10, false},    {"1", "10", "1", 1, 10, true}, {"16", "500", "2", 16, 500, true},
        {"17", "501", "", 16, 500, true}, {"x", "", "x", 4, 80, true},
    };
    for (const auto& c : cases) {
        Write("[EditorOptions]\r\nTabWidth=" + std::string(c.tabWidth) + "\r\nEdgeColumn=" + c.edge +
              "\r\nGutter=" + c.gutter + "\r\n");
        const EditorOptions o = SettingsStore(path()).readEditorOptions();
        EXPECT_EQ(o.tabWidth, c.tabs) << c.tabWidth;
        EXPECT_EQ(o.edgeColumn, c.edgeColumn) << c.edge;
        EXPECT_EQ(o.gutterShown, c.gutterShown) << c.gutter;
        EXPECT_TRUE(o.autoIndent && o.trimTrailingBlanks && o.caretPastLineEnd);
    }
    SettingsStore ini(path());
    const EditorOptions chosen{7, false, false, false, false, 72};
    ini.saveEditorOptions(chosen);
    EXPECT_EQ(ini.readEditorOptions(), chosen);
}

TEST_F(SettingsTest, FontSizesOutOfRangeOrMalformedReadAsTheDefault) {
    const struct {
        std::string stored;
        int size;
    } cases[] = {
        {"3", 12},
        {"4", 4},
        {"400", 400},
        {"401", 12},
        {"5000", 12},
        {"2147483647", 12},
        {"-12", 12},
        {"0x10", 16},
        {std::string("1\0 2", 4), 12},
        {std::string("14\0", 3), 12},
        {"", 12},
    };
    for (const auto& c : cases) {
        const std::string file = "[Font]\r\nSize=" + c.stored + "\r\nName=楷体\r\n";
        Write(file);
        const Settings s = SettingsStore(path()).read();
        EXPECT_EQ(s.fontSize, c.size) << c.stored;
        EXPECT_EQ(s.fontName, QStringLiteral("楷体")) << c.stored;
        // Reading never writes: the file keeps what the user wrote.
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll().toStdString(), file);
    }
}

TEST_F(SettingsTest, DivinationChoicesAreOffUnlessStoredOneAndComeBack) {
    const struct {
        const char* stored;
        bool on;
    } cases[] = {{nullptr, false}, {"0", false}, {"1", true}, {"2", false}, {"-1", false}, {"x", false}};
    for (const auto& c : cases) {
        Write(c.stored ? "[Divination]\r\nReportAnalysis=" + std::string(c.stored) + "\r\nChangedPalace=" +
                             std::string(c.stored) + "\r\nBodyRule=" + std::string(c.stored) + "\r\n"
                       : std::string("[Settings]\r\nToolBar=1\r\n"));
        const DivinationSettings d = SettingsStore(path()).readDivination();
        EXPECT_EQ(d.reportAnalysis, c.on) << (c.stored ? c.stored : "missing");
        EXPECT_EQ(d.changedOwnPalace, c.on) << (c.stored ? c.stored : "missing");
        EXPECT_EQ(d.shiBody, c.on) << (c.stored ? c.stored : "missing");
    }
    SettingsStore ini(path());
    for (const DivinationSettings chosen :
         {DivinationSettings{true, false, false}, DivinationSettings{false, true, false},
          DivinationSettings{false, false, true}}) {
        ini.saveDivination(chosen);
        EXPECT_EQ(ini.readDivination(), chosen);
        EXPECT_TRUE(ini.read().toolBar); // the rest of the file stays
    }
}

TEST_F(SettingsTest, SearchOptionsAreOffUnlessStoredOneAndComeBack) {
    const struct {
        const char* stored;
        bool on;
    } cases[] = {{nullptr, false}, {"0", false}, {"1", true}, {"2", false}, {"x", false}};
    for (const auto& c : cases) {
        const std::string v = c.stored ? c.stored : "";
        Write(c.stored ? "[Search]\r\nWords=" + v + "\r\nVariants=" + v + "\r\nPinyin=" + v +
                             "\r\nContext=" + v + "\r\n"
                       : std::string("[Settings]\r\nToolBar=1\r\n"));
        EXPECT_EQ(SettingsStore(path()).readSearch(), (SearchSettings{c.on, c.on, c.on, c.on})) << v;
    }
    SettingsStore ini(path());
    for (const SearchSettings chosen :
         {SearchSettings{true, false, false, false}, SearchSettings{false, true, false, false},
          SearchSettings{false, false, true, false}, SearchSettings{false, false, false, true}}) {
        ini.saveSearch(chosen);
        EXPECT_EQ(ini.readSearch(), chosen);
        EXPECT_TRUE(ini.read().toolBar); // the rest of the file stays
    }
}
