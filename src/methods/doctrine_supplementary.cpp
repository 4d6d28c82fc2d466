// 纳干法（徐氏）补穴法: in a closed hour of the Na Gan method, the 补穴表 row names the point to use instead.
// Why a row names its point comes from two rules used in turn: the partner day's opening at the same hour
// (合日互用), else the 一四二五三〇 order of the hour stem's own meridian.
#include "calendar/tr_mark.h"
#include "methods/doctrine.h"
#include "methods/doctrine_rules.h"
#include "methods/nagan_schedule.h"

namespace velunar {
namespace {

// The steps of the doctrine, in one place.
constexpr StepLabel kClosedHour{"buxue.closed", VELUNAR_TR("step", "纳干法此时闭穴，补穴法为之另取一穴")};
constexpr StepLabel kPartner{
    "buxue.partner",
    VELUNAR_TR("step",
               "合日互用（夫妻互用，见李梴《医学入门》）：{1}日与{2}日相合（甲已、乙庚、丙辛、丁壬、戊癸），"
               "两日的时辰干支全同；本日{3}时闭，而{2}日{3}时开{4}{5}穴{6}，取之")};
constexpr StepLabel kBothClosed{
    "buxue.bothClosed",
    VELUNAR_TR("step", "{1}日与合日{2}日的{3}时都闭，改用一四二五三〇规律（今人据徐氏开穴之序所归纳）")};
constexpr StepLabel kOrder{
    "buxue.order",
    VELUNAR_TR("step",
               "按时干取穴：六个{1}时自{2}时（{3}开井穴之时）起，时支每进二位为一时，依次取本经一井、四经、"
               "二荥、五合、三俞，第六时取日干重见所纳之穴；{4}为其第{5}时，取{6}{7}穴{8}")};
// The last step: the five shown values (经脉 五行 五俞 穴位 值日经), the day stem, the branch.
constexpr StepLabel kResult{"buxue.result", VELUNAR_TR("step", "补穴法：取{1}{3}穴{4}（{2}），值日经{5}")};
constexpr StepLabel kTable{
    "buxue.table",
    VELUNAR_TR("step",
               "注意：本机数据库补穴表{6}日{7}时一行为经脉{1}、五行{2}、五俞{3}、穴位{4}、值日经{5}，"
               "与上述推算不同；页面按数据库显示")};
constexpr StepLabel kMissing{"buxue.missing",
                             VELUNAR_TR("step", "本机数据库补穴表中没有{6}日{7}时的行，补穴法页留空")};
constexpr StepLabel kNotClosed{"buxue.notClosed", VELUNAR_TR("step", "纳干法此时不闭穴，无需补穴")};

// 一四二五三〇: the category opened by each of the six hours of one stem, from its well hour on.
constexpr std::array<int, 5> kOrderOfHours = {0, 3, 1, 4, 2};

constexpr std::string_view kTitles[] = {"补穴"};

bool Closed(const Moment& m, const ReferenceTables& t) {
    const NaGanRow* row = t.NaGan(m.dayStem, m.hourBranch);
    return row && row->meridian == "闭";
}

bool Same(const SupplementaryRow& a, const SupplementaryRow& b) {
    return a.meridian == b.meridian && a.phase == b.phase && a.category == b.category && a.point == b.point &&
           a.dutyMeridian == b.dutyMeridian;
}

std::string Long(const MeridianFacts& m) {
    return std::string(m.name) + "经";
}

class Supplementary final : public Doctrine {
  public:
    DoctrineId Id() const override { return DoctrineId::Supplementary; }
    std::string_view Name() const override { return "supplementary"; }
    std::string_view Key() const override { return "buxue"; }

