#pragma once
// Finding a UTF-8 text in another as the engine's LIKE compares: ASCII letters without case, every
// other byte exactly.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qj {

// Where `needle` first occurs in `haystack`, or npos. An empty needle is at 0.
size_t FindIgnoringAsciiCase(std::string_view haystack, std::string_view needle);

// What a text must hold to be a hit: at least one of `anchors` (ASCII letters without case; none:
// every text is a candidate), and then pass `verify` (when given).
struct TextMatch {
    std::vector<std::string> anchors;
    std::function<bool(std::string_view)> verify;
};
bool Matches(const TextMatch& match, std::string_view text);

} // namespace qj
