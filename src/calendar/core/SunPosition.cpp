#include "calendar/core/SunPosition.h"

#include "calendar/core/Vsop87Earth.h"

#include <array>
#include <cmath>

namespace qj {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegreesPerRadian = 180.0 / kPi;
constexpr double kArcsecond = 1.0 / 3600.0; // in degrees
constexpr double kJ2000 = 2451545.0;

// ΔT in seconds every five years from 1900 (observed to 2025, predicted after).
constexpr double kDeltaTFirstYear = 1900;
constexpr double kDeltaTStep = 5;
constexpr std::array<double, 32> kDeltaT = {
    -2.72, 3.86,  10.46, 17.20, 21.16, 23.62, 24.02, 23.93, 24.33, 26.77, 29.15,
    31.07, 33.15, 35.73, 40.18, 45.48, 50.54, 54.34, 56.86, 60.78, 63.83, 64.69,
    66.07, 67.64, 69.36, 69.20, 69.40, 69.80, 70.30, 70.90, 71.60, 72.40,
};

double Radians(double degrees) {
    return degrees / kDegreesPerRadian;
}

} // namespace

double ApparentSunLongitude(double julianEphemerisDay) {
    const double tau = (julianEphemerisDay - kJ2000) / 365250.0;
    std::array<double, 6> series{};
    for (const Vsop87Term& term : kVsop87EarthLongitude)
        series[term.power] += term.amplitude * std::cos(term.phase + term.frequency * tau);
    double earth = 0;
    for (int power = 5; power >= 0; --power)
        earth = earth * tau + series[power];
    const double t = tau * 10; // Julian centuries
    double lambda = earth * kDegreesPerRadian + 180.0;
    lambda -= 0.09033 * kArcsecond; // to the FK5 frame
    // Nutation in longitude (the four largest terms) and the annual aberration.
    const double moonNode = Radians(125.04452 - 1934.136261 * t);
    const double sunMean = Radians(280.4665 + 36000.7698 * t);
    const double moonMean = Radians(218.3165 + 481267.8813 * t);
    lambda += (-17.20 * std::sin(moonNode) - 1.32 * std::sin(2 * sunMean) - 0.23 * std::sin(2 * moonMean) +
               0.21 * std::sin(2 * moonNode)) *
              kArcsecond;
    lambda -= 20.4898 * kArcsecond;
    lambda = std::fmod(lambda, 360.0);
    return lambda < 0 ? lambda + 360.0 : lambda;
}

double DeltaTSeconds(double decimalYear) {
    const double position = (decimalYear - kDeltaTFirstYear) / kDeltaTStep;
    if (position <= 0)
        return kDeltaT.front();
    if (position >= kDeltaT.size() - 1)
        return kDeltaT.back();
    const auto i = static_cast<std::size_t>(position);
    const double f = position - static_cast<double>(i);
    return kDeltaT[i] + (kDeltaT[i + 1] - kDeltaT[i]) * f;
}

} // namespace qj
