// The tz database as the abroad page reads it: the 2026 transitions recorded from the published rules, and
// the settings columns added to a database of an older release.
#include "store/tzdb.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QTimeZone>

#include <algorithm>

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

Instant InstantOf(int y, int mo, int d, int h = 0, int mi = 0) {
    return InstantAt(MakeDateTime(y, mo, d, h, mi), 0);
}

// By instant a timeline is the zone itself; by reading, every instant whose reading it is comes back from
// InstantsOf, the skipped and repeated hours of each change included.
TEST(TzDatabase, ATimelineAgreesWithTheZoneAtEveryInstantAndReading) {
    for (const char* id : {"Europe/Paris", "America/Los_Angeles", "Australia/Sydney", "America/Santiago",
                           "Pacific/Chatham", "Asia/Shanghai", "America/New_York"}) {
        SCOPED_TRACE(id);
        const QTimeZone zone(id);
        const auto timeline = ZoneTimelineOf(id, InstantOf(1986, 1, 1), InstantOf(1992, 1, 1));
        ASSERT_TRUE(timeline);
        std::vector<Instant> instants;
        for (Instant i = InstantOf(1986, 1, 1); i < InstantOf(1992, 1, 1); i = i + 6 * 3'600'000)
            instants.push_back(i);
        for (const ZonePeriod& p : timeline->Periods())
            for (int minute = -150; minute <= 150; ++minute) instants.push_back(p.start + minute * 60'000LL);
        for (const Instant i : instants) {
            const QDateTime utc = QDateTime::fromMSecsSinceEpoch(i.ms, QTimeZone::utc());
            const ZoneOffset o = timeline->At(i);
            ASSERT_EQ(o.Total(), zone.offsetFromUtc(utc)) << i.ms;
            ASSERT_EQ(o.summerSeconds, zone.daylightTimeOffset(utc)) << i.ms;
            const DateTime reading = ReadingAt(i, o.Total());
            const std::vector<Instant> passes = timeline->InstantsOf(reading);
            ASSERT_NE(std::find(passes.begin(), passes.end(), i), passes.end()) << FormatIso(reading);
            ASSERT_EQ(timeline->PassAt(i) == Pass::Once, passes.size() == 1) << FormatIso(reading);
        }
    }
    EXPECT_FALSE(ZoneTimelineOf("Europe/Pariss", InstantOf(2026, 1, 1), InstantOf(2026, 2, 1)));
}

TEST(TzDatabase, APlaceGetsTheClocksOfItsDaysAndTheDatabasesLinksAreZonesToo) {
    TickInput in;
    in.page = TimePage::Abroad;
    in.ianaZone = "America/Los_Angeles";
    ASSERT_TRUE(CoverReading(in, MakeDateTime(2026, 7, 1, 12)));
    ASSERT_TRUE(in.zoneTimeline);
    EXPECT_EQ(in.zoneTimeline->At(InstantOf(2026, 7, 1, 19)), (ZoneOffset{-8 * 3600, 3600}));
    EXPECT_EQ(SaidHint(ClockHint(in, MakeDateTime(2026, 7, 1, 12), true)), "");
    TickInput fixed;
    fixed.page = TimePage::Abroad;
    fixed.zoneText = "(GMT-08:00) 太平洋时间(美国和加拿大)；蒂华纳";
    EXPECT_EQ(SaidHint(ClockHint(fixed, MakeDateTime(2026, 7, 1, 12), false)),
              "当地此时实行夏令时 60 分钟，您输入的是 0");
    fixed.ianaZone = "Nowhere/Atlantis";
    EXPECT_FALSE(CoverReading(fixed, MakeDateTime(2026, 7, 1, 12)));
    EXPECT_FALSE(fixed.zoneTimeline);
    EXPECT_EQ(fixed.ianaZone, "");
    // Qt leaves the links out of its list of ids; they are the zones they link to all the same.
    for (const char* link : {"Etc/UTC", "GMT", "US/Eastern", "Asia/Calcutta"})
        EXPECT_TRUE(IsKnownZone(link)) << link;
    EXPECT_EQ(ZoneFactsAt("US/Eastern", MakeDateTime(2026, 7, 1, 12))->offsetMinutes, -240);
    EXPECT_FALSE(IsKnownZone(""));
}

// Paris shows 02:30 twice on 2026-10-25 and never on 2026-03-29: a reading alone is the later pass, an offset
// names the earlier, and a skipped reading is counted on as the clock would have moved.
TEST(TzDatabase, ReadingsTheClocksShowTwiceOrSkip) {
    const auto paris = ZoneTimelineOf("Europe/Paris", InstantOf(2026, 1, 1), InstantOf(2027, 1, 1));
    ASSERT_TRUE(paris);
    const DateTime repeated = MakeDateTime(2026, 10, 25, 2, 30);
    const ResolvedReading later = paris->Resolve(repeated);
    EXPECT_EQ(later.fit, ReadingFit::Later);
    EXPECT_EQ(later.instant, InstantOf(2026, 10, 25, 1, 30));
    EXPECT_EQ(later.other->Total(), 7200);
    const ResolvedReading earlier = paris->Resolve(repeated, 7200);
    EXPECT_EQ(earlier.fit, ReadingFit::Earlier);
    EXPECT_EQ(earlier.instant, InstantOf(2026, 10, 25, 0, 30));
    EXPECT_EQ(paris->PassAt(earlier.instant), Pass::First);
    EXPECT_EQ(paris->PassAt(later.instant), Pass::Second);
    EXPECT_EQ(paris->Resolve(repeated, 5 * 3600).fit, ReadingFit::Offset);
    const ResolvedReading gap = paris->Resolve(MakeDateTime(2026, 3, 29, 2, 30));
    EXPECT_EQ(gap.fit, ReadingFit::Skipped);
    EXPECT_EQ(gap.instant, InstantOf(2026, 3, 29, 1, 30));  // 03:30 summer time
    EXPECT_EQ(FormatIsoInstant(gap.instant, gap.offset.Total()), "2026-03-29T03:30:00+02:00");
    EXPECT_EQ(paris->Resolve(MakeDateTime(2026, 7, 1, 12)).fit, ReadingFit::Once);
}

// China kept summer time from 1986 to 1991: a reading of then is named, and taken on the clocks of then only
// when asked.
TEST(TzDatabase, ChinasSummerTimeIsNamedAndAppliedOnlyWhenAsked) {
    EXPECT_EQ(ChinaSummerMinutesAt(MakeDateTime(1988, 7, 15, 12)), 60);
    EXPECT_EQ(ChinaSummerMinutesAt(MakeDateTime(1988, 12, 15, 12)), 0);
    EXPECT_EQ(ChinaSummerMinutesAt(MakeDateTime(1992, 7, 15, 12)), 0);
    TickInput china;
    EXPECT_EQ(SaidHint(ClockHint(china, MakeDateTime(1988, 7, 15, 12), false)),
              "1988-07-15 中国实行夏令时，钟表比北京时间快 60 分钟");
    ASSERT_TRUE(CoverReading(china, MakeDateTime(1988, 7, 15, 12)));
    EXPECT_FALSE(china.chinaClock);
    china.chinaSummerTime = true;
    ASSERT_TRUE(CoverReading(china, MakeDateTime(1988, 7, 15, 12)));
    ASSERT_TRUE(china.chinaClock);
    EXPECT_EQ(china.chinaClock->At(InstantOf(1988, 7, 15, 4)).Total(), 9 * 3600);
    EXPECT_EQ(SaidHint(ClockHint(china, MakeDateTime(1988, 7, 15, 12), false)),
              "1988-07-15 中国实行夏令时，钟表比北京时间快 60 分钟，已按夏令时计算");
}

TEST(SettingsMigration, AnOlderDatabaseGainsTheNewColumnsAndKeepsItsValues) {
    test::FixtureDb fixture;
    test::RawExec(fixture.Path(), "update xxyy set zone = '(GMT+09:00) 汉城'");
    test::RawExec(fixture.Path(), "alter table xxyy drop column tzid");
    test::RawExec(fixture.Path(), "alter table xxyy drop column eot");
    test::RawExec(fixture.Path(), "alter table xxyy drop column chinadst");
    test::RawExec(fixture.Path(), "alter table xxyy drop column sixthstem");
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
        EXPECT_EQ(record.Value(settings_column::kSixthStem), "");
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
        record.SetValue(settings_column::kSixthStem, "己");
        record.SetValue(settings_column::kRenShen, CheckText(false));
        record.Post();
    }
    EXPECT_EQ(test::RawColumn(fixture.Path(), "select eot from xxyy"), std::vector<std::string>{"天文计算"});
    EXPECT_EQ(test::RawColumn(fixture.Path(), "select sixthstem from xxyy"), std::vector<std::string>{"己"});
    EXPECT_EQ(test::RawColumn(fixture.Path(), "select renshen from xxyy"), std::vector<std::string>{"False"});
    EXPECT_EQ(test::RawColumn(fixture.Path(), "select zone from xxyy"),
              std::vector<std::string>{"(GMT+09:00) 汉城"});
}

}  // namespace
}  // namespace velunar::store
