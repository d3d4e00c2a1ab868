#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

namespace qj {

// The family that draws a stored font name on this system. Names saved on other systems ("宋体",
// "SimSun", "Courier New", ...) are kept in the settings file as the user chose them; on screen they
// are drawn with the nearest installed face, chosen so that Latin letters stay exactly half the width
// of Chinese ones where the original face had that property.
QString DisplayFamilyFor(const QString& storedName);

// The note editor's font for the name and size (points) kept in the settings file: the stored name
// drawn with DisplayFamilyFor, 12 points when no size is stored. The window's editor and every
// printed or exported note use it.
QFont NoteFont(const QString& storedName, int points);

// Makes sure the application's user-interface font can draw Chinese; switches to an installed
// Chinese face when the default one cannot.
void EnsureChineseUiFont();

// The installed families that draw simplified Chinese, as the system's font configuration knows
// them.
QStringList ChineseFontFamilies();
// What to tell a user whose system has none of them (`families` empty): every Chinese character
// would be an empty box, so the text is English and pinyin. Empty when there is such a face.
QString NoChineseFontWarning(const QStringList& families);

} // namespace qj
