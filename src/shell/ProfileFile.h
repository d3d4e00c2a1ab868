#pragma once
// A settings file in the profile ("INI") format: [Section] lines and key=value lines. Sections and
// keys are compared without regard to letter case. Every write goes to the file at once, keeps
// every other line as it was and creates the file when missing. A write that fails (a full disk, a
// folder or file that cannot be written) leaves the file byte for byte as it was.
// The file is GBK text; a file the encoding rule of common/TextDecode.h takes for UTF-8 is read as
// UTF-8. The lines the program writes are written in the encoding the file was read in (GBK for a
// new file; in GBK a character GBK lacks takes its GB18030 form), so a file is never mixed; every
// other line keeps the bytes it had, even bytes neither encoding can read. (A byte-order mark
// before GBK text is dropped: it would make the file read as UTF-8.) A write never changes the
// encoding the file reads in: when the lines written would tip the guess over, the whole file is
// written as UTF-8 behind a byte-order mark if every line keeps its text that way, else the write
// fails and the file stays as it was. A file behind a byte-order mark that mixes UTF-8 lines with
// GBK lines (edited by programs of both kinds) reads line by line, each line in the encoding it is
// valid in; it keeps its mark and the lines written are UTF-8.

#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace qj {

struct ProfileContent;

// The file as it was read once: any number of keys read without reading the file again.
class ProfileReading {
public:
    // The value of a key with blanks around it removed (a value in matching quotes loses them),
    // or `fallback` when the file, the section or the key is missing.
    QString ReadString(const QString& section, const QString& key, const QString& fallback = QString()) const;
    // A decimal integer (possibly negative; "0x"/"0X" hexadecimal, eight digits at most, read as
    // a 32-bit pattern: 0xFF000018 is -16777192). Text that is no integer ("12abc", "", a number
    // beyond 32 bits, a NUL inside), or a missing key, reads as `fallback`.
    int ReadInt(const QString& section, const QString& key, int fallback) const;
    // Any integer other than 0 is true.
    bool ReadBool(const QString& section, const QString& key, bool fallback) const;

private:
    friend class ProfileFile;
    explicit ProfileReading(std::shared_ptr<const ProfileContent> content) : content_(std::move(content)) {}
    std::shared_ptr<const ProfileContent> content_;
};

// One key=value to write.
struct ProfileEntry {
    QString section;
    QString key;
    QString value;
};

class ProfileFile {
public:
    explicit ProfileFile(QString path) : path_(std::move(path)) {}
    const QString& path() const { return path_; }

    // Reads the file once for many keys.
    ProfileReading Read() const;

    // Single keys, each reading the whole file (see ProfileReading).
    QString ReadString(const QString& section, const QString& key, const QString& fallback = QString()) const;
    int ReadInt(const QString& section, const QString& key, int fallback) const;
    bool ReadBool(const QString& section, const QString& key, bool fallback) const;

    // Writes key=value into the section (added at the end when missing); a value that reading would
    // change (blanks at either end, quotes around it) is written in double quotes. Returns false when the
    // file could not be written (callers may ignore it).
    bool WriteString(const QString& section, const QString& key, const QString& value);
    // Several keys in one write of the file, in order (all or none).
    bool WriteStrings(const std::vector<ProfileEntry>& entries);
    bool WriteInt(const QString& section, const QString& key, int value);
    bool WriteBool(const QString& section, const QString& key, bool value) {
        return WriteInt(section, key, value ? 1 : 0);
    }

private:
    QString path_;
};

// Integer value of profile text (blanks around it ignored), or nothing when it is no integer.
std::optional<int> ParseProfileInt(const QString& text);

} // namespace qj
