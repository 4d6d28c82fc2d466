// The two eight-method doctrines of the confluent points (灵龟八法, 飞腾八法): pure arithmetic on the Moment.
// Both read the Moment's hour stem, so the late-Zi rule of the time mode acts on the hour stem only; the day
// stem, its yin or yang and the day branch stay the Moment's own.
#include "calendar/tr_mark.h"
#include "methods/doctrine.h"
#include "methods/doctrine_tables.h"

namespace velunar {
namespace {

// The steps of both methods, in one place: the texts are the program's own, the quoted lines are the
// classical verses the arithmetic comes from (徐凤《针灸大全》卷四).
constexpr StepLabel kLgDayStem{"linggui.dayStem",
                               VELUNAR_TR("step", "日干{1}数{2}（徐凤《针灸大全》八法逐日干支歌：“{3}”）")};
constexpr StepLabel kLgDayBranch{"linggui.dayBranch",
                                 VELUNAR_TR("step", "日支{1}数{2}（八法逐日干支歌：“{3}”）")};
constexpr StepLabel kLgHourStem{"linggui.hourStem",
                                VELUNAR_TR("step", "时干{1}数{2}（八法临时干支歌：“{3}”）")};
constexpr StepLabel kLgHourBranch{"linggui.hourBranch",
                                  VELUNAR_TR("step", "时支{1}数{2}（八法临时干支歌：“{3}”）")};
constexpr StepLabel kLgLateZi{
    "linggui.lateZi", VELUNAR_TR("step", "夜子时：时干从次日{1}起算，日干、日支及日之阴阳仍按本日{2}{3}")};
constexpr StepLabel kLgSum{"linggui.sum", VELUNAR_TR("step", "四数相加：{1} + {2} + {3} + {4} = {5}")};
constexpr StepLabel kLgDivide{
    "linggui.divide",
    VELUNAR_TR("step",
               "{1}为{2}日，{2}日除{3}（八法临时干支歌：“阳日除九阴除六，不及零余穴下推”）："
               "{4} ÷ {3} = {5} 余 {6}，即 {4} mod {3} = {6}")};
constexpr StepLabel kLgZero{"linggui.zero", VELUNAR_TR("step", "余数为 0：整除时以除数 {1} 为数")};
constexpr StepLabel kLgPoint{"linggui.point",
                             VELUNAR_TR("step", "{1}为{2}，开{3}（《针灸大全》八法歌：“{4}”）")};
constexpr StepLabel kLgResult{"linggui.result", VELUNAR_TR("step", "灵龟八法：开{1}，配{2}")};
constexpr StepLabel kLgNoHour{"linggui.noHour", VELUNAR_TR("step", "尚未定出时辰，灵龟八法无从推算")};

constexpr StepLabel kFtStem{
    "feiteng.stem", VELUNAR_TR("step", "飞腾八法只看时干：时干{1}开{2}（《针灸大全》飞腾八法歌：“{3}”）")};
constexpr StepLabel kFtResult{"feiteng.result", VELUNAR_TR("step", "飞腾八法：开{1}，配{2}")};
constexpr StepLabel kFtNoHour{"feiteng.noHour", VELUNAR_TR("step", "尚未定出时辰，飞腾八法无从推算")};

constexpr StepLabel kPartner{"eight.partner",
                             VELUNAR_TR("step", "{1}与{2}同为八脉交会穴，相配而用（八脉交会八穴歌：“{3}”）")};

// 八法逐日干支歌, line by line, and the line that gives each day stem and day branch its number.
constexpr std::array<std::string_view, 5> kDayVerse = {"甲己辰戌丑未十", "乙庚申酉九为期", "丁壬寅卯八成数",
                                                       "戊癸巳午七相宜", "丙辛亥子亦七数"};
constexpr std::array<int, 10> kDayStemLine = {0, 1, 4, 2, 3, 0, 1, 4, 2, 3};
constexpr std::array<int, 12> kDayBranchLine = {4, 0, 2, 2, 0, 3, 3, 0, 1, 1, 0, 4};
// 八法临时干支歌: stems go by pairs five apart, branches by pairs six apart.
constexpr std::array<std::string_view, 6> kHourVerse = {"甲己子午九宜用", "乙庚丑未八无疑", "丙辛寅申七作数",
                                                        "丁壬卯酉六须知", "戊癸辰戌各有五", "巳亥单加四共齐"};
// 八法歌: the nine numbers of the nine palaces and their points; five is the centre, lodged with 坤.
constexpr std::array<std::string_view, 9> kPalace = {"坎卦", "坤卦", "震卦", "巽卦", "中宫（寄坤）",
                                                     "乾卦", "兑卦", "艮卦", "离卦"};
constexpr std::array<std::string_view, 9> kPalaceVerse = {"坎一联申脉", "照海坤二五", "震三属外关",
                                                          "巽四临泣数", "照海坤二五", "乾六是公孙",
                                                          "兑七后溪府", "艮八系内关", "离九列缺主"};
// 飞腾八法歌, the line of each hour stem.
constexpr std::array<std::string_view, 10> kFeiTengVerse = {
    "壬甲公孙即是乾", "乙癸申脉到坤传", "丙居艮上内关然", "丁居照海兑金全", "戊为临泣生坎水",
    "己土列缺南离上", "庚属外关震相连", "辛上后溪装巽卦", "壬甲公孙即是乾", "乙癸申脉到坤传"};

struct PairVerse {
    std::string_view point;
    std::string_view verse;
};
constexpr std::array<PairVerse, 4> kPairVerse = {{{"公孙", "公孙冲脉胃心胸，内关阴维下总同"},
                                                  {"外关", "临泣胆经连带脉，阳维锐眦外关逢"},
                                                  {"申脉", "后溪督脉内眦颈，申脉阳跷络亦通"},
                                                  {"照海", "列缺任脉行肺系，阴跷照海膈喉咙"}}};

template <typename T, std::size_t N>
T Pick(const std::array<T, N>& table, int index) {
    return index >= 0 && index < static_cast<int>(N) ? table[static_cast<std::size_t>(index)] : T{};
}

std::string_view PairVerseOf(std::string_view point) {
    for (const PairVerse& p : kPairVerse)
        if (p.point == point || Partner(p.point) == point) return p.verse;
    return {};
}

// The opened point and its partner; no texts at all while there is no double-hour.
Finding Opening(std::string_view point) {
    Finding f;
    std::optional<std::string> p, q;
    if (!point.empty()) p = std::string(point), q = std::string(Partner(point));
    f.cells = {{"point", "point", p}, {"partner", "partner", q}};
    return f;
}

struct EightLabels {
    const StepLabel& result;
    const StepLabel& noHour;
};

class EightMethod : public Doctrine {
  public:
    std::span<const std::string_view> ScheduleTitles() const override { return titles_; }
    void ScheduleCells(const Moment&, const Finding& f, std::vector<std::string>& out) const override {
        out.push_back(f.Text("point"));
        out.push_back(f.Text("partner"));
    }
    void OpeningsOn(std::int64_t day, std::string_view point, const ReferenceTables&,
                    std::vector<std::string>& tails) const override {
        ForEachDoubleHour(day, [&](const Moment& m) {
            const std::string_view opened = Open(m, Why());
            const std::string_view hourStem = withStem_ ? velunar::Name(m.hourStem) : std::string_view();
            if (opened == point)
                tails.push_back(Tail({hourStem, velunar::Name(m.hourBranch), "时，", role_, "穴位="}, point));
            if (Partner(opened) == point)
                tails.push_back(Tail({hourStem, velunar::Name(m.hourBranch), "时，", role_, "配穴="}, point));
        });
    }

