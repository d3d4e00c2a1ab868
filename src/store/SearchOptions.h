#pragma once
// The search window's matching beyond the plain substring, each switched on by its own option. All
// off, a search finds exactly what it always found.

namespace qj {

struct SearchOptions {
    bool words = false;    // blank-separated words must all occur, in any order; "quotes" keep a phrase
    bool variants = false; // simplified and traditional characters alike
    bool pinyin = false;   // titles also by full pinyin or initials (a query of Latin letters)
    bool operator==(const SearchOptions&) const = default;
};

} // namespace qj
