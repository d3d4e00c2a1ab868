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
    explicit StoreError(const std::string& utf8Message, int code = 0)
        : std::runtime_error(utf8Message), code_(code) {}
    explicit StoreError(const QString& message, int code = 0)
        : std::runtime_error(message.toStdString()), code_(code) {}
    // The message for a message box.
    QString text() const { return QString::fromUtf8(what()); }
    // The engine's extended result code, or 0 when the failure is the program's own finding.
    int code() const { return code_; }

private:
    int code_ = 0;
};

// The data file does not exist (the main window shows "Not find data file !!!").
class DataFileMissing : public StoreError {
public:
    using StoreError::StoreError;
};

} // namespace qj
