#pragma once
// Converting the notebook's own data file when it is still a Jet file: the Jet file is kept byte
// for byte beside it (dataly.dat.jet) and the converted file takes its place in one step. At every
// moment the data file's name holds either the untouched Jet file or the complete converted file.

#include "store/jet/JetImport.h"

#include <QString>

namespace qj {

struct JetInPlaceResult {
    JetImportReport report;
    QString keptAs; // where the Jet file is kept
};

// The name the Jet file at `path` is kept under: path + ".jet", or with a counter after it
// (".jet1", ".jet2" …) when that is taken.
QString JetKeepName(const QString& path);

// Converts the Jet file at `path` and puts the new data file in its place. A JetError when the Jet
// file cannot be read, a StoreError when the conversion, the copy of the Jet file or the
// replacement fails; then `path` still holds the Jet file and no converted or partial file is left.
JetInPlaceResult ConvertJetDataFileInPlace(const QString& path, const JetImportProgress& progress = {});

// What the window says after the conversion: categories and notes written, the tables and
// records left out with their reasons, where the Jet file is kept. At most `maxItems` tables and
// records are listed; the rest are counted.
QString JetConversionSummary(const JetInPlaceResult& result, int maxItems = 12);

} // namespace qj
