#pragma once
// When a double-hour of true solar time begins and ends on the clock of the user's place: the China page's
// Beijing time, or the abroad page's machine time. Solved in instants: a span begins at the first second at
// which the tick's own time step has reached the double-hour, and its readings are that clock's at those
// instants, with the offset then. So at a span's first second the tick gives that double-hour and one second
// earlier it does not, on the nights the clocks change as on any other.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "calendar/tick.h"

namespace velunar {

struct ClockSpan {
    Instant start;  // the first second of the double-hour
    Instant end;    // its last second
    ZoneOffset startOffset, endOffset;  // the clock's offsets at the two
    // Whether the reading at each end is one the clock shows twice (the night it goes back), which time it
    // is, and the clock's offset at the other time.
    Pass startPass = Pass::Once, endPass = Pass::Once;
    ZoneOffset startOther, endOther;

    // The clock's readings at the two ends.
    DateTime Start() const { return ReadingAt(start, startOffset.Total()); }
    DateTime End() const { return ReadingAt(end, endOffset.Total()); }
};

// The true-solar-time start of double-hour `branch` of date `day` (whole days since 1899-12-30) under a time
// mode: the 子 double-hour of D starts at 23:00 of D − 1 (at 00:00 of D when 子 is 00:00-01:59).
DateTime DoubleHourStart(std::int64_t day, Branch branch, TimeMode mode);
std::int64_t DoubleHourStartMs(std::int64_t day, Branch branch, TimeMode mode);

// One double-hour of a date as the tick counts it under a time mode. Under 区分夜子时早子时 the date has
// thirteen: 早子 from true solar 00:00, 丑 … 亥, and 夜子 from 23:00 (its day the date's, its hour stem the
// next day's); under the other two its twelve, 子 first (from 23:00 of the day before, or from 00:00).
struct HourSlot {
    std::int64_t day = 0;
    Branch branch = Branch::None;
    bool lateRat = false;        // 夜子 of 区分夜子时早子时
    std::int64_t solarStart = 0;  // reading ms (instant.h) of true solar time
    std::int64_t solarEnd = 0;    // the next slot's start
};
std::vector<HourSlot> HourSlotsOf(std::int64_t day, TimeMode mode);
// What the tick shows at the slot's first second.
Moment SlotMoment(const HourSlot& slot, TimeMode mode);
// The slot a Moment's double-hour fills (its mode set, a double-hour found): under 区分夜子时早子时 子 is 早子
// or 夜子 by the hour.
HourSlot SlotOf(const Moment& m);

// Why the time step cannot use `place` (its longitude, zone or summer time), which then has no span at all:
// they work for every instant or for none, so one look tells. Nothing when it can.
std::optional<SkipReason> SpanPlaceFault(const TickInput& place);

// The clock span of that double-hour for the place and switches of `place`. Nothing when the place cannot be
// worked out (an unreadable longitude, summer time or zone), or the double-hour never shows on the clock.
std::optional<ClockSpan> ClockSpanOf(const TickInput& place, std::int64_t day, Branch branch);
std::optional<ClockSpan> ClockSpanOf(const TickInput& place, const HourSlot& slot);

// Which time of a reading the clock shows twice: "(夏令时)" or "(标准时间)" where one time is summer time and
// the other not, else the offset ("(UTC+03:00)"); "" for a reading the clock shows once.
std::string PassMark(Pass pass, const ZoneOffset& offset, const ZoneOffset& other);
// A span's end as the plain-text outputs write it: "09:27:18", its date before it where it is not `day`,
// and its pass mark: "01:30:00 (夏令时)".
std::string StartText(std::int64_t day, const ClockSpan& span, bool seconds = true);
std::string EndText(std::int64_t day, const ClockSpan& span, bool seconds = true);
// "09:27:18–11:27:15" after the date of the double-hour: each end as ReadingText writes it.
std::string SpanText(std::int64_t day, const ClockSpan& span);

// ClockSpanOf for double-hours taken in order, as the schedule and the reverse lookup take them: a span
// that follows the one before starts its search from where that one ended, at a fraction of the work. The
// results are those of ClockSpanOf whatever the order.
class ClockSpanWalker {
  public:
    explicit ClockSpanWalker(const TickInput& place);
    std::optional<ClockSpan> SpanOf(std::int64_t day, Branch branch);
    // The span of true solar time [solarStart, solarEnd) (reading ms), if it shows on the clock; `branch` is
    // the double-hour the tick must give at its start.
    std::optional<ClockSpan> SpanOfSolar(std::int64_t solarStart, std::int64_t solarEnd, Branch branch);
    std::optional<ClockSpan> SpanOf(const HourSlot& slot) {
        return SpanOfSolar(slot.solarStart, slot.solarEnd, slot.branch);
    }

  private:
    std::optional<Instant> Boundary(std::int64_t solar);

    std::optional<PlaceClock> clock_;
    std::optional<TimeMode> mode_;
    // The last boundary found: its true solar time and first second.
    std::optional<std::pair<std::int64_t, Instant>> last_;
};

}  // namespace velunar
