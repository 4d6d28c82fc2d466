#pragma once
// How long the present double-hour lasts, in words the pages show: its hours of true solar time (or of
// Beijing time when only that is used), its span on the clock of the page in front, and the minutes left
// until the next one. Worked out here so the window and `velunar-cli now` say the same.
#include <cstdint>
#include <optional>
#include <string>

#include "calendar/moment.h"
#include "calendar/tick.h"
#include "methods/clock_span.h"

namespace velunar {

struct HourSpanText {
    std::string hours;  // "巳时 09:00–10:59 真太阳时"; "" without a double-hour
    std::string clock;  // "北京时间 09:14:37–11:14:34"; "" when the clock is the double-hour's own time
    std::optional<int> minutesToNext;  // whole minutes, rounded up, until the next double-hour on the clock
    // The span itself on the clock of the page in front, its first and last second (for scripts, as ISO).
    std::optional<ClockSpan> span;

    // The one line of the time pages: "巳时 09:00–10:59 真太阳时（北京时间 09:14:37–11:14:34），还有 37
    // 分钟".
    std::string Line() const;
};

// The day whose twelve double-hours hold `m`'s: the 子 double-hour opens a day at 23:00 of the day before
// (at 00:00 under 以0-2时为子时).
std::int64_t DayOfDoubleHour(const Moment& m);

// The texts for the double-hour of `m`, reached through `in` at the instant `reference`; `span` is that
// double-hour's ClockSpanOf.
HourSpanText DescribeHourSpan(const TickInput& in, const Moment& m, Instant reference,
                              const std::optional<ClockSpan>& span);

}  // namespace velunar
