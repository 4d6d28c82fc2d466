// The derivations against what they explain: the shipped tables follow row by row from the rules the
// derivations tell, and over many moments each derivation ends with exactly what the pages show.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include "calendar/solar.h"
#include "methods/doctrine_rules.h"
#include "methods/explain.h"
#include "methods/meridians.h"
#include "methods/nagan_schedule.h"
#include "table_rows.h"
#include "test_moment.h"

namespace velunar {
namespace {

using testing::MomentAt;
using testing::TableRows;

// A shipped table source: '#' comments, a header, then tab-separated rows.
std::vector<std::vector<std::string>> ReadTable(const std::string& name) {
    std::ifstream in(std::string(VELUNAR_SOURCE_DIR) + "/data/tables/" + name);
    EXPECT_TRUE(in) << name;
    std::vector<std::vector<std::string>> rows;
    std::string line;
    bool header = true;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        if (header) {
            header = false;
            continue;
        }
        std::vector<std::string> fields;
        std::stringstream split(line);
        for (std::string f; std::getline(split, f, '\t');) fields.push_back(f);
        if (line.back() == '\t') fields.emplace_back();
        rows.push_back(fields);
    }
    return rows;
}

// The branch of an 实际时辰 text: its last character (three bytes of UTF-8).
Branch LastBranch(const std::string& text) {
    return BranchAt(BranchNumber(text.substr(text.size() - 3)));
}

const ReferenceTables& ShippedTables() {
    static const ReferenceTables tables = [] {
        TableRows rows;
        for (const auto& r : ReadTable("tiangan.tsv"))
            rows.naGan.push_back({r[0], r[1], {r[2], r[3], r[4], r[5], r[6], r[7], r[8]}});
        for (const auto& r : ReadTable("buxue.tsv"))
            rows.supplementary.push_back({r[0], r[1], {r[2], r[3], r[4], r[5], r[6]}});
        for (const auto& r : ReadTable("dizhi.tsv"))
            rows.naZhi.push_back({r[0], {r[1], r[2], r[3], r[4], r[5], r[6]}});
        for (const auto& r : ReadTable("wushu.tsv"))
            rows.transport.push_back({r[0], r[1], r[2], r[3], r[4], r[5], r[6]});
        for (const auto& r : ReadTable("jingluo.tsv")) rows.Points(r[1], {r[0]});
        return rows.Build();
    }();
    return tables;
}

TEST(Rules, GiveEveryRowOfTheShippedTables) {
    const auto tiangan = ReadTable("tiangan.tsv");
    ASSERT_EQ(tiangan.size(), 120u);
    std::set<std::string> closed;
    for (const auto& r : tiangan) {
        SCOPED_TRACE(r[0] + " " + r[1]);
        const Stem day = StemAt(StemNumber(r[0]));
        const Branch hour = LastBranch(r[1]);
        // The key itself: 实际时辰 is the hour's stem and branch on that day.
        EXPECT_EQ(HourGanZhiOf(NaGanHour(day, hour).value_or(-1)), r[1]);
        const NaGanRow rule = NaGanByRule(day, hour);
        EXPECT_EQ((std::vector<std::string>{rule.dutyMeridian, rule.meridian, rule.phase, rule.category,
                                            rule.point, rule.sourcePoint, rule.extraSourcePoint}),
                  (std::vector<std::string>(r.begin() + 2, r.end())));
        if (rule.meridian == "闭") closed.insert(r[0] + r[1]);
    }
    EXPECT_EQ(closed.size(), 60u);

    const auto buxue = ReadTable("buxue.tsv");
    std::set<std::string> supplemented;
    for (const auto& r : buxue) {
        SCOPED_TRACE(r[0] + " " + r[1]);
        const SupplementaryRow rule = SupplementaryByRule(StemAt(StemNumber(r[0])), LastBranch(r[1]));
        EXPECT_EQ((std::vector<std::string>{rule.meridian, rule.phase, rule.category, rule.point,
                                            rule.dutyMeridian}),
                  (std::vector<std::string>(r.begin() + 2, r.end())));
        supplemented.insert(r[0] + r[1]);
    }
    // A 补穴 for every closed hour and for nothing else.
    EXPECT_EQ(supplemented, closed);

    const auto dizhi = ReadTable("dizhi.tsv");
    ASSERT_EQ(dizhi.size(), 12u);
    for (const auto& r : dizhi) {
        SCOPED_TRACE(r[0]);
        const NaZhiRow rule = NaZhiByRule(BranchAt(BranchNumber(r[0])));
        EXPECT_EQ((std::vector<std::string>{rule.ownPoint, rule.sourcePoint, rule.drainPoint,
                                            rule.ownMeridian, rule.tonifyPoint, rule.tonifyMeridian}),
                  (std::vector<std::string>(r.begin() + 1, r.end())));
    }

    // The transport points the rules reason with are the shipped 五俞穴.
    for (const auto& r : ReadTable("wushu.tsv")) {
        SCOPED_TRACE(r[0]);
        const MeridianFacts* m = MeridianNamed(r[0].substr(0, r[0].size() - 3));  // without 经
        ASSERT_NE(m, nullptr);
        EXPECT_EQ((std::vector<std::string>(m->transport.begin(), m->transport.end())),
                  (std::vector<std::string>(r.begin() + 1, r.begin() + 6)));
        EXPECT_EQ(m->source, r[6]);
    }
}

// The texts a derivation's last step must lead with: what the doctrine's page shows.
std::vector<std::string> Shown(const Finding& f) {
    std::vector<std::string> texts;
    for (const Cell& c : f.cells) texts.push_back(c.text.value_or(std::string()));
    return texts;
}

void ExpectEndsWith(const Derivation& d, const std::vector<std::string>& shown, const std::string& what) {
    SCOPED_TRACE(what);
    ASSERT_FALSE(d.empty());
    const Step& last = d.back();
    ASSERT_GE(last.args.size(), shown.size());
    EXPECT_EQ(
        std::vector<std::string>(last.args.begin(), last.args.begin() + static_cast<long>(shown.size())),
        shown);
    // With the shipped tables no row stands apart from its rules.
    const std::string_view key = last.label->key;
    EXPECT_FALSE(key.ends_with(".table") || key.ends_with(".missing")) << last.Text();
    for (const Step& s : d) {
        const std::string text = s.Text();
        EXPECT_EQ(text.find('{'), std::string::npos) << text;
        EXPECT_EQ(text.find("“”"), std::string::npos) << text;  // a verse line that was not found
    }
}

TEST(Derivations, EndWithWhatThePagesShowAcrossTimeModesAndPlaces) {
    const ReferenceTables& tables = ShippedTables();
    std::mt19937 random(20130609);
    std::uniform_real_distribution<double> when(MakeDateTime(1901, 1, 1), MakeDateTime(2099, 12, 31));
    std::uniform_real_distribution<double> degrees(0.0, 180.0);
    const auto zones = FixedZones();
    std::uniform_int_distribution<std::size_t> zone(0, zones.size() - 1);
    int closedHours = 0;
    for (int i = 0; i < 10'000; ++i) {
        // Whole seconds, as the clock and the pickers give them.
        const DateTime t = AddSeconds(std::floor(when(random)), std::floor(random() % 86'400));
        TickInput in;
        in.page = i % 3 == 2 ? TimePage::Abroad : TimePage::China;
        in.onlyBeijing = i % 5 == 0;
        in.eot = i % 2 == 0 ? EotSource::Table : EotSource::Astronomical;
        in.longitudeText = std::to_string(73.0 + degrees(random) / 3.0);
        in.zoneText = std::string(zones[zone(random)].label);
        in.summerText = i % 4 == 0 ? "60" : "0";
        in.eastWestText = i % 2 == 0 ? std::string(kEast) : std::string(kWest);
        in.abroadLongitudeText = std::to_string(degrees(random));
        for (int mode = 0; mode < kTimeModeCount; ++mode) {
            SCOPED_TRACE(FormatIso(t) + " mode " + std::to_string(mode) + " page " + std::to_string(i % 3));
            in.timeMode = TimeModeAt(mode);
            TickMemory memory;
            const TickView v =
                RunPipeline(in, FocusedText::None(), memory, tables, nullptr, [t] { return t; });
            ASSERT_NE(v.moment.hourBranch, Branch::None);
            closedHours += v.closed;
            for (const Explanation& e : ExplainTick(v, tables)) {
                const std::string key(e.key);
                if (key == "time") {
                    ExpectEndsWith(e.steps, {v.dayGanZhi, v.hourGanZhi}, key);
                    continue;
                }
                const Doctrine* d = nullptr;
                for (const Doctrine* c : Doctrines())
                    if (c->Key() == e.key) d = c;
                ASSERT_NE(d, nullptr) << key;
                // In a closed hour the 纳干法 derivation ends with the rule of the 补穴 the 补穴法 page
                // shows.
                const bool supplementary = d->Id() == DoctrineId::NaGan && v.closed;
                ExpectEndsWith(e.steps, Shown(v.Of(supplementary ? DoctrineId::Supplementary : d->Id())),
                               key);
            }
        }
        if (HasFailure()) break;
    }
    EXPECT_GT(closedHours, 10'000);  // about half the hours are closed: both branches were walked
}

TEST(Derivations, QuoteTheVerseLineOfTheirOwnValues) {
    // The classical texts write the sixth stem 己.
    const auto classical = [](std::string_view text) {
        std::string s(text);
        for (std::size_t p; (p = s.find("已")) != std::string::npos;) s.replace(p, 3, "己");
        return s;
    };
    const std::map<std::string, std::string> numeral = {{"10", "十"}, {"9", "九"}, {"8", "八"}, {"7", "七"},
                                                        {"6", "六"},  {"5", "五"}, {"4", "四"}};
    // Sixty days of twelve double-hours: every stem and branch in every place of the arithmetic.
    for (int day = 0; day < 60; ++day) {
        for (int h = 0; h < 12; ++h) {
            const Moment m = MomentAt(MakeDateTime(1949, 10, 1 + day, (2 * h + 23) % 24, 30), 2);
            SCOPED_TRACE(DayGanZhi(m) + " " + HourGanZhi(m));
            for (const Doctrine* d : Doctrines())
                for (const Step& s : d->Explain(m, ShippedTables())) {
                    const std::string_view key = s.label->key;
                    const std::string verse = s.args.empty() ? std::string() : s.args.back();
                    // 八法逐日干支歌 and 八法临时干支歌: the line names the stem or branch and its number.
                    if (key == "linggui.dayStem" || key == "linggui.dayBranch" || key == "linggui.hourStem" ||
                        key == "linggui.hourBranch") {
                        EXPECT_NE(verse.find(classical(s.args[0])), std::string::npos) << s.Text();
                        EXPECT_NE(verse.find(numeral.at(s.args[1])), std::string::npos) << s.Text();
                    }
                    // 八法歌 and 飞腾八法歌 name the point opened.
                    if (key == "linggui.point") {
                        EXPECT_NE(verse.find(s.args[2]), std::string::npos) << s.Text();
                    }
                    if (key == "feiteng.stem") {
                        EXPECT_NE(verse.find(s.args[1]), std::string::npos) << s.Text();
                        EXPECT_NE(verse.find(classical(s.args[0])), std::string::npos) << s.Text();
                    }
                    // 十二经纳天干歌, 十二经纳地支歌: the stem or the branch.
                    if (key == "shigan.stem" || key == "rigan.stem" || key == "nazhi2.branch" ||
                        key == "nazhi.meridian") {
                        EXPECT_NE(s.args[2].find(classical(s.args[0])), std::string::npos) << s.Text();
                    }
                }
        }
    }
    // 子午流注逐日按时定穴歌: the line of each opening names its hour's stem and branch.
    for (int hour = 0; hour < kNaGanHours; ++hour) {
        if (!OpeningAt(hour)) continue;
        const std::string gz = classical(HourGanZhiOf(hour));
        Derivation d;
        NaGanByRule(StemAt(hour / 12 + 1), BranchAt(hour % 12 + 1), Why(&d));
        bool quoted = false;
        for (const Step& s : d) {
            const std::string_view key = s.label->key;
            if (key != "nagan.well" && key != "nagan.stemMeridian" && !key.starts_with("nagan.lodge"))
                continue;
            quoted = true;
            EXPECT_NE(s.args.back().find(gz.substr(0, 3)), std::string::npos) << s.Text();
            EXPECT_NE(s.args.back().find(gz.substr(3)), std::string::npos) << s.Text();
        }
        EXPECT_TRUE(quoted) << gz;
    }
}

TEST(Derivations, NameADatabaseRowThatDoesNotFollowFromTheRules) {
    // 1949-10-01 00:30 is the 甲子 hour of a 甲 day, closed; its 补穴 is 阳辅.
    const Moment m = MomentAt(MakeDateTime(1949, 10, 1, 0, 30), 0);
    TableRows rows;
    rows.naGan = {{"甲", "甲子", {"肾经", "闭", "", "", "", "", ""}}};
    rows.supplementary = {{"甲", "甲子", {"胆经", "火", "经", "阳辅", "肾经"}}};
    rows.naZhi = {{"子", {"足临泣", "丘墟", "阳辅", "胆经", "中渚", "三焦经"}}};
    const auto lastKey = [&](DoctrineId id, const ReferenceTables& t) {
        const Derivation d = DoctrineOf(id).Explain(m, t);
        return std::string(d.back().label->key);
    };
    EXPECT_EQ(lastKey(DoctrineId::NaGan, rows.Build()), "nagan.resultClosed");
    EXPECT_EQ(lastKey(DoctrineId::Supplementary, rows.Build()), "buxue.result");
    EXPECT_EQ(lastKey(DoctrineId::NaZhi, rows.Build()), "nazhi.result");

    // An older database's spelling, and a table without the hour's row.
    rows.supplementary[0].row.point = "阳輔";
    rows.naZhi[0].row.ownPoint = "临泣";
    const Derivation sup = DoctrineOf(DoctrineId::Supplementary).Explain(m, rows.Build());
    EXPECT_EQ(sup.back().label->key, "buxue.table");
    EXPECT_NE(sup.back().Text().find("穴位阳輔"), std::string::npos) << sup.back().Text();
    EXPECT_EQ(lastKey(DoctrineId::NaZhi, rows.Build()), "nazhi.table");
    rows.naGan.clear();
    EXPECT_EQ(lastKey(DoctrineId::NaGan, rows.Build()), "nagan.missing");
}

}  // namespace
}  // namespace velunar
