// 纳支法: the double-hour alone names the meridian at its height, with its own, source, draining and
// tonifying points (地支表). The day plays no part.
#include "calendar/tr_mark.h"
#include "methods/doctrine.h"
#include "methods/doctrine_rules.h"
#include "methods/doctrine_tables.h"
#include "methods/meridians.h"

namespace velunar {
namespace {

// The steps of the doctrine, in one place.
constexpr StepLabel kMeridian{
    "nazhi.meridian",
    VELUNAR_TR("step", "{1}时气血流注于{2}经，其经正盛（《针灸大成》十二经纳地支歌：“{3}”）")};
constexpr StepLabel kOwn{"nazhi.own",
                         VELUNAR_TR("step", "{1}经五行属{2}，本穴取本经属{2}的{3}穴{4}；原穴{5}")};
constexpr StepLabel kOwnYin{
    "nazhi.ownYin", VELUNAR_TR("step", "{1}经五行属{2}，本穴取本经属{2}的{3}穴{4}；原穴{5}（阴经以输代原）")};
constexpr StepLabel kDrain{"nazhi.drain",
                           VELUNAR_TR("step",
                                      "实则泻其子（《难经·六十九难》：“虚者补其母，实者泻其子”）：{1}生{2}，"
                                      "于{3}经正盛之时泻其子穴，即属{2}的{4}穴{5}")};
constexpr StepLabel kTonify{
    "nazhi.tonify", VELUNAR_TR("step",
                               "虚则补其母：{1}经的时辰（{2}时）刚过，经气已衰，于本时辰补其母穴：{3}生{4}，"
                               "即{1}经属{3}的{5}穴{6}")};
constexpr StepLabel kResult{"nazhi.result",
                            VELUNAR_TR("step", "纳支法：本穴{1}，原穴{2}，泻{4}{3}，补{6}{5}")};
constexpr StepLabel kTable{
    "nazhi.table",
    VELUNAR_TR("step",
               "注意：本机数据库地支表{7}时一行为本穴{1}、原穴{2}、泻穴{3}、本经{4}、补穴{5}、补穴经{6}，"
               "与上述推算不同；页面按数据库显示")};
constexpr StepLabel kMissing{"nazhi.missing",
                             VELUNAR_TR("step", "本机数据库地支表中没有{7}时的行，纳支法页留空")};
constexpr StepLabel kNoHour{"nazhi.noHour", VELUNAR_TR("step", "尚未定出时辰，纳支法无从推算")};

constexpr std::string_view kTitles[] = {"纳支本穴", "纳支泻穴", "纳支补穴"};

bool Same(const NaZhiRow& a, const NaZhiRow& b) {
    return a.ownPoint == b.ownPoint && a.sourcePoint == b.sourcePoint && a.drainPoint == b.drainPoint &&
           a.ownMeridian == b.ownMeridian && a.tonifyPoint == b.tonifyPoint &&
           a.tonifyMeridian == b.tonifyMeridian;
}

class NaZhi final : public Doctrine {
  public:
    DoctrineId Id() const override { return DoctrineId::NaZhi; }
    std::string_view Name() const override { return "naZhi"; }
    std::string_view Key() const override { return "nazhi"; }

    std::string_view ReportHeading() const override { return VELUNAR_TR("heading", "纳支法："); }
    int ReportRank() const override { return 1; }
    void OpeningsOn(std::int64_t day, std::string_view point, const ReferenceTables& t,
                    std::vector<std::string>& tails) const override {
        ForEachDoubleHour(day, [&](const Moment& m) {
            const NaZhiRow* row = t.NaZhi(m.hourBranch);
            if (!row) return;
            const std::string_view hour = velunar::Name(m.hourBranch);
            if (row->ownPoint == point) tails.push_back(Tail({hour, "时，本穴="}, point));
            if (row->sourcePoint == point) tails.push_back(Tail({hour, "时，原穴="}, point));
            if (row->drainPoint == point) tails.push_back(Tail({hour, "时，泻穴="}, point));
            if (row->tonifyPoint == point) tails.push_back(Tail({hour, "时，补穴="}, point));
        });
    }

    std::span<const std::string_view> ScheduleTitles() const override { return kTitles; }
    void ScheduleCells(const Moment&, const Finding& f, std::vector<std::string>& out) const override {
        out.push_back(f.Text("ownPoint"));
        out.push_back(f.Text("drainPoint"));
        out.push_back(f.Text("tonifyPoint"));
    }

  protected:
    Finding Work(const Moment& m, const ReferenceTables& t, Why why) const override {
        const NaZhiRow* found = t.NaZhi(m.hourBranch);
        const NaZhiRow row = found ? *found : NaZhiRow{};
        Finding f;
        f.cells = {
            {"ownPoint", "本穴", row.ownPoint},       {"sourcePoint", "原穴", row.sourcePoint},
            {"drainPoint", "泻穴", row.drainPoint},   {"ownMeridian", "本经", row.ownMeridian},
            {"tonifyPoint", "补穴", row.tonifyPoint}, {"tonifyMeridian", "补穴经", row.tonifyMeridian}};
        if (!why.Wanted()) return f;
        const auto last = [&](const StepLabel& label) {
            why(label, row.ownPoint, row.sourcePoint, row.drainPoint, row.ownMeridian, row.tonifyPoint,
                row.tonifyMeridian, velunar::Name(m.hourBranch));
        };
        if (m.hourBranch == Branch::None) {
            last(kNoHour);
            return f;
        }
        const NaZhiRow rule = NaZhiByRule(m.hourBranch, why);
        last(!found ? kMissing : Same(rule, row) ? kResult : kTable);
        return f;
    }
};

}  // namespace

NaZhiRow NaZhiByRule(Branch hour, Why why) {
    const MeridianFacts* own = MeridianNamed(MeridianOfBranch(Number(hour)));
    if (!own) return {};
    // The meridian whose double-hour has just passed: Number(hour) − 1, 子 after 亥.
    const Branch before = BranchAt((Number(hour) + 10) % 12 + 1);
    const MeridianFacts& previous = *MeridianNamed(MeridianOfBranch(Number(before)));
    const int ownCategory = CategoryOfPhase(*own, own->phase);
    const int drainCategory = CategoryOfPhase(*own, Child(own->phase));
    const int tonifyCategory = CategoryOfPhase(previous, Mother(previous.phase));
    const auto point = [](const MeridianFacts& m, int c) { return m.transport[static_cast<std::size_t>(c)]; };
    NaZhiRow r{std::string(point(*own, ownCategory)),        std::string(own->source),
               std::string(point(*own, drainCategory)),      std::string(own->name) + "经",
               std::string(point(previous, tonifyCategory)), std::string(previous.name) + "经"};
    why(kMeridian, Name(hour), own->name, BranchMeridianVerse(Number(hour)));
    why(own->yin ? kOwnYin : kOwn, own->name, Name(own->phase), CategoryName(ownCategory), r.ownPoint,
        r.sourcePoint);
    why(kDrain, Name(own->phase), Name(Child(own->phase)), own->name, CategoryName(drainCategory),
        r.drainPoint);
    why(kTonify, previous.name, Name(before), Name(Mother(previous.phase)), Name(previous.phase),
        CategoryName(tonifyCategory), r.tonifyPoint);
    return r;
}

const Doctrine& NaZhiDoctrine() {
    static const NaZhi d;
    return d;
}

}  // namespace velunar
