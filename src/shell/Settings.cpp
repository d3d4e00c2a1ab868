#include "shell/Settings.h"

namespace qj {

namespace {

const QString kSettings = QStringLiteral("Settings");
const QString kInfo = QStringLiteral("Info");
const QString kFont = QStringLiteral("Font");
const QString kBack = QStringLiteral("Back");
const QString kSkin = QStringLiteral("SkinFile");

// Font and Back keys: a stored 0 counts as a missing key.
int NonZero(const ProfileReading& file, const QString& section, const QString& key, int fallback) {
    const int v = file.ReadInt(section, key, 0);
    return v != 0 ? v : fallback;
}

std::vector<ProfileEntry> FontEntries(const Settings& s) {
    return {
        {kFont, QStringLiteral("Name"), s.fontName},
        {kFont, QStringLiteral("Size"), QString::number(s.fontSize)},
        {kFont, QStringLiteral("Color"), QString::number(s.fontColor)},
    };
}

} // namespace

Settings ReadSettings(const ProfileFile& settingsFile) {
    const ProfileReading file = settingsFile.Read();
    Settings s;
    s.toolBar = file.ReadBool(kSettings, QStringLiteral("ToolBar"), true);
    s.listBar = file.ReadBool(kSettings, QStringLiteral("ListBar"), true);
    s.autoLine = file.ReadInt(kSettings, QStringLiteral("AutoLine"), 1) == 1;
    const QString table = file.ReadString(kInfo, QStringLiteral("CurTb"));
    if (!table.isEmpty())
        s.currentTable = table;
    const QString font = file.ReadString(kFont, QStringLiteral("Name"));
    if (!font.isEmpty())
        s.fontName = font;
    s.fontSize = NonZero(file, kFont, QStringLiteral("Size"), kDefaultFontSize);
    if (s.fontSize < kMinFontSize || s.fontSize > kMaxFontSize)
        s.fontSize = kDefaultFontSize;
    s.fontColor = NonZero(file, kFont, QStringLiteral("Color"), 0);
    s.backColor = NonZero(file, kBack, QStringLiteral("Color"), kTooltipColor);
    s.lineFontColor = NonZero(file, kBack, QStringLiteral("NowlinefontColor"), ColorRef(0, 0, 255));
    s.lineBackColor = NonZero(file, kBack, QStringLiteral("NowlinebkColor"), kTooltipColor);
    s.skinName = file.ReadString(kSkin, QStringLiteral("Name"), QLatin1String(""));
    s.skinIndex = file.ReadString(kSkin, QStringLiteral("Index"), QLatin1String(""));
    return s;
}

bool SaveSettings(ProfileFile& file, const Settings& s) {
    const auto number = [](int v) { return QString::number(v); };
    std::vector<ProfileEntry> entries{
        {kSettings, QStringLiteral("ToolBar"), number(s.toolBar ? 1 : 0)},
        {kSettings, QStringLiteral("ListBar"), number(s.listBar ? 1 : 0)},
        {kSettings, QStringLiteral("AutoLine"), number(s.autoLine ? 1 : 0)},
    };
    const std::vector<ProfileEntry> font = FontEntries(s);
    entries.insert(entries.end(), font.begin(), font.end());
    entries.push_back({kBack, QStringLiteral("Color"), number(s.backColor)});
    entries.push_back({kBack, QStringLiteral("NowlinefontColor"), number(s.lineFontColor)});
    entries.push_back({kBack, QStringLiteral("NowlinebkColor"), number(s.lineBackColor)});
    return file.WriteStrings(entries);
}

bool SaveFontSettings(ProfileFile& file, const Settings& s) {
    return file.WriteStrings(FontEntries(s));
}

void WriteSetting(ProfileFile& file, const QString& section, const QString& key, const QString& value) {
    file.WriteString(section, key, value);
}

void WriteSkinChoice(ProfileFile& file, const QString& name, int index) {
    file.WriteStrings(
        {{kSkin, QStringLiteral("Name"), name}, {kSkin, QStringLiteral("Index"), QString::number(index)}});
}

std::optional<int> SkinIndex(const Settings& settings) {
    if (settings.skinIndex.isEmpty())
        return std::nullopt;
    return ParseProfileInt(settings.skinIndex);
}

} // namespace qj
