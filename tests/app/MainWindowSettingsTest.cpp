// The settings file as the main window applies it at start and writes it on "退出系统".

#include "MainWindowFixture.h"

#include "app/notebook/NoteEditor.h"
#include "app/notebook/Notebook.h"
#include "common/Gbk.h"
#include "shell/FontFamilies.h"
#include "support/UiHelpers.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QMenu>
#include <QTabWidget>
#include <QToolBar>
#include <QToolTip>

#include <algorithm>

namespace qj::test {
namespace {

struct Switch {
    const char* what;
    const char* key;
    std::function<void(TFmain&)> turnOff;
    std::function<bool(TFmain&)> isOn; // the switch as the user sees it
};

TEST_F(MainWindowTest, SwitchesTurnedOffStayOffAtTheNextStart) {
    const Switch switches[] = {
        {"toolbar", "ToolBar", [](TFmain& w) { TriggerAction(&w, QStringLiteral("actToolBar")); },
         [](TFmain& w) {
             const bool shown = !w.findChild<QToolBar*>(QStringLiteral("ToolBar1"))->isHidden();
             EXPECT_EQ(shown, FindAction(&w, QStringLiteral("actToolBar"))->isChecked());
             return shown;
         }},
        {"left column", "ListBar", [](TFmain& w) { TriggerAction(&w, QStringLiteral("actListBar")); },
         [](TFmain& w) {
             const bool shown = !w.findChild<QTabWidget*>(QStringLiteral("PageControl1"))->isHidden();
             EXPECT_EQ(shown, FindAction(&w, QStringLiteral("actListBar"))->isChecked());
             return shown;
         }},
        {"wrap at 80", "AutoLine",
         [](TFmain& w) { w.findChild<QCheckBox*>(QStringLiteral("ChkBox"))->click(); },
         [](TFmain& w) {
             const bool ticked = w.findChild<QCheckBox*>(QStringLiteral("ChkBox"))->isChecked();
             EXPECT_EQ(ticked, w.notebook().editor()->wrapMode() != QsciScintilla::WrapNone);
             return ticked;
         }},
    };
    makeDataFile({});
    for (const Switch& s : switches) {
        SCOPED_TRACE(s.what);
        TFmain& first = open();
        ASSERT_TRUE(s.isOn(first));
        s.turnOff(first);
        EXPECT_FALSE(s.isOn(first));
        TFmain& second = exitAndReopen();
        EXPECT_EQ(iniValue(QStringLiteral("Settings"), QString::fromLatin1(s.key)), QStringLiteral("0"));
        EXPECT_FALSE(s.isOn(second));
        // And back on.
        s.turnOff(second);
        EXPECT_TRUE(s.isOn(second));
        exitAndReopen();
        EXPECT_EQ(iniValue(QStringLiteral("Settings"), QString::fromLatin1(s.key)), QStringLiteral("1"));
        EXPECT_TRUE(s.isOn(*window));
        closeWindow();
    }
}

TEST_F(MainWindowTest, ExitWritesTheSettingsOfAFreshInstallation) {
    makeDataFile({});
    open();
    window->actExitExecute();
    const std::pair<const char*, const char*> expected[] = {
        {"Settings/ToolBar", "1"},
        {"Settings/ListBar", "1"},
        {"Settings/AutoLine", "1"},
        {"Font/Name", "宋体"},
        {"Font/Size", "12"},
        {"Font/Color", "0"},
        {"Back/Color", "-16777192"},
        {"Back/NowlinefontColor", "16711680"},
        {"Back/NowlinebkColor", "-16777192"},
    };
    for (const auto& [path, value] : expected) {
        const QStringList parts = QString::fromLatin1(path).split(QLatin1Char('/'));
        EXPECT_EQ(iniValue(parts[0], parts[1]), QString::fromUtf8(value)) << path;
    }
}

// Which of the editor's first lines show text drawn in `colour` (the active line's text colour).
std::vector<bool> LinesDrawnIn(NoteEditor* editor, const QColor& colour, int lines) {
    QCoreApplication::processEvents(); // the colouring waits for the editor's own notifications
    const QImage shot = editor->viewport()->grab().toImage();
    const int height = static_cast<int>(editor->SendScintilla(QsciScintillaBase::SCI_TEXTHEIGHT, 0UL));
    std::vector<bool> drawn;
    for (int line = 0; line < lines; ++line) {
        bool found = false;
        for (int y = line * height; y < (line + 1) * height && y < shot.height() && !found; ++y)
            for (int x = 0; x < shot.width() && !found; ++x) {
                const QColor c = shot.pixelColor(x, y);
                found = std::abs(c.red() - colour.red()) < 60 && std::abs(c.green() - colour.green()) < 60 &&
                        std::abs(c.blue() - colour.blue()) < 60;
            }
        drawn.push_back(found);
    }
    return drawn;
}

TEST_F(MainWindowTest, ActiveLineTextTakesItsColourAndFollowsTheCaret) {
    struct Case {
        const char* ini;
        QColor colour;
    };
    const Case cases[] = {
        {"", QColor(0, 0, 255)},                                 // fresh installation: blue
        {"[Back]\r\nNowlinefontColor=0\r\n", QColor(0, 0, 255)}, // 0 is "not set"
        {"[Back]\r\nNowlinefontColor=32768\r\n", QColor(0, 128, 0)},
    };
    makeDataFile({{QStringLiteral("帮助"),
                   {{0, 0, QStringLiteral("帮助"), QStringLiteral("第一行\r\n第二行\r\n第三行")}}}});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ini);
        ASSERT_TRUE(dir.writeIni(QString::fromUtf8(c.ini)));
        TFmain& w = open();
        NoteEditor* editor = w.notebook().editor();
        EXPECT_EQ(editor->caretLineForeground(), c.colour);
        editor->resize(300, 200);
        EXPECT_EQ(LinesDrawnIn(editor, c.colour, 3), (std::vector<bool>{true, false, false}));
        editor->setCursorPosition(2, 1);
        EXPECT_EQ(LinesDrawnIn(editor, c.colour, 3), (std::vector<bool>{false, false, true}));
        closeWindow();
    }

