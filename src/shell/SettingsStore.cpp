#include "shell/SettingsStore.h"

#include <QDir>

#include <algorithm>
#include <initializer_list>
#include <stdexcept>
#include <vector>

namespace qj {
namespace {

constexpr int kAny = 0; // min and max of a value without a range

constexpr SettingSpec kSpecs[] = {
    {SettingKey::ToolBar, "Settings", "ToolBar", "", 1, kAny, kAny, OutOfRange::Default, false},
    {SettingKey::ListBar, "Settings", "ListBar", "", 1, kAny, kAny, OutOfRange::Default, false},
    // On only when stored as 1.
    {SettingKey::AutoLine, "Settings", "AutoLine", "", 1, kAny, kAny, OutOfRange::Default, false},
    {SettingKey::StartupCategory, "Info", "CurTb", "帮助", 0, kAny, kAny, OutOfRange::Default, false},
    {SettingKey::FontName, "Font", "Name", "宋体", 0, kAny, kAny, OutOfRange::Default, false},
    {SettingKey::FontSize, "Font", "Size", "", kDefaultFontSize, kMinFontSize, kMaxFontSize,
     OutOfRange::Default, true},
    {SettingKey::FontColor, "Font", "Color", "", 0, kAny, kAny, OutOfRange::Default, true},
    {SettingKey::BackColor, "Back", "Color", "", kTooltipColor, kAny, kAny, OutOfRange::Default, true},
    {SettingKey::LineFontColor, "Back", "NowlinefontColor", "", ColorRef(0, 0, 255), kAny, kAny,
     OutOfRange::Default, true},
    {SettingKey::LineBackColor, "Back", "NowlinebkColor", "", kTooltipColor, kAny, kAny, OutOfRange::Default,
     true},
    {SettingKey::SkinName, "SkinFile", "Name", "", 0, kAny, kAny, OutOfRange::Default, false},
    {SettingKey::SkinIndex, "SkinFile", "Index", "", 0, kAny, kAny, OutOfRange::Default, false},
    {SettingKey::TabWidth, "EditorOptions", "TabWidth", "", EditorOptions{}.tabWidth, 1, 16,
     OutOfRange::Clamp, false},
    {SettingKey::AutoIndent, "EditorOptions", "AutoIndent", "", EditorOptions{}.autoIndent, kAny, kAny,
     OutOfRange::Default, false},
    {SettingKey::TrimTrailingBlanks, "EditorOptions", "TrimTrailingBlanks", "",
     EditorOptions{}.trimTrailingBlanks, kAny, kAny, OutOfRange::Default, false},
    {SettingKey::CaretPastLineEnd, "EditorOptions", "CaretPastLineEnd", "", EditorOptions{}.caretPastLineEnd,
     kAny, kAny, OutOfRange::Default, false},
    {SettingKey::Gutter, "EditorOptions", "Gutter", "", EditorOptions{}.gutterShown, kAny, kAny,
     OutOfRange::Default, false},
    {SettingKey::EdgeColumn, "EditorOptions", "EdgeColumn", "", EditorOptions{}.edgeColumn, 10, 500,
     OutOfRange::Clamp, false},
    {SettingKey::ToggleAdviceGiven, "HotKey", "ToggleAdviceGiven", "", 0, kAny, kAny, OutOfRange::Default,
     false},
    {SettingKey::ReportAnalysis, "Divination", "ReportAnalysis", "", 0, 0, 1, OutOfRange::Default, false},
    {SettingKey::ChangedPalace, "Divination", "ChangedPalace", "", 0, 0, 1, OutOfRange::Default, false},
    {SettingKey::BodyRule, "Divination", "BodyRule", "", 0, 0, 1, OutOfRange::Default, false},
    {SettingKey::BackupFailureSaid, "Backup", "FailureSaid", "", 0, kAny, kAny, OutOfRange::Default, false},
    {SettingKey::SearchWords, "Search", "Words", "", 0, 0, 1, OutOfRange::Default, false},
    {SettingKey::SearchVariants, "Search", "Variants", "", 0, 0, 1, OutOfRange::Default, false},
    {SettingKey::SearchPinyin, "Search", "Pinyin", "", 0, 0, 1, OutOfRange::Default, false},
    {SettingKey::SearchContext, "Search", "Context", "", 0, 0, 1, OutOfRange::Default, false},
};

QString Section(const SettingSpec& s) {
    return QString::fromLatin1(s.section);
}

QString Name(const SettingSpec& s) {
    return QString::fromLatin1(s.name);
}

// Reads the values of one reading of the file by the table's rules.
class Reader {
public:
    explicit Reader(const ProfileReading& file) : file_(file) {}

