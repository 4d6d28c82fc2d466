// The tz database as the abroad page reads it: the 2026 transitions recorded from the published rules, and
// the settings columns added to a database of an older release.
#include "store/tzdb.h"

#include <gtest/gtest.h>

#include <QFile>

#include "fixture.h"
#include "store/database.h"
#include "store/settings.h"

namespace velunar::store {
namespace {

TEST(TzDatabase, OffsetAndSummerTimeEitherSideOfEach2026Transition) {
    const struct {
        const char* zone;
        DateTime civil;
        int offset;
        int summer;
    } cases[] = {
        // Central Europe: 29 March 02:00 → 03:00, 25 October 03:00 → 02:00.
        {"Europe/Paris", MakeDateTime(2026, 3, 29, 1, 30), 60, 0},
        {"Europe/Paris", MakeDateTime(2026, 3, 29, 3, 30), 120, 60},
        {"Europe/Paris", MakeDateTime(2026, 10, 25, 1, 30), 120, 60},
        {"Europe/Paris", MakeDateTime(2026, 10, 25, 3, 30), 60, 0},
        // US Pacific: 8 March 02:00 → 03:00, 1 November 02:00 → 01:00.
        {"America/Los_Angeles", MakeDateTime(2026, 3, 8, 1, 30), -480, 0},
        {"America/Los_Angeles", MakeDateTime(2026, 3, 8, 3, 30), -420, 60},
        {"America/Los_Angeles", MakeDateTime(2026, 10, 31, 23, 30), -420, 60},
        {"America/Los_Angeles", MakeDateTime(2026, 11, 1, 2, 30), -480, 0},
        // New South Wales, summer in January: 5 April 03:00 → 02:00, 4 October 02:00 → 03:00.
        {"Australia/Sydney", MakeDateTime(2026, 4, 5, 1, 30), 660, 60},
        {"Australia/Sydney", MakeDateTime(2026, 4, 5, 3, 30), 600, 0},
        {"Australia/Sydney", MakeDateTime(2026, 10, 4, 1, 30), 600, 0},
        {"Australia/Sydney", MakeDateTime(2026, 10, 4, 3, 30), 660, 60},
        // Chile: 5 April 00:00 → 4 April 23:00, 6 September 00:00 → 01:00.
        {"America/Santiago", MakeDateTime(2026, 4, 4, 22, 30), -180, 60},
        {"America/Santiago", MakeDateTime(2026, 4, 5, 0, 30), -240, 0},
        {"America/Santiago", MakeDateTime(2026, 9, 5, 23, 30), -240, 0},
        {"America/Santiago", MakeDateTime(2026, 9, 6, 1, 30), -180, 60},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.zone) + " " + FormatDisplay(c.civil));
        const auto facts = ZoneFactsAt(c.zone, c.civil);
        ASSERT_TRUE(facts);
        EXPECT_EQ(facts->offsetMinutes, c.offset);
        EXPECT_EQ(facts->summerMinutes, c.summer);
    }
    EXPECT_FALSE(ZoneFactsAt("Europe/Pariss", MakeDateTime(2026, 7, 1)));
    EXPECT_TRUE(IsKnownZone(kMachineZone));
    EXPECT_EQ(ZoneChoices().front(), kMachineZone);
}

TEST(TzDatabase, ARangesTimelineAgreesWithTheZoneAtEveryReadingAroundEachChange) {
    // Every minute of the hours around the 2026 changes (the skipped and the repeated readings included),
    // and every six hours of the year.
    for (const char* zone : {"Europe/Paris", "America/Los_Angeles", "Australia/Sydney", "America/Santiago"}) {
        SCOPED_TRACE(zone);
        const auto timeline = ZoneTimelineOf(zone, MakeDateTime(2026, 1, 1), MakeDateTime(2026, 12, 31));
        ASSERT_TRUE(timeline);
        std::vector<DateTime> readings;
        for (DateTime t = MakeDateTime(2026, 1, 1); t < MakeDateTime(2027, 1, 1); t += 0.25)
            readings.push_back(t);
        for (const ZonePeriod& p : timeline->Periods())
            for (int minute = -180; minute <= 180; ++minute)
                readings.push_back(p.localStart + minute / 1440.0);
        for (const DateTime t : readings) {
            const auto facts = ZoneFactsAt(zone, t);
            ASSERT_TRUE(facts) << FormatDisplay(t);
            const ZonePeriod& p = timeline->At(t);
            ASSERT_EQ(p.standardMinutes + p.summerMinutes, facts->offsetMinutes) << FormatDisplay(t);
            ASSERT_EQ(p.summerMinutes, facts->summerMinutes) << FormatDisplay(t);
        }
    }
    EXPECT_FALSE(ZoneTimelineOf("Europe/Pariss", MakeDateTime(2026, 1, 1), MakeDateTime(2026, 2, 1)));
}

