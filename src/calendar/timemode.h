#pragma once
// The three conventions for the midnight double-hour, the double-hour of a clock time, the rules the
// conventions impose on the day and on the hour stem, and the double-hour step of the tick.
#include <optional>
#include <string>
#include <string_view>
#include "calendar/tr_mark.h"

#include "calendar/datetime.h"
#include "calendar/ganzhi.h"

namespace velunar {

struct Moment;

enum class TimeMode {
    NoNightRat,  // 子 is 23:00-00:59 and 23:00 starts the next day
    NightRat,    // 子 is 23:00-00:59, 23:00 keeps the day but counts the hour stem from the next
    ZeroToTwo,   // 子 is 00:00-01:59
};
inline constexpr int kTimeModeCount = 3;

// The labels are what the settings row stores and the radio buttons show.
inline constexpr std::string_view kModeNoNightRat = VELUNAR_TR("value", "不区分夜子时早子时");
inline constexpr std::string_view kModeNightRat = VELUNAR_TR("value", "区分夜子时早子时");
inline constexpr std::string_view kModeZeroToTwo = VELUNAR_TR("value", "以0-2时为子时");

std::string_view Label(TimeMode mode);
// The mode a stored text names, compared whole; none for any other text.
std::optional<TimeMode> TimeModeOf(std::string_view text);
// Position in the settings list, and back (none outside 0..2).
inline int Index(TimeMode mode) {
    return static_cast<int>(mode);
}
std::optional<TimeMode> TimeModeAt(int index);
// The label, or "" for none.
std::string_view Label(const std::optional<TimeMode>& mode);

// What the hour-branch boxes show while the China longitude box cannot be read.
inline constexpr std::string_view kLongitudeMessage = VELUNAR_TR("value", "请先输入正确东经数");

// The double-hour of t when 子 runs 23:00-00:59 (NoNightRat, NightRat), and when it runs 00:00-01:59.
Branch HourBranchOf(DateTime t);
Branch HourBranchOf02(DateTime t);
Branch HourBranchIn(TimeMode mode, DateTime t);

// The time whose calendar day names the day: effectiveTime, or one day later at 23:xx under NoNightRat.
DateTime DayDateOf(DateTime effectiveTime, std::optional<TimeMode> mode);

// The day part a time step writes into the Moment.
struct DayPart {
    DateTime effectiveTime = 0.0;
    DateTime dayDate = 0.0;
    Stem dayStem = Stem::None;
    Branch dayBranch = Branch::None;
};
DayPart ComputeDayPart(DateTime effectiveTime, std::optional<TimeMode> mode);
void ApplyDayPart(Moment& m, const DayPart& day);

// hourStemBase and hourStem from dayStem, effectiveTime, timeMode and hourBranch; None without a branch.
void ApplyHourStem(Moment& m);

// False while the Moment holds its start-up values (the zero date-time, no day): no time step has
// succeeded yet.
bool HasComputedTime(const Moment& m);

struct DoubleHourResult {
    bool ran = false;                  // false before any time has been computed
    Branch hourBranch = Branch::None;  // the new double-hour
    bool longitudeInvalid = false;     // withheld because the longitude cannot be read
    bool resetLongitudeTo120 = false;  // the China longitude box is to read "120"
    bool notice = false;               // the double-hour moved from one branch to another
    std::string noticeText;            // "时辰已经变换为午时了。"
};

// The double-hour step: the branch of m.effectiveTime under m.timeMode, checked against m.hourBranch (the
// previous double-hour). longitudeText is the China longitude box, which gates the step unless only Beijing
// time is used; hint is the "notify on change" switch.
DoubleHourResult DoubleHourStep(const Moment& m, std::string_view longitudeText, bool onlyBeijing, bool hint);

}  // namespace velunar
