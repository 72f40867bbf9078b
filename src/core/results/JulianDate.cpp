#include "core/results/JulianDate.h"

#include <cmath>
#include <numbers>

namespace lumvane {
namespace {

constexpr double kJ2000 = 2451545.0;
constexpr double kDaysPerCentury = 36525.0;
/// Light time over one astronomical unit, in days (499.004784 s).
constexpr double kLightDaysPerAu = 499.004784 / 86400.0;

double Radians(double degrees)
{
    return degrees * std::numbers::pi / 180.0;
}

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    constexpr int kDays[] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

/// The Julian Day Number of the civil day (the noon that starts its JD).
long long DayNumber(int year, int month, int day)
{
    // Counted from March so that the leap day ends the year.
    const long long a = (14 - month) / 12;
    const long long y = year + 4800LL - a;
    const long long m = month + 12 * a - 3;
    return day + (153 * m + 2) / 5 + 365 * y + y / 4 - y / 100 + y / 400 - 32045;
}

} // namespace

std::optional<double> JulianDate(const UtcTime& time)
{
    if (time.month < 1 || time.month > 12 || time.day < 1 || time.day > DaysInMonth(time.year, time.month))
        return std::nullopt;
    const double seconds = time.hour * 3600.0 + time.minute * 60.0 + time.second;
    // The day number is whole; its JD starts at the previous noon.
    return static_cast<double>(DayNumber(time.year, time.month, time.day)) - 0.5 + seconds / 86400.0;
}

std::optional<double> MidExposureJulianDate(const FileEntry& entry)
{
    if (!entry.observationStart)
        return std::nullopt;
    const auto start = JulianDate(*entry.observationStart);
    if (!start)
        return std::nullopt;
    return *start + static_cast<double>(entry.exposure) / 2.0 / 86400.0;
}

double HeliocentricJulianDate(double julianDate, const SkyPosition& target)
{
    const double n = julianDate - kJ2000;
    const double meanLongitude = 280.460 + 0.9856474 * n;
    const double meanAnomaly = Radians(357.528 + 0.9856003 * n);
    const double longitudeOfDate = meanLongitude + 1.915 * std::sin(meanAnomaly) + 0.020 * std::sin(2.0 * meanAnomaly);
    // The general precession in longitude, 1.396971 degrees a century.
    const double longitude = Radians(longitudeOfDate - 1.396971 * n / kDaysPerCentury);
    const double distance = 1.00014 - 0.01671 * std::cos(meanAnomaly) - 0.00014 * std::cos(2.0 * meanAnomaly);
    const double obliquity = Radians(23.4392911);

    // The Sun seen from the Earth, equatorial axes, astronomical units.
    const double sunX = distance * std::cos(longitude);
    const double sunY = distance * std::sin(longitude) * std::cos(obliquity);
    const double sunZ = distance * std::sin(longitude) * std::sin(obliquity);
    const double ra = Radians(target.rightAscension);
    const double dec = Radians(target.declination);
    const double towardsTarget
        = sunX * std::cos(dec) * std::cos(ra) + sunY * std::cos(dec) * std::sin(ra) + sunZ * std::sin(dec);
    // Light reaches the Sun first when the Sun lies nearer the target than the Earth.
    return julianDate - kLightDaysPerAu * towardsTarget;
}

} // namespace lumvane
