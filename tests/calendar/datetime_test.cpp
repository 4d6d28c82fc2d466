#include "calendar/datetime.h"

#include <gtest/gtest.h>

#include "calendar/ganzhi.h"
#include "calendar/numparse.h"

namespace velunar {
namespace {

TEST(DateTime, CivilRoundTripOverFourCenturies) {
    // An independent day count: walk day by day from 1800-01-01 and compare with the closed form.
    int y = 1800, m = 1, d = 1;
    const std::int64_t start = DaysFromCivil(1800, 1, 1);
    for (std::int64_t n = start; n < DaysFromCivil(2200, 12, 31); ++n) {
        const CivilDate c = CivilFromDays(n);
        ASSERT_EQ(c.year, y);
        ASSERT_EQ(c.month, m);
        ASSERT_EQ(c.day, d);
        const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
        const int len[] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        if (++d > len[m - 1]) {
            d = 1;
            if (++m > 12) m = 1, ++y;
        }
    }
    EXPECT_EQ(DaysFromCivil(1899, 12, 30), 0);
    EXPECT_EQ(DaysFromCivil(2000, 1, 1), 36526);
    EXPECT_EQ(DaysFromCivil(1901, 1, 6), 372);
}

TEST(DateTime, RoundsToTheMillisecondBeforeSplitting) {
    // 23:59:59.9996 belongs to the next day's 00:00:00.000, never to "hour 24" of the same day.
    const DateTime t = MakeDateTime(2026, 12, 31) + (86'399.9996 / 86'400.0);
    EXPECT_EQ(FormatIso(t), "2027-01-01 00:00:00");
    EXPECT_EQ(HourOf(t), 0);
    EXPECT_EQ(WholeDay(t), DaysFromCivil(2027, 1, 1));
    // Before the epoch the day is the floor, and the time of day still counts forward.
    EXPECT_EQ(FormatIso(-0.75), "1899-12-29 06:00:00");
    EXPECT_EQ(FormatIso(MakeDateTime(1850, 3, 1, 13, 5, 7)), "1850-03-01 13:05:07");
}

TEST(DateTime, FormatsAndParses) {
    const DateTime t = MakeDateTime(2026, 2, 10, 9, 5, 3);
    EXPECT_EQ(FormatDisplay(t), "2026年02月10日  09:05:03 ");
    EXPECT_EQ(FormatIsoDate(t), "2026-02-10");
    EXPECT_EQ(ParseIso("2026-02-10 09:05:03"), t);
    EXPECT_EQ(ParseIso("2026-02-10"), MakeDateTime(2026, 2, 10));
    EXPECT_TRUE(ParseIso("2024-02-29 23:30").has_value());
    for (const char* bad : {"", "2026-2-10", "2023-02-29", "2026-02-10 24:00:00", "2026-02-10T09:05:03",
                            "2026-02-10 09:05:03 ", "2026-13-01"})
        EXPECT_FALSE(ParseIso(bad).has_value()) << bad;
}

TEST(DecimalParser, AcceptsPlainDecimalsOnly) {
    EXPECT_EQ(ParseDecimal("116.28"), 116.28);
    EXPECT_EQ(ParseDecimal("-60"), -60.0);
    EXPECT_EQ(ParseDecimal("+0.5"), 0.5);
    EXPECT_EQ(ParseDecimal(" 97.46"), 97.46);
    EXPECT_EQ(ParseDecimal(".5"), 0.5);
    for (const char* bad :
         {"", " ", "abc", "1,5", "12abc", "nan", "inf", "-inf", "0x10", "+-1", "1e999", "--1"})
        EXPECT_FALSE(ParseDecimal(bad).has_value()) << bad;
    EXPECT_TRUE(ParseLongitude("0").has_value());
    EXPECT_TRUE(ParseLongitude("180").has_value());
    EXPECT_FALSE(ParseLongitude("180.5").has_value());
    EXPECT_FALSE(ParseLongitude("-1").has_value());
}

}  // namespace
}  // namespace velunar