  protected:
    EightMethod(std::span<const std::string_view> titles, std::string_view role, bool withStem,
                EightLabels labels)
        : titles_(titles), role_(role), withStem_(withStem), labels_(labels) {}
    // The opened point, empty while the hour is undefined; its working goes to `why`.
    virtual std::string_view Open(const Moment& m, Why why) const = 0;

    Finding Work(const Moment& m, const ReferenceTables&, Why why) const override {
        const std::string_view point = Open(m, why);
        Finding f = Opening(point);
        if (!why.Wanted()) return f;
        if (point.empty()) {
            why(labels_.noHour, f.Text("point"), f.Text("partner"));
            return f;
        }
        why(kPartner, point, Partner(point), PairVerseOf(point));
        why(labels_.result, f.Text("point"), f.Text("partner"));
        return f;
    }

  private:
    std::span<const std::string_view> titles_;
    std::string_view role_;  // how the report names it: 灵龟 / 飞腾
    bool withStem_;          // the report dates a 飞腾 hit by its hour stem too
    EightLabels labels_;
};

constexpr std::string_view kLingGuiTitles[] = {"灵龟穴位", "灵龟配穴"};
constexpr std::string_view kFeiTengTitles[] = {"飞腾穴位", "飞腾配穴"};

class LingGui final : public EightMethod {
  public:
    LingGui() : EightMethod(kLingGuiTitles, "灵龟", false, {kLgResult, kLgNoHour}) {}
    DoctrineId Id() const override { return DoctrineId::LingGui; }
    std::string_view Name() const override { return "lingGui"; }
    std::string_view Key() const override { return "linggui"; }
    std::string_view ReportHeading() const override { return VELUNAR_TR("heading", "灵龟八法："); }
    int ReportRank() const override { return 2; }

