#include "methods/clock_span.h"

#include <cmath>
#include <cstdint>
#include <utility>

#include "calendar/numparse.h"
#include "calendar/solar.h"

namespace velunar {
namespace {

constexpr double kSecond = 1.0 / 86400.0;

// What the tick makes of the clock reading t: its true solar time (the effective time) and double-hour.
struct Reading {
    bool ok = false;
    DateTime effective = 0.0;
    Branch branch = Branch::None;
};

Reading Read(const TickInput& place, DateTime t) {
    if (place.hint) {
        TickInput quiet = place;
        quiet.hint = false;
        return Read(quiet, t);
    }
    const TickResult r = RunTick(place, Moment{}, [t] { return t; });
    if (r.skipped || r.moment.hourBranch == Branch::None) return {};
    return {true, r.moment.effectiveTime, r.moment.hourBranch};
}

// Whether true solar time has reached `solar` at this reading, as the tick decides it: in whole milliseconds.
// True solar time lies at fractions of a second from the clock (the longitude's minutes, the astronomical
// equation of time), so a tolerance would count a reading 0.4 s short of a double-hour as in it.
bool Reached(const Reading& r, DateTime solar) {
    constexpr double kMsPerDay = 86'400'000.0;
    return std::llround(r.effective * kMsPerDay) >= std::llround(solar * kMsPerDay);
}

// Whole clock seconds, so that every candidate is a reading the clock can show.
DateTime WholeSecond(DateTime t) {
    return std::round(t * 86400.0) / 86400.0;
}

// The first whole clock second whose reading has reached `solar`, with that reading, searched from `t` near
// it. True solar time moves on with the clock except where a zone's clocks change: a reading the clocks show
// twice is taken in the later period, so at the autumn change it jumps an hour ahead. The search gallops
// outward from `t` until it holds a reading on either side, then halves that bracket: a second or two
// normally, a few dozen readings at a change.
std::optional<std::pair<DateTime, Reading>> FirstReaching(const TickInput& place, DateTime solar,
                                                          DateTime t) {
    constexpr std::int64_t kFarthest = 3 * 86'400;  // seconds; the guesses are always far nearer
    auto at = [&place](std::int64_t second) { return Read(place, static_cast<double>(second) / 86'400.0); };
    std::int64_t lo = 0, hi = std::llround(t * 86'400.0);
    Reading high = at(hi);
    if (!high.ok) return std::nullopt;
    if (Reached(high, solar)) {
        for (std::int64_t step = 1;; step *= 2) {
            if (step > kFarthest) return std::nullopt;
            const Reading r = at(hi - step);
            if (!r.ok) return std::nullopt;
            if (!Reached(r, solar)) {
                lo = hi - step;
                break;
            }
            hi -= step;
            high = r;
        }
    } else {
        lo = hi;
        for (std::int64_t step = 1;; step *= 2) {
            if (step > kFarthest) return std::nullopt;
            const Reading r = at(lo + step);
            if (!r.ok) return std::nullopt;
            if (Reached(r, solar)) {
                hi = lo + step;
                high = r;
                break;
            }
            lo += step;
        }
    }
    while (hi - lo > 1) {
        const std::int64_t mid = lo + (hi - lo) / 2;
        const Reading r = at(mid);
        if (!r.ok) return std::nullopt;
        if (Reached(r, solar)) {
            hi = mid;
            high = r;
        } else {
            lo = mid;
        }
    }
    return std::pair{static_cast<double>(hi) / 86'400.0, high};
}

// The first whole clock second whose reading has reached `solar`, and the double-hour the tick gives there,
// from a guess: the correction changes by well under a minute a day, so a step or two by it lands within a
// second, and FirstReaching settles the exact one.
std::optional<std::pair<DateTime, Branch>> FirstSecond(const TickInput& place, DateTime solar,
                                                       DateTime guess) {
    DateTime t = WholeSecond(guess);
    for (int step = 0; step < 4; ++step) {
        const Reading r = Read(place, t);
        if (!r.ok) return std::nullopt;
        if (std::abs(solar - r.effective) <= 1.5 * kSecond) break;
        t = WholeSecond(t + (solar - r.effective));
    }
    const auto found = FirstReaching(place, solar, t);
    if (!found) return std::nullopt;
    return std::pair{found->first, found->second.branch};
}

}  // namespace

DateTime DoubleHourStart(std::int64_t day, Branch branch, TimeMode mode) {
    const auto date = static_cast<DateTime>(day);
    if (mode == TimeMode::ZeroToTwo) return date + 2.0 * (Number(branch) - 1) / 24.0;
    return branch == Branch::Zi ? date - 1.0 / 24.0 : date + (2.0 * Number(branch) - 3.0) / 24.0;
}

std::optional<SkipReason> SpanPlaceFault(const TickInput& place) {
    TickInput quiet = place;
    quiet.hint = false;
    const TickResult r = RunTick(quiet, Moment{}, [] { return MakeDateTime(2000, 1, 1, 12); });
    if (r.skipped) return r.skipReason;
    return std::nullopt;
}

std::optional<ClockSpan> ClockSpanOf(const TickInput& place, std::int64_t day, Branch branch) {
    if (!place.timeMode || branch == Branch::None) return std::nullopt;
    const DateTime solarStart = DoubleHourStart(day, branch, *place.timeMode);
    const auto start = FirstSecond(place, solarStart, solarStart);
    // Two hours on, the clock has moved two hours give or take the seconds the correction changes by.
    const auto next =
        start ? FirstSecond(place, solarStart + 2.0 / 24.0, start->first + 2.0 / 24.0) : std::nullopt;
    if (!start || !next || next->first <= start->first) return std::nullopt;
    // Only Beijing time uses the clock as it is: the span is then the double-hour itself.
    if (start->second != branch) return std::nullopt;
    return ClockSpan{start->first, next->first - kSecond};
}

std::string SpanText(std::int64_t day, const ClockSpan& span) {
    auto end = [day](DateTime t) {
        const std::string text = FormatIso(t);
        return WholeDay(t) == day ? text.substr(11) : text;
    };
    return end(span.start) + "–" + end(span.end);
}

std::optional<double> ClockMinusUtcMinutes(const TickInput& place, DateTime reading) {
    if (place.page == TimePage::China) return 8.0 * 60.0;
    if (place.zoneTimeline) {
        const ZonePeriod& p = place.zoneTimeline->At(reading);
        return p.standardMinutes + p.summerMinutes;
    }
    const std::optional<double> summer = ParseDecimal(place.summerText);
    const std::optional<int> zone = place.zoneMinutes ? place.zoneMinutes : ZoneOffsetMinutes(place.zoneText);
    if (!summer || !zone) return std::nullopt;
    return *zone + *summer;
}

ClockSpanWalker::ClockSpanWalker(TickInput place) : place_(std::move(place)) {
    place_.hint = false;
}

std::optional<ClockSpanWalker::Boundary> ClockSpanWalker::Walk(DateTime solar, DateTime guess) const {
    const auto found = FirstSecond(place_, solar, guess);
    if (!found) return std::nullopt;
    return Boundary{found->first, found->second};
}

std::optional<ClockSpan> ClockSpanWalker::SpanOf(std::int64_t day, Branch branch) {
    if (!place_.timeMode || branch == Branch::None) return std::nullopt;
    const DateTime solarStart = DoubleHourStart(day, branch, *place_.timeMode);
    const DateTime solarNext = solarStart + 2.0 / 24.0;
    std::optional<Boundary> start;
    if (next_ && std::abs(nextSolar_ - solarStart) < kSecond / 2) {
        start = next_;
    } else {
        // From the last boundary's correction when there is one, else from the solar time itself.
        start = Walk(solarStart, next_ ? solarStart + (next_->clock - nextSolar_) : solarStart);
    }
    // Two hours on from a known start the clock has moved two hours, give or take the seconds the equation of
    // time changes by: the search begins there and walks to the exact second.
    next_ = start ? Walk(solarNext, start->clock + 2.0 / 24.0) : std::nullopt;
    nextSolar_ = solarNext;
    if (!start || !next_ || next_->clock <= start->clock || start->branch != branch) return std::nullopt;
    return ClockSpan{start->clock, next_->clock - kSecond};
}

}  // namespace velunar
