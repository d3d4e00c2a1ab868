#pragma once
// Qt's own texts (the buttons of message boxes, the file, print, page-setup, font and colour
// dialogs) in Chinese, as the rest of the program speaks.

namespace qj {

// Installs Qt's Simplified Chinese translation on the running application. False when the
// translation files are not installed (Qt's English texts stay).
bool InstallQtChineseTexts();

} // namespace qj
