// `reverse POINT FROM TO`, run in this process: the report's shape, names that are only text, the saved
// file's bytes, and agreement with `schedule`, which works every double-hour out through the main
// window's method steps.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>

#include <QStringEncoder>

#include "doctrine_cli_util.h"
#include "reverse/reverse.h"
#include "store/database.h"

namespace velunar {
namespace {

using testing::DatabaseCopy;
using testing::ParseCsv;
using testing::RunCommand;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The report's sections in their order, as positions.
enum class Scan { NaGan, NaZhi, LingGui, FeiTeng, RiGan, ShiGan, NaZhi2, BuXue };
constexpr int kScanCount = 8;

std::vector<std::string> ReportHeadings() {
    std::vector<std::string> headings;
    for (const Doctrine* d : ReportOrder()) headings.emplace_back(d->ReportHeading());
    return headings;
}

std::vector<std::string> Headings() {
    return ReportHeadings();
}

TEST(ReverseCommand, TheSectionsComeInReportOrder) {
    const std::vector<const Doctrine*> order = ReportOrder();
    ASSERT_EQ(order.size(), static_cast<std::size_t>(kScanCount));
    const DoctrineId ids[] = {DoctrineId::NaGan,   DoctrineId::NaZhi,        DoctrineId::LingGui,
                              DoctrineId::FeiTeng, DoctrineId::RiGan,        DoctrineId::ShiGan,
                              DoctrineId::NaZhi2,  DoctrineId::Supplementary};
    for (int i = 0; i < kScanCount; ++i) EXPECT_EQ(order[static_cast<std::size_t>(i)]->Id(), ids[i]) << i;
}

// The report cut at its headings: one list of lines per scan.
std::array<std::vector<std::string>, kScanCount> Sections(const std::string& out) {
    std::array<std::vector<std::string>, kScanCount> sections;
    const std::vector<std::string> headings = ReportHeadings();
    int scan = -1;
    for (const std::string& line : Lines(out)) {
        if (scan + 1 < kScanCount && line == headings[static_cast<std::size_t>(scan + 1)]) {
            ++scan;
            continue;
        }
        EXPECT_GE(scan, 0) << "a line before the first heading: " << line;
        if (scan >= 0) sections[scan].push_back(line);
    }
    EXPECT_EQ(scan, kScanCount - 1) << "not every heading came, in order";
    return sections;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void AddMeridianPoint(const std::string& dbPath, const std::string& point, const std::string& meridian) {
    store::Database db(QStringLiteral("reverse_cli_test"));
    db.Open(QString::fromStdString(dbPath));
    db.Append(store::Table::JingLuo, store::Row{{"穴位", point}, {"经脉", meridian}, {"forder", "99"}});
}

TEST(ReverseCommand, NothingToFindGivesTheEightHeadingsOnly) {
    // A point of the user's own descriptions that no doctrine opens.
    testing::DatabaseCopy copy("described-only");
    ASSERT_TRUE(copy.Exec("insert into 穴位说明 (穴位, 穴位说明) values ('印堂', '经外奇穴。')"));
    const auto found = RunCommand({"reverse", "印堂", "2013-06-01", "2013-06-30", "--db", copy.path()});
    ASSERT_EQ(found.status, 0) << found.err;
    EXPECT_EQ(Lines(found.out), Headings());
    EXPECT_EQ(found.err, "");
    // Names that name no point, and a range that holds no date, are refused, not searched.
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"reverse", "", "2013-06-01", "2013-06-30"},
                                               {"reverse", "公孙", "2013-06-02", "2013-06-01"},
                                               {"reverse", "不是穴位", "2013-06-01", "2013-06-30"},
                                               {"reverse", "公孙' or '1'='1", "2013-06-01", "2013-06-30"}}) {
        const auto run = RunCommand(args);
        EXPECT_EQ(run.status, 2) << "name \"" << args[1] << "\" from " << args[2];
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
}

TEST(ReverseCommand, AQuoteInTheNameIsSearchedLikeAnyOtherText) {
    DatabaseCopy copy("reverse-quote");
    AddMeridianPoint(copy.path(), "阿'是", "脾");
    // 2013-06-01 is a 戊戌 day; the 已 (脾) days of June 2013 are the 2nd, 12th and 22nd.
    const auto run = RunCommand({"reverse", "阿'是", "2013-06-01", "2013-06-30", "--db", copy.path()});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto s = Sections(run.out);
    EXPECT_EQ(s[static_cast<int>(Scan::RiGan)],
              (std::vector<std::string>{"2013-06-02全部时辰，穴位=阿'是", "2013-06-12全部时辰，穴位=阿'是",
                                        "2013-06-22全部时辰，穴位=阿'是"}));
    // 纳支法2 opens the 脾 points in the 巳 double-hour of every date.
    ASSERT_EQ(s[static_cast<int>(Scan::NaZhi2)].size(), 30u);
    EXPECT_EQ(s[static_cast<int>(Scan::NaZhi2)].front(), "2013-06-01脾经巳时，穴位=阿'是");
}

TEST(ReverseCommand, OutWritesTheWindowsFileWholeOrNotAtAll) {
    DatabaseCopy copy("reverse-out");
    const std::string file = copy.path() + ".report";
    const auto shown = RunCommand({"reverse", "申脉", "2013-06-01", "2013-06-10"});
    const auto saved = RunCommand({"reverse", "申脉", "2013-06-01", "2013-06-10", "--out", file});
    ASSERT_EQ(saved.status, 0) << saved.err;
    EXPECT_EQ(saved.out, "");

    // The same lines as standard output, in GBK, each followed by CR LF, no byte-order mark.
    QString crlf;
    for (const std::string& line : Lines(shown.out))
        crlf += QString::fromStdString(line) + QStringLiteral("\r\n");
    QStringEncoder gbk("GBK");
    ASSERT_TRUE(gbk.isValid()) << "this Qt cannot write GBK";
    const QByteArray expected = gbk(crlf);
    const std::string bytes = ReadFile(file);
    EXPECT_EQ(bytes, expected.toStdString());
    EXPECT_EQ(bytes.substr(0, 18), QByteArray::fromHex("c4c9b8c9b7a8a3a8d0eccacfa3a9a3ba0d0a").toStdString());
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), std::count(bytes.begin(), bytes.end(), '\r'));

    // A name GBK cannot hold that opens somewhere: refused with the character named, the earlier report kept.
    AddMeridianPoint(copy.path(), "😀穴", "脾");
    const auto refused =
        RunCommand({"reverse", "😀穴", "2013-06-01", "2013-06-10", "--out", file, "--db", copy.path()});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("😀"), std::string::npos) << refused.err;
    EXPECT_EQ(ReadFile(file), bytes);
    // Standard output takes any text.
    const auto printed = RunCommand({"reverse", "😀穴", "2013-06-01", "2013-06-10", "--db", copy.path()});
    EXPECT_EQ(printed.status, 0);
    EXPECT_NE(printed.out.find("2013-06-02全部时辰，穴位=😀穴"), std::string::npos);
}

