#pragma once
// What a command of qingjian-cli is, and how it reports bad input and writes its lines.
//
// A command group is a function returning its commands; main.cpp lists the groups. A command
// validates all of its input before writing anything and throws UsageError for bad input (the
// program then prints the message on stderr and exits with status 2, with nothing on stdout).

#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace qj::cli {

class JsonWriter;

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Buffered standard output, one JSON object per line.
class Output {
public:
    explicit Output(std::FILE* file = stdout) : file_(file) {}
    ~Output();
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    void Line(const JsonWriter& object);
    void Line(std::string_view text);
    // Bytes as they are (a file's contents), without a line break added.
    void Raw(std::string_view bytes);
    // Write what is buffered; false when the stream failed.
    bool Flush();
    // Drop what is buffered and not yet written.
    void Discard() { buffer_.clear(); }

private:
    std::FILE* file_;
    std::string buffer_;
};

using Arguments = std::vector<std::string>;

struct Command {
    std::string name;    // e.g. "day"
    std::string usage;   // e.g. "day YYYY-MM-DD [--time HH:MM:SS] [--hour-index I]"
    std::string summary; // one line for --help
    std::function<void(const Arguments& args, Output& out)> run;
};

using CommandGroup = std::vector<Command>;

} // namespace qj::cli
