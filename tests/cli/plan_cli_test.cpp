// Treatment plans and clinic hours in the user's database: an older file gains their tables only when first
// written, keeps everything else, and `next` then works from what was kept.
#include <gtest/gtest.h>

#include <fstream>

#include "doctrine_cli_util.h"
#include "store/database.h"
#include "store/planning.h"

namespace velunar {
namespace {

using testing::DatabaseCopy;
using testing::ParseJson;
using testing::RunCommand;
using testing::Str;

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> Tables(const std::string& path) {
    store::Database db(QStringLiteral("plan-cli-tables"));
    db.Open(QString::fromStdString(path));
    std::vector<std::string> names;
    for (std::string_view t : {store::kPlanTable, store::kClinicTable})
        if (db.First(store::QueryId::TableExists, {"table", std::string(t)})->Value("n") != "0")
            names.emplace_back(t);
    return names;
}

TEST(PlanCommand, KeepsListsShowsAndForgetsPlansInAnOlderDatabase) {
    DatabaseCopy copy("plans");
    const std::string& db = copy.path();
    ASSERT_TRUE(Tables(db).empty());
    const auto settingsBefore = RunCommand({"now", "--db", db, "--at", "2026-12-09 10:00:00", "--json"});
    const std::string bytes = Bytes(db);
    EXPECT_EQ(RunCommand({"plan", "list", "--db", db}).out, "");
    EXPECT_EQ(RunCommand({"plan", "show", "失眠", "--db", db}).status, 1);
    EXPECT_EQ(Bytes(db), bytes) << "a read changed the file";

    auto added = RunCommand({"plan", "add", "失眠", "神门", "内关", "三阴交", "--db", db});
    ASSERT_EQ(added.status, 0) << added.err;
    EXPECT_EQ(Tables(db), (std::vector<std::string>{"治疗方案", "门诊设置"}));
    added =
        // Points in any form a user types them, kept by name, once.
        RunCommand({"plan", "add", "八脉", "SP4", "Nei Guan", "gōngsūn", "--doctrines", "灵龟八法,feiteng",
                    "--db", db});
    ASSERT_EQ(added.status, 0) << added.err;
    EXPECT_EQ(RunCommand({"plan", "list", "--db", db}).out,
              "失眠\t神门、内关、三阴交\t全部\n八脉\t公孙、内关\t灵龟八法、飞腾八法\n");
    EXPECT_EQ(RunCommand({"plan", "list", "--lang", "en", "--db", db}).out,
              "失眠\tHT7 Shénmén 神门, PC6 Nèiguān 内关, SP6 Sānyīnjiāo 三阴交\tall\n"
              "八脉\tSP4 Gōngsūn 公孙, PC6 Nèiguān 内关\tLinggui — eight methods of the Sacred Tortoise, "
              "Feiteng — soaring eight methods\n");
    const auto shown = RunCommand({"plan", "show", "八脉", "--json", "--db", db});
    EXPECT_EQ(shown.out,
              "{\"name\":\"八脉\",\"points\":[\"公孙\",\"内关\"],\"pointCodes\":[\"SP4\",\"PC6\"],"
              "\"doctrines\":[\"linggui\",\"feiteng\"]}\n");
    // The settings the window reads are those of before.
    EXPECT_EQ(RunCommand({"now", "--db", db, "--at", "2026-12-09 10:00:00", "--json"}).out,
              settingsBefore.out);

    // What a user gets wrong is said, and nothing is written.
    struct Fault {
        std::vector<std::string> args;
        int status;
        const char* says;
    };
    const Fault faults[] = {
        {{"plan", "add", "失眠", "公孙"}, 2, "remove it first"},
        {{"plan", "add", "新", "公孙x"}, 2, "相近的穴位：公孙"},
        {{"plan", "add", "新", "zhongzhu"}, 2, "中注 KI15、中渚 TE3"},
        {{"next", "zhongzhu"}, 2, "中注 KI15、中渚 TE3"},
        {{"plan", "add", "新"}, 2, "at least one POINT"},
        {{"plan", "add", " 新", "公孙"}, 2, "前后不能有空格"},
        {{"plan", "add", "新", "公孙", "--doctrines", "lingui"}, 2, "no doctrine \"lingui\""},
        {{"plan", "show", "无"}, 1, "no plan named"},
        {{"plan", "remove", "无"}, 1, "no plan named"},
        {{"plan", "list", "--doctrines", "nagan"}, 2, "--doctrines goes with add"},
        {{"plan", "rename", "失眠"}, 2, "unknown action"},
        {{"next", "--plan", "无"}, 2, "no plan named"},
        {{"next"}, 2, "give the points"},
        {{"next", "公孙", "--within", "12:00-09:00"}, 2, "ends before it starts"},
        {{"next", "公孙", "--days", "0-5"}, 2, "1-7"},
        {{"next", "公孙", "--week", "--count", "3"}, 2, "give one"},
    };
    for (const Fault& f : faults) {
        std::vector<std::string> args = f.args;
        args.insert(args.end(), {"--db", db});
        const auto run = RunCommand(args);
        SCOPED_TRACE(args[0] + " " + args[1]);
        EXPECT_EQ(run.status, f.status);
        EXPECT_TRUE(Contains(run.err, f.says)) << run.err;
    }
    EXPECT_EQ(RunCommand({"plan", "list", "--db", db}).out,
              "失眠\t神门、内关、三阴交\t全部\n八脉\t公孙、内关\t灵龟八法、飞腾八法\n");

    // The plan's doctrines limit `next`; its points are those listed.
    const auto next =
        RunCommand({"next", "--plan", "八脉", "--from", "2026-12-09 08:00:00", "--within", "08:00-20:00",
                    "--count", "12", "--json", "--china", "--longitude", "116.4", "--db", db});
    ASSERT_EQ(next.status, 0) << next.err;
    std::istringstream lines(next.out);
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
        const QJsonObject o = ParseJson(line);
        EXPECT_TRUE(Str(o, "方法") == "灵龟八法" || Str(o, "方法") == "飞腾八法") << line;
        EXPECT_TRUE(Str(o, "穴位") == "公孙" || Str(o, "穴位") == "内关") << line;
    }
    EXPECT_EQ(count, 12);

