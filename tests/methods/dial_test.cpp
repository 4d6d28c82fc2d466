#include "methods/dial.h"

#include <gtest/gtest.h>

#include <cmath>

#include "methods/doctrine_tables.h"
#include "test_moment.h"

namespace velunar {
namespace {

// The ring is laid out by the time mode: 子 straddles midnight at the top, or starts there under
// 以0-2时为子时, and an angle always finds the double-hour whose true solar hours it covers.
TEST(Dial, SectorsFollowTheTimeModeAroundTheClock) {
    const ReferenceTables tables;
    for (int mode = 0; mode < kTimeModeCount; ++mode) {
        SCOPED_TRACE(mode);
        TickInput place;
        place.timeMode = TimeModeAt(mode);
        place.onlyBeijing = true;
        const DialModel d = BuildDialRings(place, DaysFromCivil(2026, 12, 9), tables);
        const double zi = mode == 2 ? 0.0 : 345.0;
        for (int i = 0; i < 12; ++i) {
            const DialSector& s = d.sectors[i];
            EXPECT_EQ(s.branch, BranchAt(i + 1));
            EXPECT_NEAR(s.startAngle, std::fmod(zi + 30.0 * i, 360.0), 1e-6);
            EXPECT_TRUE(s.span);
        }
        // Every hour of true solar time lands in its own double-hour.
        for (int hour = 0; hour < 24; ++hour) {
            const double angle = hour * 15.0 + 7.5;
            const int expected =
                Number(HourBranchIn(*place.timeMode, MakeDateTime(2026, 12, 9, hour, 30))) - 1;
            EXPECT_EQ(d.SectorAt(angle), expected) << hour;
        }
        EXPECT_EQ(d.sectors[0].meridian, "胆");
        EXPECT_EQ(d.sectors[10].meridian, "心包");
    }
}

TEST(Dial, EveryMeridianOfTheRingHasItsPhase) {
    const Phase expected[] = {Phase::Wood,  Phase::Wood,  Phase::Metal, Phase::Metal,
                              Phase::Earth, Phase::Earth, Phase::Fire,  Phase::Fire,
                              Phase::Water, Phase::Water, Phase::Fire,  Phase::Fire};
    for (int b = 1; b <= 12; ++b) EXPECT_EQ(PhaseOfMeridian(MeridianOfBranch(b)), expected[b - 1]) << b;
    EXPECT_EQ(PhaseOfMeridian("胆经"), Phase::None);
}

// 23:30 belongs to the next day's ring except when 子 is 00:00-01:59.
TEST(Dial, TheLateZiHourOpensTheNextDaysRing) {
    const DateTime late = MakeDateTime(2000, 2, 29, 23, 30);
    EXPECT_EQ(DialDayOf(testing::MomentAt(late, 0)), DaysFromCivil(2000, 3, 1));
    EXPECT_EQ(DialDayOf(testing::MomentAt(late, 1)), DaysFromCivil(2000, 3, 1));
    EXPECT_EQ(DialDayOf(testing::MomentAt(late, 2)), DaysFromCivil(2000, 2, 29));
    EXPECT_EQ(DialDayOf(testing::MomentAt(MakeDateTime(2000, 2, 29, 0, 30), 0)), DaysFromCivil(2000, 2, 29));
}

}  // namespace
}  // namespace velunar