    // The colour command recolours the active line at once and is saved on exit.
    TFmain& w = open();
    dialogs().answerColor(QColor(200, 0, 0));
    ASSERT_TRUE(TriggerAction(&w, QStringLiteral("actNowlineFontColor")));
    NoteEditor* editor = w.notebook().editor();
    editor->resize(300, 200);
    EXPECT_EQ(LinesDrawnIn(editor, QColor(200, 0, 0), 3), (std::vector<bool>{true, false, false}));
    window->actExitExecute();
    EXPECT_EQ(iniValue(QStringLiteral("Back"), QStringLiteral("NowlinefontColor")), QString::number(200));
}

TEST_F(MainWindowTest, StoredColoursAndFontReachTheEditor) {
    makeDataFile({});
    // 0 is "not set" for the colours: the tooltip colour, not black.
    ASSERT_TRUE(dir.writeIni(QStringLiteral("[Font]\r\nName=宋体\r\nSize=16\r\nColor=255\r\n"
                                            "[Back]\r\nColor=0\r\nNowlinebkColor=65280\r\n")));
    TFmain& w = open();
    NoteEditor* editor = w.notebook().editor();
    const QColor tooltip = QApplication::palette().color(QPalette::Inactive, QPalette::ToolTipBase);
    EXPECT_EQ(editor->paper(), tooltip);
    EXPECT_NE(editor->paper(), QColor(Qt::black));
    EXPECT_EQ(editor->color(), QColor(255, 0, 0));
    EXPECT_EQ(editor->font().pointSize(), 16);
    if (QFontDatabase::hasFamily(QStringLiteral("AR PL SungtiL GB"))) {
        EXPECT_EQ(editor->font().family(), QStringLiteral("AR PL SungtiL GB"));
    }
    EXPECT_EQ(QToolTip::palette().color(QPalette::ToolTipBase), QColor(255, 255, 193));

    // The name the user chose is written back, not the face that draws it.
    window->actExitExecute();
    EXPECT_EQ(iniValue(QStringLiteral("Font"), QStringLiteral("Name")), QStringLiteral("宋体"));
    EXPECT_EQ(iniValue(QStringLiteral("Font"), QStringLiteral("Size")), QStringLiteral("16"));
    EXPECT_EQ(iniValue(QStringLiteral("Back"), QStringLiteral("Color")), QStringLiteral("-16777192"));
    EXPECT_EQ(iniValue(QStringLiteral("Back"), QStringLiteral("NowlinebkColor")), QStringLiteral("65280"));
}

