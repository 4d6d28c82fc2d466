// 纳干法 (徐氏): the 天干表 row of the day stem and double-hour names the open meridian and point, or says
// the hour is closed (闭). The day stem is the Moment's own: the late-Zi step acts on the hour stem only.
// Why a row says what it says comes from the schedule's rules (methods/nagan_schedule.h); the derivation
// notes a database row that does not follow from them.
#include "calendar/tr_mark.h"
#include "methods/doctrine.h"
#include "methods/doctrine_rules.h"
#include "methods/doctrine_tables.h"
#include "methods/nagan_schedule.h"

namespace velunar {
namespace {

// The steps of the doctrine, in one place.
constexpr StepLabel kHour{"nagan.hour", VELUNAR_TR("step", "纳干法以日干与时支定时：{1}日{2}时，即{3}时")};
constexpr StepLabel kLateZi{
    "nagan.lateZi", VELUNAR_TR("step", "夜子时：时干支从次日起算作{1}，而纳干法只按本日{2}日与时支查表")};
constexpr StepLabel kOtherDay{
    "nagan.otherDay",
    VELUNAR_TR("step", "本日虽为{1}日，{1}日之程要到{2}时才开始，此时仍在上一日{3}日之程内")};
constexpr StepLabel kStart{
    "nagan.start",
    VELUNAR_TR("step",
               "{1}日之程始于{2}时：阳进阴退，日干即时干，时支逐日后退一位（甲戌、乙酉、丙申……壬寅）；"
               "徐凤《针灸大全》子午流注逐日按时定穴歌：“{3}”")};
constexpr StepLabel kStartGui{
    "nagan.startGui",
    VELUNAR_TR("step",
               "癸日之程不依阳进阴退开于癸丑，而开于癸亥（徐凤《针灸大全》子午流注逐日按时定穴歌："
               "“{1}”）")};
constexpr StepLabel kCycle{
    "nagan.cycle",
    VELUNAR_TR("step", "{1}时在{2}日之程内：{2}日之经{3}于{4}时开井穴，历十一时辰至{5}时{6}；值日经为{3}")};
constexpr StepLabel kGap{
    "nagan.gap",
    VELUNAR_TR("step",
               "{1}时在壬日之程（至壬子气纳三焦）之后、癸日之程（癸亥开涌泉）之前，不属任何日程，闭穴；"
               "值日经记本日之经肾经")};
constexpr StepLabel kPolarity{
    "nagan.polarity", VELUNAR_TR("step", "{1}为{2}时，而{3}日为{4}日：阳日阳时开穴，阴日阴时开穴，此时闭穴")};
constexpr StepLabel kWell{"nagan.well",
                          VELUNAR_TR("step", "此时为{1}日之程的首时，开{2}的井穴{3}（{4}）；歌云：“{5}”")};
constexpr StepLabel kChain{
    "nagan.chain", VELUNAR_TR("step", "此后每隔一时辰经生经、穴生穴（经与经、穴与穴的五行依次相生）：{1}")};
constexpr StepLabel kStemMeridian{
    "nagan.stemMeridian",
    VELUNAR_TR("step", "所开之经即时干之经：时干{1}属{2}（《针灸大成》十二经纳天干歌：“{3}”）；歌云：“{4}”")};
constexpr StepLabel kReturn{"nagan.return",
                            VELUNAR_TR("step", "开俞穴时返本还原，并过值日经{1}的原穴{2}（歌云：“{3}”）")};
constexpr StepLabel kReturnYin{
    "nagan.returnYin",
    VELUNAR_TR("step", "开俞穴时返本还原；阴经以输代原，值日经{1}以俞穴{2}为原（歌云：“{3}”）")};
constexpr StepLabel kExtra{
    "nagan.extra",
    VELUNAR_TR("step",
               "{1}寄于{2}（《针灸大成》十二经纳天干歌：“{3}”），故{2}日返本还原时兼过{1}的原穴{4}"
               "（歌云：“{5}”）")};
constexpr StepLabel kLodgeYang{
    "nagan.lodgeYang",
    VELUNAR_TR("step",
               "日干重见：{1}时时干又为{2}。阳日气纳三焦，取生我者：{2}日之经属{3}，{4}生{3}，"
               "取三焦经属{4}的{5}穴{6}；歌云：“{7}”")};
constexpr StepLabel kLodgeYin{
    "nagan.lodgeYin",
    VELUNAR_TR("step",
               "日干重见：{1}时时干又为{2}。阴日血归包络，取我生者：{2}日之经属{3}，{3}生{4}，"
               "取心包经属{4}的{5}穴{6}；歌云：“{7}”")};
// The last step: the seven shown values (值日经 经脉 五行 五俞 穴位 过原 兼过原穴), the day stem, the branch.
constexpr StepLabel kResult{"nagan.result", VELUNAR_TR("step", "纳干法：值日经{1}，开{2}{4}穴{5}（{3}）")};
constexpr StepLabel kResultSource{
    "nagan.resultSource", VELUNAR_TR("step", "纳干法：值日经{1}，开{2}{4}穴{5}（{3}），返本还原穴{6}")};
constexpr StepLabel kResultBoth{
    "nagan.resultBoth",
    VELUNAR_TR("step", "纳干法：值日经{1}，开{2}{4}穴{5}（{3}），返本还原穴{6}，兼过原穴{7}")};
constexpr StepLabel kResultClosed{"nagan.resultClosed", VELUNAR_TR("step", "纳干法：此时闭穴，值日经{1}")};
constexpr StepLabel kTable{
    "nagan.table",
    VELUNAR_TR("step",
               "注意：本机数据库天干表{8}日{9}时一行为值日经{1}、经脉{2}、五行{3}、五俞{4}、穴位{5}、"
               "过原{6}、兼过原穴{7}，与上述推算不同；页面按数据库显示")};
constexpr StepLabel kMissing{"nagan.missing",
                             VELUNAR_TR("step", "本机数据库天干表中没有{8}日{9}时的行，纳干法页留空")};
constexpr StepLabel kNoHour{"nagan.noHour", VELUNAR_TR("step", "尚未定出时辰，纳干法无从推算")};

// 子午流注逐日按时定穴歌 (徐凤《针灸大全》), the line of each opening of each day's schedule: the five
// transport points, then the lodging; the classical text writes the sixth stem 己.
constexpr std::array<std::array<std::string_view, 6>, 10> kSong = {{
    {"甲日戌时胆窍阴", "丙子时中前谷荥", "戊寅陷谷阳明俞", "庚辰经注阳溪穴", "壬午膀胱委中寻",
     "甲申时纳三焦水"},
    {"乙日酉时肝大敦", "丁亥时荥少府心", "己丑太白太冲穴", "辛卯经渠是肺经", "癸巳肾宫阴谷合",
     "乙未劳宫火穴荥"},
    {"丙日申时少泽当", "戊戌内庭治胀康", "庚子时在三间俞", "壬寅经火昆仑上", "甲辰阳陵泉合长",
     "丙午时受三焦木"},
    {"丁日未时心少冲", "己酉大都脾土逢", "辛亥太渊神门穴", "癸丑复溜肾水通", "乙卯肝经曲泉合",
     "丁巳包络大陵中"},
    {"戊日午时厉兑先", "庚申荥穴二间迁", "壬戌膀胱寻束骨", "甲子胆经阳辅是", "丙寅小海穴安然",
     "戊辰气纳三焦脉"},
    {"己日巳时隐白始", "辛未时中鱼际取", "癸酉太溪太白原", "乙亥中封内踝比", "丁丑时合少海心",
     "己卯间使包络止"},
    {"庚日辰时商阳居", "壬午膀胱通谷之", "甲申临泣为俞木", "丙戌小肠阳谷火", "戊子时居三里宜",
     "庚寅气纳三焦合"},
    {"辛日卯时少商本", "癸巳然谷何须忖", "乙未太冲原太渊", "丁酉心经灵道引", "己亥脾合阴陵泉",
     "辛丑曲泽包络准"},
    {"壬日寅时起至阴", "甲辰胆脉侠溪荥", "丙午小肠后溪俞", "戊申时注解溪胃", "大肠庚戌曲池真",
     "壬子气纳三焦寄"},
    {"癸日亥时井涌泉", "乙丑行间穴必然", "丁卯俞穴神门是", "己巳商丘内踝边", "辛未肺经合尺泽",
     "癸酉中冲包络连"},
}};
// The song's line on the source that passes with each day's stream point.
constexpr std::array<std::string_view, 10> kReturnSong = {
    "返本丘墟木在寅", "己丑太白太冲穴", "本原腕骨可祛黄", "辛亥太渊神门穴", "冲阳土穴必还原",
    "癸酉太溪太白原", "合谷金原返本归", "乙未太冲原太渊", "返求京骨本原寻", "本寻肾水太溪原"};
constexpr int kRen = 8;
constexpr int kGui = 9;

constexpr std::string_view kClosed = "闭";
constexpr std::string_view kTitles[] = {"纳干穴位", "过原", "兼过原穴"};

std::string Long(const MeridianFacts& m) {
    return std::string(m.name) + "经";
}

std::string_view YinYang(bool yin) {
    return yin ? "阴" : "阳";
}

bool Same(const NaGanRow& a, const NaGanRow& b) {
    return a.dutyMeridian == b.dutyMeridian && a.meridian == b.meridian && a.phase == b.phase &&
           a.category == b.category && a.point == b.point && a.sourcePoint == b.sourcePoint &&
           a.extraSourcePoint == b.extraSourcePoint;
}

const StepLabel& ResultLabel(const NaGanRow& row) {
    if (row.meridian == kClosed) return kResultClosed;
    if (!row.extraSourcePoint.empty()) return kResultBoth;
    return row.sourcePoint.empty() ? kResult : kResultSource;
}

// "甲戌 胆经（木）井穴足窍阴（金） → 丙子 小肠经（火）荥穴前谷（水） → …", up to the opening at `position`.
std::string Chain(const std::array<NaGanOpening, 6>& schedule, int position) {
    std::string chain;
    for (int p = 0; p <= position; ++p) {
        const NaGanOpening& o = schedule[static_cast<std::size_t>(p)];
        if (p > 0) chain += " → ";
        chain += HourGanZhiOf(o.hour) + " " + Long(*o.meridian) + "（" +
                 std::string(Name(o.meridian->phase)) + "）" + std::string(CategoryName(o.category)) + "穴" +
                 std::string(o.point) + "（" + std::string(Name(CategoryPhase(*o.meridian, o.category))) +
                 "）";
    }
    return chain;
}

class NaGan final : public Doctrine {
  public:
    DoctrineId Id() const override { return DoctrineId::NaGan; }
    std::string_view Name() const override { return "naGan"; }
    std::string_view Key() const override { return "nagan"; }

