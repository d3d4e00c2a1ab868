#pragma once
// The framework's own boxes with English captions ("Confirm", "Information", "Error") and the
// common shapes of the program's message boxes, all going through the Dialogs seam.

#include "seams/Dialogs.h"

namespace qj {

inline constexpr char kConfirmCaption[] = "Confirm";
inline constexpr char kInformationCaption[] = "Information";
inline constexpr char kErrorCaption[] = "Error";

// The standard confirmation box: caption "Confirm", question icon, the given buttons
// (Yes and No unless said otherwise). Returns the button pressed.
DialogButton ConfirmBox(Dialogs& dialogs, QWidget* parent, const QString& text,
                        std::vector<DialogButton> buttons = {DialogButton::Yes, DialogButton::No},
                        DialogButton defaultButton = DialogButton::None);

// The standard information box: caption "Information", information icon, OK.
void InformationBox(Dialogs& dialogs, QWidget* parent, const QString& text);

// The standard error box: caption "Error", error icon, OK.
void ErrorBox(Dialogs& dialogs, QWidget* parent, const QString& text);

// A box with the program's own caption, icon and buttons; returns the button pressed.
DialogButton MessageBox(Dialogs& dialogs, QWidget* parent, const QString& caption, const QString& text,
                        MessageIcon icon, std::vector<DialogButton> buttons = {DialogButton::Ok},
                        DialogButton defaultButton = DialogButton::None);

} // namespace qj
