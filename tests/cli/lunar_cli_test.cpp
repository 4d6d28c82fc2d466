// The lunar date, the moon and the 人神 as `now` prints them: the same moment in Beijing whichever page is in
// front, the switch and the reading, the age that is never stored, and the warning for an opened point.
#include <gtest/gtest.h>

#include <QJsonArray>

#include <set>
#include <sstream>

#include "calendar/lunar.h"

#include "doctrine_cli_util.h"

namespace velunar {
namespace {

using testing::DatabaseCopy;
using testing::ParseJson;
using testing::RunCommand;
using testing::Str;

TEST(NowLunar, TheLunarFieldsOfAMomentInBeijing) {
    DatabaseCopy copy("lunar");
    // 2026-12-09 is 丙午年冬月初一; 大雪 began on the 7th; the new moon was that morning (08:52).
    const auto china = RunCommand({"now", "--at", "2026-12-09 13:00:00", "--json", "--db", copy.path()});
    ASSERT_EQ(china.status, 0) << china.err;
    const auto j = ParseJson(china.out);
    EXPECT_EQ(Str(j, "lunarYear"), "丙午");
    EXPECT_EQ(j.value("lunarMonth").toInt(), 11);
    EXPECT_FALSE(j.value("lunarLeap").toBool());
    EXPECT_EQ(j.value("lunarDay").toInt(), 1);
    EXPECT_EQ(Str(j, "solarTerm"), "大雪");
    EXPECT_NEAR(j.value("moonAge").toDouble(), 0.17, 0.02);
    EXPECT_EQ(Str(j, "moonPhase"), "朔");
    EXPECT_EQ(Str(j, "renShenDay"), "足大趾");
    EXPECT_EQ(Str(j, "lunar"), "农历丙午年冬月初一 · 大雪 · 月龄 0.2 天 · 人神在足大趾");
    // Abroad the date is still that of Beijing: 06:00 in Paris is 13:00 there.
    const auto paris =
        RunCommand({"now", "--abroad", "--zone", "(GMT+01:00) 布鲁塞尔，哥本哈根，马德里，巴黎", "--summer",
                    "0", "--at", "2026-12-09 06:00:00", "--json", "--db", copy.path()});
    ASSERT_EQ(paris.status, 0) << paris.err;
    EXPECT_EQ(Str(ParseJson(paris.out), "lunar"), Str(j, "lunar"));
    // One minute before midnight in Beijing it is still the last day of the tenth month.
    const auto eve = RunCommand({"now", "--at", "2026-12-08 23:59:00", "--json", "--db", copy.path()});
    EXPECT_EQ(ParseJson(eve.out).value("lunarDay").toInt(), 30);
}

TEST(NowLunar, TheSwitchTheReadingAndTheAge) {
    DatabaseCopy copy("taboo");
    // 廿三: 肝及足 in the common reading, 足及肝 in 《针灸大成》.
    const auto common = RunCommand({"now", "--at", "2026-12-31 10:00:00", "--json", "--db", copy.path()});
    EXPECT_EQ(Str(ParseJson(common.out), "renShenDay"), "肝及足");
    const auto book = RunCommand({"now", "--at", "2026-12-31 10:00:00", "--renshen-source", "针灸大成",
                                  "--json", "--db", copy.path()});
    EXPECT_EQ(Str(ParseJson(book.out), "renShenDay"), "足及肝");
    const auto plain = RunCommand({"now", "--at", "2026-12-31 10:00:00", "--db", copy.path()});
    EXPECT_NE(plain.out.find("renShenDay: 肝及足（据《医宗金鉴》《针灸大成》《神应经》）"),
              std::string::npos);
    EXPECT_NE(plain.out.find("lunarMonth: 冬月"), std::string::npos) << plain.out;
    const auto hidden =
        RunCommand({"now", "--at", "2026-12-31 10:00:00", "--no-renshen", "--json", "--db", copy.path()});
    const auto h = ParseJson(hidden.out);
    EXPECT_TRUE(h.value("renShenDay").isNull());
    EXPECT_EQ(Str(h, "lunar"), "农历丙午年冬月廿三 · 冬至 · 月龄 22.0 天");
    EXPECT_TRUE(h.value("renShenWarnings").toArray().isEmpty());
    const auto aged =
        RunCommand({"now", "--at", "2026-12-31 10:00:00", "--age", "40", "--json", "--db", copy.path()});
    EXPECT_EQ(Str(ParseJson(aged.out), "kaoShen"), "中宫：肩、尻");
    EXPECT_EQ(Str(ParseJson(aged.out), "renShenAge"), "肩");
    for (const char* bad : {"0", "12.5", "x", "151"})
        EXPECT_EQ(RunCommand({"now", "--age", bad, "--db", copy.path()}).status, 2) << bad;
    EXPECT_EQ(RunCommand({"now", "--renshen-source", "千金", "--db", copy.path()}).status, 2);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

int LeftOut(const std::string& err) {
    const std::size_t colon = err.find(": ");
    return colon == std::string::npos ? -1 : std::atoi(err.c_str() + colon + 2);
}

// What --avoid-renshen leaves out is exactly the openings on a taboo, and it says how many: 大敦 (the big
// toe) goes on 初一, 十五 (遍身), 十九 and 廿三 (the feet), and everything else stays.
TEST(AvoidRenShen, TheReverseLookupLeavesOutTheOpeningsOnATabooAndCountsThem) {
    DatabaseCopy copy("avoid");
    const auto all = RunCommand({"reverse", "大敦", "2026-01-01", "2026-12-31", "--db", copy.path()});
    const auto kept =
        RunCommand({"reverse", "大敦", "2026-01-01", "2026-12-31", "--avoid-renshen", "--db", copy.path()});
    ASSERT_EQ(kept.status, 0) << kept.err;
    EXPECT_EQ(all.err, "");
    const auto allLines = Lines(all.out), keptLines = Lines(kept.out);
    const std::set<std::string> everything(allLines.begin(), allLines.end());
    int dropped = 0;
    std::set<std::string> keptSet(keptLines.begin(), keptLines.end());
    for (const std::string& line : allLines) {
        if (keptSet.count(line)) continue;
        ++dropped;
        int y, m, d;
        ASSERT_EQ(std::sscanf(line.c_str(), "%d-%d-%d", &y, &m, &d), 3) << line;
        const int lunarDay = LunarDateOfDay(DaysFromCivil(y, m, d)).day;
        // The big toe on 初一, the whole body on 十五, the feet on 十九 and 廿三; no double-hour's 人神 of
        // the common reading lies on the big toe.
        EXPECT_TRUE(lunarDay == 1 || lunarDay == 15 || lunarDay == 19 || lunarDay == 23) << line;
    }
    for (const std::string& line : keptLines) EXPECT_TRUE(everything.count(line)) << line;
    EXPECT_GT(dropped, 0);
    EXPECT_EQ(LeftOut(kept.err), dropped) << kept.err;
}

TEST(AvoidRenShen, TheScheduleEmptiesTheCellsOnATabooAndCountsThem) {
    DatabaseCopy copy("avoid-schedule");
    // 十五 (2026-12-23 is 冬月十五): the 人神 is in the whole body, so every opened point goes.
    const auto all = RunCommand({"schedule", "2026-12-23", "2026-12-23", "--csv", "--db", copy.path()});
    const auto kept =
        RunCommand({"schedule", "2026-12-23", "2026-12-23", "--csv", "--avoid-renshen", "--db", copy.path()});
    ASSERT_EQ(kept.status, 0) << kept.err;
    const auto a = Lines(all.out), k = Lines(kept.out);
    ASSERT_EQ(a.size(), k.size());
    int emptied = 0;
    for (std::size_t i = 1; i < a.size(); ++i) {
        std::istringstream ra(a[i]), rk(k[i]);
        for (std::string ca, ck; std::getline(ra, ca, ',') && std::getline(rk, ck, ',');) {
            if (ca == ck) continue;
            EXPECT_EQ(ck, "") << a[i];
            ++emptied;
        }
        EXPECT_NE(k[i].find("十五遍身"), std::string::npos) << k[i];
    }
    EXPECT_GT(emptied, 24);
    EXPECT_EQ(LeftOut(kept.err), emptied) << kept.err;
}

}  // namespace
}  // namespace velunar