TEST(TzDatabase, ApplyingAZoneFillsTheAbroadInputsForTheReading) {
    TickInput in;
    in.page = TimePage::Abroad;
    ASSERT_TRUE(ApplyZone(in, "America/Los_Angeles", MakeDateTime(2026, 7, 1, 12)));
    EXPECT_EQ(in.zoneMinutes, -480);
    EXPECT_EQ(in.summerText, "60");
    EXPECT_EQ(ClockHint(in, MakeDateTime(2026, 7, 1, 12), true), "");
    TickInput fixed;
    fixed.page = TimePage::Abroad;
    fixed.zoneText = "(GMT-08:00) 太平洋时间(美国和加拿大)；蒂华纳";
    EXPECT_EQ(ClockHint(fixed, MakeDateTime(2026, 7, 1, 12), false),
              "当地此时实行夏令时 60 分钟，您输入的是 0");
    EXPECT_FALSE(ApplyZone(fixed, "Nowhere/Atlantis", MakeDateTime(2026, 7, 1, 12)));
    EXPECT_FALSE(fixed.zoneMinutes);
}

// Paris shows 02:30 twice on 2026-10-25: a reading alone is the later pass, the instant tells them apart.
TEST(TzDatabase, TheInstantOfALiveReadingTellsTheTwoPassesOfARepeatedHourApart) {
    constexpr std::int64_t kFirstPass = 1'792'888'200'000;  // 2026-10-25 00:30 UTC, 02:30 summer time
    TickInput first, second, reading;
    ASSERT_TRUE(ApplyZoneAtInstant(first, "Europe/Paris", kFirstPass));
    ASSERT_TRUE(ApplyZoneAtInstant(second, "Europe/Paris", kFirstPass + 3'600'000));
    ASSERT_TRUE(ApplyZone(reading, "Europe/Paris", MakeDateTime(2026, 10, 25, 2, 30)));
    EXPECT_EQ(first.summerText, "60");
    EXPECT_EQ(second.summerText, "0");
    EXPECT_EQ(reading.summerText, "0");
    EXPECT_EQ(first.zoneMinutes, 60);
    EXPECT_EQ(second.zoneMinutes, 60);
    EXPECT_FALSE(ApplyZoneAtInstant(first, "Nowhere/Atlantis", kFirstPass));
}

TEST(SettingsMigration, AnOlderDatabaseGainsTheNewColumnsAndKeepsItsValues) {
    test::FixtureDb fixture;
    test::RawExec(fixture.Path(), "update xxyy set zone = '(GMT+09:00) 汉城'");
    test::RawExec(fixture.Path(), "alter table xxyy drop column tzid");
    test::RawExec(fixture.Path(), "alter table xxyy drop column eot");
    test::RawExec(fixture.Path(), "alter table xxyy drop column renshen");
    test::RawExec(fixture.Path(), "alter table xxyy drop column renshensrc");
    // Read-only, it opens and reads the new columns as empty, which is the default.
    QFile::setPermissions(fixture.Path(), QFile::ReadOwner);
    {
        Database db;
        db.Open(fixture.Path());
        SettingsRecord record(db);
        record.Open();
        EXPECT_EQ(record.Value(settings_column::kZone), "(GMT+09:00) 汉城");
        EXPECT_EQ(record.Value(settings_column::kEot), "");
        // Empty 人神 columns show the taboo lines in the common reading.
        EXPECT_EQ(record.Value(settings_column::kRenShen), "");
        EXPECT_NE(ReadCheckState(record.Value(settings_column::kRenShen)), CheckState::Unchecked);
    }
    QFile::setPermissions(fixture.Path(), QFile::ReadOwner | QFile::WriteOwner);
    {
        Database db;
        db.Open(fixture.Path());
        SettingsRecord record(db);
        record.Open();
        record.SetValue(settings_column::kEot, "天文计算");
        record.SetValue(settings_column::kRenShen, CheckText(false));
        record.Post();
    }
    EXPECT_EQ(test::RawColumn(fixture.Path(), "select eot from xxyy"), std::vector<std::string>{"天文计算"});
    EXPECT_EQ(test::RawColumn(fixture.Path(), "select renshen from xxyy"), std::vector<std::string>{"False"});
    EXPECT_EQ(test::RawColumn(fixture.Path(), "select zone from xxyy"),
              std::vector<std::string>{"(GMT+09:00) 汉城"});
}

}  // namespace
}  // namespace velunar::store
