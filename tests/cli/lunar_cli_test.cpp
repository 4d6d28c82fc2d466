// The lunar date, the moon and the 人神 as `now` prints them: the same moment in Beijing whichever page is in
// front, the switch and the reading, the age that is never stored, and the warning for an opened point.
#include <gtest/gtest.h>

#include <QJsonArray>

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

}  // namespace
}  // namespace velunar
