#pragma once
// The three conventions for the midnight double-hour, the double-hour of a clock time, the rules the
// conventions impose on the day and on the hour stem, and the double-hour step of the tick.
#include <string>
#include <string_view>

#include "calendar/datetime.h"
#include "calendar/ganzhi.h"
#include "calendar/moment.h"

namespace velunar {

// The mode is held and compared as its text; its number is only its place in the settings list.
inline constexpr std::string_view kModeNoNightRat = "不区分夜子时早子时";  // 0: 23:00 starts the next day
inline constexpr std::string_view kModeNightRat = "区分夜子时早子时";  // 1: 23:00 keeps the day, next stem
inline constexpr std::string_view kModeZeroToTwo = "以0-2时为子时";    // 2: 子 is 00:00-01:59
inline constexpr int kTimeModeCount = 3;

// What the hour-branch box shows while the China longitude box cannot be read.
inline constexpr std::string_view kLongitudeMessage = "请先输入正确东经数";

// The text of mode 0..2; the empty text for any other number.
std::string TimeModeText(int index);
// 0..2 for one of the three texts, compared whole; -1 for any other text.
int TimeModeIndex(std::string_view text);

// Branch text of the double-hour of t when 子 runs 23:00-00:59 (modes 0 and 1).
std::string HourBranchOf(DateTime t);
// Branch text of the double-hour of t when 子 runs 00:00-01:59 (mode 2).
std::string HourBranchOf02(DateTime t);

// The time whose calendar day names the day: effectiveTime, or one day later at 23:xx under mode 0.
DateTime DayDateOf(DateTime effectiveTime, std::string_view timeMode);

// The day part a time step writes into the Moment.
struct DayPart {
    DateTime effectiveTime = 0.0;
    DateTime dayDate = 0.0;
    int dayStem = kNoStem;
    int dayBranch = kNoBranch;
    std::string dayGanZhi;
};
DayPart ComputeDayPart(DateTime effectiveTime, std::string_view timeMode);
void ApplyDayPart(Moment& m, const DayPart& day);

// hourStemBase, hourStem and hourGanZhi from dayStem, effectiveTime, timeMode and hourBranch. While
// hourBranch is no branch the stems are 0 and hourGanZhi is that text alone, so a message shows but
// never a stem.
void ApplyHourStem(Moment& m);

// False while the Moment holds its start-up values (the zero date-time, no day): no time step has
// succeeded yet.
bool HasComputedTime(const Moment& m);

// What the double-hour step leaves behind.
struct DoubleHourResult {
    bool ran = false;                  // false before any time has been computed
    std::string hourBranch;            // the new text of the hour-branch box
    bool resetLongitudeTo120 = false;  // the China longitude box is to read "120"
    bool notice = false;               // the double-hour changed: sound and message are due
    std::string noticeText;            // "时辰已经变换为午时了。"
};

// The double-hour step: the branch of m.effectiveTime under m.timeMode, checked against m.hourBranch
// (the previous double-hour). longitudeText is the China longitude box, which gates the step unless
// only Beijing time is used; hint is the "notify on change" switch.
DoubleHourResult DoubleHourStep(const Moment& m, std::string_view longitudeText, bool onlyBeijing, bool hint);

}  // namespace velunar