  protected:
    std::string_view Open(const Moment& m, Why why) const override {
        if (m.hourBranch == Branch::None) return {};
        const int ds = Number(m.dayStem), db = Number(m.dayBranch), hs = Number(m.hourStem),
                  hb = Number(m.hourBranch);
        const LingGuiWorking w = LingGuiWork(ds, db, hs, hb);
        const std::string_view point = LingGuiPointOfRemainder(w.number);
        if (!why.Wanted() || point.empty()) return point;
        const auto& v = w.values;
        why(kLgDayStem, velunar::Name(m.dayStem), v[0], Pick(kDayVerse, Pick(kDayStemLine, ds - 1)));
        why(kLgDayBranch, velunar::Name(m.dayBranch), v[1], Pick(kDayVerse, Pick(kDayBranchLine, db - 1)));
        if (m.hourStemBase != m.dayStem)
            why(kLgLateZi, velunar::Name(m.hourStemBase), velunar::Name(m.dayStem),
                velunar::Name(m.dayBranch));
        why(kLgHourStem, velunar::Name(m.hourStem), v[2], Pick(kHourVerse, (hs - 1) % 5));
        why(kLgHourBranch, velunar::Name(m.hourBranch), v[3], Pick(kHourVerse, (hb - 1) % 6));
        why(kLgSum, v[0], v[1], v[2], v[3], w.sum);
        why(kLgDivide, velunar::Name(m.dayStem), w.divisor == 9 ? "阳" : "阴", w.divisor, w.sum,
            w.sum / w.divisor, w.remainder);
        if (w.remainder == 0) why(kLgZero, w.divisor);
        why(kLgPoint, w.number, Pick(kPalace, w.number - 1), point, Pick(kPalaceVerse, w.number - 1));
        return point;
    }
};

class FeiTeng final : public EightMethod {
  public:
    FeiTeng() : EightMethod(kFeiTengTitles, "飞腾", true, {kFtResult, kFtNoHour}) {}
    DoctrineId Id() const override { return DoctrineId::FeiTeng; }
    std::string_view Name() const override { return "feiTeng"; }
    std::string_view Key() const override { return "feiteng"; }
    std::string_view ReportHeading() const override { return VELUNAR_TR("heading", "飞腾八法："); }
    int ReportRank() const override { return 3; }

  protected:
    std::string_view Open(const Moment& m, Why why) const override {
        if (m.hourBranch == Branch::None) return {};
        const std::string_view point = FeiTengPoint(Number(m.hourStem));
        if (why.Wanted() && !point.empty())
            why(kFtStem, velunar::Name(m.hourStem), point, Pick(kFeiTengVerse, Number(m.hourStem) - 1));
        return point;
    }
};

}  // namespace

const Doctrine& LingGuiDoctrine() {
    static const LingGui d;
    return d;
}

const Doctrine& FeiTengDoctrine() {
    static const FeiTeng d;
    return d;
}

}  // namespace velunar
