#include "cli/Json.h"

#include <gtest/gtest.h>

using qj::cli::JsonWriter;

TEST(JsonWriter, EscapesWhatJsonRequiresAndKeepsUtf8) {
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {"plain", "\"plain\""},
        {"say \"hi\"", "\"say \\\"hi\\\"\""},
        {"back\\slash", "\"back\\\\slash\""},
        {"a\r\r\nb", "\"a\\r\\r\\nb\""},
        {"tab\there", "\"tab\\there\""},
        {"\x01\x1f\x7f", "\"\\u0001\\u001f\\u007f\""},
        {"丙戌(狗)　", "\"丙戌(狗)　\""},
        {"", "\"\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(JsonWriter::Quote(c.in), c.out) << c.in;
}

TEST(JsonWriter, SeparatesMembersAndNestedObjects) {
    JsonWriter json;
    json.BeginObject().Field("a", 1).Field("b", "x");
    json.Key("c").BeginObject().Field("d", -2).Field("e", true).EndObject();
    json.Key("f").BeginArray().Int(1).String("2").BeginObject().EndObject().EndArray();
    json.EndObject();
    EXPECT_EQ(json.Text(), R"({"a":1,"b":"x","c":{"d":-2,"e":true},"f":[1,"2",{}]})");
    json.Clear();
    json.BeginObject().EndObject();
    EXPECT_EQ(json.Text(), "{}");
}
