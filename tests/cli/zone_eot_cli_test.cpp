// The place's clock abroad from the tz database, the hints about a clock that disagrees with it, and the
// equation of time as a choice, as `now` prints them.
#include <gtest/gtest.h>

#include <QJsonArray>

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

// A typed reading on a clock that changes: the later time of a repeated reading unless its offset names the
// earlier, a skipped one counted on; each said on standard error and in the JSON warnings.
TEST(NowZone, AReadingTheClocksShowTwiceOrSkipIsSaidAndItsOffsetNamesTheTime) {
    const struct {
        const char* at;
        const char* instant;
        const char* summer;
        const char* warning;  // "" for none
    } cases[] = {
        {"2026-10-25 02:30:00", "2026-10-25T02:30:00+01:00", "0", "occurs twice"},
        {"2026-10-25T02:30:00+02:00", "2026-10-25T02:30:00+02:00", "60", ""},
        {"2026-10-25T00:30:00Z", "2026-10-25T02:30:00+02:00", "60", ""},
        {"2026-03-29 02:30:00", "2026-03-29T03:30:00+02:00", "60", "does not occur"},
        {"2026-07-01T12:00:00+05:00", "2026-07-01T09:00:00+02:00", "60", "is not that of"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.at);
        const auto run = RunCommand({"now", "--tz", "Europe/Paris", "--at", c.at, "--json"});
        ASSERT_EQ(run.status, 0) << run.err;
        const auto json = ParseJson(run.out);
        EXPECT_EQ(Str(json, "referenceInstant"), c.instant);
        EXPECT_EQ(Str(json, "summer"), c.summer);
        const QJsonArray warnings = json["warnings"].toArray();
        if (*c.warning) {
            ASSERT_EQ(warnings.size(), 1);
            EXPECT_NE(warnings[0].toString().toStdString().find(c.warning), std::string::npos);
            EXPECT_NE(run.err.find(c.warning), std::string::npos) << run.err;
        } else {
            EXPECT_TRUE(warnings.isEmpty());
            EXPECT_EQ(run.err, "");
        }
    }
}

// China's summer time is named by default and applied only when asked; the sixth stem is written as asked
// in every output while the tables keep 已.
TEST(NowChoices, ChinasSummerTimeAndTheSixthStemsSpelling) {
    const auto plain = RunCommand({"now", "--at", "1988-07-15 12:00:00", "--longitude", "120", "--json"});
    ASSERT_EQ(plain.status, 0) << plain.err;
    const auto asBeijing = ParseJson(plain.out);
    EXPECT_EQ(Str(asBeijing, "trueSolarTime"), "1988-07-15 11:53:49");
    EXPECT_EQ(asBeijing["warnings"].toArray()[0].toString().toStdString(),
              "1988-07-15 中国实行夏令时，钟表比北京时间快 60 分钟");
    const auto dst = RunCommand({"now", "--at", "1988-07-15 12:00:00", "--longitude", "120", "--json", "--dst-china"});
    const auto summer = ParseJson(dst.out);
    EXPECT_EQ(Str(summer, "trueSolarTime"), "1988-07-15 10:53:49");
    EXPECT_EQ(Str(summer, "referenceInstant"), "1988-07-15T12:00:00+09:00");
    EXPECT_TRUE(summer["dstChina"].toBool());

    // 2026-12-11 is an 已未 day.
    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"now", "--at", "2026-12-11 12:00:00", "--beijing"},
          std::vector<std::string>{"schedule", "2026-12-11", "2026-12-11", "--csv"},
          std::vector<std::string>{"reverse", "太白", "2026-12-11", "2026-12-11"}}) {
        SCOPED_TRACE(command[0]);
        const auto keys = RunCommand(command);
        std::vector<std::string> usual = command;
        usual.insert(usual.end(), {"--sixth-stem", "己"});
        const auto spelled = RunCommand(usual);
        ASSERT_EQ(spelled.status, 0) << spelled.err;
        EXPECT_NE(keys.out.find("已"), std::string::npos);
        EXPECT_EQ(spelled.out.find("已"), std::string::npos);
        std::string expected = keys.out;
        for (std::size_t at = 0; (at = expected.find("已", at)) != std::string::npos;) expected.replace(at, 3, "己");
        EXPECT_EQ(spelled.out, expected);
    }
    EXPECT_EQ(RunCommand({"now", "--sixth-stem", "乙"}).status, 2);
}

}  // namespace
}  // namespace velunar
