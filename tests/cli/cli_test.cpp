#include <gtest/gtest.h>

#include <sstream>

#include "calendar/solar.h"
#include "cli/clock.h"
#include "cli/commands.h"
#include "doctrine_cli_util.h"
#include "json_check.h"

namespace velunar::cli {
namespace {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

Outcome Cli(const CommandArgs& args) {
    std::ostringstream out, err;
    CommandIo io{out, err};
    Outcome o;
    o.status = RunCli(args, io);
    o.out = out.str();
    o.err = err.str();
    return o;
}

std::map<std::string, std::string> JsonOf(const Outcome& o) {
    const auto members = test::JsonCheck::Members(o.out);
    EXPECT_TRUE(members.has_value()) << o.out;
    return members.value_or(std::map<std::string, std::string>{});
}

int LineCount(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

TEST(CliNow, DoneCriterionWorkedExampleAsJson) {
    const Outcome o =
        Cli({"now", "--at", "2026-02-10 12:00:00", "--longitude", "116.46", "--mode", "0", "--json"});
    ASSERT_EQ(o.status, kExitOk) << o.err;
    const auto j = JsonOf(o);
    EXPECT_EQ(j.at("referenceTime"), "2026-02-10 12:00:00");
    EXPECT_EQ(j.at("effectiveTime"), "2026-02-10 11:31:36");
    EXPECT_EQ(j.at("trueSolarTime"), "2026-02-10 11:31:36");
    EXPECT_EQ(j.at("dayGanZhi"), "乙卯");
    EXPECT_EQ(j.at("hourBranch"), "午");
    EXPECT_EQ(j.at("hourGanZhi"), "壬午");
    EXPECT_EQ(j.at("timeMode"), "不区分夜子时早子时");
    EXPECT_EQ(j.at("skipped"), "false");
    EXPECT_EQ(j.count("beijingTime"), 0u);  // the China page has no Beijing-time label
}

TEST(CliNow, AbroadWorkedExampleInPlainLines) {
    const Outcome o =
        Cli({"now", "--abroad", "--at", "2026-07-01 12:00:00", "--summer", "60", "--zone",
             "(GMT+01:00) 布鲁塞尔，哥本哈根，马德里，巴黎", "--ew", "东经", "--lon", "2.33", "--mode=0"});
    ASSERT_EQ(o.status, kExitOk) << o.err;
    EXPECT_NE(o.out.find("\nbeijingTime: 2026-07-01 18:00:00\n"), std::string::npos) << o.out;
    EXPECT_NE(o.out.find("\neffectiveTime: 2026-07-01 10:04:58\n"), std::string::npos) << o.out;
    EXPECT_NE(o.out.find("\nhourBranch: 巳\n"), std::string::npos) << o.out;
}

TEST(CliNow, LateRatHourUnderEachMode) {
    // 1949-10-01, a 甲子 day, at 23:30 Beijing time used uncorrected.
    const char* expected[][2] = {{"乙丑", "丙子"}, {"甲子", "丙子"}, {"甲子", "乙亥"}};
    for (int mode = 0; mode < 3; ++mode) {
        const Outcome o = Cli(
            {"now", "--at", "1949-10-01 23:30:00", "--beijing", "--mode", std::to_string(mode), "--json"});
        ASSERT_EQ(o.status, kExitOk) << o.err;
        const auto j = JsonOf(o);
        EXPECT_EQ(j.at("dayGanZhi"), expected[mode][0]) << mode;
        EXPECT_EQ(j.at("hourGanZhi"), expected[mode][1]) << mode;
    }
}

TEST(CliNow, AnUnreadableLongitudeIsReportedNotComputed) {
    // Typed as a flag it is a usage error; stored in the settings it is reported and nothing is computed.
    EXPECT_EQ(Cli({"now", "--at", "2026-02-10 12:00:00", "--longitude", "abc", "--json"}).status, kExitUsage);
    velunar::testing::DatabaseCopy copy("unreadable");
    ASSERT_TRUE(copy.Exec("update xxyy set xy='abc', onlyBeiJingTime='False', ischina='yeschina'"));
    const Outcome o = Cli({"now", "--at", "2026-02-10 12:00:00", "--db", copy.path(), "--json"});
    EXPECT_EQ(o.status, kExitFailure);
    EXPECT_EQ(LineCount(o.err), 1) << o.err;
    const auto j = JsonOf(o);
    EXPECT_EQ(j.at("skipped"), "true");
    EXPECT_EQ(j.at("effectiveTime"), "null");
    EXPECT_EQ(j.at("hourBranch"), "");  // one tick after start-up: no double-hour yet
    // With only Beijing time the box falls back to 120 and the moment is computed.
    const auto b = JsonOf(Cli({"now", "--at", "2026-02-10 12:00:00", "--db", copy.path(), "--beijing", "--json"}));
    EXPECT_EQ(b.at("longitude"), "120");
    EXPECT_EQ(b.at("effectiveTime"), "2026-02-10 12:00:00");
    EXPECT_EQ(b.at("hourBranch"), "午");
}

TEST(CliNow, WithoutAtTheClockIsRead) {
    const DateTime before = LocalClockNow();
    const Outcome o = Cli({"now", "--json", "--longitude", "120"});
    const DateTime after = LocalClockNow();
    ASSERT_EQ(o.status, kExitOk) << o.err;
    const auto at = ParseIso(JsonOf(o).at("referenceTime"));
    ASSERT_TRUE(at.has_value());
    EXPECT_GE(*at, before - 1.0 / 86400);
    EXPECT_LE(*at, after + 1.0 / 86400);
}

TEST(CliArguments, InvalidFlagsAndDatesFailWithOneLineAndStatus2) {
    const std::vector<CommandArgs> bad = {
        {"now", "--at", "2026-02-30 12:00:00"},
        {"now", "--at", "tomorrow"},
        {"now", "--at"},
        {"now", "--mode", "3"},
        {"now", "--mode", "01"},
        {"now", "--ew", "north"},
        {"now", "--frobnicate"},
        {"now", "--json=yes"},
        {"now", "positional"},
        {"eot", "--json"},
        {"zones", "x"},
        {"nonsense"},
        {},
    };
    for (const CommandArgs& args : bad) {
        const Outcome o = Cli(args);
        std::string joined;
        for (const auto& a : args) joined += a + " ";
        EXPECT_EQ(o.status, kExitUsage) << joined;
        EXPECT_EQ(o.out, "") << joined;
        if (!args.empty()) {
            EXPECT_EQ(LineCount(o.err), 1) << joined << o.err;
            EXPECT_EQ(o.err.rfind("velunar-cli", 0), 0u) << o.err;
        }
    }
}

TEST(CliArguments, HelpGoesToStandardOutput) {
    for (const CommandArgs& args :
         {CommandArgs{"--help"}, CommandArgs{"now", "--help"}, CommandArgs{"eot", "-h"}}) {
        const Outcome o = Cli(args);
        EXPECT_EQ(o.status, kExitOk);
        EXPECT_NE(o.out.find("usage: velunar-cli"), std::string::npos);
        EXPECT_EQ(o.err, "");
    }
}

TEST(CliEot, PrintsEveryDayAsKeyTabValue) {
    const Outcome o = Cli({"eot"});
    ASSERT_EQ(o.status, kExitOk);
    std::istringstream lines(o.out);
    std::string line, first, last;
    int n = 0;
    while (std::getline(lines, line)) {
        ASSERT_EQ(std::count(line.begin(), line.end(), '\t'), 1) << line;
        if (n++ == 0) first = line;
        last = line;
    }
    EXPECT_EQ(n, 366);
    EXPECT_EQ(first, "1月1日\t－3分9秒");
    EXPECT_EQ(last, "12月31日\t－3分3秒");
    EXPECT_NE(o.out.find("\n2月29日\t－12分8秒\n"), std::string::npos);
}

TEST(CliZones, ListsEveryZoneWithItsOffset) {
    const Outcome o = Cli({"zones"});
    ASSERT_EQ(o.status, kExitOk);
    EXPECT_EQ(LineCount(o.out), static_cast<int>(ZoneTexts().size()));
    EXPECT_NE(o.out.find("19\t-210\t(GMT-03:30) 纽芬兰\n"), std::string::npos);
}

}  // namespace
}  // namespace velunar::cli
