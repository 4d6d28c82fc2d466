#include "methods/clock_span.h"

#include <gtest/gtest.h>

#include <random>

namespace velunar {
namespace {

Branch BranchAtInstant(const TickInput& place, Instant t) {
    return RunTick(place, Moment{}, [t] { return ClockReference::At(t); }).moment.hourBranch;
}

std::vector<TickInput> Places() {
    TickInput china;
    china.longitudeText = "87.6";  // far west of Beijing's meridian: hours late on the clock
    TickInput east = china;
    east.longitudeText = "134.5";
    TickInput paris;
    paris.page = TimePage::Abroad;
    paris.summerText = "60";
    paris.zoneText = "(GMT+01:00) 布鲁塞尔，哥本哈根，马德里，巴黎";
    paris.abroadLongitudeText = "2.35";
    TickInput newYork = paris;
    newYork.summerText = "0";
    newYork.zoneText = "(GMT-05:00) 东部时间(美国和加拿大)";
    newYork.eastWestText = "西经";
    newYork.abroadLongitudeText = "74";
    return {china, east, paris, newYork};
}

// At a span's first second the tick gives its double-hour and one second earlier it does not; at its last
// second it still does and one second later it does not, for every mode, place and any date.
TEST(ClockSpan, StartsAndEndsOnTheSecondTheTickChangesDoubleHour) {
    std::mt19937 random(20261209);
    std::uniform_int_distribution<std::int64_t> days(DaysFromCivil(1950, 1, 1), DaysFromCivil(2060, 12, 31));
    for (TickInput place : Places()) {
        for (TimeMode mode : {TimeMode::NoNightRat, TimeMode::NightRat, TimeMode::ZeroToTwo}) {
            place.timeMode = mode;
            for (int i = 0; i < 40; ++i) {
                const std::int64_t day = days(random);
                const Branch branch = BranchAt(1 + i % 12);
                const auto span = ClockSpanOf(place, day, branch);
                ASSERT_TRUE(span) << day << " " << Number(branch);
                SCOPED_TRACE(FormatIso(span->Start()) + " – " + FormatIso(span->End()));
                EXPECT_EQ(BranchAtInstant(place, span->start), branch);
                EXPECT_NE(BranchAtInstant(place, span->start - 1000), branch);
                EXPECT_EQ(BranchAtInstant(place, span->end), branch);
                EXPECT_NE(BranchAtInstant(place, span->end + 1000), branch);
                EXPECT_NEAR(static_cast<double>(span->end - span->start) / 3.6e6, 2.0, 0.02);
            }
        }
    }
}

// Taken in order, with gaps and jumps back as the reverse lookup's lines make them, the walker's spans are
// ClockSpanOf's to the second.
TEST(ClockSpan, TheWalkerGivesClockSpanOfsSpans) {
    std::mt19937 random(20261210);
    std::uniform_int_distribution<int> step(0, 30);
    for (TickInput place : Places()) {
        for (TimeMode mode : {TimeMode::NoNightRat, TimeMode::NightRat, TimeMode::ZeroToTwo}) {
            place.timeMode = mode;
            ClockSpanWalker walker(place);
            std::int64_t hour = DaysFromCivil(2026, 3, 1) * 12;
            for (int i = 0; i < 200; ++i) {
                const int s = step(random);
                hour += s < 20 ? 1 : s < 29 ? s : -40;
                const std::int64_t day = hour / 12;
                const Branch branch = BranchAt(static_cast<int>(hour % 12) + 1);
                const auto walked = walker.SpanOf(day, branch), alone = ClockSpanOf(place, day, branch);
                ASSERT_TRUE(walked && alone) << day << " " << Number(branch);
                EXPECT_EQ(walked->start, alone->start) << day << " " << Number(branch);
                EXPECT_EQ(walked->end, alone->end) << day << " " << Number(branch);
            }
        }
    }
}

TEST(ClockSpan, OnlyBeijingTimeIsTheDoubleHourItselfAndAnUnreadablePlaceHasNone) {
    TickInput beijing;
    beijing.onlyBeijing = true;
    const auto span = ClockSpanOf(beijing, DaysFromCivil(2026, 12, 9), Branch::Si);
    ASSERT_TRUE(span);
    EXPECT_EQ(FormatIso(span->Start()), "2026-12-09 09:00:00");
    EXPECT_EQ(FormatIso(span->End()), "2026-12-09 10:59:59");
    // 子 of a date begins the evening before, except when 子 is 00:00-01:59.
    EXPECT_EQ(FormatIso(ClockSpanOf(beijing, DaysFromCivil(2026, 12, 9), Branch::Zi)->Start()),
              "2026-12-08 23:00:00");
    beijing.timeMode = TimeMode::ZeroToTwo;
    EXPECT_EQ(FormatIso(ClockSpanOf(beijing, DaysFromCivil(2026, 12, 9), Branch::Zi)->Start()),
              "2026-12-09 00:00:00");
    TickInput broken;
    broken.longitudeText = "abc";
    EXPECT_FALSE(ClockSpanOf(broken, DaysFromCivil(2026, 12, 9), Branch::Si));
}

}  // namespace
}  // namespace velunar