TEST_F(MainWindowTest, ColourAndFontCommandsChangeTheEditorAndAreSaved) {
    makeDataFile({});
    TFmain& w = open();
    dialogs().answerColor(QColor(10, 20, 30));
    ASSERT_TRUE(TriggerAction(&w, QStringLiteral("actEditBKColor")));
    EXPECT_EQ(w.notebook().editor()->paper(), QColor(10, 20, 30));
    dialogs().cancelColor();
    ASSERT_TRUE(TriggerAction(&w, QStringLiteral("actNowlineFontColor")));
    QFont chosen(QStringLiteral("WenQuanYi Micro Hei"));
    chosen.setPointSize(20);
    dialogs().answerFont(chosen);
    ASSERT_TRUE(TriggerAction(&w, QStringLiteral("actEditFont")));
    EXPECT_EQ(w.notebook().editor()->font().pointSize(), 20);
    window->actExitExecute();
    EXPECT_EQ(iniValue(QStringLiteral("Back"), QStringLiteral("Color")),
              QString::number(10 + 20 * 256 + 30 * 65536));
    EXPECT_EQ(iniValue(QStringLiteral("Back"), QStringLiteral("NowlinefontColor")),
              QStringLiteral("16711680"));
    EXPECT_EQ(iniValue(QStringLiteral("Font"), QStringLiteral("Name")),
              QStringLiteral("WenQuanYi Micro Hei"));
    EXPECT_EQ(iniValue(QStringLiteral("Font"), QStringLiteral("Size")), QStringLiteral("20"));
}

// A GBK settings file naming 学习 (whose GBK bytes are also valid UTF-8): choosing a font, whose name
// is ASCII, and exiting leaves the file whole GBK, and every later start opens 学习 again.
TEST_F(MainWindowTest, StartupCategoryInAGbkFileSurvivesAFontChoice) {
    makeDataFile({
        {QStringLiteral("帮助"), {{0, 0, QStringLiteral("帮助"), QStringLiteral("说明")}}},
        {QStringLiteral("学习"), {{0, 0, QStringLiteral("英语"), QStringLiteral("单词")}}},
    });
    ASSERT_TRUE(dir.writeIni(QStringLiteral("[Info]\r\nCurTb=学习\r\n[Font]\r\nName=宋体\r\n")));
    TFmain* w = &open();
    EXPECT_EQ(w->notebook().categoryName(), QStringLiteral("学习"));
    QFont chosen(QStringLiteral("WenQuanYi Micro Hei"));
    chosen.setPointSize(14);
    dialogs().answerFont(chosen);
    ASSERT_TRUE(TriggerAction(w, QStringLiteral("actEditFont")));
    for (int start = 0; start < 2; ++start) {
        w = &exitAndReopen();
        EXPECT_EQ(w->notebook().categoryName(), QStringLiteral("学习")) << "start " << start;
    }
    const QByteArray bytes = dir.readIni();
    const std::string expectedStart =
        Utf8ToGbk("[Info]\r\nCurTb=学习\r\n[Font]\r\nName=WenQuanYi Micro Hei\r\n");
    EXPECT_EQ(bytes.left(static_cast<qsizetype>(expectedStart.size())).toStdString(), expectedStart);
}

