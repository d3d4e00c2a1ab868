#include "calendar/core/ExactSolarTerms.h"

#include "calendar/core/Sexagenary.h"
#include "calendar/core/SunPosition.h"

#include <array>
#include <cmath>
#include <mutex>

namespace qj {

namespace {

// Julian day of the date-time value 0 (1899-12-30 00:00).
constexpr double kJulianDayOfZero = 2415018.5;
constexpr double kBeijingOffsetDays = 8.0 / 24.0;
constexpr double kSecondsPerDay = 86400.0;
// Mean motion of the Sun in degrees per day.
constexpr double kDegreesPerDay = 360.0 / 365.2422;
constexpr int kIterations = 5;

constexpr int kYears = kLastExactTermYear - kFirstExactTermYear + 1;

double TermLongitude(int termIndex) {
    return std::fmod(285.0 + 15.0 * termIndex, 360.0);
}

DateTimeValue ComputeTermTime(int year, int termIndex) {
    // Start from the mean-year formula (within two days) and follow the Sun.
    double jde = SolarTermTime(year, termIndex) + kJulianDayOfZero;
    const double target = TermLongitude(termIndex);
    for (int i = 0; i < kIterations; ++i) {
        double difference = target - ApparentSunLongitude(jde);
        difference -= 360.0 * std::floor((difference + 180.0) / 360.0);
        jde += difference / kDegreesPerDay;
    }
    const double decimalYear = year + (termIndex + 0.5) / 24.0;
    const double universal = jde - DeltaTSeconds(decimalYear) / kSecondsPerDay;
    return universal - kJulianDayOfZero + kBeijingOffsetDays;
}

struct YearTerms {
    std::once_flag once;
    std::array<DateTimeValue, 24> times{};
};

std::array<YearTerms, kYears>& Cache() {
    static std::array<YearTerms, kYears> cache;
    return cache;
}

} // namespace

DateTimeValue ExactSolarTermTime(int year, int termIndex) {
    if (year < kFirstExactTermYear || year > kLastExactTermYear)
        return ComputeTermTime(year, termIndex);
    YearTerms& terms = Cache()[year - kFirstExactTermYear];
    std::call_once(terms.once, [&] {
        for (int k = 0; k < 24; ++k)
            terms.times[k] = ComputeTermTime(year, k);
    });
    return terms.times[termIndex];
}

int ExactSolarTermDay(int year, int termIndex) {
    return DayNumber(ExactSolarTermTime(year, termIndex));
}

} // namespace qj
