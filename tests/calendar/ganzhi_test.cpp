#include "calendar/ganzhi.h"

#include <gtest/gtest.h>

#include "calendar/datetime.h"

namespace velunar {
namespace {

std::string GanZhiOfDay(std::int64_t day) {
    const DateTime t = static_cast<double>(day);
    return StemName(DayStemNumber(t)) + BranchName(DayBranchNumber(t));
}

TEST(DayCycle, FollowsAnUnbrokenCountFrom1800To2200) {
    // Counted one day at a time from 1949-10-01, a 甲子 day, in both directions: the stem and the branch
    // each step on by one every day, before the 1899-12-30 epoch as well as after it.
    const std::int64_t anchor = DaysFromCivil(1949, 10, 1);
    const std::int64_t first = DaysFromCivil(1800, 1, 1), last = DaysFromCivil(2200, 12, 31);
    for (int direction : {1, -1}) {
        int stem = 1, branch = 1;
        for (std::int64_t d = anchor; d >= first && d <= last; d += direction) {
            ASSERT_EQ(DayStemNumber(static_cast<double>(d)), stem) << FormatIsoDate(static_cast<double>(d));
            ASSERT_EQ(DayBranchNumber(static_cast<double>(d)), branch)
                << FormatIsoDate(static_cast<double>(d));
            stem = (stem - 1 + direction + 10) % 10 + 1;
            branch = (branch - 1 + direction + 12) % 12 + 1;
        }
    }
}

TEST(DayCycle, EpochsAndKnownDays) {
    EXPECT_EQ(DayStemNumber(372), 1);  // 1901-01-06
    EXPECT_EQ(DayStemNumber(371), 10);
    EXPECT_EQ(DayBranchNumber(376), 1);  // 1901-01-10
    EXPECT_EQ(DayStemNumber(376), 5);
    EXPECT_EQ(DayBranchNumber(375), 12);
    EXPECT_EQ(GanZhiOfDay(DaysFromCivil(2000, 1, 1)), "戊午");
    EXPECT_EQ(GanZhiOfDay(DaysFromCivil(1901, 1, 10)), "戊子");
    EXPECT_EQ(GanZhiOfDay(DaysFromCivil(1900, 1, 1)), "甲戌");
    EXPECT_EQ(GanZhiOfDay(0), "壬申");
    EXPECT_EQ(GanZhiOfDay(-1), "辛未");
}

TEST(DayCycle, TimeOfDayNeverChangesTheDay) {
    for (const DateTime t : {MakeDateTime(2000, 1, 1), MakeDateTime(2000, 1, 1, 23, 59, 59, 999)}) {
        EXPECT_EQ(DayStemNumber(t), 5);
        EXPECT_EQ(DayBranchNumber(t), 7);
    }
    // Before the epoch the fraction still counts forward from the start of the day.
    EXPECT_EQ(GanZhiOfDay(-1), StemName(DayStemNumber(-0.25)) + BranchName(DayBranchNumber(-0.25)));
}

TEST(HourStem, DoubleHoursRunOneUnbrokenSixtyCycleAcrossDays) {
    // Counted from each day's own stem, the 子 hour of a day follows the 亥 hour of the day before.
    int expected = HourStemNumber(DayStemNumber(0), 1);
    for (std::int64_t d = 0; d < 120; ++d) {
        const int base = DayStemNumber(static_cast<double>(d));
        for (int branch = 1; branch <= 12; ++branch) {
            ASSERT_EQ(HourStemNumber(base, branch), expected) << d << " " << branch;
            expected = expected % 10 + 1;
        }
    }
}

TEST(HourStem, WorkedValues) {
    auto ganZhi = [](int base, int branch) {
        return StemName(HourStemNumber(base, branch)) + BranchName(branch);
    };
    EXPECT_EQ(ganZhi(1, 1), "甲子");
    EXPECT_EQ(ganZhi(1, 12), "乙亥");
    EXPECT_EQ(ganZhi(5, 1), "壬子");
    EXPECT_EQ(ganZhi(10, 12), "癸亥");
    EXPECT_EQ(HourStemOffset("已"), HourStemOffset("甲"));
    EXPECT_EQ(NextStem(10), 1);
}

TEST(HourStem, TextsThatAreNoStemOrBranchGiveNoNumber) {
    // The hour-branch box may hold a message or a longer text; nothing may read it as a branch.
    for (const char* text : {"午时", "请先输入正确东经数", "", "子丑", " 子"}) {
        EXPECT_EQ(BranchNumber(text), kNoBranch) << text;
        EXPECT_FALSE(IsBranchText(text)) << text;
    }
    EXPECT_EQ(HourStemOffset("己"), kNoOffset);  // the sixth stem is written 已, never 己
    EXPECT_EQ(HourStemOffset(""), kNoOffset);
    EXPECT_EQ(HourStemNumber(kNoStem, 1), kNoStem);
    EXPECT_EQ(HourStemNumber(1, kNoBranch), kNoStem);
    EXPECT_EQ(StemName(0), "");
    EXPECT_EQ(StemName(11), "");
    EXPECT_EQ(BranchName(13), "");
}

}  // namespace
}  // namespace velunar
