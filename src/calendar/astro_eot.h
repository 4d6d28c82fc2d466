#pragma once
// The equation of time computed for an instant from a model of the Sun's apparent position, an
// alternative to the fixed table of eot.h (which has one value per calendar day, the same every year).
#include "calendar/datetime.h"

namespace velunar {

// Apparent minus mean solar time, in seconds (positive when true solar time is ahead of mean time,
// the sign of the table), at an instant of Universal Time given as a DateTime: days since
// 1899-12-30 00:00 UT, the time of day being the fraction. Local clock or mean time must be turned
// into UT by the caller (local mean time at east longitude L is UT + L/15 hours).
//
// The Sun is the truncated VSOP87 series for the Earth with Meeus' FK5 correction, nutation, annual
// aberration and the true obliquity (Meeus, Astronomical Algorithms, 2nd ed., ch. 12, 22, 25); the mean
// Sun is the one of Greenwich mean sidereal time, so E = GAST - RA(Sun) + 12 h - UT. Terrestrial time
// is UT plus the Espenak-Meeus delta T. Within 0.5 s of the IAU SOFA models from 1900 to 2100.
double AstronomicalEquationOfTimeSeconds(DateTime universalTime);

// The Julian day of the DateTime epoch, 1899-12-30 00:00.
inline constexpr double kJulianDayOfDateTimeZero = 2415018.5;

// The Sun's apparent geocentric longitude in radians, [0, 2 pi), on the true equinox of date with annual
// aberration, at a Julian Ephemeris Day (Terrestrial Time): the same model as the equation of time. The
// solar terms are the instants it passes multiples of 15 degrees.
double ApparentSolarLongitude(double julianEphemerisDay);

// TT - UT in seconds for a decimal year (Espenak & Meeus, 2006); predicted beyond the present.
double DeltaTSeconds(double decimalYear);

}  // namespace velunar
