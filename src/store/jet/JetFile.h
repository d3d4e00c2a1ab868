#pragma once
// A data file in the Jet database format (Jet 3 or Jet 4), opened for reading through mdbtools'
// library: its user tables in the order of the file's catalog, their columns, and their rows in
// stored order. The file is never written.

#include "store/StoreError.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace qj {

// The file is not a Jet database, or cannot be read as one.
class JetError : public StoreError {
public:
    using StoreError::StoreError;
};

// True when the file begins like a Jet database ("Standard Jet DB" after the page's first four
// bytes). Only the first bytes are read.
bool HasJetSignature(const QString& path);

enum class JetColumnKind {
    Integer, // byte, 16-bit or 32-bit integer
    Text,    // text of at most 255 characters
    Memo,    // long text
    Other,   // anything else (dates, numbers with fractions, binary data …): not read
};

struct JetColumn {
    QString name;
    JetColumnKind kind = JetColumnKind::Other;
    int engineType = 0; // the format's own type code
};

struct JetValue {
    bool null = true;
    std::int64_t integer = 0; // Integer columns
    QString text;             // Text and Memo columns
    bool damaged = false;     // a long text whose pages could not all be read (text holds what was)
};
using JetRow = std::vector<JetValue>;

struct JetReading; // what reading a value needs to know of the open file

class JetFile {
public:
    // Opens the file for reading; a JetError when it is missing, not a Jet database or of a
    // version other than Jet 3 and Jet 4.
    explicit JetFile(const QString& path);
    ~JetFile();
    JetFile(const JetFile&) = delete;
    JetFile& operator=(const JetFile&) = delete;

    // 3 or 4.
    int version() const { return version_; }
    // The user tables (without the engine's own), in the order of the file's catalog.
    const QStringList& tables() const { return names_; }
    // The columns of tables()[table], in their order in the table.
    std::vector<JetColumn> Columns(int table);
    // Calls `take` with every row of tables()[table] in stored order, one value per column.
    void ReadRows(int table, const std::function<void(const JetRow&)>& take);

private:
    struct Library; // mdbtools' handle and the catalog entries of the tables
    void ReadCatalog(const QString& shown);
    JetReading reading() const;
    std::unique_ptr<Library> lib_;
    QString path_;
    int version_ = 0;
    QStringList names_;
};

} // namespace qj
