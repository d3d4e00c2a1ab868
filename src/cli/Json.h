#pragma once
// A small writer for one-line JSON objects: keys in the order they are written, UTF-8 strings
// passed through, control characters escaped (CR LF becomes "\r\n").

#include <string>
#include <string_view>

namespace qj::cli {

class JsonWriter {
public:
    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& BeginArray();
    JsonWriter& EndArray();
    // The key of the next member of the current object.
    JsonWriter& Key(std::string_view key);
    JsonWriter& String(std::string_view value);
    JsonWriter& Int(long long value);
    JsonWriter& Bool(bool value);
    JsonWriter& Null();

    // Key and value in one call.
    JsonWriter& Field(std::string_view key, std::string_view value) { return Key(key).String(value); }
    JsonWriter& Field(std::string_view key, const char* value) { return Key(key).String(value); }
    JsonWriter& Field(std::string_view key, const std::string& value) { return Key(key).String(value); }
    JsonWriter& Field(std::string_view key, int value) { return Key(key).Int(value); }
    JsonWriter& Field(std::string_view key, long long value) { return Key(key).Int(value); }
    JsonWriter& Field(std::string_view key, bool value) { return Key(key).Bool(value); }

    const std::string& Text() const { return text_; }
    void Clear();

    // A JSON string literal, quotes included.
    static std::string Quote(std::string_view value);

private:
    void BeforeValue();
    std::string text_;
    bool needComma_ = false;
};

} // namespace qj::cli
