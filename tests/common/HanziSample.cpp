#include "HanziSample.h"

#include "common/Gbk.h"

#include <random>

namespace qj::test {

namespace {

// Splits a UTF-8 text into its characters.
std::vector<std::string> Characters(const std::string& text) {
    std::vector<std::string> out;
    for (size_t pos = 0; pos < text.size();) {
        const size_t from = pos;
        NextCodePoint(text, pos);
        out.push_back(text.substr(from, pos - from));
    }
    return out;
}

bool InGb2312(int lead, int trail) {
    return lead >= 0xA1 && lead <= 0xF7 && trail >= 0xA1 && trail <= 0xFE;
}

// The GBK codes of one region, decoded in one iconv pass; codes GBK leaves empty are skipped.
std::vector<std::string> Decode(int firstLead, int lastLead, int firstTrail, int lastTrail, bool skipGb2312) {
    std::vector<std::string> out;
    for (int lead = firstLead; lead <= lastLead; ++lead) {
        for (int trail = firstTrail; trail <= lastTrail; ++trail) {
            if (trail == 0x7F || (skipGb2312 && InGb2312(lead, trail)))
                continue;
            const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            const std::string text = GbkToUtf8(std::string_view(pair, 2));
            if (text != "\xEF\xBF\xBD\xEF\xBF\xBD" && text.size() == 3)
                out.push_back(text);
        }
    }
    return out;
}

} // namespace

const std::vector<std::string>& Level1Hanzi() {
    static const std::vector<std::string> hanzi = [] {
        std::string gbk;
        for (int lead = 0xB0; lead <= 0xD7; ++lead) {
            for (int trail = 0xA1; trail <= (lead == 0xD7 ? 0xF9 : 0xFE); ++trail) {
                gbk.push_back(static_cast<char>(lead));
                gbk.push_back(static_cast<char>(trail));
            }
        }
        return Characters(GbkToUtf8(gbk));
    }();
    return hanzi;
}

const std::vector<std::string>& GbkOnlyHanzi() {
    static const std::vector<std::string> hanzi = [] {
        // GBK/3 (leads 81..A0) and GBK/4 (leads AA..FE, trails 40..A0).
        std::vector<std::string> all = Decode(0x81, 0xA0, 0x40, 0xFE, false);
        const std::vector<std::string> four = Decode(0xAA, 0xFE, 0x40, 0xA0, true);
        all.insert(all.end(), four.begin(), four.end());
        return all;
    }();
    return hanzi;
}

std::vector<std::pair<int, int>> SamplePairs(int count, int size, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<std::pair<int, int>> pairs;
    pairs.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const int first = static_cast<int>(random() % static_cast<unsigned>(size));
        const int second = static_cast<int>(random() % static_cast<unsigned>(size));
        pairs.emplace_back(first, second);
    }
    return pairs;
}

} // namespace qj::test
