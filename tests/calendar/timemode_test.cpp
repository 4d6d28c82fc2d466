#include "calendar/timemode.h"

#include <gtest/gtest.h>

#include "calendar/moment.h"
#include "calendar/tick.h"

namespace velunar {
namespace {

// 1949-10-01 is a 甲子 day; the day before is 癸亥, the day after 乙丑.
DateTime Oct(int day, int hour, int minute = 0, int second = 0, int ms = 0) {
    return MakeDateTime(1949, 10, day, hour, minute, second, ms);
}

// One tick with Beijing time used as it is, so the clock time is the effective time.
Moment TickAt(DateTime t, int mode, const Moment& previous = {}) {
    TickInput in;
    in.timeMode = TimeModeAt(mode);
    in.onlyBeijing = true;
    return RunTick(in, previous, [t] { return t; }).moment;
}

struct ModeCase {
    const char* what;
    DateTime time;
    int mode;
    const char* hourBranch;
    const char* dayGanZhi;
    const char* hourGanZhi;
};

class TimeModes : public testing::TestWithParam<ModeCase> {};

TEST_P(TimeModes, DoubleHourDayAndHourStem) {
    const ModeCase& c = GetParam();
    const Moment m = TickAt(c.time, c.mode);
    EXPECT_EQ(HourBranchText(m), c.hourBranch);
    EXPECT_EQ(DayGanZhi(m), c.dayGanZhi);
    EXPECT_EQ(HourGanZhi(m), c.hourGanZhi);
}

INSTANTIATE_TEST_SUITE_P(
    AroundMidnight, TimeModes,
    testing::Values(
        ModeCase{"mode0_2330_is_next_day", Oct(1, 23, 30), 0, "子", "乙丑", "丙子"},
        ModeCase{"mode0_2300_turns_the_day", Oct(1, 23, 0), 0, "子", "乙丑", "丙子"},
        ModeCase{"mode0_225959_keeps_the_day", Oct(1, 22, 59, 59), 0, "亥", "甲子", "乙亥"},
        ModeCase{"mode1_2330_keeps_day_next_stem", Oct(1, 23, 30), 1, "子", "甲子", "丙子"},
        ModeCase{"mode1_0030_next_morning", Oct(2, 0, 30), 1, "子", "乙丑", "丙子"},
        ModeCase{"mode1_2330_on_guihai_wraps_to_jia", MakeDateTime(1949, 9, 30, 23, 30), 1, "子", "癸亥",
                 "甲子"},
        ModeCase{"mode2_2330_is_hai", Oct(1, 23, 30), 2, "亥", "甲子", "乙亥"},
        ModeCase{"mode2_0130_is_zi", Oct(1, 1, 30), 2, "子", "甲子", "甲子"},
        ModeCase{"mode0_005959_zi", Oct(1, 0, 59, 59), 0, "子", "甲子", "甲子"},
        ModeCase{"mode0_010000_chou", Oct(1, 1, 0, 0), 0, "丑", "甲子", "乙丑"},
        ModeCase{"mode1_005959_zi", Oct(1, 0, 59, 59), 1, "子", "甲子", "甲子"},
        ModeCase{"mode1_010000_chou", Oct(1, 1, 0, 0), 1, "丑", "甲子", "乙丑"},
        ModeCase{"mode2_015959_zi", Oct(1, 1, 59, 59), 2, "子", "甲子", "甲子"},
        ModeCase{"mode2_020000_chou", Oct(1, 2, 0, 0), 2, "丑", "甲子", "乙丑"},
        // A hair before midnight rounds to the next day's 00:00:00: hour 0, so the day is not moved twice.
        ModeCase{"mode0_rounding_to_midnight", Oct(1, 23, 59, 59) + 0.9996 / 86400.0, 0, "子", "乙丑",
                 "丙子"},
        ModeCase{"mode1_rounding_to_midnight", Oct(1, 23, 59, 59) + 0.9996 / 86400.0, 1, "子", "乙丑",
                 "丙子"}),
    [](const testing::TestParamInfo<ModeCase>& info) { return std::string(info.param.what); });

TEST(TimeModeTexts, IndexAndTextRoundTrip) {
    for (int i = 0; i < kTimeModeCount; ++i) {
        ASSERT_TRUE(TimeModeAt(i));
        EXPECT_EQ(TimeModeOf(Label(*TimeModeAt(i))), TimeModeAt(i));
        EXPECT_EQ(Index(*TimeModeAt(i)), i);
    }
    EXPECT_EQ(TimeModeAt(3), std::nullopt);
    EXPECT_EQ(TimeModeAt(-1), std::nullopt);
    EXPECT_EQ(Label(std::optional<TimeMode>()), "");
    EXPECT_EQ(TimeModeOf(""), std::nullopt);
    EXPECT_EQ(TimeModeOf("不区分夜子时早子时 "), std::nullopt);
}

TEST(TimeModeTexts, AnUnknownModeNeverMovesTheDayNorSetsTheDoubleHour) {
    EXPECT_EQ(DayDateOf(Oct(1, 23, 30), std::nullopt), Oct(1, 23, 30));
    Moment previous = TickAt(Oct(1, 9, 0), 0);
    ASSERT_EQ(previous.hourBranch, Branch::Si);
    TickInput in;
    in.timeMode = std::nullopt;
    in.onlyBeijing = true;
    const TickResult r = RunTick(in, previous, [] { return Oct(1, 23, 30); });
    EXPECT_EQ(r.moment.hourBranch, Branch::Si);
    EXPECT_EQ(DayGanZhi(r.moment), "甲子");
}

// A Moment that a time step has filled, with the previous double-hour (none, or withheld for the longitude).
Moment Computed(DateTime t, int mode, Branch previous, bool longitudeInvalid = false) {
    Moment m;
    m.timeMode = TimeModeAt(mode);
    ApplyDayPart(m, ComputeDayPart(t, m.timeMode));
    m.hourBranch = previous;
    m.longitudeInvalid = longitudeInvalid;
    return m;
}

TEST(DoubleHourStep, DoesNothingBeforeTheFirstTimeHasBeenComputed) {
    const DoubleHourResult r = DoubleHourStep(Moment{}, "abc", false, true);
    EXPECT_FALSE(r.ran);
    EXPECT_EQ(r.hourBranch, Branch::None);
    EXPECT_FALSE(r.longitudeInvalid);
    EXPECT_FALSE(r.notice);
}

TEST(DoubleHourStep, AChosenDateIn1899IsNotMistakenForStartUp) {
    const DoubleHourResult r =
        DoubleHourStep(Computed(MakeDateTime(1899, 6, 1, 12), 0, Branch::Si), "120", false, true);
    EXPECT_TRUE(r.ran);
    EXPECT_EQ(r.hourBranch, Branch::Wu);
    EXPECT_TRUE(r.notice);
}

TEST(DoubleHourStep, NoticeOnlyWhenOneBranchGivesWayToAnother) {
    const DateTime noon = Oct(1, 12, 0);
    struct Case {
        Branch previous;
        bool longitudeInvalid;
        bool hint;
        bool notice;
    };
    // Start-up (no double-hour yet) and the longitude message are no branch to give way.
    for (const Case& c : {Case{Branch::Si, false, true, true}, Case{Branch::Si, false, false, false},
                          Case{Branch::Wu, false, true, false}, Case{Branch::None, false, true, false},
                          Case{Branch::None, true, true, false}}) {
        const DoubleHourResult r =
            DoubleHourStep(Computed(noon, 0, c.previous, c.longitudeInvalid), "120", false, c.hint);
        const int previous = Number(c.previous);
        EXPECT_EQ(r.hourBranch, Branch::Wu) << previous;
        EXPECT_FALSE(r.longitudeInvalid) << previous;
        EXPECT_EQ(r.notice, c.notice) << previous << " hint " << c.hint;
        EXPECT_EQ(r.noticeText, c.notice ? "时辰已经变换为午时了。" : "") << previous;
    }
}

TEST(DoubleHourStep, SwitchingModeAtHalfPastElevenGivesTheHaiNotice) {
    Moment m = TickAt(Oct(1, 23, 30), 1);
    ASSERT_EQ(m.hourBranch, Branch::Zi);
    m.timeMode = TimeMode::ZeroToTwo;
    const DoubleHourResult r = DoubleHourStep(m, "120", false, true);
    EXPECT_EQ(r.hourBranch, Branch::Hai);
    EXPECT_EQ(r.noticeText, "时辰已经变换为亥时了。");
}

TEST(DoubleHourStep, LongitudeCheckGatesTheStepUnlessOnlyBeijingTimeIsUsed) {
    const Moment m = Computed(Oct(1, 12, 0), 0, Branch::Si);
    for (const char* bad : {"abc", "-1", "180.5", ""}) {
        const DoubleHourResult off = DoubleHourStep(m, bad, false, true);
        EXPECT_EQ(off.hourBranch, Branch::None) << bad;
        EXPECT_TRUE(off.longitudeInvalid) << bad;
        EXPECT_FALSE(off.notice) << bad;
        EXPECT_FALSE(off.resetLongitudeTo120) << bad;
        const DoubleHourResult on = DoubleHourStep(m, bad, true, true);
        EXPECT_EQ(on.hourBranch, Branch::Wu) << bad;
        EXPECT_FALSE(on.longitudeInvalid) << bad;
        EXPECT_TRUE(on.resetLongitudeTo120) << bad;
    }
    for (const char* good : {"0", "180"})
        EXPECT_EQ(DoubleHourStep(m, good, false, true).hourBranch, Branch::Wu) << good;
}

TEST(HourStemOfMoment, UndefinedWhileTheBoxHoldsNoBranch) {
    for (const bool longitudeInvalid : {true, false}) {
        Moment m = Computed(Oct(1, 12, 0), 0, Branch::None, longitudeInvalid);
        ApplyHourStem(m);
        EXPECT_EQ(m.hourStem, Stem::None);
        EXPECT_EQ(m.hourStemBase, Stem::None);
        // The message shows, never behind a stem; before the first double-hour nothing shows.
        EXPECT_EQ(HourGanZhi(m), longitudeInvalid ? std::string(kLongitudeMessage) : std::string());
        EXPECT_EQ(HourBranchText(m), HourGanZhi(m));
    }
}

TEST(HourStemOfMoment, BaseIsTheNextDaysStemOnlyAtElevenUnderMode1) {
    Moment m = Computed(Oct(1, 23, 30), 1, Branch::Zi);
    ApplyHourStem(m);
    EXPECT_EQ(m.hourStemBase, Stem::Yi);
    m = Computed(Oct(1, 0, 30), 1, Branch::Zi);
    ApplyHourStem(m);
    EXPECT_EQ(m.hourStemBase, Stem::Jia);
}

}  // namespace
}  // namespace velunar
