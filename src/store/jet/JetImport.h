#pragma once
// Converting a Jet data file into a new data file of ours: one category per category table of the
// Jet file, its records in the Jet file's stored order with their IDs, Parents, titles and texts
// as they were. The Jet file is only read. Whatever our file cannot take is left out and said:
// a table that is no category, a category name our rules refuse, a record whose title is empty or
// longer than 50 characters or whose text cannot be read whole. Nothing is cut or renamed.

#include "store/StoreError.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace qj {

// The new data file would replace a file that is there already.
class TargetExists : public StoreError {
public:
    using StoreError::StoreError;
};

// A record of a category table that was left out, and why.
struct RefusedRecord {
    std::optional<std::int64_t> id; // nothing when the record's ID is NULL
    QString why;
};

struct JetTableOutcome {
    QString name;
    int rows = 0;         // records in the Jet table
    int notes = 0;        // records written to the new file
    bool skipped = false; // the whole table was left out …
    QString why;          // … for this reason
    std::vector<RefusedRecord> refused;
};

struct JetImportReport {
    int version = 0; // the Jet file's version: 3 or 4
    std::vector<JetTableOutcome> tables;
    int Categories() const;
    int Notes() const;
    int SkippedTables() const;
};

// Told after every hundred records and after each table: the table's index and name, and the
// records written of it so far.
using JetImportProgress = std::function<void(int table, const QString& name, int written)>;

// The file the conversion writes into before it becomes `newPath`.
QString ConversionTempPath(const QString& newPath);

// Writes the new data file `newPath` from the Jet file `jetPath`. The new file is written under
// ConversionTempPath(newPath) and takes its name only when it is complete, so a conversion that
// fails or is killed half-way leaves no file at `newPath` (what is left under the temporary name
// is removed by the next conversion). TargetExists when `newPath` is there already (it is never
// replaced); a JetError when the Jet file cannot be read; a StoreError when the new file cannot be
// written.
JetImportReport ConvertJetFile(const QString& jetPath, const QString& newPath,
                               const JetImportProgress& progress = {});

} // namespace qj
