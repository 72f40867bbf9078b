#include "core/results/JulianDate.h"

#include <gtest/gtest.h>

namespace lumvane {
namespace {

UtcTime Utc(int year, int month, int day, int hour = 0, int minute = 0, double second = 0.0)
{
    return UtcTime { year, month, day, hour, minute, second };
}

/// One day in seconds' worth of Julian Date.
constexpr double kSecond = 1.0 / 86400.0;

struct DateCase {
    UtcTime time;
    double julianDate;
};

// Worked examples of Meeus, Astronomical Algorithms (2nd ed.), chapter 7,
// and the J2000.0 epoch.
TEST(JulianDate, KnownDates)
{
    const DateCase cases[] = {
        { Utc(2000, 1, 1, 12), 2451545.0 },
        { Utc(1999, 1, 1), 2451179.5 },
        { Utc(1988, 6, 19, 12), 2447332.0 },
        { Utc(1900, 1, 1), 2415020.5 },
        { Utc(1600, 12, 31), 2305812.5 },
        { Utc(1957, 10, 4, 19, 26, 24), 2436116.31 },
        // A leap day and the day after it.
        { Utc(2024, 2, 29), 2460369.5 },
        { Utc(2024, 3, 1), 2460370.5 },
    };
    for (const DateCase& c : cases) {
        const auto jd = JulianDate(c.time);
        ASSERT_TRUE(jd.has_value()) << c.time.year << "-" << c.time.month << "-" << c.time.day;
        EXPECT_NEAR(*jd, c.julianDate, 1e-6) << c.time.year << "-" << c.time.month << "-" << c.time.day;
    }
}

TEST(JulianDate, DatesThatDoNotExistHaveNone)
{
    EXPECT_FALSE(JulianDate(Utc(2023, 2, 29)).has_value());
    EXPECT_FALSE(JulianDate(Utc(1900, 2, 29)).has_value());
    EXPECT_FALSE(JulianDate(Utc(2023, 4, 31)).has_value());
    EXPECT_FALSE(JulianDate(Utc(2023, 13, 1)).has_value());
    EXPECT_TRUE(JulianDate(Utc(2000, 2, 29)).has_value());
}

TEST(MidExposureJulianDate, AddsHalfTheExposure)
{
    FileEntry entry;
    entry.observationStart = Utc(2000, 1, 1, 12);
    entry.exposure = 120.0F;
    const auto jd = MidExposureJulianDate(entry);
    ASSERT_TRUE(jd.has_value());
    EXPECT_NEAR(*jd, 2451545.0 + 60.0 * kSecond, 1e-7);

    // Half an exposure across midnight lands on the next civil day.
    entry.observationStart = Utc(2023, 12, 31, 23, 59, 30);
    entry.exposure = 300.0F;
    const auto nextDay = MidExposureJulianDate(entry);
    ASSERT_TRUE(nextDay.has_value());
    EXPECT_NEAR(*nextDay, 2460310.5 + 120.0 * kSecond, 1e-7);

    entry.observationStart.reset();
    EXPECT_FALSE(MidExposureJulianDate(entry).has_value());
}

struct HeliocentricCase {
    double julianDate;
    SkyPosition target;
    double heliocentric;
};

// Reference values from astropy 5.2.1 (Debian 12):
//   t = Time(iso, scale='utc', location=EarthLocation.from_geocentric(0, 0, 0, unit=u.m))
//   (t + t.light_travel_time(SkyCoord(ra * u.deg, dec * u.deg, frame='icrs'), kind='heliocentric')).jd
// The light times range from -338 s to +356 s.
TEST(HeliocentricJulianDate, AgreesWithAstropyWithinASecond)
{
    const HeliocentricCase cases[] = {
        { 2451545.00000000, { 0.0, 0.0 }, 2451544.99897688 }, // 2000-01-01T12:00:00
        { 2460385.39635417, { 83.633083, 22.0145 }, 2460385.39621783 }, // 2024-03-15T21:30:45, M1
        { 2455381.59375000, { 279.2347, 38.7837 }, 2455381.59652594 }, // 2010-07-04T02:15:00, Vega
        { 2450042.25000000, { 10.6847, 41.2690 }, 2450042.25412199 }, // 1995-11-20T18:00:00, M31
        { 2461380.50000000, { 201.365, -43.019 }, 2461380.49608450 }, // 2026-12-06T00:00:00, Cen A
    };
    for (const HeliocentricCase& c : cases)
        EXPECT_NEAR(HeliocentricJulianDate(c.julianDate, c.target), c.heliocentric, 1.0 * kSecond)
            << "JD " << c.julianDate;
}

} // namespace
} // namespace lumvane
