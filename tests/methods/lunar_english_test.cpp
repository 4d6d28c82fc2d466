#include "methods/lunar_english.h"

#include <fstream>
#include <regex>
#include <sstream>

#include <gtest/gtest.h>

#include "calendar/datetime.h"
#include "calendar/renshen.h"

namespace velunar {
namespace {

constexpr RenShenReading kReadings[] = {RenShenReading::Common, RenShenReading::JinJian,
                                        RenShenReading::DaCheng};

bool SaysInEnglish(const std::string& english, const std::string& chinese) {
    return english != chinese && !english.empty() && std::isalpha(static_cast<unsigned char>(english[0])) &&
           english.ends_with(chinese.substr(chinese.find("：") == std::string::npos
                                                ? 0
                                                : chinese.find("：") + std::string_view("：").size()));
}

// An English reader needles by these words: every place of every list and reading has its English, the
// Chinese after it.
TEST(LunarEnglish, EveryRenShenPlaceIsSaidInEnglish) {
    std::vector<RenShenPlace> places;
    for (RenShenReading r : kReadings) {
        for (int day = 1; day <= 30; ++day) places.push_back(RenShenOfDay(day, r));
        for (int b = 1; b <= 12; ++b) places.push_back(RenShenOfHour(static_cast<Branch>(b), r));
    }
    for (int age = 1; age <= 108; ++age) {
        places.push_back(RenShenOfAge(age));
        places.push_back(KaoShenOfAge(age));
    }
    for (const RenShenPlace& p : places) {
        ASSERT_FALSE(p.place.empty());
        EXPECT_TRUE(SaysInEnglish(PlaceInEnglish(p.place), p.place))
            << p.place << " → " << PlaceInEnglish(p.place);
        const std::string source = SourceInEnglish(p.source);
        EXPECT_EQ(source.find("据"), std::string::npos) << p.source;
        EXPECT_NE(source.find_first_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ"), std::string::npos) << p.source;
    }
}

// The schedule's 人神 cell of every double-hour of a year, in each reading: day number, place and hour in
// English.
TEST(LunarEnglish, EveryScheduleCellOfAYearReadsInEnglish) {
    const std::regex english("day ([0-9]+): [a-zA-Z].* · \\S+ [A-Z]\\S+ hour: [a-zA-Z].*");
    const auto first = static_cast<std::int64_t>(MakeDateTime(2026, 1, 1));
    for (RenShenReading r : kReadings) {
        const TabooOptions options{true, r, std::nullopt};
        for (std::int64_t day = first; day < first + 365; ++day) {
            for (int b = 1; b <= 12; ++b) {
                const std::string cell = RenShenScheduleCell(day, static_cast<Branch>(b), options);
                const std::string said = RenShenCellInEnglish(cell);
                std::smatch m;
                ASSERT_TRUE(std::regex_match(said, m, english)) << cell << " → " << said;
                EXPECT_EQ(std::stoi(m[1]), LunarDateOfDay(day).day) << cell;
            }
        }
    }
    EXPECT_EQ(RenShenCellInEnglish(""), "");
}

// Over every point of the meridians and every lunar day and double-hour of a month, with an age: an English
// warning wherever a Chinese one is, as many, naming the point by its code.
TEST(LunarEnglish, WarningsMatchTheChineseOverEveryPoint) {
    std::ifstream in(std::string(VELUNAR_SOURCE_DIR) + "/data/point-codes.tsv");
    ASSERT_TRUE(in);
    std::vector<std::pair<std::string, std::string>> points;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#' || line.rfind("穴位\t", 0) == 0) continue;
        std::istringstream fields(line);
        std::string name, code;
        std::getline(fields, name, '\t');
        std::getline(fields, code, '\t');
        points.emplace_back(name, code);
    }
    ASSERT_EQ(points.size(), 310u);
    int warned = 0;
    for (int d = 0; d < 30; ++d) {
        const Branch branch = static_cast<Branch>(1 + d % 12);
        const LunarView view = LunarViewAt(MakeDateTime(2026, 12, 9 + d, 12), branch,
                                           TabooOptions{true, RenShenReading::Common, 20 + d});
        for (const auto& [name, code] : points) {
            Finding f;
            f.cells.push_back(Cell{"point", "穴位", name, true});
            const std::vector<std::string> chinese = FindingTabooWarnings(view, f);
            const std::vector<std::string> english = FindingTabooWarningsInEnglish(view, f, PointStyle::Both);
            ASSERT_EQ(english.size(), chinese.size()) << name << " on lunar day " << view.date.day;
            for (const std::string& w : english) {
                EXPECT_EQ(w.rfind(code + " ", 0), 0u) << w;
                EXPECT_NE(w.find("do not needle or moxa"), std::string::npos) << w;
            }
            warned += static_cast<int>(english.size());
        }
    }
    EXPECT_GT(warned, 100);
}

}  // namespace
}  // namespace velunar
