// qingjian-cli's argument parsing: any argument list is either parsed or refused with a one-line
// UsageError (never a crash or another exception), and what is parsed is UTF-8 that the JSON
// writer quotes into a string that parses.
#include "FuzzCheck.h"

#include "cli/Args.h"
#include "cli/Json.h"
#include "common/Gbk.h"

#include <cstdint>
#include <string>

using namespace qj::cli;

namespace {

// A JSON string literal of UTF-8 text: quotes around, no raw control character, escapes complete.
bool IsJsonString(const std::string& s) {
    if (s.size() < 2 || s.front() != '"' || s.back() != '"' || !qj::IsValidUtf8(s))
        return false;
    for (size_t i = 1; i + 1 < s.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c < 0x20 || c == '"')
            return false;
        if (c == '\\') {
            if (i + 2 >= s.size())
                return false;
            ++i;
        }
    }
    return true;
}

void Refusal(const UsageError& e) {
    const std::string message = e.what();
    FUZZ_CHECK(!message.empty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Arguments are separated by NUL, as in argv.
    Arguments args;
    std::string current;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            args.push_back(current);
            current.clear();
        } else {
            current.push_back(static_cast<char>(data[i]));
        }
    }
    args.push_back(current);
    try {
        const ParsedArgs parsed = ParseArguments(args, {"hour-index", "time", "title", "content", "html"}, 1, "usage");
        for (const auto& p : parsed.positional)
            FUZZ_CHECK(IsJsonString(JsonWriter::Quote(p)));
        for (const auto& [name, value] : parsed.options)
            FUZZ_CHECK(IsJsonString(JsonWriter::Quote(name)) && IsJsonString(JsonWriter::Quote(value)));
        try {
            ParseInt(parsed.positional.at(0), "n", -1000, 1000);
        } catch (const UsageError& e) {
            Refusal(e);
        }
        try {
            ParseDate(parsed.positional.at(0), {1901, 1, 1}, {2050, 12, 31});
        } catch (const UsageError& e) {
            Refusal(e);
        }
        if (const auto time = parsed.Option("time")) {
            try {
                ParseTimeOfDay(*time);
            } catch (const UsageError& e) {
                Refusal(e);
            }
        }
    } catch (const UsageError& e) {
        Refusal(e);
    }
    return 0;
}
