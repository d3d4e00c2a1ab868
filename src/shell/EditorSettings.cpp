#include "shell/EditorSettings.h"

#include <QApplication>
#include <QPalette>

namespace qj {
QColor SettingsColour(int value) {
    if (value < 0)
        return QApplication::palette().color(QPalette::Inactive, QPalette::ToolTipBase);
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

} // namespace qj
