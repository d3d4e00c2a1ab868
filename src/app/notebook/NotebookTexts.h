#pragma once

#include <QString>

namespace qj {

// The standard confirmation of the Delete key in the note tree.
QString DeleteItemConfirmation(const QString& title);

// A save found the edited note gone (another program deleted it): the text was not written.
QString GoneNoteText(const QString& title);
// The same, with the offer to file the text as a new note of the current category.
QString GoneNoteQuestion(const QString& title);

// A command that would write, refused because the data file cannot be written.
QString WriteProtectedText();

} // namespace qj
