#include "methods/schedule.h"
#include "calendar/utf8.h"

#include <gtest/gtest.h>

#include "calendar/ganzhi.h"
#include "table_rows.h"

namespace velunar {
namespace {

using testing::TableRows;

TEST(Schedule, TheZiHourOfADateBeginsTheEveningBeforeAndCountsFromTheDateItself) {
    const std::int64_t d = DaysFromCivil(1949, 10, 2);  // 乙丑
    const Moment zi = DoubleHourMoment(d, Branch::Zi);
    EXPECT_EQ(FormatIso(zi.effectiveTime), "1949-10-01 23:00:00");
    EXPECT_EQ(DayGanZhi(zi), "乙丑");
    EXPECT_EQ(HourGanZhi(zi), "丙子");
    const Moment hai = DoubleHourMoment(d, Branch::Hai);
    EXPECT_EQ(FormatIso(hai.effectiveTime), "1949-10-02 21:00:00");
    EXPECT_EQ(HourGanZhi(hai), "丁亥");
}

TEST(Schedule, RowsOfARangeFromTheSnapshot) {
    TableRows rows;
    rows.naGan = {{"甲", "甲子", {"胆经", "胆经", "金", "井", "足窍阴", "", ""}},
                  {"甲", "乙丑", {"胆经", "闭", "", "", "", "", ""}}};
    rows.supplementary = {{"甲", "乙丑", {"肝经", "木", "合", "曲泉", "胆经"}}};
    rows.naZhi = {{"子", {"足临泣", "丘墟", "阳辅", "胆经", "侠溪", "胆经"}}};
    const ReferenceTables t = rows.Build();

    const std::int64_t first = DaysFromCivil(1949, 10, 1);  // 甲子
    std::vector<std::vector<std::string>> all;
    ForEachScheduleRow(first, first + 1, TimeMode::NoNightRat, t, [&](const ScheduleRow& row) {
        all.push_back(row.cells);
        return true;
    });
    ASSERT_EQ(all.size(), 24u);

    const std::vector<std::string>& zi = all[0];
    EXPECT_EQ(zi,
              (std::vector<std::string>{"1949-10-01", "甲子", "甲子", "足窍阴", "", "", "", "足临泣", "阳辅",
                                        "侠溪", "内关", "公孙", "公孙", "内关", "胆经", "胆", "胆",
                                        // 1949-10-01 was 八月初十.
                                        "初十腰背 · 子时踝"}));
    EXPECT_EQ(ScheduleRowOf(first, Branch::Zi, t).cells, zi);
    const std::vector<std::string>& chou = all[1];
    EXPECT_EQ(chou[3], "闭");    // 纳干穴位
    EXPECT_EQ(chou[6], "曲泉");  // 补穴
    EXPECT_EQ(chou[7], "");      // 纳支本穴: no 丑 row
    EXPECT_EQ(all[2][6], "");    // 补穴 only in a closed hour
    EXPECT_EQ(all[12][0], "1949-10-02");
    EXPECT_EQ(all[23][1], "丁亥");
    const std::vector<std::string_view> header = ScheduleHeader();
    EXPECT_EQ(header.size(), zi.size());
    EXPECT_EQ(header[3], "纳干穴位");
    EXPECT_EQ(header[6], "补穴");
    EXPECT_EQ(header[7], "纳支本穴");
    EXPECT_EQ(header.back(), "人神");
    // Hidden taboo lines leave the column empty.
    TabooOptions hidden;
    hidden.shown = false;
    EXPECT_EQ(ScheduleRowOf(first, Branch::Zi, t, hidden).cells.back(), "");

    int calls = 0;
    const TimeMode mode = TimeMode::NoNightRat;
    ForEachScheduleRow(first + 1, first, mode, t, [&](const ScheduleRow&) { return ++calls, true; });
    EXPECT_EQ(calls, 0);
    // The consumer can stop the walk.
    ForEachScheduleRow(first, first + 9, mode, t, [&](const ScheduleRow&) { return ++calls < 5; });
    EXPECT_EQ(calls, 5);

    // 区分夜子时早子时: 早子 first, with the date's own stems; 夜子 last, the day still the date's but the hour
    // stem counted from the next day, as the tick shows them; thirteen rows a date.
    std::vector<ScheduleRow> night;
    ForEachScheduleRow(first, first + 1, TimeMode::NightRat, t, [&](const ScheduleRow& row) {
        night.push_back(row);
        return true;
    });
    ASSERT_EQ(night.size(), 26u);
    EXPECT_EQ(night[0].cells, zi);
    EXPECT_FALSE(night[0].slot.lateRat);
    EXPECT_EQ(night[12].slot.lateRat, true);
    EXPECT_EQ(night[12].cells[0], "1949-10-01");
    EXPECT_EQ(night[12].cells[1], "丙子");  // counted from 乙, the next day's stem
    EXPECT_EQ(night[12].cells[2], "甲子");
    EXPECT_EQ(night[13].cells[0], "1949-10-02");
    EXPECT_EQ(night[13].cells[1], "丙子");  // 早子 of 乙丑: counted from 乙 too
    EXPECT_EQ(night[13].cells[2], "乙丑");
}

TEST(ReferenceTables, KeepsTheDatabaseMatchingRules) {
    TableRows rows;
    rows.naGan = {{"甲", "甲子", {"", "first", "", "", "", "", ""}},
                  {"甲", "子", {"", "second", "", "", "", "", ""}},
                  {"甲 ", "丙丑", {"", "blank", "", "", "", "", ""}},
                  {"乙", "子时", {"", "suffix", "", "", "", "", ""}}};
    rows.naZhi = {{"子", {"a", "", "", "", "", ""}}, {"子", {"b", "", "", "", "", ""}}};
    rows.transport = {{"胆经", "first", "", "", "", "", ""}, {"胆经", "second", "", "", "", "", ""}};
    rows.meridianOfPointOrder = {{"公孙", "脾"}, {"公孙", "胃"}};
    rows.meridianPoints = {{"隐白", "脾"}, {"大都", "脾"}, {"公孙", "脾"}};
    const ReferenceTables p = rows.Build();
    EXPECT_EQ(p.NaGan(Stem::Jia, Branch::Zi)->meridian, "first");  // the first row in table order wins
    EXPECT_FALSE(p.NaGan(Stem::Yi, Branch::Zi));                   // only the last character counts
    EXPECT_FALSE(p.NaGan(Stem::Jia, Branch::Chou));                // "甲 " is not 甲: no trimming
    EXPECT_FALSE(p.NaGan(Stem::None, Branch::Zi));
    EXPECT_EQ(p.NaZhi(Branch::Zi)->ownPoint, "a");
    EXPECT_FALSE(p.NaZhi(Branch::None));
    EXPECT_FALSE(p.Supplementary(Stem::Jia, Branch::Zi));
    EXPECT_EQ(p.Transport("胆经")->well, "first");
    EXPECT_FALSE(p.Transport("胆"));
    EXPECT_EQ(p.MeridianOfPoint("公孙"), "脾");
    EXPECT_EQ(p.MeridianOfPoint("商阳"), std::nullopt);
    EXPECT_EQ(p.PointsOf("脾"), (std::vector<std::string>{"隐白", "大都", "公孙"}));
    EXPECT_TRUE(p.PointsOf("").empty());

    EXPECT_EQ(LastCharacter("甲子"), "子");
    EXPECT_EQ(LastCharacter("ab"), "b");
    EXPECT_EQ(LastCharacter(""), "");
}

}  // namespace
}  // namespace velunar
