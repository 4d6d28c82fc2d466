// The place's clock abroad from the tz database, the hints about a clock that disagrees with it, and the
// equation of time as a choice, as `now` prints them.
#include <gtest/gtest.h>

#include "doctrine_cli_util.h"

namespace velunar {
namespace {

using testing::DatabaseCopy;
using testing::ParseJson;
using testing::RunCommand;
using testing::Str;

constexpr const char* kParisLabel = "(GMT+01:00) 布鲁塞尔，哥本哈根，马德里，巴黎";

TEST(NowZone, ATzZoneGivesItsOwnSummerTimeForTheMomentItself) {
    DatabaseCopy copy("tz");
    const struct {
        const char* zone;
        const char* at;
        const char* summer;
        const char* beijing;
    } cases[] = {
        {"America/Los_Angeles", "2026-07-01 12:00:00", "60", "2026-07-02 03:00:00"},
        {"America/Los_Angeles", "2026-01-15 12:00:00", "0", "2026-01-16 04:00:00"},
        {"Europe/Paris", "2026-07-01 12:00:00", "60", "2026-07-01 18:00:00"},
        {"Australia/Sydney", "2026-01-15 12:00:00", "60", "2026-01-15 09:00:00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.zone) + " " + c.at);
        const auto run = RunCommand({"now", "--tz", c.zone, "--at", c.at, "--json", "--db", copy.path()});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, "");
        const auto json = ParseJson(run.out);
        EXPECT_EQ(Str(json, "page"), "abroad");
        EXPECT_EQ(Str(json, "tz"), c.zone);
        EXPECT_EQ(Str(json, "summer"), c.summer);
        EXPECT_EQ(Str(json, "beijingTime"), c.beijing);
    }
    const auto typo = RunCommand({"now", "--tz", "Europe/Pariss", "--db", copy.path()});
    EXPECT_EQ(typo.status, 2);
    EXPECT_NE(typo.err.find("Europe/Paris"), std::string::npos) << typo.err;
    const auto both = RunCommand({"now", "--tz", "Europe/Paris", "--summer", "0", "--db", copy.path()});
    EXPECT_EQ(both.status, 2);
}

TEST(NowZone, AFixedZoneThatDisagreesWithTheTzDatabaseIsWarnedNotChanged) {
    DatabaseCopy copy("hint");
    const auto forgot = RunCommand({"now", "--abroad", "--zone", kParisLabel, "--summer", "0", "--at",
                                    "2026-07-01 12:00:00", "--json", "--db", copy.path()});
    ASSERT_EQ(forgot.status, 0);
    EXPECT_NE(forgot.err.find("warning: 当地此时实行夏令时 60 分钟，您输入的是 0"), std::string::npos)
        << forgot.err;
    // The entry stands: Beijing time is worked out with no summer time.
    EXPECT_EQ(Str(ParseJson(forgot.out), "beijingTime"), "2026-07-01 19:00:00");
    const auto right = RunCommand({"now", "--abroad", "--zone", kParisLabel, "--summer", "60", "--at",
                                   "2026-07-01 12:00:00", "--db", copy.path()});
    EXPECT_EQ(right.err, "");
    const auto stale = RunCommand({"now", "--abroad", "--zone", "(GMT+06:00) 斯里哈亚华登尼普拉", "--at",
                                   "2026-01-15 12:00:00", "--db", copy.path()});
    EXPECT_NE(stale.err.find("Asia/Colombo 此时的标准时间是 GMT+05:30"), std::string::npos) << stale.err;
}

TEST(NowEot, TheChoiceComesFromTheFlagOrTheSettingsAndTheTableStaysTheDefault) {
    DatabaseCopy copy("eot");
    auto solar = [&](std::vector<std::string> extra) {
        std::vector<std::string> args = {"now",    "--china", "--at",     "2026-09-01 12:00:00",
                                         "--json", "--db",    copy.path()};
        args.insert(args.end(), extra.begin(), extra.end());
        const auto run = RunCommand(args);
        EXPECT_EQ(run.status, 0) << run.err;
        return Str(ParseJson(run.out), "trueSolarTime");
    };
    const std::string table = solar({});
    EXPECT_EQ(solar({"--eot", "table"}), table);
    const std::string astro = solar({"--eot", "astro"});
    EXPECT_NE(astro, table);
    ASSERT_TRUE(copy.Exec("update xxyy set eot = '天文计算'"));
    EXPECT_EQ(solar({}), astro);
    EXPECT_EQ(solar({"--eot", "table"}), table);
    EXPECT_EQ(RunCommand({"now", "--eot", "ephemeris", "--db", copy.path()}).status, 2);
}

TEST(NowZone, AStoredUnknownTzZoneFallsBackToTheFixedZoneAndSaysSo) {
    DatabaseCopy copy("stored-tz");
    ASSERT_TRUE(copy.Exec("update xxyy set tzid = 'Mars/Olympus', ischina = 'nochina'"));
    const auto run = RunCommand({"now", "--at", "2026-07-01 12:00:00", "--json", "--db", copy.path()});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("Mars/Olympus"), std::string::npos) << run.err;
    EXPECT_FALSE(ParseJson(run.out).contains("tz"));
    ASSERT_TRUE(copy.Exec("update xxyy set tzid = 'Europe/Paris'"));
    const auto paris = RunCommand({"now", "--at", "2026-07-01 12:00:00", "--json", "--db", copy.path()});
    EXPECT_EQ(Str(ParseJson(paris.out), "summer"), "60");
}

}  // namespace
}  // namespace velunar
