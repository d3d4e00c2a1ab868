#pragma once
// The one door through which the program asks the user anything: message boxes, questions,
// confirmations, the one-line input box, the number box, file, font, colour, print and page-setup
// dialogs.
//
// Windows and commands take a `Dialogs&` and never call QMessageBox, QInputDialog, QFileDialog...
// themselves. The program passes a `QtDialogs` (real Qt dialogs); tests pass the scripted
// dialogs of tests/support, which answer from a queue and record every question.
//
// Texts are passed exactly as the program defines them (CR CR LF line breaks included); the real
// dialogs turn line breaks into what Qt shows, the scripted ones record them untouched.

#include <QColor>
#include <QFont>
#include <QString>

#include <optional>
#include <vector>

class QPrinter;
class QWidget;

namespace qj {

enum class MessageIcon { None, Information, Warning, Error, Question };

// A push button of a message box. `None` is what a box returns when it was closed without a
// button (only possible for a box whose buttons include Cancel, which Escape presses).
enum class DialogButton { None, Ok, Cancel, Yes, No };

struct MessageRequest {
    QString caption;
    QString text;
    MessageIcon icon = MessageIcon::None;
    std::vector<DialogButton> buttons{DialogButton::Ok}; // in the order they are shown
    DialogButton defaultButton = DialogButton::None;     // None: the first button has the focus
    // One of the framework's own boxes (captions "Confirm", "Information", "Error"): its buttons
    // read in English too ("OK", "Cancel", "Yes", "No"). Other boxes are the system's, whose
    // buttons speak the system's language.
    bool frameworkBox = false;
    // Own words on the buttons, in the order of `buttons` (empty: the standard words).
    std::vector<QString> buttonTexts{};
};

struct InputRequest {
    QString caption;
    QString prompt;
    QString text;      // starting text of the edit field
    int maxLength = 0; // characters the field accepts; 0 = no limit
};

// The number box: a spin box that takes only whole numbers from `minimum` to `maximum`.
struct NumberRequest {
    QString caption;
    QString prompt;
    int value = 1; // starting number
    int minimum = 1;
    int maximum = 1;
};

// What the font dialog shows and returns: the face, size and style, and the text colour.
struct FontChoice {
    QFont font;
    QColor color;
};

struct FileRequest {
    QString caption;
    QString directory;            // starting folder; empty = the dialog's own choice
    QString fileName;             // suggested name (save dialogs)
    QString filter;               // Qt filter syntax: "Text files (*.txt *.TXT);;All files (*)"
    QString defaultSuffix;        // "txt" (without the point): appended when the user types none
    bool confirmOverwrite = true; // save dialogs: ask before replacing an existing file
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A message box; returns the button pressed.
    virtual DialogButton message(QWidget* parent, const MessageRequest& request) = 0;
    // The one-line input box with OK and Cancel; nullopt = Cancel.
    virtual std::optional<QString> inputText(QWidget* parent, const InputRequest& request) = 0;
    // The number box with OK and Cancel; nullopt = Cancel. An answer lies within the request's limits.
    virtual std::optional<int> inputNumber(QWidget* parent, const NumberRequest& request) = 0;
    // File dialogs; nullopt = Cancel. The result is an absolute path.
    virtual std::optional<QString> openFileName(QWidget* parent, const FileRequest& request) = 0;
    virtual std::optional<QString> saveFileName(QWidget* parent, const FileRequest& request) = 0;
    // The font dialog (face, size, style and text colour) and the colour dialog, preset with
    // `initial`; nullopt = Cancel.
    virtual std::optional<FontChoice> font(QWidget* parent, const FontChoice& initial,
                                           const QString& caption = {}) = 0;
    virtual std::optional<QColor> color(QWidget* parent, const QColor& initial,
                                        const QString& caption = {}) = 0;
    // The print dialog and the page-setup dialog for `printer`; true = OK (the printer carries the
    // user's choices), false = Cancel.
    virtual bool print(QWidget* parent, QPrinter& printer) = 0;
    virtual bool pageSetup(QWidget* parent, QPrinter& printer) = 0;
};

} // namespace qj