    std::string_view ReportHeading() const override { return VELUNAR_TR("heading", "纳干法（徐氏）："); }
    int ReportRank() const override { return 0; }
    void OpeningsOn(std::int64_t day, std::string_view point, const ReferenceTables& t,
                    std::vector<std::string>& tails) const override {
        ForEachDoubleHour(day, [&](const Moment& m) {
            const NaGanRow* row = t.NaGan(m.dayStem, m.hourBranch);
            if (!row) return;
            const std::string_view hour = velunar::Name(m.hourBranch);
            if (row->point == point) tails.push_back(Tail({hour, "时，穴位="}, point));
            if (row->sourcePoint == point) tails.push_back(Tail({hour, "时，过原="}, point));
            if (row->extraSourcePoint == point) tails.push_back(Tail({hour, "时，兼过原穴="}, point));
        });
    }

    std::span<const std::string_view> ScheduleTitles() const override { return kTitles; }
    void ScheduleCells(const Moment&, const Finding& f, std::vector<std::string>& out) const override {
        out.push_back(f.closed.value_or(false) ? std::string(kClosed) : f.Text("point"));
        out.push_back(f.Text("sourcePoint"));
        out.push_back(f.Text("extraSourcePoint"));
    }

  protected:
    Finding Work(const Moment& m, const ReferenceTables& t, Why why) const override {
        const NaGanRow* found = t.NaGan(m.dayStem, m.hourBranch);
        const NaGanRow row = found ? *found : NaGanRow{};
        Finding f;
        // Texts are compared as they are, untrimmed: "闭 " is no closed hour, a blank is a source point.
        f.cells = {{"dutyMeridian", "值日经", row.dutyMeridian},
                   {"meridian", "经脉", row.meridian},
                   {"phase", "五行", row.phase},
                   {"category", "五俞", row.category},
                   {"point", "穴位", row.point},
                   {"sourcePoint", "过原", row.sourcePoint, !row.sourcePoint.empty()},
                   {"extraSourcePoint", "兼过原穴", row.extraSourcePoint, !row.extraSourcePoint.empty()}};
        f.closed = row.meridian == kClosed;
        if (!why.Wanted()) return f;
        const auto last = [&](const StepLabel& label) {
            why(label, row.dutyMeridian, row.meridian, row.phase, row.category, row.point, row.sourcePoint,
                row.extraSourcePoint, velunar::Name(m.dayStem), velunar::Name(m.hourBranch));
        };
        if (m.hourBranch == Branch::None || m.dayStem == Stem::None) {
            last(kNoHour);
            return f;
        }
        const Stem tableStem = HourStemOf(m.dayStem, m.hourBranch);
        if (m.hourStem != tableStem)
            why(kLateZi, std::string(velunar::Name(m.hourStem)) + std::string(velunar::Name(m.hourBranch)),
                velunar::Name(m.dayStem));
        const NaGanRow rule = NaGanByRule(m.dayStem, m.hourBranch, why);
        last(!found ? kMissing : Same(rule, row) ? ResultLabel(row) : kTable);
        return f;
    }
};

}  // namespace

NaGanRow NaGanByRule(Stem day, Branch hour, Why why) {
    const std::optional<int> h = NaGanHour(day, hour);
    if (!h) return {};
    const std::string gz = HourGanZhiOf(*h);
    why(kHour, Name(day), Name(hour), gz);
    NaGanRow row;
    row.dutyMeridian = Long(DutyMeridian(*h));
    row.meridian = kClosed;
    const std::optional<int> cycle = RunningCycle(*h);
    if (!cycle) {
        why(kStartGui, kSong[kGui][0]);
        why(kGap, gz);
        return row;
    }
    const int c = *cycle;
    const int d = Number(day) - 1;
    const std::array<NaGanOpening, 6> s = ScheduleOf(c);
    const MeridianFacts& own = StemMeridian(c);
    if (c != d) why(kOtherDay, Name(day), HourGanZhiOf(WellHour(d)), StemName(c + 1));
    if (c == kGui)
        why(kStartGui, kSong[kGui][0]);
    else
        why(kStart, StemName(c + 1), HourGanZhiOf(WellHour(c)), kSong[static_cast<std::size_t>(c)][0]);
    why(kCycle, gz, StemName(c + 1), Long(own), HourGanZhiOf(s[0].hour),
        HourGanZhiOf(s[kLodgedPosition].hour), own.yin ? "血归包络" : "气纳三焦");
    const int offset = ((*h - WellHour(c)) % kNaGanHours + kNaGanHours) % kNaGanHours;
    if (offset % 2 == 1) {
        why(kPolarity, gz, YinYang(*h % 2 == 1), StemName(c + 1), YinYang(own.yin));
        return row;
    }
    const NaGanOpening& o = s[static_cast<std::size_t>(offset / 2)];
    const std::string_view song = kSong[static_cast<std::size_t>(c)][static_cast<std::size_t>(o.position)];
    row.meridian = Long(*o.meridian);
    row.phase = Name(CategoryPhase(*o.meridian, o.category));
    row.category = CategoryName(o.category);
    row.point = o.point;
    row.sourcePoint = o.source;
    row.extraSourcePoint = o.extraSource;
    if (o.position == kLodgedPosition) {
        const Phase lodged = CategoryPhase(*o.meridian, o.category);
        why(own.yin ? kLodgeYin : kLodgeYang, gz, StemName(c + 1), Name(own.phase), Name(lodged),
            row.category, row.point, song);
        return row;
    }
    if (o.position == 0) {
        why(kWell, StemName(c + 1), row.meridian, row.point, row.phase, song);
    } else {
        if (why.Wanted()) why(kChain, Chain(s, o.position));
        why(kStemMeridian, StemName(*h % 10 + 1), row.meridian, StemMeridianVerse(*h % 10 + 1), song);
    }
    if (!row.sourcePoint.empty())
        why(own.yin ? kReturnYin : kReturn, Long(own), row.sourcePoint,
            kReturnSong[static_cast<std::size_t>(c)]);
    if (!row.extraSourcePoint.empty()) {
        const bool ren = c == kRen;
        why(kExtra, ren ? "三焦" : "心包", StemName(c + 1), ren ? "三焦亦向壬中寄" : "包络同归入癸方",
            row.extraSourcePoint, ren ? "三焦寄有阳池穴" : "包络大陵原并过");
    }
    return row;
}

const Doctrine& NaGanDoctrine() {
    static const NaGan d;
    return d;
}

}  // namespace velunar
