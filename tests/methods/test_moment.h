#pragma once
// Moments as a tick with only Beijing time in use would compute them: the calendar's own steps.
#include "calendar/moment.h"
#include "calendar/timemode.h"

namespace velunar::testing {

inline Moment MomentAt(DateTime t, int mode) {
    Moment m;
    m.timeMode = TimeModeAt(mode);
    ApplyDayPart(m, ComputeDayPart(t, m.timeMode));
    m.hourBranch = HourBranchIn(*m.timeMode, t);
    ApplyHourStem(m);
    return m;
}

// The same day without a double-hour: before the first one is found, or withheld for the longitude.
inline Moment WithoutBranch(Moment m, bool longitudeInvalid) {
    m.hourBranch = Branch::None;
    m.longitudeInvalid = longitudeInvalid;
    ApplyHourStem(m);
    return m;
}

}  // namespace velunar::testing