// The font dialog starts at the editor's font, style included; bold, italic and underline apply to
// the editor for the session while the file keeps name and size; a stored name the system lacks
// stays stored when its stand-in face is confirmed.
TEST_F(MainWindowTest, FontDialogStartsAtTheEditorsFontAndItsStyleApplies) {
    const QString song = QStringLiteral("AR PL SungtiL GB");
    if (!QFontDatabase::hasFamily(song))
        GTEST_SKIP() << "the Song face is not installed";
    makeDataFile({});
    ASSERT_TRUE(dir.writeIni(QStringLiteral("[Font]\r\nName=宋体\r\nSize=14\r\n")));
    TFmain& w = open();
    QFont chosen(song);
    chosen.setPointSize(16);
    chosen.setBold(true);
    chosen.setItalic(true);
    chosen.setUnderline(true);
    dialogs().answerFont(chosen);
    ASSERT_TRUE(TriggerAction(&w, QStringLiteral("actEditFont")));
    EXPECT_EQ(dialogs().last().initialFont.family(), song);
    EXPECT_EQ(dialogs().last().initialFont.pointSize(), 14);
    EXPECT_FALSE(dialogs().last().initialFont.bold());
    const QFont shown = w.notebook().editor()->font();
    EXPECT_TRUE(shown.bold());
    EXPECT_TRUE(shown.italic());
    EXPECT_TRUE(shown.underline());
    EXPECT_EQ(shown.pointSize(), 16);
    // The next dialog starts with that style; a plain choice takes it away again.
    chosen.setBold(false);
    chosen.setItalic(false);
    chosen.setUnderline(false);
    dialogs().answerFont(chosen);
    ASSERT_TRUE(TriggerAction(&w, QStringLiteral("actEditFont")));
    EXPECT_TRUE(dialogs().last().initialFont.bold());
    EXPECT_TRUE(dialogs().last().initialFont.italic());
    EXPECT_TRUE(dialogs().last().initialFont.underline());
    EXPECT_FALSE(w.notebook().editor()->font().bold());
    window->actExitExecute();
    EXPECT_EQ(iniValue(QStringLiteral("Font"), QStringLiteral("Name")), QStringLiteral("宋体"));
    EXPECT_EQ(iniValue(QStringLiteral("Font"), QStringLiteral("Size")), QStringLiteral("16"));
}

