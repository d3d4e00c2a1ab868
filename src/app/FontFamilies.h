#pragma once

#include <QString>

namespace qj {

// The family that draws a stored font name on this system. Names saved on other systems ("宋体",
// "SimSun", "Courier New", ...) are kept in the settings file as the user chose them; on screen they
// are drawn with the nearest installed face, chosen so that Latin letters stay exactly half the width
// of Chinese ones where the original face had that property.
QString DisplayFamilyFor(const QString& storedName);

// Makes sure the application's user-interface font can draw Chinese; switches to an installed
// Chinese face when the default one cannot.
void EnsureChineseUiFont();

} // namespace qj
