#pragma once
// The in-place conversion of a Jet data file in a process of its own. mdbtools' library can crash
// on a damaged file (it walks a table's usage map out of bounds); in a child process such a crash
// only fails the conversion, and the conversion leaves the Jet file as it was whenever it does not
// end.

#include <QString>

namespace qj {

struct JetApartOutcome {
    bool converted = false;
    QString text; // the conversion's summary, or why it failed
};

JetApartOutcome ConvertJetDataFileInPlaceApart(const QString& path);

} // namespace qj
