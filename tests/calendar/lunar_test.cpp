#include "calendar/lunar.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "calendar/moon.h"

namespace velunar {
namespace {

// Calls `row` with each data line of a reference file recorded by data/gen_lunar_reference.mjs.
void ReadReference(const std::string& name, const std::function<void(const std::string&)>& row) {
    std::ifstream in(std::string(VELUNAR_SOURCE_DIR) + "/data/" + name);
    ASSERT_TRUE(in) << name << " is missing";
    std::string line;
    std::getline(in, line);  // the comment lines and the column names
    while (std::getline(in, line))
        if (!line.empty() && line[0] != '#' && (line[0] >= '0' && line[0] <= '9')) row(line);
}

DateTime ReadInstant(const std::string& line) {
    int y, mo, d, h, mi, s;
    EXPECT_EQ(std::sscanf(line.c_str(), "%d-%d-%d %d:%d:%d", &y, &mo, &d, &h, &mi, &s), 6) << line;
    return static_cast<double>(DaysFromCivil(y, mo, d)) + (h * 3600 + mi * 60 + s) / 86400.0;
}

// Where the program and the reference disagree on a month's first day, and why; each is checked: the new moon
// falls within minutes of midnight in Beijing.
struct Disagreement {
    const char* referenceFirst;  // the first day the reference gives
    int shift;                   // the program's first day is this many days later
    const char* why;
};
constexpr Disagreement kMonthDisagreements[] = {
    // The reference follows the almanacs of the time, reckoned at Beijing's local mean time (UTC+7:46);
    // GB/T 33661 reckons at UTC+8, where these new moons fall a few minutes after midnight.
    {"1914-11-17", 1, "new moon 1914-11-18 00:01:42 UTC+8"},
    {"1916-02-03", 1, "new moon 1916-02-04 00:05:16 UTC+8"},
    {"1920-11-10", 1, "new moon 1920-11-11 00:04:49 UTC+8"},
    // The two lunar theories put this new moon half a minute either side of midnight (the program at
    // 23:59:57, the reference at 00:00:25), well within what delta T may still be in 2057.
    {"2057-09-29", -1, "new moon 2057-09-28 23:59:57 UTC+8"},
};

// Every lunar month of 1901-2100, so every new year and every leap month: its first day, its number and
// year, the day before it ending the month before, and the month's length.
TEST(Lunar, EveryMonthFrom1901To2100MatchesTheReferenceCalendar) {
    int months = 0, newYears = 0, leaps = 0, disagreements = 0;
    std::int64_t previousStart = 0;
    ReadReference("lunar-months-reference.tsv", [&](const std::string& line) {
        int y, mo, d, year, number;
        char leap[8] = "";
        const int n = std::sscanf(line.c_str(), "%d-%d-%d\t%d\t%d\t%7s", &y, &mo, &d, &year, &number, leap);
        ASSERT_GE(n, 5) << line;
        std::int64_t first = DaysFromCivil(y, mo, d);
        for (const Disagreement& x : kMonthDisagreements) {
            if (line.starts_with(x.referenceFirst)) {
                first += x.shift;
                ++disagreements;
                const DateTime newMoon =
                    PrincipalPhaseUT(LunationAt(static_cast<double>(first + 1) - kBeijingOffsetDays),
                                     MoonPhase::New) +
                    kBeijingOffsetDays;
                EXPECT_LT(std::fabs(newMoon - std::round(newMoon)), 6.0 / 1440) << x.why;
            }
        }
        const bool isLeap = n == 6 && std::string(leap) == "闰";
        if (previousStart != 0 && y >= 1901 && y <= 2100) {
            const LunarDate last = LunarDateOfDay(first - 1);
            EXPECT_EQ(last.day, first - previousStart) << "the month before " << line;
            EXPECT_EQ(last.monthDays, first - previousStart) << "the month before " << line;
        }
        previousStart = first;
        if (y < 1901 || y > 2100) return;
        const LunarDate got = LunarDateOfDay(first);
        ++months;
        newYears += number == 1 && !isLeap;
        leaps += isLeap;
        EXPECT_EQ(got.day, 1) << line << " is " << LunarDateText(got);
        EXPECT_EQ(got.month, number) << line << " is " << LunarDateText(got);
        EXPECT_EQ(got.leap, isLeap) << line << " is " << LunarDateText(got);
        EXPECT_EQ(got.year, year) << line << " is " << LunarDateText(got);
    });
    EXPECT_EQ(months, 2474);
    EXPECT_EQ(newYears, 200);
    EXPECT_EQ(leaps, 73);
    EXPECT_EQ(disagreements, 4);
}

// Every term of 1901-2100: the instant within a minute (the two models are within 40 s of each other), and
// the same civil day in Beijing, which is what the calendar reads, but for one term at midnight.
TEST(Lunar, EverySolarTermFrom1901To2100MatchesTheReference) {
    int count = 0;
    double worst = 0;
    std::string worstAt;
    std::vector<int> nextTerm(2102, 0);
    ReadReference("solar-terms-reference.tsv", [&](const std::string& line) {
        const DateTime reference = ReadInstant(line);
        const CivilDate c = CivilFromDays(static_cast<std::int64_t>(std::floor(reference)));
        if (c.year < 1901 || c.year > 2100) return;
        const int term = nextTerm[c.year]++;
        ASSERT_EQ(std::string(SolarTermName(term)), line.substr(line.find('\t') + 1)) << line;
        const DateTime got = SolarTermBeijing(c.year, term);
        const double error = (got - reference) * 86400;
        if (std::fabs(error) > std::fabs(worst)) worst = error, worstAt = line;
        // 大寒 of 1979 begins within seconds of midnight: the reference has 23:59:56, the program 00:00:01.
        if (!line.starts_with("1979-01-20 23:59:56")) {
            EXPECT_EQ(std::floor(got), std::floor(reference)) << line << ": " << FormatIso(got);
        }
        ++count;
    });
    std::printf("%d terms, worst %+.1f s at %s\n", count, worst, worstAt.c_str());
    EXPECT_EQ(count, 200 * 24);
    EXPECT_LT(std::fabs(worst), 60.0) << worstAt;
}

// Every principal phase of 1901-2100 within two minutes of the reference (they are within 35 s; what is
// promised is half an hour);
// and the moon's age and nearest phase read back from them.
TEST(Moon, EveryPrincipalPhaseFrom1901To2100MatchesTheReference) {
    int count = 0;
    double worst = 0;
    std::string worstAt;
    int lunation = LunationAt(MakeDateTime(1901, 1, 1)) - 1;
    int expectedPhase = 0;
    bool started = false;
    ReadReference("moon-phases-reference.tsv", [&](const std::string& line) {
        const DateTime reference = ReadInstant(line);
        if (reference < MakeDateTime(1901, 1, 1) || reference >= MakeDateTime(2101, 1, 1)) return;
        const std::string name = line.substr(line.find('\t') + 1);
        if (!started) {
            // Start at the first new moon of the range.
            if (name != "朔") return;
            started = true;
            lunation = LunationAt(reference + 0.5);
        }
        const auto phase = static_cast<MoonPhase>(expectedPhase);
        ASSERT_EQ(std::string(MoonPhaseName(phase)), name) << line;
        const DateTime got = PrincipalPhaseUT(lunation, phase);
        const double error = (got - reference) * 86400;
        if (std::fabs(error) > std::fabs(worst)) worst = error, worstAt = line;
        // An hour either side of the instant the nearest phase is that one; the age counts from the new moon.
        const MoonState before = MoonAt(reference - 1.0 / 24), after = MoonAt(reference + 1.0 / 24);
        EXPECT_EQ(before.phase, phase) << line;
        EXPECT_EQ(after.phase, phase) << line;
        if (phase == MoonPhase::New) {
            EXPECT_NEAR(after.ageDays, 1.0 / 24, 5.0 / 1440) << line;
            EXPECT_GT(before.ageDays, 29.0) << line;
        }
        ++count;
        if (++expectedPhase == 4) expectedPhase = 0, ++lunation;
    });
    std::printf("%d phases, worst %+.1f s at %s\n", count, worst, worstAt.c_str());
    EXPECT_GT(count, 2470 * 4);
    EXPECT_LT(std::fabs(worst), 120.0) << worstAt;
}

TEST(Lunar, NamesAndKnownDates) {
    // 2026-12-09 is 丙午年冬月初一, and 大雪 has begun (2026-12-07).
    const LunarDate d = LunarDateOfDay(DaysFromCivil(2026, 12, 9));
    EXPECT_EQ(LunarDateText(d), "丙午年冬月初一");
    const SolarTermAt t = LatestSolarTerm(MakeDateTime(2026, 12, 9, 12));
    EXPECT_EQ(SolarTermName(t.term), "大雪");
    // Before the first term of a year the latest is the previous 冬至.
    const SolarTermAt early = LatestSolarTerm(MakeDateTime(2027, 1, 1));
    EXPECT_EQ(early.year, 2026);
    EXPECT_EQ(SolarTermName(early.term), "冬至");
    // 2033's leap month is the eleventh (the rule of the first month without a principal term after 冬至).
    EXPECT_EQ(LunarMonthName(LunarDateOfDay(DaysFromCivil(2033, 12, 22)).month, true), "闰冬月");
    EXPECT_TRUE(LunarDateOfDay(DaysFromCivil(2033, 12, 22)).leap);
    for (int day = 1; day <= 30; ++day) EXPECT_FALSE(LunarDayName(day).empty()) << day;
    EXPECT_EQ(LunarDayName(10), "初十");
    EXPECT_EQ(LunarDayName(21), "廿一");
    EXPECT_EQ(LunarDayName(30), "三十");
    EXPECT_EQ(LunarMonthName(1, false), "正月");
    EXPECT_EQ(LunarMonthName(12, false), "腊月");
}

}  // namespace
}  // namespace velunar
