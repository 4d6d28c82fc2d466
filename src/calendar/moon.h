#pragma once
// The Moon's principal phases and its age, for the lunar calendar and for the advice of 《素问·八正神明论》
// (月生无泻，月满无补，月郭空无治).
#include <string_view>

#include "calendar/datetime.h"

namespace velunar {

enum class MoonPhase { New, FirstQuarter, Full, LastQuarter };

// The instant of one principal phase in Universal Time (a DateTime, days since 1899-12-30 UT). Lunation 0 is
// the new moon of 2000-01-06; each lunation runs new moon, first quarter, full moon, last quarter.
// Meeus' series for the true phases (Astronomical Algorithms, 2nd ed., ch. 49), fitted to ELP-2000/82, with
// the Espenak-Meeus delta T: within a minute of the reference recorded from an independent lunar theory,
// from 1900 to 2100.
DateTime PrincipalPhaseUT(int lunation, MoonPhase phase);

// The lunation whose new moon is the last one at or before an instant of UT.
int LunationAt(DateTime universalTime);

struct MoonState {
    double ageDays = 0;                // days since the last new moon
    MoonPhase phase = MoonPhase::New;  // the principal phase nearest in time
    DateTime newMoon = 0;              // that last new moon, UT
};

// Cheap for instants in the lunation of the previous call on the same thread (a tick every second).
MoonState MoonAt(DateTime universalTime);

// "朔", "上弦", "望", "下弦".
std::string_view MoonPhaseName(MoonPhase phase);
// The advice of 《素问·八正神明论》 for the moon near that phase: about the new moon the moon's disc is empty
// (月郭空无治), waxing it grows (月生无泻), about the full moon it is full (月满无补); the waning moon has
// none.
std::string_view MoonPhaseAdvice(MoonPhase phase);

}  // namespace velunar
