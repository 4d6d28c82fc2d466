#include "methods/hour_span.h"

#include <cmath>
#include <cstdio>

#include "calendar/ganzhi.h"
#include "calendar/timemode.h"

namespace velunar {
namespace {

std::string Clock(DateTime t, bool seconds) {
    const CivilTime c = Decompose(t).time;
    char text[16];
    if (seconds)
        std::snprintf(text, sizeof text, "%02d:%02d:%02d", c.hour, c.minute, c.second);
    else
        std::snprintf(text, sizeof text, "%02d:%02d", c.hour, c.minute);
    return text;
}

}  // namespace

std::string HourSpanText::Line() const {
    std::string line = hours;
    if (!clock.empty()) line += "（" + clock + "）";
    if (minutesToNext) line += "，还有 " + std::to_string(*minutesToNext) + " 分钟";
    return line;
}

std::int64_t DayOfDoubleHour(const Moment& m) {
    if (!HasComputedTime(m) || !m.timeMode) return WholeDay(m.dayDate);
    const double lead = *m.timeMode == TimeMode::ZeroToTwo ? 0.0 : 1.0 / 24.0;
    return WholeDay(m.effectiveTime + lead);
}

HourSpanText DescribeHourSpan(const TickInput& in, const Moment& m, Instant reference,
                              const std::optional<ClockSpan>& span) {
    HourSpanText t;
    if (m.hourBranch == Branch::None || !m.timeMode || !HasComputedTime(m)) return t;
    const HourSlot slot = SlotOf(m);
    const DateTime start = ReadingOfMs(slot.solarStart);
    // The double-hour's last minute, not the next one's first.
    const DateTime last = ReadingOfMs(slot.solarEnd - 60'000);
    // Under 区分夜子时早子时 the two halves of 子 are two days' double-hours.
    const std::string name = *m.timeMode == TimeMode::NightRat && m.hourBranch == Branch::Zi
                                 ? (slot.lateRat ? "夜子" : "早子")
                                 : std::string(Name(m.hourBranch));
    t.hours = name + "时 " + Clock(start, false) + "–" + Clock(last, false) + " " +
              (in.onlyBeijing ? "北京时间" : "真太阳时");
    // The instant must lie inside the span found, or the span belongs to another double-hour than the pages'.
    if (!span || reference < span->start || reference >= span->end + kMsPerSecond) return t;
    t.span = span;
    const bool china = in.page == TimePage::China;
    if (!(china && in.onlyBeijing))
        t.clock = std::string(china ? "北京时间 " : "机器时间 ") + StartText(WholeDay(span->Start()), *span) +
                  "–" + EndText(WholeDay(span->End()), *span);
    const std::int64_t secondsLeft = (span->end + kMsPerSecond - reference + 500) / kMsPerSecond;
    t.minutesToNext = static_cast<int>((secondsLeft + 59) / 60);
    return t;
}

}  // namespace velunar
