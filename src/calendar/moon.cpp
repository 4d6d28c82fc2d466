#include "calendar/moon.h"

#include <array>
#include <cmath>
#include <numbers>

#include "calendar/astro_eot.h"

namespace velunar {
namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
constexpr double kSynodicMonth = 29.530588861;
constexpr double kLunationZeroJde = 2451550.09766;

double Sin(double degrees) {
    return std::sin(degrees * kDegree);
}
double Cos(double degrees) {
    return std::cos(degrees * kDegree);
}

// Meeus 49.1 and the periodic terms of table 49.A, in days of Terrestrial Time.
double PhaseJde(double k, MoonPhase phase) {
    const double t = k / 1236.85;
    const double t2 = t * t, t3 = t2 * t, t4 = t3 * t;
    double jde =
        kLunationZeroJde + kSynodicMonth * k + 0.00015437 * t2 - 0.000000150 * t3 + 0.00000000073 * t4;
    const double e = 1 - 0.002516 * t - 0.0000074 * t2;
    const double m = 2.5534 + 29.10535670 * k - 0.0000014 * t2 - 0.00000011 * t3;
    const double mp = 201.5643 + 385.81693528 * k + 0.0107582 * t2 + 0.00001238 * t3 - 0.000000058 * t4;
    const double f = 160.7108 + 390.67050284 * k - 0.0016118 * t2 - 0.00000227 * t3 + 0.000000011 * t4;
    const double om = 124.7746 - 1.56375588 * k + 0.0020672 * t2 + 0.00000215 * t3;

    double c = 0;
    if (phase == MoonPhase::New || phase == MoonPhase::Full) {
        const bool isNew = phase == MoonPhase::New;
        c = (isNew ? -0.40720 : -0.40614) * Sin(mp) + (isNew ? 0.17241 : 0.17302) * e * Sin(m) +
            (isNew ? 0.01608 : 0.01614) * Sin(2 * mp) + (isNew ? 0.01039 : 0.01043) * Sin(2 * f) +
            (isNew ? 0.00739 : 0.00734) * e * Sin(mp - m) - (isNew ? 0.00514 : 0.00515) * e * Sin(mp + m) +
            (isNew ? 0.00208 : 0.00209) * e * e * Sin(2 * m) - 0.00111 * Sin(mp - 2 * f) -
            0.00057 * Sin(mp + 2 * f) + 0.00056 * e * Sin(2 * mp + m) - 0.00042 * Sin(3 * mp) +
            0.00042 * e * Sin(m + 2 * f) + 0.00038 * e * Sin(m - 2 * f) - 0.00024 * e * Sin(2 * mp - m) -
            0.00017 * Sin(om) - 0.00007 * Sin(mp + 2 * m) + 0.00004 * Sin(2 * mp - 2 * f) +
            0.00004 * Sin(3 * m) + 0.00003 * Sin(mp + m - 2 * f) + 0.00003 * Sin(2 * mp + 2 * f) -
            0.00003 * Sin(mp + m + 2 * f) + 0.00003 * Sin(mp - m + 2 * f) - 0.00002 * Sin(mp - m - 2 * f) -
            0.00002 * Sin(3 * mp + m) + 0.00002 * Sin(4 * mp);
    } else {
        c = -0.62801 * Sin(mp) + 0.17172 * e * Sin(m) - 0.01183 * e * Sin(mp + m) + 0.00862 * Sin(2 * mp) +
            0.00804 * Sin(2 * f) + 0.00454 * e * Sin(mp - m) + 0.00204 * e * e * Sin(2 * m) -
            0.00180 * Sin(mp - 2 * f) - 0.00070 * Sin(mp + 2 * f) - 0.00040 * Sin(3 * mp) -
            0.00034 * e * Sin(2 * mp - m) + 0.00032 * e * Sin(m + 2 * f) + 0.00032 * e * Sin(m - 2 * f) -
            0.00028 * e * e * Sin(mp + 2 * m) + 0.00027 * e * Sin(2 * mp + m) - 0.00017 * Sin(om) -
            0.00005 * Sin(mp - m - 2 * f) + 0.00004 * Sin(2 * mp + 2 * f) - 0.00004 * Sin(mp + m + 2 * f) +
            0.00004 * Sin(mp - 2 * m) + 0.00003 * Sin(mp + m - 2 * f) + 0.00003 * Sin(3 * m) +
            0.00002 * Sin(2 * mp - 2 * f) + 0.00002 * Sin(mp - m + 2 * f) - 0.00002 * Sin(3 * mp + m);
        const double w = 0.00306 - 0.00038 * e * Cos(m) + 0.00026 * Cos(mp) - 0.00002 * Cos(mp - m) +
                         0.00002 * Cos(mp + m) + 0.00002 * Cos(2 * f);
        c += phase == MoonPhase::FirstQuarter ? w : -w;
    }
    jde += c;

    // The planetary arguments, common to all phases.
    static constexpr std::array<std::array<double, 3>, 14> kPlanetary{{
        {299.77, 0.107408, 0.000325},
        {251.88, 0.016321, 0.000165},
        {251.83, 26.651886, 0.000164},
        {349.42, 36.412478, 0.000126},
        {84.66, 18.206239, 0.000110},
        {141.74, 53.303771, 0.000062},
        {207.14, 2.453732, 0.000060},
        {154.84, 7.306860, 0.000056},
        {34.52, 27.261239, 0.000047},
        {207.19, 0.121824, 0.000042},
        {291.34, 1.844379, 0.000040},
        {161.72, 24.198154, 0.000037},
        {239.56, 25.513099, 0.000035},
        {331.55, 3.592518, 0.000023},
    }};
    for (std::size_t i = 0; i < kPlanetary.size(); ++i) {
        double a = kPlanetary[i][0] + kPlanetary[i][1] * k;
        if (i == 0) a -= 0.009173 * t2;
        jde += kPlanetary[i][2] * Sin(a);
    }
    return jde;
}

struct Lunation {
    int number = 0;
    std::array<DateTime, 5> phases{};  // new, first quarter, full, last quarter, next new
    bool valid = false;
};

}  // namespace

