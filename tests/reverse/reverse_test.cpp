#include "reverse/reverse.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "calendar/datetime.h"

namespace velunar {
namespace {

std::int64_t Day(int y, int m, int d) {
    return DaysFromCivil(y, m, d);
}

// Rows as the store would hand them: only those that mention the searched point.
class FakeSource : public ReverseSource {
  public:
    std::vector<NaGanScanRow> naGan;
    std::vector<NaZhiScanRow> naZhi;
    std::vector<MeridianScanRow> meridian;
    std::vector<ShuScanRow> shu;
    std::vector<BuXueScanRow> buXue;
    int calls = 0;
    bool failOnShu = false;

    std::vector<NaGanScanRow> NaGanRows(const std::string&) override { return ++calls, naGan; }
    std::vector<NaZhiScanRow> NaZhiRows(const std::string&) override { return ++calls, naZhi; }
    std::vector<MeridianScanRow> MeridianRows(const std::string& point) override {
        askedFor = point;
        return ++calls, meridian;
    }
    std::string askedFor;
    std::vector<ShuScanRow> ShuRows(const std::string&) override {
        ++calls;
        if (failOnShu) throw std::runtime_error("no such table: 五俞穴");
        return shu;
    }
    std::vector<BuXueScanRow> BuXueRows(const std::string&) override { return ++calls, buXue; }
};

std::array<std::vector<std::string>, kScanCount> Search(const std::string& point, std::int64_t first,
                                                        std::int64_t last, FakeSource& src) {
    CollectingSink sink;
    EXPECT_EQ(ReverseSearch(point, first, last, src, sink), SearchOutcome::Completed);
    return sink.sections;
}

std::vector<std::string> Section(const std::array<std::vector<std::string>, kScanCount>& s, Scan scan) {
    return s[static_cast<int>(scan)];
}

bool HasLine(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(ReverseSearch, WorkedExampleOfTheNinthOfJune2013) {
    FakeSource src;
    const auto d = Day(2013, 6, 9);
    // 丙午 day, 子 double-hour: hour 戊子, Ling Gui 7+7+5+9 = 28 → 申脉 (with 后溪), Fei Teng 戊 → 临泣 (with
    // 外关).
    EXPECT_TRUE(HasLine(Section(Search("申脉", d, d, src), Scan::LingGui), "2013-06-09子时，灵龟穴位=申脉"));
    EXPECT_TRUE(HasLine(Section(Search("后溪", d, d, src), Scan::LingGui), "2013-06-09子时，灵龟配穴=后溪"));
    EXPECT_TRUE(
        HasLine(Section(Search("外关", d, d, src), Scan::FeiTeng), "2013-06-09戊子时，飞腾配穴=外关"));
    EXPECT_TRUE(
        HasLine(Section(Search("临泣", d, d, src), Scan::FeiTeng), "2013-06-09戊子时，飞腾穴位=临泣"));
}

TEST(ReverseSearch, AgreesWithTheMainWindowUnderTheUndividedMidnight) {
    FakeSource src;
    // 1949-10-01 (甲子), 子: hour 甲子, Ling Gui 35 mod 9 = 8 → 内关, Fei Teng 公孙.
    const auto oct1 = Day(1949, 10, 1);
    EXPECT_EQ(Section(Search("内关", oct1, oct1, src), Scan::LingGui).front(),
              "1949-10-01子时，灵龟穴位=内关");
    EXPECT_EQ(Section(Search("公孙", oct1, oct1, src), Scan::FeiTeng).front(),
              "1949-10-01甲子时，飞腾穴位=公孙");
    // 23:30 of 1 October belongs to the 子 line of 2 October (乙丑, yin): hour 丙子, 35 mod 6 = 5 → 照海;
    // 内关.
    const auto oct2 = Day(1949, 10, 2);
    EXPECT_EQ(Section(Search("照海", oct2, oct2, src), Scan::LingGui).front(),
              "1949-10-02子时，灵龟穴位=照海");
    EXPECT_EQ(Section(Search("内关", oct2, oct2, src), Scan::FeiTeng).front(),
              "1949-10-02丙子时，飞腾穴位=内关");
}

TEST(ReverseSearch, DayCycleAroundTheEpochs) {
    // Scan 5 names the day's meridian: 1901-01-05 癸 → 肾, 01-06 甲 → 胆, 01-09 丁 → 心, 01-10 戊 → 胃.
    FakeSource src;
    src.meridian = {{"肾", "涌泉"}, {"胆", "涌泉"}, {"心", "涌泉"}, {"胃", "涌泉"}};
    const auto lines = Section(Search("涌泉", Day(1901, 1, 5), Day(1901, 1, 10), src), Scan::RiGan);
    EXPECT_EQ(lines,
              (std::vector<std::string>{"1901-01-05全部时辰，穴位=涌泉", "1901-01-06全部时辰，穴位=涌泉",
                                        "1901-01-09全部时辰，穴位=涌泉", "1901-01-10全部时辰，穴位=涌泉"}));
    // 1901-01-05 (癸未) is a yin day: its Ling Gui remainders run 1..6, so 列缺 (9) never opens.
    FakeSource none;
    for (const auto& l : Section(Search("列缺", Day(1901, 1, 5), Day(1901, 1, 5), none), Scan::LingGui))
        EXPECT_NE(l.find("灵龟配穴"), std::string::npos) << "a yin day never reaches remainder 9: " << l;
}

TEST(ReverseSearch, TableScansFollowTheirRowsAndColumnOrder) {
    FakeSource src;
    // A row naming the point as both 穴位 and 过原 gives two lines, 穴位 first; the branch may stand
    // anywhere in 实际时辰.
    src.naGan = {{"甲", "甲戌", "足窍阴", "足窍阴", ""}, {"乙", "X子Y", "", "", "足窍阴"}};
    src.naZhi = {{"寅", "足窍阴", "", "", "足窍阴"}};
    src.shu = {{"胆经", "足窍阴", "", "", "", "", ""}};
    src.buXue = {{"甲", "丙子", "足窍阴"}};
    src.meridian = {{"胆", "足窍阴"}};
    // 2013-06-04 (辛丑) to 2013-06-13 (庚戌) holds one 甲 day (06-07), one 乙 day (06-08), one 已 day
    // (06-12).
    const auto s = Search("足窍阴", Day(2013, 6, 4), Day(2013, 6, 13), src);
    EXPECT_EQ(Section(s, Scan::NaGan),
              (std::vector<std::string>{"2013-06-07戌时，穴位=足窍阴", "2013-06-07戌时，过原=足窍阴",
                                        "2013-06-08子时，兼过原穴=足窍阴"}));
    // 纳支法 ignores the day: the same double-hour on every one of the ten dates, 本穴 before 补穴.
    const auto& naZhi = Section(s, Scan::NaZhi);
    ASSERT_EQ(naZhi.size(), 20u);
    EXPECT_EQ(naZhi[0], "2013-06-04寅时，本穴=足窍阴");
    EXPECT_EQ(naZhi[1], "2013-06-04寅时，补穴=足窍阴");
    // 时干法 follows the hour stem, not the day: 甲 (胆经) hours come twelve times in ten days, the first
    // on the 辛 day's 午 hour.
    const auto& shiGan = Section(s, Scan::ShiGan);
    ASSERT_EQ(shiGan.size(), 12u);
    EXPECT_EQ(shiGan.front(), "2013-06-04胆经甲午时，井=足窍阴");
    EXPECT_TRUE(HasLine(shiGan, "2013-06-07胆经甲子时，井=足窍阴"));
    // 纳支法2: the 子 hour of every date is the 胆 hour.
    EXPECT_EQ(Section(s, Scan::NaZhi2).size(), 10u);
    EXPECT_EQ(Section(s, Scan::NaZhi2).front(), "2013-06-04胆经子时，穴位=足窍阴");
    // 日干法: one line per matching date only (the 甲 day).
    EXPECT_EQ(Section(s, Scan::RiGan), (std::vector<std::string>{"2013-06-07全部时辰，穴位=足窍阴"}));
    EXPECT_EQ(Section(s, Scan::BuXue), (std::vector<std::string>{"2013-06-07子时，徐氏纳干法补穴=足窍阴"}));
}

TEST(ReverseSearch, OldSpellingIsSearchedAndReportedUnderTheStandardName) {
    FakeSource src;
    src.meridian = {{"三焦", "清泠渊"}};
    const auto d = Day(2013, 6, 9);
    EXPECT_EQ(Section(Search("清冷渊", d, d, src), Scan::NaZhi2),
              (std::vector<std::string>{"2013-06-09三焦经亥时，穴位=清泠渊"}));
    EXPECT_EQ(src.askedFor, "清泠渊");
}

TEST(ReverseSearch, EmptyNameOrReversedRangeGivesHeadingsOnly) {
    FakeSource src;
    src.naGan = {{"甲", "甲子", "", "", ""}};  // empty optional columns must not match an empty name
    for (const auto& lines : Search("", Day(2020, 1, 1), Day(2020, 1, 31), src)) EXPECT_TRUE(lines.empty());
    for (const auto& lines : Search("公孙", Day(2020, 1, 2), Day(2020, 1, 1), src))
        EXPECT_TRUE(lines.empty());
    const auto report = CombineReport({});
    ASSERT_EQ(report.size(), 8u);
    EXPECT_EQ(report.front(), "纳干法（徐氏）：");
    EXPECT_EQ(report.back(), "纳干法（徐氏）补穴法：");
}

TEST(ReverseSearch, ReportPutsEachSectionUnderItsHeading) {
    FakeSource src;
    const auto d = Day(2013, 6, 9);
    const auto report = CombineReport(Search("申脉", d, d, src));
    const auto at = [&](std::string_view heading) {
        return std::find(report.begin(), report.end(), std::string(heading)) - report.begin();
    };
    EXPECT_LT(at("灵龟八法："), at("飞腾八法："));
    EXPECT_EQ(report[at("灵龟八法：") + 1], "2013-06-09子时，灵龟穴位=申脉");
    for (const auto& line : report) EXPECT_FALSE(line.empty());
}

TEST(ReverseSearch, LongRangesAgreeWithTheirSingleDates) {
    // A long walk must give every date exactly what a search of that date alone gives, across month, leap
    // and century ends (1900 and 2100 have no 29 February, 2000 has).
    FakeSource src;
    src.naGan = {{"甲", "子丑", "公孙", "公孙", ""}, {"已", "午", "", "", "公孙"}};
    src.naZhi = {{"巳", "", "公孙", "", ""}};
    src.meridian = {{"脾", "公孙"}};
    src.shu = {{"脾经", "", "", "", "", "", "公孙"}};
    src.buXue = {{"癸", "亥子", "公孙"}};
    for (const auto& [first, span] :
         {std::pair{Day(1900, 2, 1), 130}, {Day(1999, 12, 20), 100}, {Day(2100, 2, 20), 75}}) {
        const auto whole = Search("公孙", first, first + span, src);
        for (int i = 0; i < kScanCount; ++i) {
            std::vector<std::string> joined;
            for (auto day = first; day <= first + span; ++day) {
                const auto one = Search("公孙", day, day, src)[i];
                joined.insert(joined.end(), one.begin(), one.end());
            }
            EXPECT_EQ(whole[i], joined) << "scan " << i << " from day " << first;
        }
    }
    const auto naZhi = Section(Search("公孙", Day(2000, 2, 28), Day(2000, 3, 1), src), Scan::NaZhi);
    EXPECT_EQ(naZhi, (std::vector<std::string>{"2000-02-28巳时，原穴=公孙", "2000-02-29巳时，原穴=公孙",
                                               "2000-03-01巳时，原穴=公孙"}));
    EXPECT_EQ(Section(Search("公孙", Day(1900, 2, 28), Day(1900, 3, 1), src), Scan::NaZhi).back(),
              "1900-03-01巳时，原穴=公孙");
}

TEST(ReverseSearch, CancelAndErrorsKeepWhatWasFound) {
    FakeSource src;
    std::atomic<bool> cancel{true};
    CollectingSink sink;
    EXPECT_EQ(ReverseSearch("公孙", Day(2020, 1, 1), Day(2020, 12, 31), src, sink, &cancel),
              SearchOutcome::Cancelled);
    // A failing query ends the run at that scan; the Ling Gui and Fei Teng lines found before it stay.
    src.failOnShu = true;
    CollectingSink partial;
    EXPECT_THROW(ReverseSearch("公孙", Day(2020, 1, 1), Day(2020, 1, 10), src, partial), std::runtime_error);
    EXPECT_FALSE(partial.sections[static_cast<int>(Scan::FeiTeng)].empty());
    EXPECT_TRUE(partial.sections[static_cast<int>(Scan::NaZhi2)].empty());
}

}  // namespace
}  // namespace velunar
