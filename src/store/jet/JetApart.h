#pragma once
// Jet work in a process of its own. mdbtools' library can crash on a damaged file (it walks a
// table's usage map out of bounds); in a child process such a crash only fails the work, and every
// conversion leaves the Jet file as it was whenever it does not end.

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

namespace qj {

// Runs `work` in a forked child and returns the bytes it returned; nothing when the child did not
// end normally (a crash, an exception out of `work`, or a pipe or process that could not be made).
std::optional<QByteArray> RunApart(const std::function<QByteArray()>& work);

struct JetApartOutcome {
    bool converted = false;
    QString text; // the conversion's summary, or why it failed
};

JetApartOutcome ConvertJetDataFileInPlaceApart(const QString& path);

} // namespace qj
