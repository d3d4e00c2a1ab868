#pragma once
// A truncated VSOP87D series of the Earth's heliocentric longitude: the sum over the terms of
// power p of A cos(B + C τ), times τ^p, τ in Julian millennia from J2000 (TT).

#include <array>

namespace qj {

struct Vsop87Term {
    int power; // of τ, 0–5
    double amplitude;
    double phase;
    double frequency;
};

inline constexpr int kVsop87EarthTermCount = 140;
extern const std::array<Vsop87Term, kVsop87EarthTermCount> kVsop87EarthLongitude;

} // namespace qj