// The font dialog carries the text colour: it starts at the stored one, and the colour confirmed
// with the font draws the text and is written to the file with the name and size at once. Cancel
// changes neither the editor nor the file.
TEST_F(MainWindowTest, FontDialogChoosesTheTextColourToo) {
    makeDataFile({{QStringLiteral("帮助"),
                   {{0, 0, QStringLiteral("帮助"), QStringLiteral("第一行\r\n第二行\r\n第三行")}}}});
    ASSERT_TRUE(dir.writeIni(QStringLiteral("[Font]\r\nName=宋体\r\nSize=14\r\nColor=255\r\n")));
    TFmain& w = open();
    NoteEditor* editor = w.notebook().editor();
    editor->resize(300, 200);
    const QColor red(255, 0, 0), green(0, 128, 0);

    // Cancel: nothing changes, on screen or in the file.
    const QByteArray fileBefore = dir.readIni();
    const QFont fontBefore = editor->font();
    dialogs().cancelFont();
    ASSERT_TRUE(TriggerAction(&w, QStringLiteral("actEditFont")));
    const DialogCall asked = dialogs().last();
    EXPECT_EQ(asked.kind, DialogKind::Font);
    EXPECT_EQ(asked.caption, QStringLiteral("选择字体"));
    EXPECT_EQ(asked.initialColor, red);
    EXPECT_EQ(asked.initialFont.pointSize(), 14);
    EXPECT_EQ(editor->color(), red);
    EXPECT_EQ(editor->font(), fontBefore);
    EXPECT_EQ(dir.readIni(), fileBefore);

    // The caret line has a colour of its own; the other lines show the text colour.
    QFont chosen = asked.initialFont;
    chosen.setPointSize(18);
    dialogs().answerFont(chosen, green);
    ASSERT_TRUE(TriggerAction(&w, QStringLiteral("actEditFont")));
    EXPECT_EQ(editor->color(), green);
    EXPECT_EQ(editor->font().pointSize(), 18);
    EXPECT_EQ(LinesDrawnIn(editor, green, 3), (std::vector<bool>{false, true, true}));
    EXPECT_EQ(iniValue(QStringLiteral("Font"), QStringLiteral("Color")), QString::number(128 << 8));
    EXPECT_EQ(iniValue(QStringLiteral("Font"), QStringLiteral("Size")), QStringLiteral("18"));
    EXPECT_EQ(iniValue(QStringLiteral("Font"), QStringLiteral("Name")), QStringLiteral("宋体"));
    EXPECT_TRUE(dialogs().callsOf(DialogKind::Message).empty());

    // The next dialog starts at the new colour; blue is stored as $00FF0000.
    dialogs().answerFont(chosen, QColor(0, 0, 255));
    ASSERT_TRUE(TriggerAction(&w, QStringLiteral("actEditFont")));
    EXPECT_EQ(dialogs().last().initialColor, green);
    EXPECT_EQ(iniValue(QStringLiteral("Font"), QStringLiteral("Color")), QStringLiteral("16711680"));

    // And the next start shows it.
    TFmain& again = exitAndReopen();
    EXPECT_EQ(again.notebook().editor()->color(), QColor(0, 0, 255));
    EXPECT_EQ(again.notebook().editor()->font().pointSize(), 18);
}

// A settings file that cannot be written: the editor still shows the choice, the user is told the
// way exit tells it, and the choice is written on exit once the file can be written again.
TEST_F(MainWindowTest, FontChoiceThatCannotBeWrittenIsReported) {
    makeDataFile({});
    TFmain& w = open();
    const QString ini = dir.filePath(QStringLiteral("Jotterly.ini"));
    QFile::remove(ini);
    // A folder where the settings file should be: no write can succeed, also for root.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Jotterly.ini")));
    QFont chosen(QStringLiteral("WenQuanYi Micro Hei"));
    chosen.setPointSize(15);
    dialogs().answerFont(chosen, QColor(0, 0, 128));
    dialogs().answerMessage(DialogButton::Ok);
    ASSERT_TRUE(TriggerAction(&w, QStringLiteral("actEditFont")));
    const DialogCall told = dialogs().last();
    EXPECT_EQ(told.kind, DialogKind::Message);
    EXPECT_EQ(told.icon, MessageIcon::Error);
    EXPECT_EQ(
        told.text,
        QStringLiteral("设置文件 %1 不能写入，这次的显示设置没有保存。").arg(QDir::toNativeSeparators(ini)));
    EXPECT_EQ(w.notebook().editor()->color(), QColor(0, 0, 128));
    EXPECT_EQ(w.notebook().editor()->font().pointSize(), 15);
    ASSERT_TRUE(QDir(dir.path()).rmdir(QStringLiteral("Jotterly.ini")));
    window->actExitExecute();
    EXPECT_EQ(iniValue(QStringLiteral("Font"), QStringLiteral("Color")), QString::number(128 << 16));
    EXPECT_EQ(iniValue(QStringLiteral("Font"), QStringLiteral("Size")), QStringLiteral("15"));
}