    std::string_view ReportHeading() const override {
        return VELUNAR_TR("heading", "纳干法（徐氏）补穴法：");
    }
    int ReportRank() const override { return 7; }
    void OpeningsOn(std::int64_t day, std::string_view point, const ReferenceTables& t,
                    std::vector<std::string>& tails) const override {
        ForEachDoubleHour(day, [&](const Moment& m) {
            if (!Closed(m, t)) return;
            const SupplementaryRow* row = t.Supplementary(m.dayStem, m.hourBranch);
            if (row && row->point == point)
                tails.push_back(Tail({velunar::Name(m.hourBranch), "时，徐氏纳干法补穴="}, point));
        });
    }

    std::span<const std::string_view> ScheduleTitles() const override { return kTitles; }
    void ScheduleCells(const Moment&, const Finding& f, std::vector<std::string>& out) const override {
        out.push_back(f.applies ? f.Text("point") : std::string());
    }

  protected:
    Finding Work(const Moment& m, const ReferenceTables& t, Why why) const override {
        Finding f;
        f.applies = Closed(m, t);
        const SupplementaryRow* found = f.applies ? t.Supplementary(m.dayStem, m.hourBranch) : nullptr;
        const SupplementaryRow row = found ? *found : SupplementaryRow{};
        f.cells = {{"meridian", "经脉", row.meridian},
                   {"phase", "五行", row.phase},
                   {"category", "五俞", row.category},
                   {"point", "穴位", row.point},
                   {"dutyMeridian", "值日经", row.dutyMeridian}};
        if (!why.Wanted()) return f;
        const auto last = [&](const StepLabel& label) {
            why(label, row.meridian, row.phase, row.category, row.point, row.dutyMeridian,
                velunar::Name(m.dayStem), velunar::Name(m.hourBranch));
        };
        if (!f.applies) {
            last(kNotClosed);
            return f;
        }
        why(kClosedHour);
        const SupplementaryRow rule = SupplementaryByRule(m.dayStem, m.hourBranch, why);
        last(!found ? kMissing : Same(rule, row) ? kResult : kTable);
        return f;
    }
};

}  // namespace

SupplementaryRow SupplementaryByRule(Stem day, Branch hour, Why why) {
    const std::optional<int> h = NaGanHour(day, hour);
    if (!h || OpeningAt(*h)) return {};
    const std::string gz = HourGanZhiOf(*h);
    const int d = Number(day) - 1;
    const int partnerDay = (d + 5) % 10;
    const MeridianFacts* meridian = nullptr;
    int category = 0;
    // The partner day five days on has the same hours, stem and branch.
    if (const std::optional<NaGanOpening> partner = OpeningAt(*h + kNaGanHours / 2)) {
        meridian = partner->meridian;
        category = partner->category;
        why(kPartner, Name(day), StemName(partnerDay + 1), gz, Long(*meridian), CategoryName(category),
            partner->point);
    } else {
        why(kBothClosed, Name(day), StemName(partnerDay + 1), gz);
        const int stem = *h % 10;
        const int nth = (((*h - WellHour(stem)) % 12 + 12) % 12) / 2;  // stem hours are two branches apart
        if (nth < kTransportCategories) {
            meridian = &StemMeridian(stem);
            category = kOrderOfHours[static_cast<std::size_t>(nth)];
        } else {
            const NaGanOpening lodged = ScheduleOf(stem)[kLodgedPosition];
            meridian = lodged.meridian;
            category = lodged.category;
        }
        why(kOrder, StemName(stem + 1), HourGanZhiOf(WellHour(stem)), Long(StemMeridian(stem)), gz, nth + 1,
            Long(*meridian), CategoryName(category), meridian->transport[static_cast<std::size_t>(category)]);
    }
    return {Long(*meridian), std::string(Name(CategoryPhase(*meridian, category))),
            std::string(CategoryName(category)),
            std::string(meridian->transport[static_cast<std::size_t>(category)]), Long(DutyMeridian(*h))};
}

const Doctrine& SupplementaryDoctrine() {
    static const Supplementary d;
    return d;
}

}  // namespace velunar
