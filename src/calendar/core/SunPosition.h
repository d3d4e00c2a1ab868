#pragma once
// Where the Sun stands, seen from the Earth: the apparent ecliptic longitude (VSOP87D, FK5
// correction, nutation in longitude and aberration) and ΔT, the difference between terrestrial
// time and universal time.

namespace qj {

// Apparent geocentric longitude of the Sun in degrees, 0 ≤ λ < 360, at a Julian ephemeris day (TT).
double ApparentSunLongitude(double julianEphemerisDay);
// ΔT = TT − UT in seconds for a decimal year; interpolated in observed values from 1900 to 2025,
// and in predicted ones to 2055 (constant outside 1900–2055).
double DeltaTSeconds(double decimalYear);

} // namespace qj
