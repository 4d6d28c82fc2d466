#include "methods/doctrine.h"

#include <gtest/gtest.h>

#include <set>

#include "calendar/ganzhi.h"
#include "methods/doctrine_tables.h"
#include "table_rows.h"
#include "test_moment.h"

namespace velunar {
namespace {

using testing::MomentAt;
using testing::TableRows;
using testing::WithoutBranch;

NaGanRow NaGanOf(std::string meridian, std::string point, std::string source = "", std::string extra = "") {
    return {"胆经", std::move(meridian), "木", "井", std::move(point), std::move(source), std::move(extra)};
}

Finding At(DoctrineId id, const Moment& m, const ReferenceTables& t) {
    return DoctrineOf(id).At(m, t);
}

const Cell& CellOf(const Finding& f, std::string_view name) {
    for (const Cell& c : f.cells)
        if (c.name == name) return c;
    static const Cell kMissing{"missing", "missing", std::nullopt, false};
    ADD_FAILURE() << "no cell " << name;
    return kMissing;
}

// 1949-10-01 is a 甲子 day; noon is its 午 double-hour.
Moment JiaDayNoon() {
    return MomentAt(MakeDateTime(1949, 10, 1, 12), 0);
}

TEST(NaGan, FindsTheDayStemAndBranchAndShowsTheOptionalSourcePoints) {
    TableRows rows;
    // Keyed by the last character of 实际时辰: "庚午" is the 午 double-hour.
    rows.naGan = {{"乙", "庚午", NaGanOf("大肠经", "商阳")},
                  {"甲", "庚午", NaGanOf("小肠经", "前谷", "", "丘墟")}};
    const Finding v = At(DoctrineId::NaGan, JiaDayNoon(), rows.Build());
    EXPECT_EQ(v.Text("point"), "前谷");
    EXPECT_EQ(v.closed, false);
    // Empty 过原 with a filled 兼过原穴: only the second box and its caption show.
    EXPECT_FALSE(CellOf(v, "sourcePoint").visible);
    EXPECT_TRUE(CellOf(v, "extraSourcePoint").visible);
}

TEST(NaGan, ClosedOnlyWhenTheMeridianIsExactlyBi) {
    const struct {
        const char* meridian;
        bool closed;
    } cases[] = {{"闭", true}, {"闭 ", false}, {" 闭", false}, {"闭塞", false}, {"", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.meridian);
        TableRows rows;
        rows.naGan = {{"甲", "午", NaGanOf(c.meridian, "", " ", "")}};
        const Finding v = At(DoctrineId::NaGan, JiaDayNoon(), rows.Build());
        EXPECT_EQ(v.closed, c.closed);
        // A blank is text: no trimming before the visibility test.
        EXPECT_TRUE(CellOf(v, "sourcePoint").visible);
        EXPECT_FALSE(CellOf(v, "extraSourcePoint").visible);
    }
}

TEST(NaGan, TheSixthStemIsLookedUpAsYi) {
    TableRows rows;
    rows.naGan = {{"己", "午", NaGanOf("闭", "")}};  // a table keyed with the wrong character
    // 1949-10-06 is a 已巳 day.
    const Moment m = MomentAt(MakeDateTime(1949, 10, 6, 12), 0);
    ASSERT_EQ(m.dayStem, Stem::Ji);
    ASSERT_EQ(Name(m.dayStem), "已");
    const Finding v = At(DoctrineId::NaGan, m, rows.Build());
    EXPECT_EQ(v.Text("meridian"), "");
    EXPECT_EQ(v.closed, false);
    rows.naGan.push_back({"已", "午", NaGanOf("闭", "")});
    EXPECT_EQ(At(DoctrineId::NaGan, m, rows.Build()).closed, true);
}

TEST(NaGan, NoBranchMeansNoRowAndEverythingOptionalHidden) {
    TableRows rows;
    rows.naGan = {{"甲", "午", NaGanOf("闭", "", "x", "y")}};
    const ReferenceTables t = rows.Build();
    for (const bool longitudeInvalid : {false, true}) {
        const Finding v = At(DoctrineId::NaGan, WithoutBranch(JiaDayNoon(), longitudeInvalid), t);
        EXPECT_EQ(v.Text("meridian"), "");
        EXPECT_EQ(v.closed, false);
        EXPECT_FALSE(CellOf(v, "sourcePoint").visible);
        EXPECT_FALSE(CellOf(v, "extraSourcePoint").visible);
        EXPECT_EQ(v.Text("point"), "");
        EXPECT_FALSE(At(DoctrineId::Supplementary, WithoutBranch(JiaDayNoon(), longitudeInvalid), t).applies);
    }
}

TEST(Supplementary, AppliesOnlyInAClosedHourOfTheSameMoment) {
    TableRows rows;
    rows.naGan = {{"甲", "午", NaGanOf("小肠经", "前谷")}, {"甲", "未", NaGanOf("闭", "")}};
    rows.supplementary = {{"甲", "午", {"心经", "火", "荥", "少府", "胆经"}},
                          {"甲", "未", {"肝经", "木", "合", "曲泉", "胆经"}}};
    const ReferenceTables t = rows.Build();

    // Open hour: the doctrine says nothing, even with a row for the hour.
    const Finding open = At(DoctrineId::Supplementary, JiaDayNoon(), t);
    EXPECT_FALSE(open.applies);
    EXPECT_EQ(open.Text("point"), "");

    // The closed hour: Na Gan's own row lets the supplementary row through.
    const Moment closedHour = MomentAt(MakeDateTime(1949, 10, 1, 13, 30), 0);
    ASSERT_EQ(At(DoctrineId::NaGan, closedHour, t).closed, true);
    const Finding closed = At(DoctrineId::Supplementary, closedHour, t);
    ASSERT_TRUE(closed.applies);
    EXPECT_EQ(closed.Text("point"), "曲泉");
}

TEST(NaZhi, DependsOnTheBranchAlone) {
    TableRows rows;
    rows.naZhi = {{"子", {"足临泣", "丘墟", "阳辅", "胆经", "侠溪", "胆经"}},
                  {"亥", {"支沟", "阳池", "天井", "三焦经", "中渚", "三焦经"}}};
    const ReferenceTables t = rows.Build();
    // 23:30: 子 under modes 0 and 1, 亥 under mode 2, whatever the day.
    const DateTime late = MakeDateTime(1949, 10, 1, 23, 30);
    EXPECT_EQ(At(DoctrineId::NaZhi, MomentAt(late, 0), t).Text("ownPoint"), "足临泣");
    EXPECT_EQ(At(DoctrineId::NaZhi, MomentAt(late, 1), t).Text("ownPoint"), "足临泣");
    EXPECT_EQ(At(DoctrineId::NaZhi, MomentAt(late, 2), t).Text("ownPoint"), "支沟");
    EXPECT_EQ(At(DoctrineId::NaZhi, WithoutBranch(MomentAt(late, 0), true), t).Text("ownMeridian"), "");
}

TEST(ShiGan, SourcePointShownOnlyWhenFilled) {
    TableRows rows;
    rows.transport = {{"小肠经", "少泽", "前谷", "后溪", "阳谷", "小海", "腕骨"},
                      {"胆经", "足窍阴", "侠溪", "足临泣", "阳辅", "阳陵泉", ""},
                      {"胆经", "later", "", "", "", "", "x"}};  // only the first row of a meridian counts
    const ReferenceTables t = rows.Build();
    // Mode 1 at 23:30 on the 甲 day: the hour is 丙子, so 小肠经, with its source 腕骨.
    const Finding a = At(DoctrineId::ShiGan, MomentAt(MakeDateTime(1949, 10, 1, 23, 30), 1), t);
    EXPECT_EQ(a.Text("meridian"), "小肠经");
    EXPECT_TRUE(CellOf(a, "source").visible);
    // 00:30 of the 甲 day is 甲子: 胆经, whose row here has no source.
    const Finding b = At(DoctrineId::ShiGan, MomentAt(MakeDateTime(1949, 10, 1, 0, 30), 1), t);
    ASSERT_EQ(b.Text("meridian"), "胆经");
    EXPECT_EQ(b.Text("well"), "足窍阴");
    EXPECT_FALSE(CellOf(b, "source").visible);
    // No row for the meridian: nothing shown, 原 hidden.
    const Finding c = At(DoctrineId::ShiGan, MomentAt(MakeDateTime(1949, 10, 1, 2), 1), t);  // 乙丑: 肝经
    EXPECT_EQ(c.Text("meridian"), "");
    EXPECT_FALSE(CellOf(c, "source").visible);
    EXPECT_EQ(c.Text("well"), "");
}

TEST(DayHourMethods, TheTwoMeridianSpellingsNeverMix) {
    // Every stem and branch: transport rows are keyed only by the long form, point lists only by the short
    // form. Tables that hold each meridian under both spellings show which one was used.
    const std::vector<std::string> shortForms = {"肺",   "大肠", "胃",   "脾",   "心", "小肠",
                                                 "膀胱", "肾",   "心包", "三焦", "胆", "肝"};
    TableRows rows;
    for (const std::string& m : shortForms) {
        rows.transport.push_back({m + "经", "long:" + m, "", "", "", "", ""});
        rows.transport.push_back({m, "short:" + m, "", "", "", "", ""});
        rows.Points(m, {"short:" + m});
        rows.Points(m + "经", {"long:" + m});
    }
    const ReferenceTables t = rows.Build();
    int moments = 0;
    for (int day = 0; day < 10; ++day) {
        for (int h = 0; h < 12; ++h) {
            const Moment m = MomentAt(MakeDateTime(1949, 10, 1 + day, 2 * h, 30), 0);
            const Finding shiGan = At(DoctrineId::ShiGan, m, t);
            EXPECT_EQ(shiGan.Text("well").rfind("long:", 0), 0u) << shiGan.Text("meridian");
            for (const DoctrineId id : {DoctrineId::RiGan, DoctrineId::NaZhi2}) {
                const Finding list = At(id, m, t);
                ASSERT_TRUE(list.points);
                EXPECT_EQ(*list.points, std::vector<std::string>{"short:" + list.Text("meridian")});
            }
            ++moments;
        }
    }
    EXPECT_EQ(moments, 120);

    // The two examples: hour stem 丙 looks up 小肠经, a 丙 day lists 小肠.
    EXPECT_EQ(LongMeridianOfStem(3), "小肠经");
    EXPECT_EQ(ShortMeridianOfStem(3), "小肠");
}

TEST(DayHourMethods, ListsFollowTheDayStemAndTheDoubleHour) {
    TableRows rows;
    rows.Points("胆", {"瞳子髎", "听会"}).Points("心", {"极泉", "青灵"}).Points("小肠", {"少泽", "前谷"});
    const ReferenceTables t = rows.Build();

    // A 甲 day at noon (午).
    const Moment first = MomentAt(MakeDateTime(1949, 10, 1, 11, 10), 0);
    const Finding day = At(DoctrineId::RiGan, first, t);
    EXPECT_EQ(day.Text("meridian"), "胆");
    EXPECT_EQ(day.points, (std::vector<std::string>{"瞳子髎", "听会"}));
    EXPECT_EQ(At(DoctrineId::NaZhi2, first, t).Text("meridian"), "心");

    // Next double-hour (未): the day list stays, the hour list moves.
    const Moment third = MomentAt(MakeDateTime(1949, 10, 1, 13, 0), 0);
    EXPECT_EQ(At(DoctrineId::RiGan, third, t).points, day.points);
    const Finding hour = At(DoctrineId::NaZhi2, third, t);
    EXPECT_EQ(hour.Text("meridian"), "小肠");
    EXPECT_EQ(hour.points, (std::vector<std::string>{"少泽", "前谷"}));
}

TEST(DayHourMethods, NoDoubleHourIsListedAsNoMeridianAndABranchListsAgain) {
    TableRows rows;
    rows.Points("心", {"极泉"});
    rows.transport = {{"大肠经", "商阳", "", "", "", "", ""}};
    const ReferenceTables t = rows.Build();
    const Moment noon = JiaDayNoon();

    const Moment message = WithoutBranch(noon, true);
    const Finding list = At(DoctrineId::NaZhi2, message, t);
    EXPECT_EQ(list.Text("meridian"), "");
    ASSERT_TRUE(list.points);
    EXPECT_TRUE(list.points->empty());
    // The hour stem is undefined: no transport row either.
    EXPECT_EQ(At(DoctrineId::ShiGan, message, t).Text("meridian"), "");

    const Finding back = At(DoctrineId::NaZhi2, noon, t);
    EXPECT_EQ(back.points, std::vector<std::string>{"极泉"});
    EXPECT_EQ(At(DoctrineId::ShiGan, noon, t).Text("meridian"), "大肠经");  // the 庚午 hour
}

TEST(DayHourMethods, LateZiUnderModeOneKeepsTheDayList) {
    const ReferenceTables t;
    const Moment late = MomentAt(MakeDateTime(1949, 10, 1, 23, 30), 1);
    EXPECT_EQ(Name(late.hourStem), "丙");  // hour 丙子, counted from 乙
    EXPECT_EQ(LongMeridianOfStem(Number(late.hourStem)), "小肠经");
    EXPECT_EQ(At(DoctrineId::RiGan, late, t).Text("meridian"), "胆");   // the 甲 day
    EXPECT_EQ(At(DoctrineId::NaZhi2, late, t).Text("meridian"), "胆");  // 子
    Moment m = late;
    m.hourBranch = Branch::Xu;
    EXPECT_EQ(At(DoctrineId::NaZhi2, m, t).Text("meridian"), "心包");
    m.hourBranch = Branch::Hai;
    EXPECT_EQ(At(DoctrineId::NaZhi2, m, t).Text("meridian"), "三焦");
}

}  // namespace
}  // namespace velunar
