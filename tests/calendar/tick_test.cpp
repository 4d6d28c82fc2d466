#include "calendar/tick.h"

#include <gtest/gtest.h>

namespace velunar {
namespace {

ReferenceClock At(DateTime t) {
    return [t] { return t; };
}

TickInput China(std::string longitude, bool onlyBeijing = false) {
    TickInput in;
    in.longitudeText = std::move(longitude);
    in.onlyBeijing = onlyBeijing;
    in.hint = true;
    return in;
}

TEST(Tick, WorkedExampleThroughTheWholeTick) {
    const TickResult r = RunTick(China("116.46"), Moment{}, At(MakeDateTime(2026, 2, 10, 12)));
    EXPECT_EQ(FormatIso(r.referenceTime), "2026-02-10 12:00:00");
    EXPECT_EQ(FormatIso(r.moment.effectiveTime), "2026-02-10 11:31:36");
    EXPECT_EQ(DayGanZhi(r.moment), "乙卯");
    EXPECT_EQ(HourBranchText(r.moment), "午");
    EXPECT_EQ(HourGanZhi(r.moment), "壬午");
    EXPECT_FALSE(r.doubleHour.notice);  // first tick after start-up
    EXPECT_EQ(r.correctionShown, true);
}

TEST(Tick, NextTickAcrossADoubleHourGivesTheNotice) {
    const TickResult first = RunTick(China("120"), Moment{}, At(MakeDateTime(2026, 2, 10, 13, 14)));
    ASSERT_EQ(HourBranchText(first.moment), "午");
    const TickResult second = RunTick(China("120"), first.moment, At(MakeDateTime(2026, 2, 10, 13, 15)));
    EXPECT_EQ(HourBranchText(second.moment), "未");
    EXPECT_EQ(second.doubleHour.noticeText, "时辰已经变换为未时了。");
    const TickResult third = RunTick(China("120"), second.moment, At(MakeDateTime(2026, 2, 10, 13, 16)));
    EXPECT_FALSE(third.doubleHour.notice);
}

TEST(Tick, InvalidLongitudeAtStartUpShowsNoDoubleHour) {
    const TickResult r = RunTick(China("abc"), Moment{}, At(MakeDateTime(2026, 2, 10, 12)));
    EXPECT_TRUE(r.skipped);
    EXPECT_EQ(r.moment.hourBranch, Branch::None);
    EXPECT_EQ(HourBranchText(r.moment), "");
    EXPECT_EQ(HourGanZhi(r.moment), "");
    EXPECT_FALSE(r.trueSolarTime.has_value());
    EXPECT_FALSE(r.correctionShown.has_value());
}

TEST(Tick, InvalidLongitudeLaterKeepsTheLastGoodDayAndShowsTheMessage) {
    const TickResult good = RunTick(China("116.46"), Moment{}, At(MakeDateTime(2026, 2, 10, 12)));
    const TickResult bad = RunTick(China("180.5"), good.moment, At(MakeDateTime(2026, 2, 11, 12)));
    EXPECT_TRUE(bad.skipped);
    EXPECT_EQ(bad.moment.effectiveTime, good.moment.effectiveTime);
    EXPECT_EQ(DayGanZhi(bad.moment), DayGanZhi(good.moment));
    EXPECT_EQ(HourBranchText(bad.moment), kLongitudeMessage);
    EXPECT_EQ(HourGanZhi(bad.moment), kLongitudeMessage);
    EXPECT_EQ(bad.moment.hourStem, Stem::None);
    EXPECT_TRUE(bad.moment.longitudeInvalid);
    // Valid again: the double-hour comes back without a notice.
    const TickResult again = RunTick(China("116.46"), bad.moment, At(MakeDateTime(2026, 2, 11, 12)));
    EXPECT_EQ(HourBranchText(again.moment), "午");
    EXPECT_FALSE(again.doubleHour.notice);
}

TEST(Tick, OnlyBeijingTimeResetsTheBoxBeforeTheDoubleHourReadsIt) {
    const TickResult r = RunTick(China("abc", true), Moment{}, At(MakeDateTime(2026, 2, 10, 12)));
    EXPECT_FALSE(r.skipped);
    EXPECT_EQ(r.longitudeText, "120");
    EXPECT_EQ(HourBranchText(r.moment), "午");
    EXPECT_EQ(r.correctionShown, false);
}

TEST(Tick, TheChinaLongitudeBoxGatesTheDoubleHourOnTheAbroadPageToo) {
    TickInput in = China("abc");
    in.page = TimePage::Abroad;
    const TickResult r = RunTick(in, Moment{}, At(MakeDateTime(2026, 7, 1, 12)));
    EXPECT_FALSE(r.skipped);  // the abroad step itself ran
    ASSERT_TRUE(r.beijingTime.has_value());
    EXPECT_EQ(HourBranchText(r.moment), kLongitudeMessage);
}

TEST(Tick, AbroadResetGoesToItsOwnBox) {
    TickInput in = China("116.46", true);
    in.page = TimePage::Abroad;
    in.abroadLongitudeText = "abc";
    const TickResult r = RunTick(in, Moment{}, At(MakeDateTime(2026, 7, 1, 12)));
    EXPECT_EQ(r.abroadLongitudeText, "120");
    EXPECT_EQ(r.longitudeText, "116.46");
}

TEST(Tick, ClockIsReadOnceForTheBoxAndTheStep) {
    // One instant a tick: the box and every time worked out from it can never be a second apart.
    int calls = 0;
    const ReferenceClock ticking = [&calls] { return MakeDateTime(2026, 2, 10, 12, 0, calls++); };
    const TickResult r = RunTick(China("120"), Moment{}, ticking);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(FormatIso(r.referenceTime), "2026-02-10 12:00:00");
    EXPECT_EQ(FormatIso(r.moment.effectiveTime), "2026-02-10 11:45:45");  // －14分15秒
}

}  // namespace
}  // namespace velunar
