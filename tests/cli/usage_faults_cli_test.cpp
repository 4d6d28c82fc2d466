// A script author's mistakes: every value the window would refuse, every name that names nothing, is a usage
// error that says which flag or argument, what it got and what it takes; the database is never touched.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include <sys/stat.h>

#include "doctrine_cli_util.h"

namespace velunar {
namespace {

using testing::DatabaseCopy;
using testing::RunCommand;

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(UsageFaults, EachIsExitTwoNamingWhatWasWrongAndChangesNothing) {
    DatabaseCopy copy("usage");
    const std::string db = copy.path();
    const std::string before = Bytes(db);
    struct stat st {};
    stat(db.c_str(), &st);
    const struct {
        std::vector<std::string> args;
        std::vector<std::string> said;
    } cases[] = {
        {{"now", "--longitude", "nan"}, {"now: --longitude", "\"nan\"", "0 to 180"}},
        {{"now", "--longitude", "inf"}, {"--longitude", "0 to 180"}},
        {{"now", "--longitude", "1e309"}, {"--longitude"}},
        {{"now", "--longitude", "116,5"}, {"\"116,5\""}},
        {{"now", "--longitude", "１１６"}, {"--longitude"}},
        {{"now", "--longitude", "180.0001"}, {"180.0001", "0 to 180"}},
        {{"now", "--abroad", "--lon", "999"}, {"--lon", "\"999\""}},
        {{"now", "--summer", "99999"}, {"--summer", "-1440 to 1440"}},
        {{"now", "--zone", "typo"}, {"--zone", "names no time zone", "(GMT"}},
        {{"now", "--mode", "3"}, {"--mode"}},
        {{"reverse", "不是穴位", "2026-01-01", "2026-01-02"}, {"reverse:", "不是已知的穴位：不是穴位"}},
        {{"reverse", "公孙'; DROP TABLE xxyy;--", "2026-01-01", "2026-01-02"}, {"不是已知的穴位", "公孙"}},
        {{"reverse", "%", "2026-01-01", "2026-01-02"}, {"不是已知的穴位：%"}},
        {{"reverse", "", "2026-01-01", "2026-01-02"}, {"不是已知的穴位"}},
        {{"reverse", "公孙", "2026-01-02", "2026-01-01"}, {"reverse:", "before FROM"}},
        {{"schedule", "2026-01-02", "2026-01-01"}, {"schedule:", "after TO"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"--db", db});
        SCOPED_TRACE(args[0] + " " + args[1] + " " + args[2]);
        const auto run = RunCommand(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.out.empty()) << run.out;
        for (const std::string& part : c.said) EXPECT_NE(run.err.find(part), std::string::npos) << run.err;
    }
    struct stat after {};
    stat(db.c_str(), &after);
    EXPECT_EQ(Bytes(db), before);
    EXPECT_EQ(after.st_mode, st.st_mode);
    // What the help promises of a range backwards is what the command does.
    EXPECT_NE(RunCommand({"reverse", "--help"}).out.find("a TO before FROM is a usage error, exit status 2"),
              std::string::npos);
}

// A stored value that says nothing the program knows is no default to compute with: every command that reads
// the settings fails naming the column and its text, prints no result, and leaves the file alone; the flag
// that stands in for the value makes the same run work.
TEST(UsageFaults, AStoredValueThatCannotBeReadIsAFailureNamingItsColumn) {
    // Without clock spans a schedule still reads the time mode and the spelling, a reverse lookup the
    // spelling.
    const std::vector<std::string> plainSchedule = {"schedule", "2026-12-09", "2026-12-09"};
    const std::vector<std::string> plainReverse = {"reverse", "公孙", "2026-12-09", "2026-12-10"};
    const struct {
        const char* update;
        const char* column;
        const char* value;
        std::vector<std::string> standIn;
        std::vector<std::vector<std::string>> alsoRead;
    } cases[] = {
        {"zone='nowhere', ischina='nochina', tzid=''", "zone", "\"nowhere\"", {"--tz", "Europe/Paris"}, {}},
        {"timemode='xyz'", "timemode", "\"xyz\"", {"--mode", "1"}, {plainSchedule}},
        {"timemode=NULL", "timemode", "\"\"", {"--mode", "0"}, {}},
        {"ischina='maybe'", "ischina", "\"maybe\"", {"--china"}, {}},
        {"onlyBeiJingTime='perhaps'", "onlyBeiJingTime", "\"perhaps\"", {"--no-beijing"}, {}},
        {"eot='ephemeris'", "eot", "\"ephemeris\"", {"--eot", "astro"}, {}},
        {"ew='north', ischina='nochina'", "ew", "\"north\"", {"--ew", "西经"}, {}},
        // Abroad the China box still gates the double-hour.
        {"xy='abc', onlyBeiJingTime='False', ischina='nochina'", "xy", "\"abc\"", {"--beijing"}, {}},
        {"sixthstem='乙'", "sixthstem", "\"乙\"", {"--sixth-stem", "己"}, {plainSchedule, plainReverse}},
        {"chinadst='often', ischina='yeschina'", "chinadst", "\"often\"", {"--no-dst-china"}, {}},
    };
    const std::vector<std::vector<std::string>> commands = {
        {"now", "--at", "2026-12-09 10:00:00"},
        {"dial", "--at", "2026-12-09 10:00:00", "--out", "unwritten.svg"},
        {"schedule", "2026-12-09", "2026-12-09", "--clock"},
        {"reverse", "公孙", "2026-12-09", "2026-12-10", "--clock"},
    };
    for (const auto& c : cases) {
        DatabaseCopy copy("unreadable");
        ASSERT_TRUE(copy.Exec(std::string("update xxyy set ") + c.update));
        const std::string before = Bytes(copy.path());
        std::vector<std::vector<std::string>> reading = commands;
        reading.insert(reading.end(), c.alsoRead.begin(), c.alsoRead.end());
        for (std::vector<std::string> args : reading) {
            SCOPED_TRACE(std::string(c.update) + ": " + args[0]);
            args.insert(args.end(), {"--db", copy.path()});
            const auto run = RunCommand(args);
            EXPECT_EQ(run.status, 1) << run.err;
            EXPECT_TRUE(run.out.empty()) << run.out;
            EXPECT_EQ(run.err.rfind("velunar-cli " + args[0] + ": ", 0), 0u) << run.err;
            EXPECT_NE(run.err.find(std::string("column ") + c.column + " holds " + c.value),
                      std::string::npos)
                << run.err;
            if (args[0] == "now") {
                args.insert(args.end(), c.standIn.begin(), c.standIn.end());
                const auto fine = RunCommand(args);
                EXPECT_EQ(fine.status, 0) << fine.err;
                EXPECT_NE(fine.out.find("hourBranch: "), std::string::npos) << fine.out;
            }
        }
        EXPECT_FALSE(std::filesystem::exists("unwritten.svg"));
        EXPECT_EQ(Bytes(copy.path()), before);
    }
    // A value the run does not read is no fault: the zone of the abroad page while the China page is in
    // front.
    DatabaseCopy china("unused");
    ASSERT_TRUE(china.Exec("update xxyy set zone='nowhere', ew='north', ischina='yeschina'"));
    EXPECT_EQ(RunCommand({"now", "--db", china.path(), "--at", "2026-12-09 10:00:00"}).status, 0);
}

TEST(UsageFaults, AStoredLongitudeThatCannotBeReadIsAFailureNotASuccess) {
    DatabaseCopy copy("stored");
    ASSERT_TRUE(copy.Exec("update xxyy set xy='abc', onlyBeiJingTime='False', ischina='yeschina'"));
    const auto run = RunCommand({"now", "--db", copy.path(), "--at", "2026-12-09 10:30:00"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("velunar-cli now: "), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("请先输入正确东经数"), std::string::npos) << run.err;
    // Beijing time only: the page falls back to 120 and works the moment out.
    EXPECT_EQ(RunCommand({"now", "--db", copy.path(), "--at", "2026-12-09 10:30:00", "--beijing"}).status, 0);
}

TEST(UsageFaults, KnownNamesPassAndTheOldSpellingIsKnown) {
    for (const char* point : {"公孙", "清泠渊", "清冷渊"}) {
        const auto run = RunCommand({"reverse", point, "2026-01-01", "2026-01-01"});
        EXPECT_EQ(run.status, 0) << point << ": " << run.err;
    }
    const auto out = RunCommand({"reverse", "公孙", "2026-01-01", "2026-01-01", "--out", "-"});
    EXPECT_EQ(out.status, 0);
    EXPECT_EQ(out.out.rfind("纳干法（徐氏）：", 0), 0u);
    EXPECT_EQ(RunCommand({"--version"}).out, "velunar-cli " VELUNAR_VERSION "\n");
}

}  // namespace
}  // namespace velunar
