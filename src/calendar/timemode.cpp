#include "calendar/timemode.h"

#include <array>

#include "calendar/ganzhi.h"
#include "calendar/numparse.h"

namespace velunar {
namespace {

constexpr std::array<std::string_view, kTimeModeCount> kModes = {kModeNoNightRat, kModeNightRat,
                                                                 kModeZeroToTwo};

}  // namespace

bool HasComputedTime(const Moment& m) {
    // A chosen date in 1899 has a day stem, so it is not mistaken for the start-up values.
    return YearOf(m.effectiveTime) != 1899 || m.dayStem != kNoStem;
}

std::string TimeModeText(int index) {
    return index >= 0 && index < kTimeModeCount ? std::string(kModes[index]) : std::string();
}

int TimeModeIndex(std::string_view text) {
    for (int i = 0; i < kTimeModeCount; ++i)
        if (kModes[i] == text) return i;
    return -1;
}

std::string HourBranchOf(DateTime t) {
    return BranchName((HourOf(t) + 1) / 2 % 12 + 1);
}

std::string HourBranchOf02(DateTime t) {
    return BranchName(HourOf(t) / 2 + 1);
}

DateTime DayDateOf(DateTime effectiveTime, std::string_view timeMode) {
    return timeMode == kModeNoNightRat && HourOf(effectiveTime) == 23 ? effectiveTime + 1.0 : effectiveTime;
}

DayPart ComputeDayPart(DateTime effectiveTime, std::string_view timeMode) {
    DayPart d;
    d.effectiveTime = effectiveTime;
    d.dayDate = DayDateOf(effectiveTime, timeMode);
    d.dayStem = DayStemNumber(d.dayDate);
    d.dayBranch = DayBranchNumber(d.dayDate);
    d.dayGanZhi = StemName(d.dayStem) + BranchName(d.dayBranch);
    return d;
}

void ApplyDayPart(Moment& m, const DayPart& day) {
    m.effectiveTime = day.effectiveTime;
    m.dayDate = day.dayDate;
    m.dayStem = day.dayStem;
    m.dayBranch = day.dayBranch;
    m.dayGanZhi = day.dayGanZhi;
}

void ApplyHourStem(Moment& m) {
    const int branch = BranchNumber(m.hourBranch);
    int base = m.dayStem;
    if (m.timeMode == kModeNightRat && HourOf(m.effectiveTime) == 23) base = NextStem(m.dayStem);
    const int stem = branch == kNoBranch ? kNoStem : HourStemNumber(base, branch);
    m.hourStemBase = stem == kNoStem ? kNoStem : base;
    m.hourStem = stem;
    m.hourGanZhi = StemName(stem) + m.hourBranch;
}

DoubleHourResult DoubleHourStep(const Moment& m, std::string_view longitudeText, bool onlyBeijing,
                                bool hint) {
    DoubleHourResult r;
    r.hourBranch = m.hourBranch;
    if (!HasComputedTime(m)) return r;
    r.ran = true;
    const std::string previous = m.hourBranch;
    if (!ParseLongitude(longitudeText)) {
        if (!onlyBeijing) {
            r.hourBranch = kLongitudeMessage;
            return r;
        }
        r.resetLongitudeTo120 = true;
    }
    if (m.timeMode == kModeNoNightRat || m.timeMode == kModeNightRat)
        r.hourBranch = HourBranchOf(m.effectiveTime);
    else if (m.timeMode == kModeZeroToTwo)
        r.hourBranch = HourBranchOf02(m.effectiveTime);
    // Only a move from one branch to another is a change: start-up and the longitude message are not.
    r.notice = hint && r.hourBranch != previous && IsBranchText(r.hourBranch) && IsBranchText(previous);
    if (r.notice) r.noticeText = "时辰已经变换为" + r.hourBranch + "时了。";
    return r;
}

}  // namespace velunar
