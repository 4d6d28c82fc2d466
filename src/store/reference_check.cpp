#include "store/reference_check.h"

#include <array>
#include <map>
#include <set>
#include <string_view>

#include "calendar/ganzhi.h"
#include "store/database.h"
#include "store/translation.h"

namespace velunar::store {
namespace {

constexpr std::array<std::string_view, 12> kShortMeridians = {"胆", "肝",   "肺",   "大肠", "胃",   "脾",
                                                              "心", "小肠", "膀胱", "肾",   "心包", "三焦"};
constexpr std::size_t kListed = 12;  // keys named in one message before "…"

std::vector<std::string> Stems() {
    std::vector<std::string> stems;
    for (int n = 1; n <= 10; ++n) stems.push_back(StemName(n));
    return stems;
}

std::vector<std::string> Branches() {
    std::vector<std::string> branches;
    for (int n = 1; n <= 12; ++n) branches.push_back(BranchName(n));
    return branches;
}

// The last character of a UTF-8 text.
std::string LastCharacter(const std::string& text) {
    std::size_t start = text.size();
    while (start > 0) {
        --start;
        if ((static_cast<unsigned char>(text[start]) & 0xC0) != 0x80) break;
    }
    return text.substr(start);
}

std::string Joined(const std::vector<std::string>& keys) {
    std::string out;
    const std::string comma = Translated("store", "、");
    for (std::size_t i = 0; i < keys.size() && i < kListed; ++i) out += (i ? comma : "") + keys[i];
    if (keys.size() > kListed)
        out += Filled(Translated("store", " 等 {1} 个"), {std::to_string(keys.size())});
    return out;
}

// Collects what is wrong with one table and words it as one message.
class TableReport {
  public:
    TableReport(std::string table, std::string expected)
        : table_(std::move(table)), expected_(std::move(expected)) {}
    void Missing(std::string key) { missing_.push_back(std::move(key)); }
    void Doubled(std::string key) { doubled_.push_back(std::move(key)); }
    void Misspelt(std::string key) { misspelt_.push_back(std::move(key)); }
    void AddTo(std::vector<std::string>& problems, std::size_t rowsFound) const {
        if (missing_.empty() && doubled_.empty() && misspelt_.empty()) return;
        std::string text = Filled(Translated("store", "{1}不完整：应有{2}，实际 {3} 行"),
                                  {table_, expected_, std::to_string(rowsFound)});
        if (!missing_.empty()) text += Filled(Translated("store", "；缺少 {1}"), {Joined(missing_)});
        if (!misspelt_.empty()) text += Filled(Translated("store", "；键不对的行 {1}"), {Joined(misspelt_)});
        if (!doubled_.empty()) text += Filled(Translated("store", "；重复 {1}"), {Joined(doubled_)});
        problems.push_back(text);
    }

  private:
    std::string table_;
    std::string expected_;
    std::vector<std::string> missing_, doubled_, misspelt_;
};

// Each expected key once; keys outside the expected ones are misspelt, unless extra rows do no harm.
enum class Extra { Misspelt, Harmless };
void CheckKeys(TableReport& report, const std::vector<std::string>& expected,
               const std::vector<std::string>& found, Extra extra = Extra::Misspelt,
               const std::map<std::string, std::string>& shownAs = {}) {
    std::map<std::string, int> count;
    for (const std::string& key : found) ++count[key];
    const std::set<std::string> wanted(expected.begin(), expected.end());
    for (const std::string& key : expected) {
        if (count[key] == 0) report.Missing(key);
        if (count[key] > 1) report.Doubled(key);
    }
    for (const std::string& key : found) {
        if (wanted.count(key) || extra == Extra::Harmless) continue;
        const auto shown = shownAs.find(key);
        report.Misspelt(shown == shownAs.end() ? "“" + key + "”" : shown->second);
    }
}

}  // namespace

std::vector<std::string> CheckReferenceTables(Database& db) {
    std::vector<std::string> problems;
    const std::vector<std::string> stems = Stems();
    const std::vector<std::string> branches = Branches();

    const Result tianGan = db.SelectAll(Table::TianGan);
    {
        std::vector<std::string> pairs, found;
        for (const std::string& stem : stems)
            for (const std::string& branch : branches) pairs.push_back(stem + branch);
        std::map<std::string, std::string> shownAs;
        for (const Row& row : tianGan.rows) {
            const std::string key = row.Value("实际日") + LastCharacter(row.Value("实际时辰"));
            shownAs[key] = "实际日“" + row.Value("实际日") + "”实际时辰“" + row.Value("实际时辰") + "”";
            found.push_back(key);
        }
        TableReport report("天干表",
                           Translated("store", " 120 行（日干甲乙丙丁戊已庚辛壬癸 × 时支子至亥，各一行）"));
        CheckKeys(report, pairs, found, Extra::Misspelt, shownAs);
        report.AddTo(problems, tianGan.rows.size());
    }

    const Result diZhi = db.SelectAll(Table::DiZhi);
    {
        TableReport report("地支表", Translated("store", " 12 行（时辰子至亥，各一行）"));
        CheckKeys(report, branches, diZhi.Column("时辰"));
        report.AddTo(problems, diZhi.rows.size());
    }

    const Result buXue = db.SelectAll(Table::BuXue);
    {
        // Only the closed hours 天干表 itself keys correctly: its own message tells the others. A row for an
        // open hour is never looked up.
        std::vector<std::string> closed, found;
        for (const Row& row : tianGan.rows) {
            const std::string stem = row.Value("实际日");
            if (row.Value("经脉") != "闭" || StemNumber(stem) == kNoStem ||
                BranchNumber(LastCharacter(row.Value("实际时辰"))) == kNoBranch)
                continue;
            closed.push_back(stem + "日" + row.Value("实际时辰"));
        }
        for (const Row& row : buXue.rows) found.push_back(row.Value("实际日") + "日" + row.Value("实际时辰"));
        TableReport report("补穴表", Filled(Translated("store", " {1} 行（天干表每个闭穴时辰一行）"),
                                            {std::to_string(closed.size())}));
        CheckKeys(report, closed, found, Extra::Harmless);
        report.AddTo(problems, buXue.rows.size());
    }

    const Result wuShu = db.SelectAll(Table::WuShu);
    {
        std::vector<std::string> longNames;
        for (std::string_view name : kShortMeridians) longNames.push_back(std::string(name) + "经");
        TableReport report("五俞穴", Translated("store", " 12 行（十二经各一行：胆经、肝经……）"));
        CheckKeys(report, longNames, wuShu.Column("经络"));
        report.AddTo(problems, wuShu.rows.size());
    }

    const Result jingLuo = db.SelectAll(Table::JingLuo);
    {
        std::set<std::string> withPoints;
        for (const Row& row : jingLuo.rows)
            if (!row.Value("穴位").empty()) withPoints.insert(row.Value("经脉"));
        TableReport report("经络表", Translated("store", "十二经（胆、肝……）每经至少一个穴位"));
        for (std::string_view name : kShortMeridians)
            if (!withPoints.count(std::string(name)))
                report.Missing(Filled(Translated("store", "{1}经的穴位"), {name}));
        report.AddTo(problems, jingLuo.rows.size());
    }
    return problems;
}

}  // namespace velunar::store
