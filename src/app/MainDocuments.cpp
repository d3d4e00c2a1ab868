// The main window's documents: the readings of the View menu and the guide of "使用帮助".

#include "app/Documents.h"
#include "app/Lymain.h"

namespace qj {

void TFmain::OpenDocumentFile(const QString& name) {
    qj::OpenDocumentFile(services_, this, name);
}

void TFmain::N89Click() {
    OpenHelpFile(services_, this);
}

} // namespace qj
