#include "shell/EditorSettings.h"

#include <QApplication>
#include <QPalette>

#include <algorithm>

namespace qj {
namespace {

const QString kOptionsSection = QStringLiteral("EditorOptions");

} // namespace

QColor SettingsColour(int value) {
    if (value < 0)
        return QApplication::palette().color(QPalette::Inactive, QPalette::ToolTipBase);
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

EditorOptions ReadEditorOptions(const ProfileFile& file) {
    EditorOptions o;
    o.tabWidth = std::clamp(file.ReadInt(kOptionsSection, QStringLiteral("TabWidth"), o.tabWidth), 1, 16);
    o.autoIndent = file.ReadBool(kOptionsSection, QStringLiteral("AutoIndent"), o.autoIndent);
    o.trimTrailingBlanks =
        file.ReadBool(kOptionsSection, QStringLiteral("TrimTrailingBlanks"), o.trimTrailingBlanks);
    o.caretPastLineEnd =
        file.ReadBool(kOptionsSection, QStringLiteral("CaretPastLineEnd"), o.caretPastLineEnd);
    o.gutterShown = file.ReadBool(kOptionsSection, QStringLiteral("Gutter"), o.gutterShown);
    o.edgeColumn =
        std::clamp(file.ReadInt(kOptionsSection, QStringLiteral("EdgeColumn"), o.edgeColumn), 10, 500);
    return o;
}

void WriteEditorOptions(ProfileFile& file, const EditorOptions& o) {
    file.WriteInt(kOptionsSection, QStringLiteral("TabWidth"), o.tabWidth);
    file.WriteBool(kOptionsSection, QStringLiteral("AutoIndent"), o.autoIndent);
    file.WriteBool(kOptionsSection, QStringLiteral("TrimTrailingBlanks"), o.trimTrailingBlanks);
    file.WriteBool(kOptionsSection, QStringLiteral("CaretPastLineEnd"), o.caretPastLineEnd);
    file.WriteBool(kOptionsSection, QStringLiteral("Gutter"), o.gutterShown);
    file.WriteInt(kOptionsSection, QStringLiteral("EdgeColumn"), o.edgeColumn);
}

} // namespace qj
