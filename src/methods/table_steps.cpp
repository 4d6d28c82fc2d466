#include "methods/table_steps.h"

#include "calendar/ganzhi.h"
#include "methods/doctrine_tables.h"

namespace velunar {
namespace {

// The day stem text and the hour branch text of the Na Gan and supplementary keys, or nothing when
// either is not a valid stem or branch (no row can match then).
bool DayAndBranch(const Moment& m, std::string& day) {
    day = StemName(m.dayStem);
    return !day.empty() && IsBranchText(m.hourBranch);
}

MeridianList ListOf(std::string_view meridian, MethodTables& tables) {
    MeridianList list;
    list.meridian = std::string(meridian);
    if (!meridian.empty()) list.points = tables.MeridianPoints(meridian);
    return list;
}

}  // namespace

NaGanView NaGanStep(const Moment& m, MethodTables& tables) {
    NaGanView v;
    std::string day;
    if (!DayAndBranch(m, day)) return v;
    if (auto row = tables.NaGan(day, m.hourBranch)) {
        v.row = std::move(*row);
        v.found = true;
    }
    v.closed = v.row.meridian == "闭";
    v.showSourcePoint = !v.row.sourcePoint.empty();
    v.showExtraSourcePoint = !v.row.extraSourcePoint.empty();
    return v;
}

std::optional<SupplementaryView> SupplementaryStep(const Moment& m, bool tabVisible, MethodTables& tables) {
    if (!tabVisible) return std::nullopt;
    SupplementaryView v;
    std::string day;
    if (!DayAndBranch(m, day)) return v;
    if (auto row = tables.Supplementary(day, m.hourBranch)) {
        v.row = std::move(*row);
        v.found = true;
    }
    return v;
}

NaZhiView NaZhiStep(const Moment& m, MethodTables& tables) {
    NaZhiView v;
    if (!IsBranchText(m.hourBranch)) return v;
    if (auto row = tables.NaZhi(m.hourBranch)) {
        v.row = std::move(*row);
        v.found = true;
    }
    return v;
}

ShiGanView ShiGanStep(const Moment& m, MethodTables& tables) {
    ShiGanView v;
    // The hour stem is only defined together with a branch.
    if (!IsBranchText(m.hourBranch)) return v;
    v.meridian = std::string(LongMeridianOfStem(m.hourStem));
    if (v.meridian.empty()) return v;
    if (auto row = tables.Transport(v.meridian)) {
        v.row = std::move(*row);
        v.found = true;
    }
    v.showSource = !v.row.source.empty();
    return v;
}

MeridianList DayStemList(int dayStem, MethodTables& tables) {
    return ListOf(ShortMeridianOfStem(dayStem), tables);
}

MeridianList HourBranchList(std::string_view hourBranch, MethodTables& tables) {
    return ListOf(MeridianOfBranch(BranchNumber(hourBranch)), tables);
}

DayHourMethods::Result DayHourMethods::Tick(const Moment& m, MethodTables& tables) {
    Result r;
    r.shiGan = ShiGanStep(m, tables);
    if (m.dayStem != listedDayStem_) r.dayList = DayStemList(m.dayStem, tables);
    if (m.hourBranch != listedHourBranch_) r.hourList = HourBranchList(m.hourBranch, tables);
    // Remembered only now: a load that failed, or whose result never reached the caller because a
    // later one failed, is tried again on the next tick.
    if (r.dayList) listedDayStem_ = m.dayStem;
    if (r.hourList) listedHourBranch_ = m.hourBranch;
    return r;
}

}  // namespace velunar
