#include "methods/clock_span.h"

#include <cmath>

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
    TickInput in = place;
    in.hint = false;
    const TickResult r = RunTick(in, Moment{}, [t] { return t; });
    if (r.skipped || r.moment.hourBranch == Branch::None) return {};
    return {true, r.moment.effectiveTime, r.moment.hourBranch};
}

// Whole clock seconds, so that every candidate is a reading the clock can show.
DateTime WholeSecond(DateTime t) {
    return std::round(t * 86400.0) / 86400.0;
}

// The first clock second at or after which true solar time has reached `solar`, searched from a first guess.
std::optional<DateTime> FirstSecondReaching(const TickInput& place, DateTime solar) {
    const Reading probe = Read(place, solar);
    if (!probe.ok) return std::nullopt;
    // The correction changes by well under a minute a day: one guess lands within seconds.
    DateTime t = WholeSecond(solar - (probe.effective - solar));
    for (int step = 0; step < 4; ++step) {
        const Reading r = Read(place, t);
        if (!r.ok) return std::nullopt;
        t = WholeSecond(t + (solar - r.effective));
    }
    auto reached = [&](DateTime at) { return Read(place, at).effective >= solar - kSecond / 2; };
    int guard = 0;
    while (!reached(t) && ++guard < 600) t += kSecond;
    while (reached(t - kSecond) && ++guard < 1200) t -= kSecond;
    return WholeSecond(t);
}

}  // namespace

DateTime DoubleHourStart(std::int64_t day, Branch branch, TimeMode mode) {
    const auto date = static_cast<DateTime>(day);
    if (mode == TimeMode::ZeroToTwo) return date + 2.0 * (Number(branch) - 1) / 24.0;
    return branch == Branch::Zi ? date - 1.0 / 24.0 : date + (2.0 * Number(branch) - 3.0) / 24.0;
}

std::optional<ClockSpan> ClockSpanOf(const TickInput& place, std::int64_t day, Branch branch) {
    if (!place.timeMode || branch == Branch::None) return std::nullopt;
    const DateTime solarStart = DoubleHourStart(day, branch, *place.timeMode);
    const auto start = FirstSecondReaching(place, solarStart);
    const auto next = FirstSecondReaching(place, solarStart + 2.0 / 24.0);
    if (!start || !next || *next <= *start) return std::nullopt;
    // Only Beijing time uses the clock as it is: the span is then the double-hour itself.
    if (Read(place, *start).branch != branch) return std::nullopt;
    return ClockSpan{*start, *next - kSecond};
}

}  // namespace velunar
