#include "methods/clock_span.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "calendar/solar.h"

namespace velunar {
namespace {

constexpr std::int64_t kHourMs = 3'600'000;
constexpr std::int64_t kSecondMs = 1000;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

// The first whole second at which the place's effective time has reached `target` (a reading in ms),
// searched from `guess`. Effective time moves on with the instant but for the steps of the fixed
// equation-of-time table at each local mean midnight, which can set it back by up to half a minute; a target
// just past such a step is reached twice, and the first time is when the tick first shows it.
std::optional<Instant> FirstReaching(const PlaceClock& c, std::int64_t target, Instant guess) {
    constexpr std::int64_t kFarthest = 3 * 86'400;  // seconds; guesses are always far nearer
    auto effective = [&c](std::int64_t second) { return c.EffectiveMs(Instant{second * kSecondMs}); };
    std::int64_t s = FloorDiv(guess.ms, kSecondMs);
    // The correction changes by well under a minute a day: a step or two by the difference lands within a
    // second or so.
    for (int step = 0; step < 4; ++step) {
        const std::int64_t d = target - effective(s);
        if (std::llabs(d) <= 1500) break;
        s += FloorDiv(d, kSecondMs);
    }
    // Gallop outward until a second on either side is held, then halve.
    std::int64_t lo = 0, hi = s;
    if (effective(hi) >= target) {
        for (std::int64_t step = 1;; step *= 2) {
            if (step > kFarthest) return std::nullopt;
            if (effective(hi - step) < target) {
                lo = hi - step;
                break;
            }
            hi -= step;
        }
    } else {
        lo = hi;
        for (std::int64_t step = 1;; step *= 2) {
            if (step > kFarthest) return std::nullopt;
            if (effective(lo + step) >= target) {
                hi = lo + step;
                break;
            }
            lo += step;
        }
    }
    while (hi - lo > 1) {
        const std::int64_t mid = lo + (hi - lo) / 2;
        (effective(mid) >= target ? hi : lo) = mid;
    }
    // A step of the table shortly before: if the target was already reached just before it, that is the
    // first time, found by halving the stretch before the step (where time runs on).
    if (const std::optional<Instant> step = c.TableStepBefore(Instant{hi * kSecondMs}, 62 * kSecondMs)) {
        const std::int64_t before = FloorDiv(step->ms, kSecondMs) - 1;
        if (effective(before) >= target) {
            std::int64_t a = before - 62, b = before;
            if (effective(a) >= target) return std::nullopt;  // more than one step apart: cannot be
            while (b - a > 1) {
                const std::int64_t mid = a + (b - a) / 2;
                (effective(mid) >= target ? b : a) = mid;
            }
            hi = b;
        }
    }
    return Instant{hi * kSecondMs};
}

ClockSpan MakeSpan(const ZoneTimeline& clock, Instant start, Instant end) {
    ClockSpan s;
    s.start = start;
    s.end = end;
    s.startOffset = clock.At(start);
    s.endOffset = clock.At(end);
    s.startPass = clock.PassAt(start, &s.startOther);
    s.endPass = clock.PassAt(end, &s.endOther);
    return s;
}

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

std::int64_t DoubleHourStartMs(std::int64_t day, Branch branch, TimeMode mode) {
    const std::int64_t date = day * kMsPerDay;
    if (mode == TimeMode::ZeroToTwo) return date + 2 * (Number(branch) - 1) * kHourMs;
    return branch == Branch::Zi ? date - kHourMs : date + (2 * Number(branch) - 3) * kHourMs;
}

DateTime DoubleHourStart(std::int64_t day, Branch branch, TimeMode mode) {
    return ReadingOfMs(DoubleHourStartMs(day, branch, mode));
}

std::vector<HourSlot> HourSlotsOf(std::int64_t day, TimeMode mode) {
    std::vector<HourSlot> slots;
    const std::int64_t date = day * kMsPerDay;
    if (mode == TimeMode::NightRat) {
        // 早子 is the first hour of the date's 子, 夜子 the last hour of the date: each an hour long.
        slots.push_back({day, Branch::Zi, false, date, date + kHourMs});
        for (int h = 2; h <= 12; ++h) {
            const std::int64_t start = DoubleHourStartMs(day, BranchAt(h), mode);
            slots.push_back({day, BranchAt(h), false, start, start + 2 * kHourMs});
        }
        slots.push_back({day, Branch::Zi, true, date + 23 * kHourMs, date + kMsPerDay});
        return slots;
    }
    for (int h = 1; h <= 12; ++h) {
        const std::int64_t start = DoubleHourStartMs(day, BranchAt(h), mode);
        slots.push_back({day, BranchAt(h), false, start, start + 2 * kHourMs});
    }
    return slots;
}

Moment SlotMoment(const HourSlot& slot, TimeMode mode) {
    return MomentAt(ReadingOfMs(slot.solarStart), mode);
}

HourSlot SlotOf(const Moment& m) {
    const TimeMode mode = m.timeMode.value_or(TimeMode::NoNightRat);
    if (mode == TimeMode::NightRat && m.hourBranch == Branch::Zi) {
        const std::int64_t day = WholeDay(m.effectiveTime);
        const bool late = HourOf(m.effectiveTime) == 23;
        const std::int64_t start = day * kMsPerDay + (late ? 23 * kHourMs : 0);
        return {day, Branch::Zi, late, start, start + kHourMs};
    }
    // The 子 double-hour opens a day at 23:00 of the day before (at 00:00 under 以0-2时为子时).
    const std::int64_t lead = mode == TimeMode::ZeroToTwo ? 0 : kHourMs;
    std::int64_t day = (ReadingMs(m.effectiveTime) + lead) / kMsPerDay;
    if (ReadingMs(m.effectiveTime) + lead < 0) --day;
    const std::int64_t start = DoubleHourStartMs(day, m.hourBranch, mode);
    return {day, m.hourBranch, false, start, start + 2 * kHourMs};
}

std::optional<SkipReason> SpanPlaceFault(const TickInput& place) {
    const auto clock = PlaceClock::Of(place);
    if (const SkipReason* fault = std::get_if<SkipReason>(&clock)) return *fault;
    return std::nullopt;
}

std::optional<ClockSpan> ClockSpanOf(const TickInput& place, std::int64_t day, Branch branch) {
    return ClockSpanWalker(place).SpanOf(day, branch);
}

std::optional<ClockSpan> ClockSpanOf(const TickInput& place, const HourSlot& slot) {
    return ClockSpanWalker(place).SpanOf(slot);
}

std::string PassMark(Pass pass, const ZoneOffset& offset, const ZoneOffset& other) {
    if (pass == Pass::Once) return {};
    // Summer time against standard time where the change is that; otherwise only the offset tells.
    const bool summer = offset.summerSeconds != 0;
    if (summer != (other.summerSeconds != 0)) return summer ? "(夏令时)" : "(标准时间)";
    return "(UTC" + FormatOffset(offset.Total()) + ")";
}

namespace {

std::string EndReadingText(std::int64_t day, DateTime reading, Pass pass, const ZoneOffset& offset,
                           const ZoneOffset& other, bool seconds) {
    std::string text = WholeDay(reading) == day ? Clock(reading, seconds)
                                                : FormatIsoDate(reading) + " " + Clock(reading, seconds);
    const std::string mark = PassMark(pass, offset, other);
    if (!mark.empty()) text += " " + mark;
    return text;
}

}  // namespace

std::string StartText(std::int64_t day, const ClockSpan& span, bool seconds) {
    return EndReadingText(day, span.Start(), span.startPass, span.startOffset, span.startOther, seconds);
}

std::string EndText(std::int64_t day, const ClockSpan& span, bool seconds) {
    return EndReadingText(day, span.End(), span.endPass, span.endOffset, span.endOther, seconds);
}

std::string SpanText(std::int64_t day, const ClockSpan& span) {
    return StartText(day, span) + "–" + EndText(day, span);
}

ClockSpanWalker::ClockSpanWalker(const TickInput& place) : mode_(place.timeMode) {
    auto clock = PlaceClock::Of(place);
    if (PlaceClock* c = std::get_if<PlaceClock>(&clock)) clock_ = std::move(*c);
}

std::optional<Instant> ClockSpanWalker::Boundary(std::int64_t solar) {
    if (last_ && last_->first == solar) return last_->second;
    // From the last boundary's correction when there is one, else from true solar time read as Beijing time.
    const Instant guess = last_ ? last_->second + (solar - last_->first)
                                : InstantOfReadingMs(solar, kBeijingOffsetSeconds);
    const std::optional<Instant> found = FirstReaching(*clock_, solar, guess);
    if (found) last_ = std::pair{solar, *found};
    return found;
}

std::optional<ClockSpan> ClockSpanWalker::SpanOf(std::int64_t day, Branch branch) {
    if (!mode_ || branch == Branch::None) return std::nullopt;
    const std::int64_t start = DoubleHourStartMs(day, branch, *mode_);
    return SpanOfSolar(start, start + 2 * kHourMs, branch);
}

std::optional<ClockSpan> ClockSpanWalker::SpanOfSolar(std::int64_t solarStart, std::int64_t solarEnd,
                                                      Branch branch) {
    if (!clock_ || !mode_ || branch == Branch::None) return std::nullopt;
    const std::optional<Instant> start = Boundary(solarStart);
    const std::optional<Instant> next = start ? Boundary(solarEnd) : std::nullopt;
    if (!start || !next || *next <= *start) return std::nullopt;
    if (HourBranchIn(*mode_, ReadingOfMs(clock_->EffectiveMs(*start))) != branch) return std::nullopt;
    return MakeSpan(clock_->Clock(), *start, *next - kSecondMs);
}

}  // namespace velunar
