#include "cli/Json.h"

#include <cstdio>

namespace qj::cli {

namespace {
void AppendQuoted(std::string& out, std::string_view value) {
    out += '"';
    for (const char ch : value) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        default:
            if (c < 0x20 || c == 0x7F) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += ch;
            }
        }
    }
    out += '"';
}
} // namespace

std::string JsonWriter::Quote(std::string_view value) {
    std::string out;
    AppendQuoted(out, value);
    return out;
}

void JsonWriter::BeforeValue() {
    if (needComma_)
        text_ += ',';
    needComma_ = true;
}

JsonWriter& JsonWriter::BeginObject() {
    BeforeValue();
    text_ += '{';
    needComma_ = false;
    return *this;
}

JsonWriter& JsonWriter::EndObject() {
    text_ += '}';
    needComma_ = true;
    return *this;
}

JsonWriter& JsonWriter::BeginArray() {
    BeforeValue();
    text_ += '[';
    needComma_ = false;
    return *this;
}

JsonWriter& JsonWriter::EndArray() {
    text_ += ']';
    needComma_ = true;
    return *this;
}

JsonWriter& JsonWriter::Key(std::string_view key) {
    BeforeValue();
    AppendQuoted(text_, key);
    text_ += ':';
    needComma_ = false;
    return *this;
}

JsonWriter& JsonWriter::String(std::string_view value) {
    BeforeValue();
    AppendQuoted(text_, value);
    return *this;
}

JsonWriter& JsonWriter::Int(long long value) {
    BeforeValue();
    text_ += std::to_string(value);
    return *this;
}

JsonWriter& JsonWriter::Bool(bool value) {
    BeforeValue();
    text_ += value ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::Null() {
    BeforeValue();
    text_ += "null";
    return *this;
}

void JsonWriter::Clear() {
    text_.clear();
    needComma_ = false;
}

} // namespace qj::cli
