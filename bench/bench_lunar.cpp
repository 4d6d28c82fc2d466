// What the lunar calendar, the moon and the 人神 add to a tick: the mean cost of LunarViewAt over a run of
// one-second ticks (the lunar date and the solar terms are worked out once per day and year and cached, the
// moon's phases once per lunation), and the cost of a day never seen before (a year's terms and new moons).
//
//   bench_lunar [ticks]        (default 2000000: about 23 days of one-second ticks)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "calendar/datetime.h"
#include "methods/lunar_view.h"

int main(int argc, char** argv) {
    using Clock = std::chrono::steady_clock;
    const long ticks = argc > 1 ? std::max(1L, std::atol(argv[1])) : 2000000L;
    const velunar::TabooOptions options;
    const velunar::DateTime start = velunar::MakeDateTime(2026, 12, 1, 8);

    // A cold start: the first day of a year whose tables nothing has asked for yet.
    const auto coldBegin = Clock::now();
    velunar::LunarView view = velunar::LunarViewAt(start, velunar::Branch::Chen, options);
    const double coldMicroseconds =
        std::chrono::duration<double, std::micro>(Clock::now() - coldBegin).count();

    std::size_t sink = view.line.size();
    const auto begin = Clock::now();
    for (long i = 0; i < ticks; ++i) {
        view = velunar::LunarViewAt(start + static_cast<double>(i) / 86400.0, velunar::Branch::Chen, options);
        sink += view.line.size();
    }
    const double perTick = std::chrono::duration<double, std::nano>(Clock::now() - begin).count() / ticks;
    std::printf("first day of a new year: %.0f us\n", coldMicroseconds);
    std::printf("per one-second tick over %ld ticks: %.0f ns (goal: under 1000 ns)\n", ticks, perTick);
    return sink == 0 ? 1 : 0;
}
