#pragma once
// When a double-hour of true solar time begins and ends on the clock of the user's place: the China page's
// Beijing time, or the abroad page's machine time. Found by running the tick's own time step, so at the
// span's first second the tick gives that double-hour and one second earlier it does not, whatever the
// equation of time does from one day to the next.
#include <cstdint>
#include <optional>

#include "calendar/tick.h"

namespace velunar {

struct ClockSpan {
    DateTime start = 0.0;  // the first clock second of the double-hour
    DateTime end = 0.0;    // its last clock second
};

// The true-solar-time start of double-hour `branch` of date `day` (whole days since 1899-12-30) under a time
// mode: the 子 double-hour of D starts at 23:00 of D − 1 (at 00:00 of D when 子 is 00:00-01:59).
DateTime DoubleHourStart(std::int64_t day, Branch branch, TimeMode mode);

// The clock span of that double-hour for the place and switches of `place`. Nothing when the place cannot be
// worked out (an unreadable longitude, summer time or zone), or the double-hour never shows on the clock.
std::optional<ClockSpan> ClockSpanOf(const TickInput& place, std::int64_t day, Branch branch);

}  // namespace velunar