TEST_F(MainWindowTest, FontNamesTheSystemLacksAreDrawnWithAnInstalledFace) {
    const QString song = QStringLiteral("AR PL SungtiL GB");
    if (!QFontDatabase::hasFamily(song))
        GTEST_SKIP() << "the Song face is not installed";
    const QString fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("宋体"), song},
        {QStringLiteral("SimSun"), song},
        {QStringLiteral("simsun"), song},
        {QStringLiteral("Courier New"), fixed},
        {song, song},
        {QStringLiteral("没有这种字体"), song},
    };
    for (const auto& [stored, shown] : cases)
        EXPECT_EQ(DisplayFamilyFor(stored), shown) << stored.toStdString();
    // The Courier New stand-in gives every Latin letter one width (fontconfig may still call a face
    // with that property "dual" spacing, so its fixed-pitch flag is no guide).
    QFont standIn(DisplayFamilyFor(QStringLiteral("Courier New")));
    standIn.setPointSize(12);
    const QFontMetricsF metrics(standIn);
    EXPECT_GT(metrics.horizontalAdvance(QLatin1Char('i')), 0.0);
    EXPECT_EQ(metrics.horizontalAdvance(QLatin1Char('i')), metrics.horizontalAdvance(QLatin1Char('W')))
        << QFontInfo(standIn).family().toStdString();
}

// The start-up warning for a system without a Chinese face: none here (the test machine has
// them), and for an empty list a text a user can read without one.
TEST(ChineseFonts, TheWarningComesOnlyWithoutAChineseFaceAndNeedsNone) {
    const QStringList installed = ChineseFontFamilies();
    EXPECT_FALSE(installed.isEmpty());
    EXPECT_TRUE(NoChineseFontWarning(installed).isEmpty());
    EXPECT_TRUE(NoChineseFontWarning({QStringLiteral("Noto Sans CJK SC")}).isEmpty());
    const QString warning = NoChineseFontWarning({});
    EXPECT_TRUE(warning.contains(QStringLiteral("apt install fonts-wqy-microhei"))) << warning.toStdString();
    EXPECT_TRUE(std::all_of(warning.begin(), warning.end(), [](QChar c) { return c.unicode() < 0x80; }));
}

TEST_F(MainWindowTest, SeasonChoiceTicksItsItemOnlyWhenItsFileExists) {
    struct Case {
        const char* index;
        bool fileExists;
        const char* ticked; // empty: none
    };
    const Case cases[] = {
        {"2", false, "默认"}, {"2", true, "夏"}, {"0", false, "默认"}, {"7", true, ""}, {"abc", true, ""},
    };
    makeDataFile({});
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.index) + (c.fileExists ? " with file" : " without file"));
        ASSERT_TRUE(dir.writeIni(QStringLiteral("[SkinFile]\r\nName=skin02.skn\r\nIndex=") +
                                 QString::fromLatin1(c.index) + QStringLiteral("\r\n")));
        QDir(dir.path()).mkpath(QStringLiteral("skin"));
        if (c.fileExists)
            ASSERT_TRUE(dir.writeFile(QStringLiteral("skin/skin02.skn"), QByteArray("x")));
        else
            QFile::remove(dir.filePath(QStringLiteral("skin/skin02.skn")));
        TFmain& w = open();
        auto* menu = w.findChild<QMenu*>(QStringLiteral("menuSkin"));
        ASSERT_NE(menu, nullptr);
        QStringList ticked;
        for (QAction* a : menu->actions())
            if (a->isChecked())
                ticked << a->text();
        EXPECT_EQ(ticked.join(QLatin1Char(',')), QString::fromUtf8(c.ticked));
        EXPECT_EQ(iniValue(QStringLiteral("SkinFile"), QStringLiteral("Index")),
                  QString::fromLatin1(c.index));
        EXPECT_EQ(iniValue(QStringLiteral("SkinFile"), QStringLiteral("Name")), QStringLiteral("skin02.skn"));
        closeWindow();
    }
}

} // namespace
} // namespace qj::test