DateTime PrincipalPhaseUT(int lunation, MoonPhase phase) {
    const double k = lunation + 0.25 * static_cast<int>(phase);
    const double jde = PhaseJde(k, phase);
    const double year = 2000.0 + (jde - 2451545.0) / 365.25;
    return jde - DeltaTSeconds(year) / 86400.0 - kJulianDayOfDateTimeZero;
}

int LunationAt(DateTime universalTime) {
    const double jd = universalTime + kJulianDayOfDateTimeZero;
    int k = static_cast<int>(std::floor((jd - kLunationZeroJde) / kSynodicMonth));
    // The mean lunation is within a day of the true one; step to the true boundary.
    while (PrincipalPhaseUT(k, MoonPhase::New) > universalTime) --k;
    while (PrincipalPhaseUT(k + 1, MoonPhase::New) <= universalTime) ++k;
    return k;
}

MoonState MoonAt(DateTime universalTime) {
    thread_local Lunation cached;
    if (!cached.valid || universalTime < cached.phases[0] || universalTime >= cached.phases[4]) {
        cached.number = LunationAt(universalTime);
        for (int i = 0; i < 4; ++i)
            cached.phases[i] = PrincipalPhaseUT(cached.number, static_cast<MoonPhase>(i));
        cached.phases[4] = PrincipalPhaseUT(cached.number + 1, MoonPhase::New);
        cached.valid = true;
    }
    MoonState s;
    s.newMoon = cached.phases[0];
    s.ageDays = universalTime - s.newMoon;
    int nearest = 0;
    for (int i = 1; i < 5; ++i)
        if (std::fabs(universalTime - cached.phases[i]) < std::fabs(universalTime - cached.phases[nearest]))
            nearest = i;
    s.phase = static_cast<MoonPhase>(nearest % 4);
    return s;
}

std::string_view MoonPhaseName(MoonPhase phase) {
    static constexpr std::array<std::string_view, 4> kNames{"朔", "上弦", "望", "下弦"};
    return kNames[static_cast<int>(phase)];
}

std::string_view MoonPhaseAdvice(MoonPhase phase) {
    switch (phase) {
        case MoonPhase::New:
            return "月郭空无治";
        case MoonPhase::FirstQuarter:
            return "月生无泻";
        case MoonPhase::Full:
            return "月满无补";
        case MoonPhase::LastQuarter:
            break;
    }
    return "";
}

}  // namespace velunar