    ASSERT_EQ(RunCommand({"plan", "remove", "失眠", "--db", db}).status, 0);
    EXPECT_EQ(RunCommand({"plan", "list", "--db", db}).out, "八脉\t公孙、内关\t灵龟八法、飞腾八法\n");
}

TEST(NextCommand, TakesTheKeptClinicHoursAndSaysWhenThereAreNone) {
    DatabaseCopy copy("clinic");
    const std::string& db = copy.path();
    const std::vector<std::string> base = {"next",    "照海", "--from",  "2026-12-04 16:00:00",
                                           "--count", "15",   "--china", "--longitude",
                                           "116.4",   "--db", db};
    const auto unlimited = RunCommand(base);
    ASSERT_EQ(unlimited.status, 0);
    EXPECT_TRUE(Contains(unlimited.err, "every hour counts")) << unlimited.err;
    std::vector<std::string> everyHour = base;
    everyHour.insert(everyHour.end(), {"--within", "00:00-24:00"});
    EXPECT_EQ(RunCommand(everyHour).out, unlimited.out);

    {
        store::Database d(QStringLiteral("plan-cli-clinic"));
        d.Open(QString::fromStdString(db));
        store::ClinicSettings s;
        s.hours = ClinicHours{};
        for (int day = 0; day < 5; ++day)
            s.hours->week[static_cast<std::size_t>(day)] = *ParseClockRanges("09:00-12:00,14:00-18:00");
        s.hours->daysOff = *ParseDates("2026-12-07");  // a Monday
        store::PlanningStore(d).SaveClinic(s);
        EXPECT_EQ(store::PlanningStore(d).Clinic(), s);
    }
    const auto kept = RunCommand(base);
    ASSERT_EQ(kept.status, 0) << kept.err;
    EXPECT_EQ(kept.err, "");
    // The same as typing them, less the day off.
    std::vector<std::string> typed = base;
    typed.insert(typed.end(), {"--within", "09:00-12:00,14:00-18:00", "--days", "1-5", "--count", "40"});
    typed.erase(typed.begin() + 4, typed.begin() + 6);
    const auto all = RunCommand(typed);
    std::istringstream in(all.out);
    std::string expected;
    int taken = 0;
    for (std::string line; taken < 15 && std::getline(in, line);)
        if (!line.starts_with("2026-12-07") && !Contains(line, "门诊时间内 2026-12-07")) {
            expected += line + '\n';
            ++taken;
        }
    EXPECT_EQ(kept.out, expected);
    EXPECT_FALSE(Contains(kept.out, "2026-12-07"));

    // A value someone wrote by hand is reported, not taken as no hours.
    ASSERT_TRUE(copy.Exec("update 门诊设置 set 值 = '9 to 5' where 项目 = 'hours2'"));
    const auto broken = RunCommand(base);
    EXPECT_EQ(broken.status, 1);
    EXPECT_TRUE(Contains(broken.err, "hours2")) << broken.err;
}

}  // namespace
}  // namespace velunar
