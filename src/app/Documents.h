#pragma once
// Documents and programs beside the program: the readings of the View menu, the user's own
// custom files, and the guide of "使用帮助". A program file is started; any other file opens with
// the desktop's default program for its type. Nothing waits for them.

#include "seams/Services.h"

class QWidget;

namespace qj {

// Opens `name` of the program folder; a missing file is named in an error box
// ("<full path>\r\r\n文件未找到 !").
void OpenDocumentFile(const Services& services, QWidget* parent, const QString& name);

// "使用帮助": opens guide.chm of the program folder, or says in an information box that the guide
// is missing.
void OpenHelpFile(const Services& services, QWidget* parent);

// The texts of the two boxes.
QString MissingDocumentText(const QString& path);
// A document is there but the desktop has no program that opens it.
QString NoOpenerText(const QString& path);
QString MissingHelpText();

} // namespace qj
