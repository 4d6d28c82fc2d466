#include "reverse/reverse.h"

#include <gtest/gtest.h>

#include <map>

#include "calendar/datetime.h"

namespace velunar {
namespace {

std::int64_t Day(int y, int m, int d) {
    return DaysFromCivil(y, m, d);
}

// Tables written as the scans of the old store read them: only the columns the reverse lookup looks at.
struct Source {
    ReferenceTables::Rows rows;
    void NaGan(std::string day, std::string hour, std::string point, std::string source, std::string extra) {
        rows.naGan.push_back({std::move(day), std::move(hour), {"", "", "", "", point, source, extra}});
    }
    // A closed hour, so that the supplementary row of the same day and hour applies.
    void Closed(std::string day, std::string hour) {
        rows.naGan.push_back({std::move(day), std::move(hour), {"", "闭", "", "", "", "", ""}});
    }
    void NaZhi(std::string branch, std::string own, std::string yuan, std::string drain, std::string tonify) {
        rows.naZhi.push_back({std::move(branch), {own, yuan, drain, "", tonify, ""}});
    }
    void Meridian(std::string meridian, std::string point) {
        rows.meridianPoints.push_back({std::move(point), std::move(meridian)});
    }
    // Columns in the order 经络, 井, 经, 荥, 合, 俞, 原.
    void Shu(std::string meridian, std::string well, std::string river, std::string spring, std::string sea,
             std::string stream, std::string yuan) {
        rows.transport.push_back({meridian, well, spring, stream, river, sea, yuan});
    }
    void BuXue(std::string day, std::string hour, std::string point) {
        rows.supplementary.push_back({std::move(day), std::move(hour), {"", "", "", point, ""}});
    }
};

using Sections = std::map<DoctrineId, std::vector<std::string>>;

Sections Search(const std::string& point, std::int64_t first, std::int64_t last, const Source& src) {
    CollectingSink sink;
    EXPECT_EQ(ReverseSearch(point, first, last, ReferenceTables(src.rows), sink), SearchOutcome::Completed);
    Sections out;
    for (const auto& [d, lines] : sink.sections) out[d->Id()] = lines;
    EXPECT_EQ(out.size(), 8u);
    return out;
}

std::vector<std::string> Section(const Sections& s, DoctrineId id) {
    return s.at(id);
}

bool HasLine(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(ReverseSearch, WorkedExampleOfTheNinthOfJune2013) {
    Source src;
    const auto d = Day(2013, 6, 9);
    // 丙午 day, 子 double-hour: hour 戊子, Ling Gui 7+7+5+9 = 28 → 申脉 (with 后溪), Fei Teng 戊 → 临泣 (with
    // 外关).
    EXPECT_TRUE(
        HasLine(Section(Search("申脉", d, d, src), DoctrineId::LingGui), "2013-06-09子时，灵龟穴位=申脉"));
    EXPECT_TRUE(
        HasLine(Section(Search("后溪", d, d, src), DoctrineId::LingGui), "2013-06-09子时，灵龟配穴=后溪"));
    EXPECT_TRUE(
        HasLine(Section(Search("外关", d, d, src), DoctrineId::FeiTeng), "2013-06-09戊子时，飞腾配穴=外关"));
    EXPECT_TRUE(
        HasLine(Section(Search("临泣", d, d, src), DoctrineId::FeiTeng), "2013-06-09戊子时，飞腾穴位=临泣"));
}

TEST(ReverseSearch, AgreesWithTheMainWindowUnderTheUndividedMidnight) {
    Source src;
    // 1949-10-01 (甲子), 子: hour 甲子, Ling Gui 35 mod 9 = 8 → 内关, Fei Teng 公孙.
    const auto oct1 = Day(1949, 10, 1);
    EXPECT_EQ(Section(Search("内关", oct1, oct1, src), DoctrineId::LingGui).front(),
              "1949-10-01子时，灵龟穴位=内关");
    EXPECT_EQ(Section(Search("公孙", oct1, oct1, src), DoctrineId::FeiTeng).front(),
              "1949-10-01甲子时，飞腾穴位=公孙");
    // 23:30 of 1 October belongs to the 子 line of 2 October (乙丑, yin): hour 丙子, 35 mod 6 = 5 → 照海;
    // 内关.
    const auto oct2 = Day(1949, 10, 2);
    EXPECT_EQ(Section(Search("照海", oct2, oct2, src), DoctrineId::LingGui).front(),
              "1949-10-02子时，灵龟穴位=照海");
    EXPECT_EQ(Section(Search("内关", oct2, oct2, src), DoctrineId::FeiTeng).front(),
              "1949-10-02丙子时，飞腾穴位=内关");
}

TEST(ReverseSearch, DayCycleAroundTheEpochs) {
    // Scan 5 names the day's meridian: 1901-01-05 癸 → 肾, 01-06 甲 → 胆, 01-09 丁 → 心, 01-10 戊 → 胃.
    Source src;
    for (const char* m : {"肾", "胆", "心", "胃"}) src.Meridian(m, "涌泉");
    const auto lines = Section(Search("涌泉", Day(1901, 1, 5), Day(1901, 1, 10), src), DoctrineId::RiGan);
    EXPECT_EQ(lines,
              (std::vector<std::string>{"1901-01-05全部时辰，穴位=涌泉", "1901-01-06全部时辰，穴位=涌泉",
                                        "1901-01-09全部时辰，穴位=涌泉", "1901-01-10全部时辰，穴位=涌泉"}));
    // 1901-01-05 (癸未) is a yin day: its Ling Gui remainders run 1..6, so 列缺 (9) never opens.
    Source none;
    for (const auto& l : Section(Search("列缺", Day(1901, 1, 5), Day(1901, 1, 5), none), DoctrineId::LingGui))
        EXPECT_NE(l.find("灵龟配穴"), std::string::npos) << "a yin day never reaches remainder 9: " << l;
}

TEST(ReverseSearch, TableScansFollowTheirRowsAndColumnOrder) {
    Source src;
    // A row naming the point as both 穴位 and 过原 gives two lines, 穴位 first; the branch is the last
    // character of 实际时辰, as the tick reads it.
    src.NaGan("甲", "甲戌", "足窍阴", "足窍阴", "");
    src.NaGan("乙", "X子", "", "", "足窍阴");
    src.NaZhi("寅", "足窍阴", "", "", "足窍阴");
    src.Shu("胆经", "足窍阴", "", "", "", "", "");
    src.Closed("甲", "丙子");
    src.BuXue("甲", "丙子", "足窍阴");
    src.Meridian("胆", "足窍阴");
    // 2013-06-04 (辛丑) to 2013-06-13 (庚戌) holds one 甲 day (06-07), one 乙 day (06-08), one 已 day
    // (06-12).
    const auto s = Search("足窍阴", Day(2013, 6, 4), Day(2013, 6, 13), src);
    EXPECT_EQ(Section(s, DoctrineId::NaGan),
              (std::vector<std::string>{"2013-06-07戌时，穴位=足窍阴", "2013-06-07戌时，过原=足窍阴",
                                        "2013-06-08子时，兼过原穴=足窍阴"}));
    // 纳支法 ignores the day: the same double-hour on every one of the ten dates, 本穴 before 补穴.
    const auto& naZhi = Section(s, DoctrineId::NaZhi);
    ASSERT_EQ(naZhi.size(), 20u);
    EXPECT_EQ(naZhi[0], "2013-06-04寅时，本穴=足窍阴");
    EXPECT_EQ(naZhi[1], "2013-06-04寅时，补穴=足窍阴");
    // 时干法 follows the hour stem, not the day: 甲 (胆经) hours come twelve times in ten days, the first
    // on the 辛 day's 午 hour.
    const auto& shiGan = Section(s, DoctrineId::ShiGan);
    ASSERT_EQ(shiGan.size(), 12u);
    EXPECT_EQ(shiGan.front(), "2013-06-04胆经甲午时，井=足窍阴");
    EXPECT_TRUE(HasLine(shiGan, "2013-06-07胆经甲子时，井=足窍阴"));
    // 纳支法2: the 子 hour of every date is the 胆 hour.
    EXPECT_EQ(Section(s, DoctrineId::NaZhi2).size(), 10u);
    EXPECT_EQ(Section(s, DoctrineId::NaZhi2).front(), "2013-06-04胆经子时，穴位=足窍阴");
    // 日干法: one line per matching date only (the 甲 day).
    EXPECT_EQ(Section(s, DoctrineId::RiGan), (std::vector<std::string>{"2013-06-07全部时辰，穴位=足窍阴"}));
    EXPECT_EQ(Section(s, DoctrineId::Supplementary),
              (std::vector<std::string>{"2013-06-07子时，徐氏纳干法补穴=足窍阴"}));
}

TEST(ReverseSearch, OldSpellingIsSearchedAndReportedUnderTheStandardName) {
    Source src;
    src.Meridian("三焦", "清泠渊");
    const auto d = Day(2013, 6, 9);
    EXPECT_EQ(Section(Search("清冷渊", d, d, src), DoctrineId::NaZhi2),
              (std::vector<std::string>{"2013-06-09三焦经亥时，穴位=清泠渊"}));
}

TEST(ReverseSearch, EmptyNameOrReversedRangeGivesHeadingsOnly) {
    Source src;
    src.NaGan("甲", "甲子", "", "", "");  // empty optional columns must not match an empty name
    for (const auto& [id, lines] : Search("", Day(2020, 1, 1), Day(2020, 1, 31), src))
        EXPECT_TRUE(lines.empty());
    for (const auto& [id, lines] : Search("公孙", Day(2020, 1, 2), Day(2020, 1, 1), src))
        EXPECT_TRUE(lines.empty());
    const auto report = CollectingSink().Report();
    ASSERT_EQ(report.size(), 8u);
    EXPECT_EQ(report.front(), "纳干法（徐氏）：");
    EXPECT_EQ(report.back(), "纳干法（徐氏）补穴法：");
}

TEST(ReverseSearch, ReportPutsEachSectionUnderItsHeading) {
    Source src;
    const auto d = Day(2013, 6, 9);
    CollectingSink sink;
    ReverseSearch("申脉", d, d, ReferenceTables(src.rows), sink);
    const auto report = sink.Report();
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
    Source src;
    src.NaGan("甲", "子丑", "公孙", "公孙", "");
    src.NaGan("已", "午", "", "", "公孙");
    src.NaZhi("巳", "", "公孙", "", "");
    src.Meridian("脾", "公孙");
    src.Shu("脾经", "", "", "", "", "", "公孙");
    src.Closed("癸", "亥子");
    src.BuXue("癸", "亥子", "公孙");
    for (const auto& [first, span] :
         {std::pair{Day(1900, 2, 1), 130}, {Day(1999, 12, 20), 100}, {Day(2100, 2, 20), 75}}) {
        const auto whole = Search("公孙", first, first + span, src);
        std::size_t found = 0;
        for (const Doctrine* d : ReportOrder()) {
            std::vector<std::string> joined;
            for (auto day = first; day <= first + span; ++day) {
                const auto one = Search("公孙", day, day, src).at(d->Id());
                joined.insert(joined.end(), one.begin(), one.end());
            }
            EXPECT_EQ(whole.at(d->Id()), joined) << d->Name() << " from day " << first;
            found += joined.empty() ? 0 : 1;
        }
        EXPECT_EQ(found, 8u) << "every doctrine opens 公孙 somewhere in the range";
    }
    const auto naZhi = Section(Search("公孙", Day(2000, 2, 28), Day(2000, 3, 1), src), DoctrineId::NaZhi);
    EXPECT_EQ(naZhi, (std::vector<std::string>{"2000-02-28巳时，原穴=公孙", "2000-02-29巳时，原穴=公孙",
                                               "2000-03-01巳时，原穴=公孙"}));
    EXPECT_EQ(Section(Search("公孙", Day(1900, 2, 28), Day(1900, 3, 1), src), DoctrineId::NaZhi).back(),
              "1900-03-01巳时，原穴=公孙");
}

TEST(ReverseSearch, CancelKeepsWhatWasFound) {
    Source src;
    std::atomic<bool> cancel{true};
    CollectingSink sink;
    EXPECT_EQ(
        ReverseSearch("公孙", Day(2020, 1, 1), Day(2020, 12, 31), ReferenceTables(src.rows), sink, &cancel),
        SearchOutcome::Cancelled);
    // Stopped once the fourth doctrine (Fei Teng) has walked its ten dates: the Ling Gui and Fei Teng lines
    // found before it stay, and no later doctrine ran.
    struct CancelAfter : CollectingSink {
        std::atomic<bool> stop{false};
        void Progress(std::int64_t done, std::int64_t) override {
            if (done >= 40) stop = true;
        }
    } partial;
    EXPECT_EQ(ReverseSearch("公孙", Day(2020, 1, 1), Day(2020, 1, 10), ReferenceTables(src.rows), partial,
                            &partial.stop),
              SearchOutcome::Cancelled);
    EXPECT_FALSE(partial.LinesOf(DoctrineId::LingGui).empty());
    EXPECT_FALSE(partial.LinesOf(DoctrineId::FeiTeng).empty());
    EXPECT_TRUE(partial.LinesOf(DoctrineId::NaZhi2).empty());
}

}  // namespace
}  // namespace velunar
