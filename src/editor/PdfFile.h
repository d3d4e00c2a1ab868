#pragma once
// The last steps of writing a PDF file: Qt's PDF writer neither reports a failed write nor syncs
// the file, so the printed file (written under a temporary name) is checked to be whole before it
// is synced and renamed into place.

#include <QByteArrayView>
#include <QString>

namespace qj {

// True when `pdf` is a whole PDF file as a writer left it: it ends in "%%EOF", its "startxref"
// points at its cross-reference table, and every object that table lists starts where it says.
// A file that lost bytes anywhere (a failed write, a cut final flush) fails.
bool PdfIsWhole(QByteArrayView pdf);

// Makes the printed `temporary` the file `path` once it is whole and synced to the disk. On failure
// the temporary is removed, `path` is as it was and the cause comes back in the user's words; an
// empty text on success.
QString CommitPrintedPdf(const QString& temporary, const QString& path);

} // namespace qj