TEST(ReverseCommand, ProgressGoesToStandardErrorOnly) {
    const auto plain = RunCommand({"reverse", "公孙", "1990-01-01", "2009-12-31"});
    const auto progress = RunCommand({"reverse", "公孙", "1990-01-01", "2009-12-31", "--progress"});
    ASSERT_EQ(progress.status, 0) << progress.err;
    EXPECT_EQ(progress.out, plain.out);
    const auto lines = Lines(progress.err);
    ASSERT_FALSE(lines.empty());
    EXPECT_NE(lines.back().find("100%"), std::string::npos) << lines.back();
}

TEST(ReverseCommand, RefusesWhatIsNotAPointAndARange) {
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"reverse"},
                                               {"reverse", "公孙", "2013-06-01"},
                                               {"reverse", "公孙", "2013-06-01", "2013-06-30", "2013-07-01"},
                                               {"reverse", "公孙", "2013-6-1", "2013-06-30"},
                                               {"reverse", "公孙", "2013-06-01", "2013-02-30"},
                                               {"reverse", "公孙", "2013-06-01 00:00", "2013-06-30"},
                                               {"reverse", "公孙", "2013-06-01", "2013-06-30", "--out"},
                                               {"reverse", "公孙", "2013-06-01", "2013-06-30", "--tsv"}}) {
        const auto run = RunCommand(args);
        EXPECT_EQ(run.status, 2) << args.size();
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
    // After "--" a name may begin with a hyphen: it is taken as the point, not as a flag.
    const auto dashed = RunCommand({"reverse", "--", "-公孙", "2013-06-01", "2013-06-02"});
    EXPECT_EQ(dashed.status, 2);
    EXPECT_NE(dashed.err.find("不是已知的穴位：-公孙"), std::string::npos) << dashed.err;
}

// What `schedule` says opens the point, written as the reverse lookup's lines. The schedule names only
// meridians for 日干法, 时干法 and 纳支法2, and has no column for 纳支法's 原穴: the tables fill in those.
class ScheduleAsLines {
  public:
    ScheduleAsLines() {
        store::Database db(QStringLiteral("reverse_cli_tables"));
        db.Open(QString::fromStdString(testing::BuiltDatabase()));
        jingLuo_ = db.SelectAll(store::Table::JingLuo).rows;
        wuShu_ = db.SelectAll(store::Table::WuShu).rows;
        diZhi_ = db.SelectAll(store::Table::DiZhi).rows;
    }

