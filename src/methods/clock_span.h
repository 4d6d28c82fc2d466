#pragma once
// When a double-hour of true solar time begins and ends on the clock of the user's place: the China page's
// Beijing time, or the abroad page's machine time. Found by running the tick's own time step, so at the
// span's first second the tick gives that double-hour and one second earlier it does not, whatever the
// equation of time does from one day to the next.
#include <cstdint>
#include <optional>
#include <string>

#include "calendar/tick.h"

namespace velunar {

struct ClockSpan {
    DateTime start = 0.0;  // the first clock second of the double-hour
    DateTime end = 0.0;    // its last clock second
};

// The true-solar-time start of double-hour `branch` of date `day` (whole days since 1899-12-30) under a time
// mode: the 子 double-hour of D starts at 23:00 of D − 1 (at 00:00 of D when 子 is 00:00-01:59).
DateTime DoubleHourStart(std::int64_t day, Branch branch, TimeMode mode);

// Why the time step cannot use `place` (its longitude, zone or summer time), which then has no span at all:
// they work for every reading or for none, so one reading tells. Nothing when it can.
std::optional<SkipReason> SpanPlaceFault(const TickInput& place);

// The clock span of that double-hour for the place and switches of `place`. Nothing when the place cannot be
// worked out (an unreadable longitude, summer time or zone), or the double-hour never shows on the clock.
std::optional<ClockSpan> ClockSpanOf(const TickInput& place, std::int64_t day, Branch branch);

// "09:27:18–11:27:15" after the date of the double-hour: each end's date is written only where it is not
// `day` (the 子 double-hour begins on the clock the evening before).
std::string SpanText(std::int64_t day, const ClockSpan& span);

// Minutes to take from the place's clock for UTC: Beijing time on the China page; the zone and summer time
// of the abroad page (a tz-database zone's for the clock reading given). Nothing when the abroad page's zone
// or summer time cannot be read.
std::optional<double> ClockMinusUtcMinutes(const TickInput& place, DateTime reading);

// ClockSpanOf for double-hours taken in order, as the schedule and the reverse lookup take them: a span
// that follows the one before starts from where that one ended, at a fraction of the work and with the same
// result.
class ClockSpanWalker {
  public:
    explicit ClockSpanWalker(TickInput place);
    std::optional<ClockSpan> SpanOf(std::int64_t day, Branch branch);

  private:
    struct Boundary {
        DateTime clock = 0.0;          // the first clock second of a double-hour
        Branch branch = Branch::None;  // the double-hour the tick gives there
    };
    std::optional<Boundary> Walk(DateTime solar, DateTime guess) const;

    TickInput place_;
    // Where the double-hour after the last one asked for starts, and its solar start.
    std::optional<Boundary> next_;
    DateTime nextSolar_ = 0.0;
};

}  // namespace velunar
