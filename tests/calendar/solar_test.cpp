#include "calendar/solar.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "calendar/astro_eot.h"
#include "calendar/eot.h"
#include "calendar/numparse.h"

namespace velunar {
namespace {

// A reference clock that always reads the same time and counts how often it is asked.
struct FixedClock {
    DateTime time;
    int calls = 0;
    ReferenceClock Get() {
        return [this] {
            ++calls;
            return time;
        };
    }
};

ChinaStepResult China(DateTime reference, std::string longitude, bool onlyBeijing = false, int mode = 0) {
    FixedClock clock{reference};
    return ChinaTimeStep({std::move(longitude), onlyBeijing, TimeModeAt(mode)}, clock.Get());
}

AbroadStepInput Abroad(std::string summer, std::string zone, std::string ew, std::string lon) {
    return {std::move(summer), std::move(zone), std::move(ew), std::move(lon), false, TimeModeAt(0)};
}

AbroadStepResult RunAbroad(DateTime reference, const AbroadStepInput& in) {
    FixedClock clock{reference};
    return AbroadTimeStep(in, clock.Get());
}

TEST(LongitudeCorrection, FourMinutesPerDegreeTruncatedToWholeSeconds) {
    struct Case {
        double longitude;
        int sign;
        std::int64_t seconds;
    };
    for (const Case& c : {Case{116.46, -1, 14 * 60 + 9}, Case{100.5, -1, 78 * 60}, Case{120, -1, 0},
                          Case{0, -1, 8 * 3600}, Case{180, 1, 4 * 3600}, Case{120.01, 1, 2}}) {
        const LongitudeSpan span = LongitudeCorrection(c.longitude);
        EXPECT_EQ(span.seconds, c.seconds) << c.longitude;
        if (c.seconds != 0) {
            EXPECT_EQ(span.sign, c.sign) << c.longitude;
        }
    }
}

// Four minutes a degree in decimal arithmetic: every longitude of up to two decimals gives its whole seconds
// (73.40° is 3 h 6 min 24 s from 120°, not a second less as in binary fractions).
TEST(LongitudeCorrection, EveryLongitudeTypedWithTwoDecimalsIsExact) {
    for (int hundredths = 0; hundredths <= 18000; ++hundredths) {
        char text[16];
        std::snprintf(text, sizeof text, "%d.%02d", hundredths / 100, hundredths % 100);
        const auto degrees = ParseLongitude(text);
        ASSERT_TRUE(degrees) << text;
        const LongitudeSpan span = LongitudeCorrection(*degrees);
        // 240 s a degree: 2.4 s a hundredth, truncated.
        const std::int64_t expected = std::abs(hundredths - 12000) * 12 / 5;
        ASSERT_EQ(span.seconds, expected) << text;
    }
    // Against a zone's meridian given in seconds, as local mean time of old had it (Santiago, -4:42:46).
    const LongitudeSpan santiago = LongitudeCorrectionFrom(Nanodegrees(-70.65), -16966);
    EXPECT_EQ(santiago.sign, 1);
    EXPECT_EQ(santiago.seconds, 10);  // 70.65° W is 282 min 36 s behind Greenwich: 10 s east of the meridian
}

TEST(LongitudeCorrection, SpansOfADayOrMoreAreKeptWhole) {
    EXPECT_EQ(SpanSeconds(1460.0), 24 * 3600 + 20 * 60);
    EXPECT_EQ(SpanSeconds(3000.5), 50 * 3600 + 30);
}

TEST(ChinaStep, WorkedExample) {
    const ChinaStepResult r = China(MakeDateTime(2026, 2, 10, 12), "116.46");
    ASSERT_FALSE(r.skipped);
    EXPECT_EQ(FormatIso(r.day.effectiveTime), "2026-02-10 11:31:36");
    EXPECT_EQ(r.trueSolarTimeText, "2026年02月10日  11:31:36      ");
    EXPECT_EQ(Name(HourBranchOf(r.day.effectiveTime)), "午");
    EXPECT_TRUE(r.correctionShown);
}

TEST(ChinaStep, AtBeijingsMeridianOnlyTheEquationOfTimeApplies) {
    const DateTime ref = MakeDateTime(2026, 5, 12, 12);
    EXPECT_EQ(FormatIso(China(ref, "120").day.effectiveTime), "2026-05-12 12:03:42");
}

TEST(ChinaStep, LongitudeCorrectionCrossingMidnightLooksUpTheEarlierDay) {
    // 00:05 on 1 March at 100° E is 22:45 the evening before: 29 February in a leap year.
    for (int year : {2024, 2025}) {
        const DateTime localMean = MakeDateTime(year, 3, 1, 0, 5) - 80.0 / 1440.0;
        const std::string key = year == 2024 ? "2月29日" : "2月28日";
        ASSERT_EQ(EquationOfTimeKey(localMean), key);
        const DateTime expected = AddSeconds(localMean, EquationOfTimeSignedSeconds(EquationOfTimeText(key)));
        EXPECT_EQ(FormatIso(China(MakeDateTime(year, 3, 1, 0, 5), "100").day.effectiveTime),
                  FormatIso(expected));
    }
}

TEST(ChinaStep, EquationOfTimeCrossingMidnightMovesTheDay) {
    for (int mode : {0, 1}) {
        const ChinaStepResult r = China(MakeDateTime(2026, 11, 2, 23, 50), "120", false, mode);
        EXPECT_EQ(FormatIso(r.day.effectiveTime), "2026-11-03 00:06:25");
        EXPECT_EQ(FormatIsoDate(r.day.dayDate), "2026-11-03") << mode;
        EXPECT_EQ(Name(HourBranchOf(r.day.effectiveTime)), "子");
    }
}

TEST(ChinaStep, OnlyBeijingTimeUsesTheReadingAndHidesTheCorrection) {
    FixedClock clock{MakeDateTime(2026, 2, 10, 23, 30)};
    const ChinaStepResult r = ChinaTimeStep({"116.46", true, TimeModeAt(0)}, clock.Get());
    EXPECT_EQ(clock.calls, 1);
    EXPECT_EQ(r.day.effectiveTime, clock.time);
    EXPECT_EQ(FormatIsoDate(r.day.dayDate), "2026-02-11");  // mode 0 at 23:30: already the next day
    EXPECT_FALSE(r.correctionShown);
    EXPECT_EQ(FormatIso(r.trueSolarTime), "2026-02-10 23:01:36");  // still worked out for the hidden label
}

TEST(ChinaStep, AskTheClockOnceWhenTheCorrectionIsUsed) {
    FixedClock clock{MakeDateTime(2026, 2, 10, 12)};
    ChinaTimeStep({"116.46", false, TimeModeAt(0)}, clock.Get());
    EXPECT_EQ(clock.calls, 1);
}

TEST(ChinaStep, InvalidLongitudeSkipsOrFallsBackTo120) {
    for (const char* bad : {"abc", "-1", "180.5", ""}) {
        const ChinaStepResult skipped = China(MakeDateTime(2026, 2, 10, 12), bad);
        EXPECT_TRUE(skipped.skipped) << bad;
        EXPECT_EQ(skipped.skipReason, SkipReason::Longitude);
        EXPECT_FALSE(skipped.resetLongitudeTo120) << bad;
        const ChinaStepResult reset = China(MakeDateTime(2026, 2, 10, 12), bad, true);
        EXPECT_FALSE(reset.skipped) << bad;
        EXPECT_TRUE(reset.resetLongitudeTo120) << bad;
        EXPECT_EQ(reset.trueSolarTime, China(MakeDateTime(2026, 2, 10, 12), "120").trueSolarTime) << bad;
    }
}

TEST(ZoneOffset, ReadsTheFixedCharacterPositions) {
    EXPECT_EQ(ZoneOffsetMinutes("(GMT-03:30) 纽芬兰"), -210);
    EXPECT_EQ(ZoneOffsetMinutes("(GMT+05:45) 加德满都"), 345);
    EXPECT_EQ(ZoneOffsetMinutes("(GMT) 卡萨布兰卡，蒙罗维亚"), 0);
    EXPECT_EQ(ZoneOffsetMinutes(""), 0);
    EXPECT_EQ(ZoneOffsetMinutes("北京"), 0);
}

TEST(ZoneOffset, UnreadableDigitsAreRefused) {
    for (const char* bad : {"(GMT+5:30) x", "(GMT+ab:cd)", "(GMT+08", "x(GMT+08:00)", "(GMT-1"})
        EXPECT_FALSE(ZoneOffsetMinutes(bad).has_value()) << bad;
}

TEST(ZoneOffset, EveryListedZoneIsReadableAndTheListRunsWestToEast) {
    const auto zones = ZoneTexts();
    ASSERT_EQ(zones.size(), 75u);
    int last = -24 * 60;
    for (std::string_view zone : zones) {
        const auto z = ZoneOffsetMinutes(zone);
        ASSERT_TRUE(z.has_value()) << zone;
        EXPECT_EQ(ParseZoneLabel(zone), z) << zone;  // the parsed table agrees with its labels
        EXPECT_GE(*z, last) << zone;
        last = *z;
    }
    EXPECT_EQ(ZoneOffsetMinutes(zones.front()), -720);
    EXPECT_EQ(ZoneOffsetMinutes(zones.back()), 780);
}

TEST(AbroadStep, WorkedExample) {
    const AbroadStepResult r =
        RunAbroad(MakeDateTime(2026, 7, 1, 12),
                  Abroad("60", "(GMT+01:00) 布鲁塞尔，哥本哈根，马德里，巴黎", "东经", "2.33"));
    ASSERT_FALSE(r.skipped);
    EXPECT_EQ(FormatIso(r.beijingTime), "2026-07-01 18:00:00");
    EXPECT_EQ(r.beijingTimeText, "2026年07月01日  18:00:00      ");
    EXPECT_EQ(FormatIso(r.day.effectiveTime), "2026-07-01 10:04:58");
    EXPECT_EQ(r.trueSolarTimeText, "2026年07月01日  10:04:58      ");
    EXPECT_EQ(Name(HourBranchOf(r.day.effectiveTime)), "巳");
}

TEST(AbroadStep, BeijingZoneAt120EastMatchesTheChinaPage) {
    const DateTime ref = MakeDateTime(2026, 3, 5, 23, 55);
    const AbroadStepResult a = RunAbroad(ref, Abroad("0", std::string(ZoneTexts()[56]), "东经", "120"));
    EXPECT_EQ(a.beijingTime, ref);
    EXPECT_EQ(FormatIso(a.day.effectiveTime), FormatIso(China(ref, "120").day.effectiveTime));
}

TEST(AbroadStep, LongitudeOnTheZoneMeridianNeedsNoCorrection) {
    const DateTime ref = MakeDateTime(2026, 5, 12, 12);
    const AbroadStepResult r =
        RunAbroad(ref, Abroad("0", "(GMT-05:00) 东部时间(美国和加拿大)", "西经", "75"));
    EXPECT_EQ(FormatIso(r.day.effectiveTime), "2026-05-12 12:03:42");
    EXPECT_EQ(FormatIso(r.beijingTime), "2026-05-13 01:00:00");
}

TEST(AbroadStep, NewfoundlandsHalfHourZone) {
    // Zone meridian 52.5° W: at 52.5° W the clock is local mean time.
    const DateTime ref = MakeDateTime(2026, 5, 12, 12);
    const AbroadStepResult r = RunAbroad(ref, Abroad("0", "(GMT-03:30) 纽芬兰", "西经", "52.5"));
    EXPECT_EQ(FormatIso(r.day.effectiveTime), "2026-05-12 12:03:42");
    EXPECT_EQ(FormatIso(r.beijingTime), "2026-05-12 23:30:00");
}

TEST(AbroadStep, AnEmptyZoneIsGreenwich) {
    const DateTime ref = MakeDateTime(2026, 5, 12, 12);
    const AbroadStepResult r = RunAbroad(ref, Abroad("0", "", "东经", "0"));
    EXPECT_EQ(FormatIso(r.beijingTime), "2026-05-12 20:00:00");
    EXPECT_EQ(FormatIso(r.day.effectiveTime), "2026-05-12 12:03:42");
}

TEST(AbroadStep, SummerTimeMovesEverythingEarlier) {
    const DateTime ref = MakeDateTime(2026, 7, 1, 12);
    const auto zone = "(GMT+01:00) 布鲁塞尔，哥本哈根，马德里，巴黎";
    const AbroadStepResult winter = RunAbroad(ref, Abroad("0", zone, "东经", "2.33"));
    const AbroadStepResult summer = RunAbroad(ref, Abroad("60", zone, "东经", "2.33"));
    EXPECT_EQ(FormatIso(summer.beijingTime), FormatIso(winter.beijingTime - 1.0 / 24));
    EXPECT_EQ(FormatIso(summer.day.effectiveTime), FormatIso(winter.day.effectiveTime - 1.0 / 24));
    // Any sign is a summer time; text that is no number is not.
    EXPECT_FALSE(RunAbroad(ref, Abroad("-30", zone, "东经", "2.33")).skipped);
    EXPECT_EQ(RunAbroad(ref, Abroad("abc", zone, "东经", "2.33")).skipReason, SkipReason::SummerTime);
}

TEST(AbroadStep, OnlyBeijingTimeNamesTheDayButTheSolarLabelStaysLocal) {
    AbroadStepInput in = Abroad("60", "(GMT+01:00) 布鲁塞尔，哥本哈根，马德里，巴黎", "东经", "2.33");
    in.onlyBeijing = true;
    FixedClock clock{MakeDateTime(2026, 7, 1, 12)};
    const AbroadStepResult r = AbroadTimeStep(in, clock.Get());
    EXPECT_EQ(clock.calls, 1);
    EXPECT_EQ(FormatIso(r.day.effectiveTime), "2026-07-01 18:00:00");
    EXPECT_EQ(r.trueSolarTimeText, "2026年07月01日  10:04:58      ");
}

TEST(AbroadStep, InvalidLongitudeSkipsOrFallsBackTo120) {
    const DateTime ref = MakeDateTime(2026, 7, 1, 12);
    AbroadStepInput in = Abroad("0", "", "东经", "181");
    EXPECT_EQ(RunAbroad(ref, in).skipReason, SkipReason::Longitude);
    in.onlyBeijing = true;
    const AbroadStepResult r = RunAbroad(ref, in);
    EXPECT_FALSE(r.skipped);
    EXPECT_TRUE(r.resetLongitudeTo120);
}

TEST(AbroadStep, AnUnreadableZoneWritesNothingAtAll) {
    AbroadStepInput in = Abroad("0", "(GMT+8:00) 北京", "东经", "abc");
    in.onlyBeijing = true;
    const AbroadStepResult r = RunAbroad(MakeDateTime(2026, 7, 1, 12), in);
    EXPECT_TRUE(r.skipped);
    EXPECT_EQ(r.skipReason, SkipReason::Zone);
    EXPECT_FALSE(r.resetLongitudeTo120);  // not even the longitude box is touched
}

TEST(AbroadStep, ASummerTimeBeyondADayIsRefused) {
    const DateTime ref = MakeDateTime(2026, 7, 1, 12);
    EXPECT_FALSE(RunAbroad(ref, Abroad("1440", "", "东经", "0")).skipped);
    for (const char* huge : {"1441", "-2000", "1e300"})
        EXPECT_EQ(RunAbroad(ref, Abroad(huge, "", "东经", "0")).skipReason, SkipReason::SummerTime) << huge;
}

TEST(AbroadStep, ALongitudeMoreThanADayFromTheZoneMeridianIsAppliedWhole) {
    // 170° W against the meridian of GMT+13 (195° E): 365° or 24 h 20 min behind.
    const DateTime ref = MakeDateTime(2026, 5, 12, 12);
    const AbroadStepResult r = RunAbroad(ref, Abroad("0", "(GMT+13:00) 努库阿洛法", "西经", "170"));
    ASSERT_FALSE(r.skipped);
    EXPECT_EQ(FormatIso(r.day.effectiveTime), "2026-05-11 11:43:42");  // 3分42秒 of 11 May added back
}

}  // namespace
}  // namespace velunar

