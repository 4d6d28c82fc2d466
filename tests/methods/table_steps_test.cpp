#include "methods/table_steps.h"

#include <gtest/gtest.h>

#include <set>

#include "calendar/ganzhi.h"
#include "fake_tables.h"
#include "methods/doctrine_tables.h"
#include "methods/doctrines.h"
#include "test_moment.h"

namespace velunar {
namespace {

using testing::FakeTables;
using testing::MomentAt;
using testing::WithHourText;

NaGanRow NaGanOf(std::string meridian, std::string point, std::string source = "", std::string extra = "") {
    return {"胆经", std::move(meridian), "木", "井", std::move(point), std::move(source), std::move(extra)};
}

// 1949-10-01 is a 甲子 day; noon is its 午 double-hour.
Moment JiaDayNoon() {
    return MomentAt(MakeDateTime(1949, 10, 1, 12), 0);
}

TEST(NaGan, AsksForTheDayStemAndBranchAndShowsTheOptionalSourcePoints) {
    FakeTables t;
    t.naGan = {{"甲", "庚午", NaGanOf("小肠经", "前谷", "", "丘墟")}};
    const NaGanView v = NaGanStep(JiaDayNoon(), t);
    EXPECT_EQ(t.calls, std::vector<std::string>{"NaGan(甲,午)"});
    ASSERT_TRUE(v.found);
    EXPECT_EQ(v.row.point, "前谷");
    EXPECT_FALSE(v.closed);
    // Empty 过原 with a filled 兼过原穴: only the second box and its caption show.
    EXPECT_FALSE(v.showSourcePoint);
    EXPECT_TRUE(v.showExtraSourcePoint);
}

TEST(NaGan, ClosedOnlyWhenTheMeridianIsExactlyBi) {
    const struct {
        const char* meridian;
        bool closed;
    } cases[] = {{"闭", true}, {"闭 ", false}, {" 闭", false}, {"闭塞", false}, {"", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.meridian);
        FakeTables t;
        t.naGan = {{"甲", "午", NaGanOf(c.meridian, "", " ", "")}};
        const NaGanView v = NaGanStep(JiaDayNoon(), t);
        EXPECT_EQ(v.closed, c.closed);
        // A blank is text: no trimming before the visibility test.
        EXPECT_TRUE(v.showSourcePoint);
        EXPECT_FALSE(v.showExtraSourcePoint);
    }
}

TEST(NaGan, TheSixthStemIsSentAsYi) {
    FakeTables t;
    t.naGan = {{"己", "午", NaGanOf("闭", "")}};  // a table keyed with the wrong character
    // 1949-10-06 is a 已巳 day.
    const Moment m = MomentAt(MakeDateTime(1949, 10, 6, 12), 0);
    ASSERT_EQ(m.dayStem, 6);
    const NaGanView v = NaGanStep(m, t);
    EXPECT_EQ(t.calls, std::vector<std::string>{"NaGan(已,午)"});
    EXPECT_FALSE(v.found);
    EXPECT_FALSE(v.closed);
}

TEST(NaGan, NoBranchMeansNoRowAndEverythingOptionalHidden) {
    FakeTables t;
    t.naGan = {{"甲", "午", NaGanOf("闭", "", "x", "y")}};
    for (const char* text : {kHourBranchPlaceholder, "请先输入正确东经数"}) {
        const NaGanView v = NaGanStep(WithHourText(JiaDayNoon(), text), t);
        EXPECT_FALSE(v.found);
        EXPECT_FALSE(v.closed);
        EXPECT_FALSE(v.showSourcePoint);
        EXPECT_FALSE(v.showExtraSourcePoint);
        EXPECT_EQ(v.row.point, "");
    }
    EXPECT_TRUE(t.calls.empty());
}

TEST(Supplementary, RunsOnlyInAClosedHourOfTheSameTick) {
    FakeTables t;
    t.naGan = {{"甲", "午", NaGanOf("小肠经", "前谷")}, {"甲", "未", NaGanOf("闭", "")}};
    t.supplementary = {{"甲", "未", {"肝经", "木", "合", "曲泉", "胆经"}}};

    // Open hour: no query at all, and the page keeps whatever it shows.
    const DoctrineReport open = EvaluateDoctrines(JiaDayNoon(), t);
    EXPECT_FALSE(open.supplementary.has_value());
    EXPECT_EQ(t.Count("Supplementary"), 0);

    // First tick of the closed hour: the Na Gan step's flag already lets the row through.
    const DoctrineReport closed = EvaluateDoctrines(MomentAt(MakeDateTime(1949, 10, 1, 13, 30), 0), t);
    ASSERT_TRUE(closed.naGan.closed);
    ASSERT_TRUE(closed.supplementary.has_value());
    EXPECT_EQ(closed.supplementary->row.point, "曲泉");
    EXPECT_EQ(t.Count("Supplementary"), 1);
    EXPECT_FALSE(SupplementaryStep(JiaDayNoon(), false, t).has_value());
    EXPECT_EQ(t.Count("Supplementary"), 1);
}

TEST(NaZhi, DependsOnTheBranchAlone) {
    FakeTables t;
    t.naZhi = {{"子", {"足临泣", "丘墟", "阳辅", "胆经", "侠溪", "胆经"}},
               {"亥", {"支沟", "阳池", "天井", "三焦经", "中渚", "三焦经"}}};
    // 23:30: 子 under modes 0 and 1, 亥 under mode 2, whatever the day.
    const DateTime late = MakeDateTime(1949, 10, 1, 23, 30);
    EXPECT_EQ(NaZhiStep(MomentAt(late, 0), t).row.ownPoint, "足临泣");
    EXPECT_EQ(NaZhiStep(MomentAt(late, 1), t).row.ownPoint, "足临泣");
    EXPECT_EQ(NaZhiStep(MomentAt(late, 2), t).row.ownPoint, "支沟");
    EXPECT_FALSE(NaZhiStep(WithHourText(MomentAt(late, 0), "请先输入正确东经数"), t).found);
    EXPECT_EQ(t.calls, (std::vector<std::string>{"NaZhi(子)", "NaZhi(子)", "NaZhi(亥)"}));
}

TEST(ShiGan, SourcePointShownOnlyWhenFilled) {
    FakeTables t;
    t.transport["小肠经"] = {"小肠经", "少泽", "前谷", "后溪", "阳谷", "小海", "腕骨"};
    t.transport["胆经"] = {"胆经", "足窍阴", "侠溪", "足临泣", "阳辅", "阳陵泉", ""};
    // Mode 1 at 23:30 on the 甲 day: the hour is 丙子, so 小肠经, with its source 腕骨.
    const ShiGanView a = ShiGanStep(MomentAt(MakeDateTime(1949, 10, 1, 23, 30), 1), t);
    EXPECT_EQ(a.meridian, "小肠经");
    EXPECT_TRUE(a.showSource);
    // 00:30 of the 甲 day is 甲子: 胆经, whose row here has no source.
    const ShiGanView b = ShiGanStep(MomentAt(MakeDateTime(1949, 10, 1, 0, 30), 1), t);
    ASSERT_TRUE(b.found);
    EXPECT_FALSE(b.showSource);
    // No row for the meridian: nothing shown, 原 hidden.
    const ShiGanView c = ShiGanStep(MomentAt(MakeDateTime(1949, 10, 1, 2), 1), t);  // 乙丑: 肝经
    EXPECT_FALSE(c.found);
    EXPECT_FALSE(c.showSource);
    EXPECT_EQ(c.row.well, "");
}

TEST(DayHourMethods, TheTwoMeridianSpellingsNeverMix) {
    // Every stem and branch through the step: transport rows are asked only in the long form, point
    // lists only in the short form.
    const std::set<std::string> shortForms = {"肺",   "大肠", "胃",   "脾",   "心", "小肠",
                                              "膀胱", "肾",   "心包", "三焦", "胆", "肝"};
    FakeTables t;
    DayHourMethods step;
    for (int day = 0; day < 10; ++day) {
        for (int h = 0; h < 12; ++h) {
            step.Tick(MomentAt(MakeDateTime(1949, 10, 1 + day, 2 * h, 30), 0), t);
        }
    }
    int transport = 0, lists = 0;
    for (const std::string& c : t.calls) {
        const std::string arg = c.substr(c.find('(') + 1, c.size() - c.find('(') - 2);
        if (c.rfind("Transport(", 0) == 0) {
            ++transport;
            EXPECT_EQ(arg.substr(arg.size() - 3), "经") << c;
            EXPECT_EQ(shortForms.count(arg.substr(0, arg.size() - 3)), 1u) << c;
        } else if (c.rfind("MeridianPoints(", 0) == 0) {
            ++lists;
            EXPECT_EQ(shortForms.count(arg), 1u) << c;
        }
    }
    EXPECT_EQ(transport, 120);
    EXPECT_GT(lists, 120);

    // The two examples: hour stem 丙 asks for 小肠经, a 丙 day lists 小肠.
    EXPECT_EQ(LongMeridianOfStem(3), "小肠经");
    EXPECT_EQ(ShortMeridianOfStem(3), "小肠");
}

TEST(DayHourMethods, ListsReloadOnlyWhenTheirKeyChanges) {
    FakeTables t;
    t.meridianPoints["胆"] = {"瞳子髎", "听会"};
    t.meridianPoints["心"] = {"极泉", "青灵"};
    t.meridianPoints["小肠"] = {"少泽", "前谷"};
    DayHourMethods step;

    // First tick on a 甲 day at noon (午): both lists load.
    const auto first = step.Tick(MomentAt(MakeDateTime(1949, 10, 1, 11, 10), 0), t);
    ASSERT_TRUE(first.dayList && first.hourList);
    EXPECT_EQ(first.dayList->meridian, "胆");
    EXPECT_EQ(first.dayList->points, (std::vector<std::string>{"瞳子髎", "听会"}));
    EXPECT_EQ(first.hourList->meridian, "心");

    // Same double-hour, same day stem: only the transport row is asked for.
    t.calls.clear();
    const auto second = step.Tick(MomentAt(MakeDateTime(1949, 10, 1, 12, 50), 0), t);
    EXPECT_EQ(t.calls, std::vector<std::string>{"Transport(大肠经)"});  // the 庚午 hour
    EXPECT_FALSE(second.dayList || second.hourList);

    // Next double-hour (未): only the hour list.
    t.calls.clear();
    const auto third = step.Tick(MomentAt(MakeDateTime(1949, 10, 1, 13, 0), 0), t);
    EXPECT_FALSE(third.dayList);
    ASSERT_TRUE(third.hourList);
    EXPECT_EQ(third.hourList->meridian, "小肠");
    EXPECT_EQ(t.Count("MeridianPoints"), 1);
}

TEST(DayHourMethods, ANonBranchTextIsListedAsNoMeridianAndABranchReloads) {
    FakeTables t;
    t.meridianPoints["心"] = {"极泉"};
    DayHourMethods step;
    const Moment noon = JiaDayNoon();
    step.Tick(noon, t);

    t.calls.clear();
    const auto message = step.Tick(WithHourText(noon, "请先输入正确东经数"), t);
    ASSERT_TRUE(message.hourList);
    EXPECT_EQ(message.hourList->meridian, "");
    EXPECT_TRUE(message.hourList->points.empty());
    EXPECT_EQ(message.shiGan.meridian, "");  // the hour stem is undefined: no transport row either
    EXPECT_TRUE(t.calls.empty());
    EXPECT_EQ(step.listedHourBranch(), "请先输入正确东经数");

    const auto back = step.Tick(noon, t);
    ASSERT_TRUE(back.hourList);
    EXPECT_EQ(back.hourList->points, std::vector<std::string>{"极泉"});
}

TEST(DayHourMethods, AFailedLoadIsNotCountedAsDone) {
    FakeTables t;
    t.failing = "MeridianPoints";
    DayHourMethods step;
    EXPECT_THROW(step.Tick(JiaDayNoon(), t), TablesError);
    EXPECT_EQ(step.listedDayStem(), 0);
    EXPECT_EQ(step.listedHourBranch(), "");

    t.failing.clear();
    const auto retry = step.Tick(JiaDayNoon(), t);
    EXPECT_TRUE(retry.dayList && retry.hourList);
    EXPECT_EQ(step.listedDayStem(), 1);
    EXPECT_EQ(step.listedHourBranch(), "午");
}

TEST(DayHourMethods, LateZiUnderModeOneKeepsTheDayList) {
    FakeTables t;
    DayHourMethods step;
    const auto r = step.Tick(MomentAt(MakeDateTime(1949, 10, 1, 23, 30), 1), t);
    EXPECT_EQ(r.shiGan.meridian, "小肠经");  // hour 丙子, counted from 乙
    EXPECT_EQ(r.dayList->meridian, "胆");    // the 甲 day
    EXPECT_EQ(r.hourList->meridian, "胆");   // 子
    EXPECT_EQ(HourBranchList("戌", t).meridian, "心包");
    EXPECT_EQ(HourBranchList("亥", t).meridian, "三焦");
}

}  // namespace
}  // namespace velunar