    std::array<std::set<std::string>, kScanCount> For(
        const std::string& p, const std::vector<std::vector<std::string>>& csv) const {
        std::map<std::string, std::size_t> col;
        for (std::size_t i = 0; i < csv[0].size(); ++i) col[csv[0][i]] = i;
        std::array<std::set<std::string>, kScanCount> out;
        const auto add = [&](Scan s, const std::string& line) { out[static_cast<int>(s)].insert(line + p); };
        for (std::size_t i = 1; i < csv.size(); ++i) {
            const auto at = [&](const char* name) { return csv[i][col.at(name)]; };
            const std::string date = at("日期"), sb = at("时干支"), b = sb.substr(3);
            if (at("纳干穴位") == p) add(Scan::NaGan, date + b + "时，穴位=");
            if (at("过原") == p) add(Scan::NaGan, date + b + "时，过原=");
            if (at("兼过原穴") == p) add(Scan::NaGan, date + b + "时，兼过原穴=");
            if (at("补穴") == p) add(Scan::BuXue, date + b + "时，徐氏纳干法补穴=");
            if (at("纳支本穴") == p) add(Scan::NaZhi, date + b + "时，本穴=");
            for (const auto& r : diZhi_)
                if (r.Value("时辰") == b && r.Value("原穴") == p) add(Scan::NaZhi, date + b + "时，原穴=");
            if (at("纳支泻穴") == p) add(Scan::NaZhi, date + b + "时，泻穴=");
            if (at("纳支补穴") == p) add(Scan::NaZhi, date + b + "时，补穴=");
            if (at("灵龟穴位") == p) add(Scan::LingGui, date + b + "时，灵龟穴位=");
            if (at("灵龟配穴") == p) add(Scan::LingGui, date + b + "时，灵龟配穴=");
            if (at("飞腾穴位") == p) add(Scan::FeiTeng, date + sb + "时，飞腾穴位=");
            if (at("飞腾配穴") == p) add(Scan::FeiTeng, date + sb + "时，飞腾配穴=");
            if (OnMeridian(p, at("日干法经"))) add(Scan::RiGan, date + "全部时辰，穴位=");
            const std::string shi = at("时干法经");
            for (const auto& r : wuShu_) {
                if (r.Value("经络") != shi) continue;
                for (const char* c : {"井", "经", "荥", "合", "俞", "原"})
                    if (r.Value(c) == p) add(Scan::ShiGan, date + shi + sb + "时，" + c + "=");
            }
            const std::string zhi = at("纳支法2经");
            if (OnMeridian(p, zhi)) add(Scan::NaZhi2, date + zhi + "经" + b + "时，穴位=");
        }
        return out;
    }

  private:
    bool OnMeridian(const std::string& p, const std::string& meridian) const {
        for (const auto& r : jingLuo_)
            if (r.Value("穴位") == p && r.Value("经脉") == meridian) return true;
        return false;
    }

    std::vector<store::Row> jingLuo_, wuShu_, diZhi_;
};

TEST(ReverseCommand, AgreesWithTheScheduleOverAMonth) {
    const auto schedule = RunCommand({"schedule", "2026-12-01", "2026-12-31", "--csv"});
    ASSERT_EQ(schedule.status, 0) << schedule.err;
    const auto csv = ParseCsv(schedule.out);
    const ScheduleAsLines expected;
    std::array<std::size_t, kScanCount> hits{};
    for (const std::string p :
         {"公孙", "内关", "足三里", "太渊", "阳辅", "足临泣", "中渚", "神门", "行间", "委中"}) {
        const auto run = RunCommand({"reverse", p, "2026-12-01", "2026-12-31"});
        ASSERT_EQ(run.status, 0) << run.err;
        const auto found = Sections(run.out);
        const auto wanted = expected.For(p, csv);
        for (int s = 0; s < kScanCount; ++s) {
            const std::set<std::string> lines(found[s].begin(), found[s].end());
            EXPECT_EQ(lines.size(), found[s].size()) << p << ": a line twice in scan " << s;
            EXPECT_EQ(lines, wanted[s]) << p << " in scan " << s;
            hits[s] += lines.size();
        }
    }
    for (int s = 0; s < kScanCount; ++s) EXPECT_GT(hits[s], 0u) << "no point of the test opens in scan " << s;
}

}  // namespace
}  // namespace velunar
