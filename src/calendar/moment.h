#pragma once
// The result of one tick's time computation, read by every doctrine.
#include <optional>
#include <string>

#include "calendar/datetime.h"
#include "calendar/ganzhi.h"
#include "calendar/timemode.h"

namespace velunar {

struct Moment {
    DateTime effectiveTime = 0.0;  // the zero date-time until the first time step succeeds
    DateTime dayDate = 0.0;
    Stem dayStem = Stem::None;
    Branch dayBranch = Branch::None;
    // None before the first double-hour is found, and while the China longitude cannot be read (then
    // longitudeInvalid says why); no doctrine opens anything without it.
    Branch hourBranch = Branch::None;
    bool longitudeInvalid = false;
    std::optional<TimeMode> timeMode;  // none: the stored mode text is none of the three
    // None whenever hourBranch is: the hour stem is then undefined and never shown as a stem.
    Stem hourStemBase = Stem::None;
    Stem hourStem = Stem::None;
};

// "甲子", or "" before a day is known.
std::string DayGanZhi(const Moment& m);
// What the hour boxes show: the branch ("子"), the longitude message, or "" before a double-hour is found.
std::string HourBranchText(const Moment& m);
// "丙子", the longitude message, or "".
std::string HourGanZhi(const Moment& m);

// The Moment a tick computes from an effective time under a time mode, its double-hour step open.
Moment MomentAt(DateTime effectiveTime, TimeMode mode);

}  // namespace velunar
