#include "calendar/timemode.h"

#include <array>

#include "calendar/moment.h"
#include "calendar/numparse.h"

namespace velunar {
namespace {

constexpr std::array<std::string_view, kTimeModeCount> kLabels = {kModeNoNightRat, kModeNightRat,
                                                                  kModeZeroToTwo};

}  // namespace

std::string_view Label(TimeMode mode) {
    return kLabels[static_cast<std::size_t>(mode)];
}

std::string_view Label(const std::optional<TimeMode>& mode) {
    return mode ? Label(*mode) : std::string_view();
}

std::optional<TimeMode> TimeModeOf(std::string_view text) {
    for (int i = 0; i < kTimeModeCount; ++i)
        if (kLabels[static_cast<std::size_t>(i)] == text) return static_cast<TimeMode>(i);
    return std::nullopt;
}

std::optional<TimeMode> TimeModeAt(int index) {
    if (index < 0 || index >= kTimeModeCount) return std::nullopt;
    return static_cast<TimeMode>(index);
}

std::string DayGanZhi(const Moment& m) {
    return std::string(Name(m.dayStem)) + std::string(Name(m.dayBranch));
}

std::string HourBranchText(const Moment& m) {
    if (m.hourBranch != Branch::None) return std::string(Name(m.hourBranch));
    return m.longitudeInvalid ? std::string(kLongitudeMessage) : std::string();
}

std::string HourGanZhi(const Moment& m) {
    return std::string(Name(m.hourStem)) + HourBranchText(m);
}

Moment MomentAt(DateTime effectiveTime, TimeMode mode) {
    Moment m;
    m.timeMode = mode;
    ApplyDayPart(m, ComputeDayPart(effectiveTime, mode));
    m.hourBranch = HourBranchIn(mode, effectiveTime);
    ApplyHourStem(m);
    return m;
}

bool HasComputedTime(const Moment& m) {
    // A chosen date in 1899 has a day stem, so it is not mistaken for the start-up values.
    return YearOf(m.effectiveTime) != 1899 || m.dayStem != Stem::None;
}

Branch HourBranchOf(DateTime t) {
    return BranchAt((HourOf(t) + 1) / 2 % 12 + 1);
}

Branch HourBranchOf02(DateTime t) {
    return BranchAt(HourOf(t) / 2 + 1);
}

Branch HourBranchIn(TimeMode mode, DateTime t) {
    return mode == TimeMode::ZeroToTwo ? HourBranchOf02(t) : HourBranchOf(t);
}

DateTime DayDateOf(DateTime effectiveTime, std::optional<TimeMode> mode) {
    return mode == TimeMode::NoNightRat && HourOf(effectiveTime) == 23 ? effectiveTime + 1.0 : effectiveTime;
}

DayPart ComputeDayPart(DateTime effectiveTime, std::optional<TimeMode> mode) {
    DayPart d;
    d.effectiveTime = effectiveTime;
    d.dayDate = DayDateOf(effectiveTime, mode);
    d.dayStem = StemAt(DayStemNumber(d.dayDate));
    d.dayBranch = BranchAt(DayBranchNumber(d.dayDate));
    return d;
}

void ApplyDayPart(Moment& m, const DayPart& day) {
    m.effectiveTime = day.effectiveTime;
    m.dayDate = day.dayDate;
    m.dayStem = day.dayStem;
    m.dayBranch = day.dayBranch;
}

void ApplyHourStem(Moment& m) {
    Stem base = m.dayStem;
    if (m.timeMode == TimeMode::NightRat && HourOf(m.effectiveTime) == 23)
        base = StemAt(NextStem(Number(m.dayStem)));
    m.hourStem = HourStemOf(base, m.hourBranch);
    m.hourStemBase = m.hourStem == Stem::None ? Stem::None : base;
}

DoubleHourResult DoubleHourStep(const Moment& m, std::string_view longitudeText, bool onlyBeijing,
                                bool hint) {
    DoubleHourResult r;
    r.hourBranch = m.hourBranch;
    r.longitudeInvalid = m.longitudeInvalid;
    if (!HasComputedTime(m)) return r;
    r.ran = true;
    if (!ParseLongitude(longitudeText)) {
        if (!onlyBeijing) {
            r.hourBranch = Branch::None;
            r.longitudeInvalid = true;
            return r;
        }
        r.resetLongitudeTo120 = true;
    }
    // A mode text that names no mode leaves the double-hour as it was.
    if (!m.timeMode) return r;
    r.hourBranch = HourBranchIn(*m.timeMode, m.effectiveTime);
    r.longitudeInvalid = false;
    // Only a move from one branch to another is a change: start-up and the longitude message are not.
    r.notice = hint && m.hourBranch != Branch::None && r.hourBranch != m.hourBranch;
    if (r.notice) r.noticeText = "时辰已经变换为" + std::string(Name(r.hourBranch)) + "时了。";
    return r;
}

}  // namespace velunar
