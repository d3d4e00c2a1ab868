#pragma once
// The settings file "Jotterly.ini" of the program folder: one table of its keys (section, key,
// default and the range a number is kept in) and one object through which the main window, the
// editor pane and the command line read and write it. The file is read once at start; what the
// window keeps is written at exit, the font the moment the font dialog confirms it, the start-up
// category and the season choice the moment they change, the editor's options when the options
// dialog is confirmed.

#include "shell/EditorOptions.h"
#include "shell/Settings.h"

#include <QString>

namespace qj {

// Every value the settings file holds.
enum class SettingKey {
    ToolBar,
    ListBar,
    AutoLine,
    StartupCategory,
    FontName,
    FontSize,
    FontColor,
    BackColor,
    LineFontColor,
    LineBackColor,
    SkinName,
    SkinIndex,
    TabWidth,
    AutoIndent,
    TrimTrailingBlanks,
    CaretPastLineEnd,
    Gutter,
    EdgeColumn,
    ToggleAdviceGiven,
    ReportAnalysis,
    ChangedPalace,
    BodyRule,
    BackupFailureSaid,
    SearchWords,
    SearchVariants,
    SearchPinyin,
    SearchContext,
};

// How a stored number outside [min, max] reads.
enum class OutOfRange { Default, Clamp };

struct SettingSpec {
    SettingKey key;
    const char* section;
    const char* name;
    const char* defaultText; // texts ("" for numbers)
    int defaultNumber;       // numbers and switches (1 on, 0 off)
    int min;
    int max;
    OutOfRange outOfRange;
    bool zeroReadsAsDefault; // a stored 0 counts as a missing key
};

const SettingSpec& SpecOf(SettingKey key);

class SettingsStore {
public:
    explicit SettingsStore(QString path) : file_(std::move(path)) {}
    // The settings file of the program folder `folder`.
    static SettingsStore InFolder(const QString& folder);

    const QString& path() const { return file_.path(); }

    // Everything the window applies at start, from one reading of the file (defaults for what is
    // missing or unreadable).
    Settings read() const;
    EditorOptions readEditorOptions() const;

    // What is saved at exit: the bars, the wrap switch, the font and the colours. False when the
    // file could not be written.
    bool saveAtExit(const Settings& settings);
    // The font dialog's choice: name, size and colour. False when it could not be written.
    bool saveFont(const Settings& settings);
    void saveStartupCategory(const QString& name);
    void saveSkinChoice(const QString& name, int index);
    void saveEditorOptions(const EditorOptions& options);
    // Whether the user has been told how to bind "qingjian --toggle" where the program could not
    // hold its hot key (told once, not at every start).
    bool toggleAdviceGiven() const;
    void saveToggleAdviceGiven();
    // The day ("yyyyMMdd") a failed automatic backup was last told (told once a day at most).
    QString backupFailureSaid() const;
    void saveBackupFailureSaid(const QString& day);
    // The divination window's reading choices, written the moment they change.
    DivinationSettings readDivination() const;
    void saveDivination(const DivinationSettings& settings);
    // The search window's options, written the moment they change.
    SearchSettings readSearch() const;
    void saveSearch(const SearchSettings& settings);

private:
    ProfileFile file_;
};

} // namespace qj
