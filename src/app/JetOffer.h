#pragma once
// At start-up: a data file that is still a Jet database (the format older notebooks were kept in)
// is named, and converting it is offered. On Yes the Jet file is kept byte for byte beside it and
// the converted file takes its place; a summary says what was written and what was left out.

#include <QString>

class QWidget;

namespace qj {

class Dialogs;

enum class JetOffer {
    NotJet,    // the file is no Jet file: open it as usual
    Converted, // the file is now a data file of ours
    Declined,  // the user answered No: the file stays as it was
    Failed,    // the conversion failed (said in the general error box); the file stays as it was
};

JetOffer OfferJetConversion(Dialogs& dialogs, QWidget* parent, const QString& dataPath);

} // namespace qj
