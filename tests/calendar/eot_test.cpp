#include "calendar/eot.h"

#include <gtest/gtest.h>

namespace velunar {
namespace {

TEST(EquationOfTimeKey, NamesTheCalendarDayWithoutLeadingZeros) {
    EXPECT_EQ(EquationOfTimeKey(MakeDateTime(2026, 3, 5, 23, 59, 59)), "3月5日");
    EXPECT_EQ(EquationOfTimeKey(MakeDateTime(2026, 10, 21)), "10月21日");
    for (int year : {1850, 1900, 2026, 2100}) {
        EXPECT_EQ(EquationOfTimeKey(MakeDateTime(year, 12, 31, 23, 59)), "12月31日") << year;
        EXPECT_EQ(EquationOfTimeKey(MakeDateTime(year, 1, 1)), "1月1日") << year;
    }
}

TEST(EquationOfTimeTable, HasTheRowOfEveryDayOfALeapYearInOrder) {
    // The key builder and the table must agree on every day, or some day's look-up comes back empty.
    const auto table = EquationOfTimeTable();
    ASSERT_EQ(table.size(), 366u);
    for (std::size_t i = 0; i < table.size(); ++i) {
        const DateTime day = MakeDateTime(2024, 1, 1) + static_cast<double>(i);
        EXPECT_EQ(table[i].key, EquationOfTimeKey(day));
        EXPECT_EQ(EquationOfTimeText(table[i].key), table[i].value);
        EXPECT_TRUE(EquationOfTimeSeconds(table[i].value).has_value()) << table[i].key;
    }
}

TEST(EquationOfTimeTable, KeysAreComparedWhole) {
    EXPECT_EQ(EquationOfTimeText("2月29日"), "－12分8秒");
    EXPECT_EQ(EquationOfTimeText("3月5日"), "－11分 1秒");
    for (const char* missing : {"2月30日", "03月05日", "3月05日", " 3月5日", "3月5", ""})
        EXPECT_EQ(EquationOfTimeText(missing), "") << missing;
}

TEST(EquationOfTimeSeconds, AcceptsTheAlmanacsIrregularForms) {
    EXPECT_EQ(EquationOfTimeSeconds("－11分 1秒"), 661);
    EXPECT_EQ(EquationOfTimeSeconds("+12分60秒"), 780);
    EXPECT_EQ(EquationOfTimeSeconds("+14分60秒"), 900);
    EXPECT_EQ(EquationOfTimeSeconds("+0分2秒"), 2);
    EXPECT_EQ(EquationOfTimeSignedSeconds("－14分15秒"), -855);
    EXPECT_EQ(EquationOfTimeSignedSeconds("+16分25秒"), 985);
}

TEST(EquationOfTimeSeconds, RefusesWhatDoesNotRead) {
    for (const char* bad : {"", "abc", "12分", "分3秒", "12分秒", "-3分9秒x", "1a分2秒", "99999999分0秒"})
        EXPECT_FALSE(EquationOfTimeSeconds(bad).has_value()) << bad;
    // No sign, no direction: the empty text of an unknown key leaves the time alone.
    EXPECT_EQ(EquationOfTimeSignedSeconds(""), 0);
}

TEST(ApplyEquationOfTime, UsesTheValueOfItsOwnDayWhateverTheYear) {
    EXPECT_EQ(FormatIso(ApplyEquationOfTime(MakeDateTime(2026, 2, 10, 11, 45, 51))), "2026-02-10 11:31:36");
    EXPECT_EQ(FormatIso(ApplyEquationOfTime(MakeDateTime(1901, 11, 2, 23, 50))), "1901-11-03 00:06:25");
}

}  // namespace
}  // namespace velunar