    int number(SettingKey key) const {
        const SettingSpec& s = SpecOf(key);
        const int v = file_.ReadInt(Section(s), Name(s), s.defaultNumber);
        if (s.zeroReadsAsDefault && v == 0)
            return s.defaultNumber;
        if (s.min == kAny && s.max == kAny)
            return v;
        if (v >= s.min && v <= s.max)
            return v;
        return s.outOfRange == OutOfRange::Clamp ? std::clamp(v, s.min, s.max) : s.defaultNumber;
    }
    bool flag(SettingKey key) const {
        const SettingSpec& s = SpecOf(key);
        return file_.ReadBool(Section(s), Name(s), s.defaultNumber != 0);
    }
    // An empty or missing text reads as the default.
    QString text(SettingKey key) const {
        const SettingSpec& s = SpecOf(key);
        const QString v = file_.ReadString(Section(s), Name(s), QLatin1String(""));
        return v.isEmpty() ? QString::fromUtf8(s.defaultText) : v;
    }

private:
    const ProfileReading& file_;
};

ProfileEntry Entry(SettingKey key, const QString& value) {
    const SettingSpec& s = SpecOf(key);
    return {Section(s), Name(s), value};
}

ProfileEntry Entry(SettingKey key, int value) {
    return Entry(key, QString::number(value));
}

std::vector<ProfileEntry> FontEntries(const Settings& s) {
    return {Entry(SettingKey::FontName, s.fontName), Entry(SettingKey::FontSize, s.fontSize),
            Entry(SettingKey::FontColor, s.fontColor)};
}

} // namespace

const SettingSpec& SpecOf(SettingKey key) {
    for (const SettingSpec& s : kSpecs)
        if (s.key == key)
            return s;
    throw std::logic_error("a setting without an entry in the key table");
}

SettingsStore SettingsStore::InFolder(const QString& folder) {
    return SettingsStore(QDir(folder).filePath(QString::fromUtf8(kSettingsFileName)));
}

Settings SettingsStore::read() const {
    const ProfileReading file = file_.Read();
    const Reader r(file);
    Settings s;
    s.toolBar = r.flag(SettingKey::ToolBar);
    s.listBar = r.flag(SettingKey::ListBar);
    s.autoLine = r.number(SettingKey::AutoLine) == 1;
    s.currentTable = r.text(SettingKey::StartupCategory);
    s.fontName = r.text(SettingKey::FontName);
    s.fontSize = r.number(SettingKey::FontSize);
    s.fontColor = r.number(SettingKey::FontColor);
    s.backColor = r.number(SettingKey::BackColor);
    s.lineFontColor = r.number(SettingKey::LineFontColor);
    s.lineBackColor = r.number(SettingKey::LineBackColor);
    s.skinName = r.text(SettingKey::SkinName);
    s.skinIndex = r.text(SettingKey::SkinIndex);
    return s;
}

EditorOptions SettingsStore::readEditorOptions() const {
    const ProfileReading file = file_.Read();
    const Reader r(file);
    EditorOptions o;
    o.tabWidth = r.number(SettingKey::TabWidth);
    o.autoIndent = r.flag(SettingKey::AutoIndent);
    o.trimTrailingBlanks = r.flag(SettingKey::TrimTrailingBlanks);
    o.caretPastLineEnd = r.flag(SettingKey::CaretPastLineEnd);
    o.gutterShown = r.flag(SettingKey::Gutter);
    o.edgeColumn = r.number(SettingKey::EdgeColumn);
    return o;
}

bool SettingsStore::saveAtExit(const Settings& s) {
    std::vector<ProfileEntry> entries{
        Entry(SettingKey::ToolBar, s.toolBar ? 1 : 0),
        Entry(SettingKey::ListBar, s.listBar ? 1 : 0),
        Entry(SettingKey::AutoLine, s.autoLine ? 1 : 0),
    };
    for (const ProfileEntry& e : FontEntries(s))
        entries.push_back(e);
    entries.push_back(Entry(SettingKey::BackColor, s.backColor));
    entries.push_back(Entry(SettingKey::LineFontColor, s.lineFontColor));
    entries.push_back(Entry(SettingKey::LineBackColor, s.lineBackColor));
    return file_.WriteStrings(entries);
}

bool SettingsStore::saveFont(const Settings& s) {
    return file_.WriteStrings(FontEntries(s));
}

void SettingsStore::saveStartupCategory(const QString& name) {
    file_.WriteStrings({Entry(SettingKey::StartupCategory, name)});
}

void SettingsStore::saveSkinChoice(const QString& name, int index) {
    file_.WriteStrings({Entry(SettingKey::SkinName, name), Entry(SettingKey::SkinIndex, index)});
}

void SettingsStore::saveEditorOptions(const EditorOptions& o) {
    file_.WriteStrings(
        {Entry(SettingKey::TabWidth, o.tabWidth), Entry(SettingKey::AutoIndent, o.autoIndent ? 1 : 0),
         Entry(SettingKey::TrimTrailingBlanks, o.trimTrailingBlanks ? 1 : 0),
         Entry(SettingKey::CaretPastLineEnd, o.caretPastLineEnd ? 1 : 0),
         Entry(SettingKey::Gutter, o.gutterShown ? 1 : 0), Entry(SettingKey::EdgeColumn, o.edgeColumn)});
}

bool SettingsStore::toggleAdviceGiven() const {
    const ProfileReading file = file_.Read();
    return Reader(file).flag(SettingKey::ToggleAdviceGiven);
}

void SettingsStore::saveToggleAdviceGiven() {
    file_.WriteStrings({Entry(SettingKey::ToggleAdviceGiven, 1)});
}

QString SettingsStore::backupFailureSaid() const {
    const ProfileReading file = file_.Read();
    return Reader(file).text(SettingKey::BackupFailureSaid);
}

void SettingsStore::saveBackupFailureSaid(const QString& day) {
    file_.WriteStrings({Entry(SettingKey::BackupFailureSaid, day)});
}

DivinationSettings SettingsStore::readDivination() const {
    const ProfileReading file = file_.Read();
    const Reader r(file);
    DivinationSettings d;
    d.reportAnalysis = r.number(SettingKey::ReportAnalysis) == 1;
    d.changedOwnPalace = r.number(SettingKey::ChangedPalace) == 1;
    d.shiBody = r.number(SettingKey::BodyRule) == 1;
    return d;
}

void SettingsStore::saveDivination(const DivinationSettings& d) {
    file_.WriteStrings({Entry(SettingKey::ReportAnalysis, d.reportAnalysis ? 1 : 0),
                        Entry(SettingKey::ChangedPalace, d.changedOwnPalace ? 1 : 0),
                        Entry(SettingKey::BodyRule, d.shiBody ? 1 : 0)});
}

SearchSettings SettingsStore::readSearch() const {
    const ProfileReading file = file_.Read();
    const Reader r(file);
    SearchSettings s;
    s.words = r.number(SettingKey::SearchWords) == 1;
    s.variants = r.number(SettingKey::SearchVariants) == 1;
    s.pinyin = r.number(SettingKey::SearchPinyin) == 1;
    s.context = r.number(SettingKey::SearchContext) == 1;
    return s;
}

void SettingsStore::saveSearch(const SearchSettings& s) {
    file_.WriteStrings({Entry(SettingKey::SearchWords, s.words ? 1 : 0),
                        Entry(SettingKey::SearchVariants, s.variants ? 1 : 0),
                        Entry(SettingKey::SearchPinyin, s.pinyin ? 1 : 0),
                        Entry(SettingKey::SearchContext, s.context ? 1 : 0)});
}

} // namespace qj
