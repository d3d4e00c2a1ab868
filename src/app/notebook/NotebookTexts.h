#pragma once

#include <QString>

namespace qj {

// The standard confirmation of the Delete key in the note tree.
QString DeleteItemConfirmation(const QString& title);

// A save found the edited note gone (another program deleted it): the text was not written.
QString GoneNoteText(const QString& title);
// The same, with the offer to file the text as a new note of the current category.
QString GoneNoteQuestion(const QString& title);

// A write refused because the data file on disk was replaced while open (`why` says so), with the
// offer to open the file on disk; the editor's text is kept either way.
QString ReplacedDataFileQuestion(const QString& why);

// A command that would write, refused because the data file cannot be written.
QString WriteProtectedText();

} // namespace qj
