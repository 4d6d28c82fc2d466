#include "methods/schedule.h"

#include <gtest/gtest.h>

#include "calendar/ganzhi.h"
#include "fake_tables.h"
#include "methods/preloaded_tables.h"

namespace velunar {
namespace {

using testing::FakeTables;

TEST(Schedule, TheZiHourOfADateBeginsTheEveningBeforeAndCountsFromTheDateItself) {
    const std::int64_t d = DaysFromCivil(1949, 10, 2);  // 乙丑
    const Moment zi = DoubleHourMoment(d, 1);
    EXPECT_EQ(FormatIso(zi.effectiveTime), "1949-10-01 23:00:00");
    EXPECT_EQ(zi.dayGanZhi, "乙丑");
    EXPECT_EQ(zi.hourGanZhi, "丙子");
    const Moment hai = DoubleHourMoment(d, 12);
    EXPECT_EQ(FormatIso(hai.effectiveTime), "1949-10-02 21:00:00");
    EXPECT_EQ(hai.hourGanZhi, "丁亥");
}

TEST(Schedule, RowsOfARangeReadEachTableOnce) {
    FakeTables t;
    t.naGan = {{"甲", "甲子", {"胆经", "胆经", "金", "井", "足窍阴", "", ""}},
               {"甲", "乙丑", {"胆经", "闭", "", "", "", "", ""}}};
    t.supplementary = {{"甲", "乙丑", {"肝经", "木", "合", "曲泉", "胆经"}}};
    t.naZhi = {{"子", {"足临泣", "丘墟", "阳辅", "胆经", "侠溪", "胆经"}}};

    const std::int64_t first = DaysFromCivil(1949, 10, 1);  // 甲子
    const auto rows = BuildSchedule(first, first + 1, t);
    ASSERT_EQ(rows.size(), 24u);
    EXPECT_EQ(t.calls, (std::vector<std::string>{"AllNaGan()", "AllSupplementary()", "AllNaZhi()"}));

    const ScheduleRow& zi = rows[0];
    EXPECT_EQ(ScheduleFields(zi),
              (std::vector<std::string>{"1949-10-01", "甲子", "甲子", "足窍阴", "", "", "", "足临泣", "阳辅",
                                        "侠溪", "内关", "公孙", "公孙", "内关", "胆经", "胆", "胆"}));
    const ScheduleRow& chou = rows[1];
    EXPECT_EQ(chou.naGanPoint, "闭");
    EXPECT_EQ(chou.supplementaryPoint, "曲泉");
    EXPECT_EQ(chou.naZhiOwn, "");  // no 丑 row
    EXPECT_EQ(rows[12].date, "1949-10-02");
    EXPECT_EQ(rows[23].hourGanZhi, "丁亥");
    EXPECT_EQ(ScheduleHeader().size(), ScheduleFields(zi).size());

    t.calls.clear();
    EXPECT_TRUE(BuildSchedule(first + 1, first, t).empty());
    EXPECT_TRUE(t.calls.empty());
}

TEST(PreloadedTables, KeepsTheDatabaseMatchingRules) {
    FakeTables t;
    t.naGan = {{"甲", "甲子", {"", "first", "", "", "", "", ""}},
               {"甲", "子", {"", "second", "", "", "", "", ""}},
               {"甲 ", "丙子", {"", "blank", "", "", "", "", ""}},
               {"乙", "子时", {"", "suffix", "", "", "", "", ""}}};
    t.naZhi = {{"子", {"a", "", "", "", "", ""}}, {"子", {"b", "", "", "", "", ""}}};
    PreloadedTables p(t);
    EXPECT_EQ(p.NaGan("甲", "子")->meridian, "first");  // the first row in table order wins
    EXPECT_FALSE(p.NaGan("乙", "子"));                  // only the last character counts
    EXPECT_EQ(p.NaGan("乙", "时")->meridian, "suffix");
    EXPECT_FALSE(p.NaGan("甲", "甲子"));  // a whole hour text is not a character
    EXPECT_EQ(p.NaZhi("子")->ownPoint, "a");
    EXPECT_FALSE(p.Supplementary("甲", "子"));
    EXPECT_EQ(t.Count("NaGan"), 0);

    EXPECT_EQ(LastCharacter("甲子"), "子");
    EXPECT_EQ(LastCharacter("ab"), "b");
    EXPECT_EQ(LastCharacter(""), "");
}

}  // namespace
}  // namespace velunar
