#pragma once
// The user's preferences in "Jotterly.ini" beside the program, as plain values (SettingsStore reads
// and writes them). Reading applies the defaults of a fresh installation; the widgets are set from
// these values by the main window.
// Colours are $00BBGGRR integers; kTooltipColor is the system-colour code of the tooltip
// background, which the window turns into the tooltip colour.

#include "shell/ProfileFile.h"

#include <optional>

#include <QString>

namespace qj {

inline constexpr const char* kSettingsFileName = "Jotterly.ini";

// The system-colour code of the tooltip background ($FF000018).
inline constexpr int kTooltipColor = -16777192;
// $00BBGGRR of an RGB triple.
constexpr int ColorRef(int r, int g, int b) {
    return r | (g << 8) | (b << 16);
}

// Editor font sizes in points that are read from the file; any other stored size (5000 points draws
// nothing in the window) reads as the default.
inline constexpr int kDefaultFontSize = 12;
inline constexpr int kMinFontSize = 4;
inline constexpr int kMaxFontSize = 400;

struct Settings {
    bool toolBar = true;  // [Settings] ToolBar
    bool listBar = true;  // [Settings] ListBar
    bool autoLine = true; // [Settings] AutoLine: wrap at column 80 (stored 1; any other value: off)
    QString currentTable = QStringLiteral("帮助"); // [Info] CurTb: start-up category ("帮助" when empty)
    QString fontName = QStringLiteral("宋体");     // [Font] Name ("宋体" when empty)
    int fontSize = kDefaultFontSize;               // [Font] Size, points (0 or out of range reads as 12)
    int fontColor = 0;                             // [Font] Color
    int backColor = kTooltipColor;                 // [Back] Color (0 reads as the tooltip colour)
    int lineFontColor = ColorRef(0, 0, 255);       // [Back] NowlinefontColor (0 reads as blue)
    int lineBackColor = kTooltipColor;             // [Back] NowlinebkColor (0 reads as the tooltip colour)
    QString skinName;                              // [SkinFile] Name
    QString skinIndex;                             // [SkinFile] Index, as stored (empty: no season choice)

    friend bool operator==(const Settings&, const Settings&) = default;
};

// The divination window's choices for the chart's reading.
struct DivinationSettings {
    bool reportAnalysis = false;   // [Divination] ReportAnalysis: "报告附分析" (on only when stored 1)
    bool changedOwnPalace = false; // [Divination] ChangedPalace: 1 = the changed hexagram's relatives
                                   // by its own palace, 0 (any other value) = by the primary palace
    bool shiBody = false;          // [Divination] BodyRule: 1 = the 卦身 by the 世身 rule, 0 (any other
                                   // value) = the 月卦身
    friend bool operator==(const DivinationSettings&, const DivinationSettings&) = default;
};

// The search window's options ([Search]: each on only when stored 1). All off, the window finds and
// shows exactly what it always did.
struct SearchSettings {
    bool words = false;    // Words: "多词" several words, all of them
    bool variants = false; // Variants: "简繁" simplified and traditional alike
    bool pinyin = false;   // Pinyin: "拼音" titles by their readings
    bool context = false;  // Context: "上下文" the hit in context, every occurrence marked
    friend bool operator==(const SearchSettings&, const SearchSettings&) = default;
};

// The season index stored in SkinFile/Index, or nothing when it is empty or no integer.
std::optional<int> SkinIndex(const Settings& settings);

} // namespace qj
