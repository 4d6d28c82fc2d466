#pragma once
// One-line warnings about the clock the time step is given, shared by the window's pages and `now`: the
// program never changes what the user chose, it says when the tz database disagrees with it.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/sentence.h"
#include "calendar/tr_mark.h"

namespace velunar {

// What the tz database says of a zone at one instant.
struct ZoneFacts {
    int offsetMinutes = 0;  // east of Greenwich, summer time included
    int summerMinutes = 0;  // the summer-time part of it
};

// A hint is its sentences (each marked under "hint"), joined by this; none: nothing to say.
inline constexpr std::string_view kHintJoint = VELUNAR_TR("hint", "；");

// "GMT+08:00", "GMT-03:30", "GMT".
std::string GmtText(int offsetMinutes);

// The abroad page with a fixed zone: `named` is what the tz database says, for the reference moment, of the
// zone the label stands for (nothing when the label names none). Says when the label's offset is not that
// zone's standard offset, and when the summer time entered is not the zone's. None when all agree or
// nothing can be compared (an unreadable summer time is the step's own error).
std::vector<Sentence> AbroadZoneHint(std::string_view zoneText, std::string_view summerText,
                                     const std::optional<ZoneFacts>& named);

// The China page reading the machine's clock as Beijing time: says when the machine's zone is not UTC+8 at
// that moment. None when it is.
std::vector<Sentence> ChinaClockHint(int machineOffsetMinutes);

}  // namespace velunar
