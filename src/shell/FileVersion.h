#pragma once
// The file version of a program file, as four decimal numbers joined by points ("1.2.12.41").
//
// Our executables carry their version record as a marker string compiled into them:
// "QJFILEVERSION:" followed by the four numbers. The version comes from the CMake variable
// QJ_FILE_VERSION (src/shell/CMakeLists.txt).

#include <QString>

namespace qj {

// The version record of the file at `path`, or the empty text when the file cannot be read or has
// no version record. Each of the four numbers is 0..65535 and is written without leading zeros.
QString ReadFileVersion(const QString& path);

// The version compiled into the running program.
QString EmbeddedFileVersion();

// The text of the main window's version panel, "版本: V" and the running program's file version;
// printed notes carry it in their header.
QString VersionPanelText();

} // namespace qj