namespace velunar {
namespace {

double SecondsBetween(DateTime from, DateTime to) {
    return (to - from) * 86400.0;
}

// The astronomical source is taken for the instant in UT: Beijing time less eight hours on the China page,
// the clock less summer time and zone abroad. A wrong UT shifts the value by the hours' drift of the
// equation, a few seconds, so compare to the millisecond.
TEST(EotSourceInSteps, AstronomicalValueIsTakenAtTheInstantInUniversalTime) {
    const DateTime clock = MakeDateTime(2026, 9, 1, 12);
    FixedClock china{clock};
    const ChinaStepResult c =
        ChinaTimeStep({"120", false, TimeModeAt(0), EotSource::Astronomical}, china.Get());
    const double expected = AstronomicalEquationOfTimeSeconds(AddMinutes(clock, -480));
    EXPECT_NEAR(SecondsBetween(clock, c.trueSolarTime), expected, 2e-3);
    EXPECT_EQ(china.calls, 1);
    // Around 1 September the table is more than a minute from astronomy.
    EXPECT_GT(std::fabs(expected - EquationOfTimeOfDay(9, 1)), 30.0);

    AbroadStepInput in = Abroad("60", "(GMT+01:00) 布鲁塞尔，哥本哈根，马德里，巴黎", "东经", "15");
    in.eot = EotSource::Astronomical;
    FixedClock abroad{clock};
    const AbroadStepResult a = AbroadTimeStep(in, abroad.Get());
    const DateTime ut = AddMinutes(clock, -120);
    EXPECT_NEAR(SecondsBetween(AddMinutes(clock, -60), a.trueSolarTime),
                AstronomicalEquationOfTimeSeconds(ut), 2e-3);
    EXPECT_EQ(abroad.calls, 1);

    // The offsets of the clock at the instant (a tz-database zone's) decide, not the boxes' texts.
    in.zoneText = "(GMT+08:00) 北京，重庆，香港特别行政区，乌鲁木齐";
    const Instant instant = InstantAt(clock, 120 * 60);
    EXPECT_EQ(AbroadTimeStep(in, ClockInstant{instant, ZoneOffset{3600, 3600}}).beijingTime, a.beijingTime);
}

TEST(EotSourceInSteps, OnlyTheAstronomicalLabelSelectsIt) {
    EXPECT_EQ(EotSourceOfLabel("天文计算"), EotSource::Astronomical);
    for (const char* label : {"", "固定表", "astro", "天文"})
        EXPECT_EQ(EotSourceOfLabel(label), EotSource::Table);
    EXPECT_EQ(EotSourceOfLabel(EotSourceLabel(EotSource::Astronomical)), EotSource::Astronomical);
}

}  // namespace
}  // namespace velunar
