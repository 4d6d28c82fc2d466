#pragma once
// Moments as a tick with only Beijing time in use would compute them: the calendar's own steps.
#include <string>

#include "calendar/moment.h"
#include "calendar/timemode.h"

namespace velunar::testing {

inline Moment MomentAt(DateTime t, int mode) {
    Moment m;
    m.timeMode = TimeModeText(mode);
    ApplyDayPart(m, ComputeDayPart(t, m.timeMode));
    m.hourBranch = mode == 2 ? HourBranchOf02(t) : HourBranchOf(t);
    ApplyHourStem(m);
    return m;
}

// The same day with a hour-branch box that holds no branch.
inline Moment WithHourText(Moment m, std::string text) {
    m.hourBranch = std::move(text);
    ApplyHourStem(m);
    return m;
}

}  // namespace velunar::testing
