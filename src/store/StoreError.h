#pragma once
// The one exception type of the note store. Every failed database or file operation of the store
// ends in a StoreError whose message (UTF-8) says what failed, naming the file, the category or
// the engine's own message. Callers let it reach the program's general error handler.

#include <QString>

#include <stdexcept>
#include <string>

namespace qj {

class StoreError : public std::runtime_error {
public:
    explicit StoreError(const std::string& utf8Message) : std::runtime_error(utf8Message) {}
    explicit StoreError(const QString& message) : std::runtime_error(message.toStdString()) {}
    // The message for a message box.
    QString text() const { return QString::fromUtf8(what()); }
};

// The data file does not exist (the main window shows "Not find data file !!!").
class DataFileMissing : public StoreError {
public:
    using StoreError::StoreError;
};

} // namespace qj
