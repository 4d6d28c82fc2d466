#include "methods/schedule.h"

#include "calendar/ganzhi.h"
#include "calendar/timemode.h"
#include "methods/doctrine_tables.h"
#include "methods/eight_methods.h"
#include "methods/preloaded_tables.h"
#include "methods/table_steps.h"

namespace velunar {

Moment DoubleHourMoment(std::int64_t day, int branch) {
    Moment m;
    const DateTime date = static_cast<DateTime>(day);
    // 子 starts at 23:00 of the day before; every later double-hour at an odd hour of the day itself.
    m.effectiveTime = branch == 1 ? date - 1.0 / 24.0 : date + (2.0 * branch - 3.0) / 24.0;
    m.dayDate = date;
    m.dayStem = DayStemNumber(date);
    m.dayBranch = DayBranchNumber(date);
    m.dayGanZhi = StemName(m.dayStem) + BranchName(m.dayBranch);
    m.hourBranch = BranchName(branch);
    m.timeMode = std::string(kModeNoNightRat);
    m.hourStemBase = m.dayStem;
    m.hourStem = HourStemNumber(m.dayStem, branch);
    m.hourGanZhi = StemName(m.hourStem) + m.hourBranch;
    return m;
}

const std::vector<std::string_view>& ScheduleHeader() {
    static const std::vector<std::string_view> kHeader = {
        "日期",     "时干支",   "日干支",   "纳干穴位", "过原",     "兼过原穴",
        "补穴",     "纳支本穴", "纳支泻穴", "纳支补穴", "灵龟穴位", "灵龟配穴",
        "飞腾穴位", "飞腾配穴", "时干法经", "日干法经", "纳支法2经"};
    return kHeader;
}

std::vector<std::string> ScheduleFields(const ScheduleRow& r) {
    return {r.date,          r.hourGanZhi,       r.dayGanZhi,          r.naGanPoint,
            r.naGanSource,   r.naGanExtraSource, r.supplementaryPoint, r.naZhiOwn,
            r.naZhiDrain,    r.naZhiTonify,      r.lingGuiPoint,       r.lingGuiPartner,
            r.feiTengPoint,  r.feiTengPartner,   r.shiGanMeridian,     r.riGanMeridian,
            r.naZhi2Meridian};
}

ScheduleRow ScheduleRowAt(std::int64_t day, int branch, MethodTables& tables) {
    const Moment m = DoubleHourMoment(day, branch);
    ScheduleRow r;
    r.date = FormatIsoDate(m.dayDate);
    r.hourGanZhi = m.hourGanZhi;
    r.dayGanZhi = m.dayGanZhi;

    const NaGanView naGan = NaGanStep(m, tables);
    r.naGanPoint = naGan.closed ? naGan.row.meridian : naGan.row.point;
    r.naGanSource = naGan.row.sourcePoint;
    r.naGanExtraSource = naGan.row.extraSourcePoint;
    if (const auto sup = SupplementaryStep(m, naGan.closed, tables)) r.supplementaryPoint = sup->row.point;

    const NaZhiView naZhi = NaZhiStep(m, tables);
    r.naZhiOwn = naZhi.row.ownPoint;
    r.naZhiDrain = naZhi.row.drainPoint;
    r.naZhiTonify = naZhi.row.tonifyPoint;

    if (const auto lg = LingGui(m)) r.lingGuiPoint = lg->point, r.lingGuiPartner = lg->partner;
    if (const auto ft = FeiTeng(m)) r.feiTengPoint = ft->point, r.feiTengPartner = ft->partner;

    r.shiGanMeridian = std::string(LongMeridianOfStem(m.hourStem));
    r.riGanMeridian = std::string(ShortMeridianOfStem(m.dayStem));
    r.naZhi2Meridian = std::string(MeridianOfBranch(branch));
    return r;
}

std::vector<ScheduleRow> BuildSchedule(std::int64_t firstDay, std::int64_t lastDay, MethodTables& tables) {
    std::vector<ScheduleRow> rows;
    if (firstDay > lastDay) return rows;
    PreloadedTables preloaded(tables);
    rows.reserve(static_cast<std::size_t>(lastDay - firstDay + 1) * 12);
    for (std::int64_t day = firstDay; day <= lastDay; ++day)
        for (int branch = 1; branch <= 12; ++branch) rows.push_back(ScheduleRowAt(day, branch, preloaded));
    return rows;
}

}  // namespace velunar
