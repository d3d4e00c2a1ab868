#include "cli/Command.h"
#include "cli/Json.h"

namespace qj::cli {

namespace {
constexpr size_t kFlushSize = 1 << 20;
}

Output::~Output() {
    Flush();
}

void Output::Line(const JsonWriter& object) {
    Line(object.Text());
}

void Output::Line(std::string_view text) {
    buffer_ += text;
    buffer_ += '\n';
    if (buffer_.size() >= kFlushSize)
        Flush();
}

void Output::Raw(std::string_view bytes) {
    buffer_ += bytes;
    if (buffer_.size() >= kFlushSize)
        Flush();
}

bool Output::Flush() {
    bool ok = true;
    if (!buffer_.empty())
        ok = std::fwrite(buffer_.data(), 1, buffer_.size(), file_) == buffer_.size();
    buffer_.clear();
    return std::fflush(file_) == 0 && ok;
}

} // namespace qj::cli
