#pragma once
// What the lunar calendar, the moon and the 人神 say about one moment, in the texts every output shows: the
// line of the time area, the fields of `now`, the warning on a page whose point lies where the 人神 dwells.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/datetime.h"
#include "calendar/ganzhi.h"
#include "calendar/lunar.h"
#include "calendar/moon.h"
#include "calendar/renshen.h"
#include "methods/doctrine.h"

namespace velunar {

struct LunarView {
    bool known = false;  // false before a time is known (a skipped first tick abroad)
    LunarDate date;
    std::string dateText;   // "丙午年冬月初一"
    std::string solarTerm;  // the latest term begun, "大雪"
    double moonAge = 0;     // days since the last new moon
    MoonPhase phase = MoonPhase::New;
    std::string phaseText;  // "朔", with its advice where it has one: "朔（月郭空无治）"
    bool tabooShown = true;
    // Empty when the taboo lines are hidden, and the age ones when no age is given.
    RenShenPlace day, hour, age, kaoShen;
    // "农历丙午年冬月初一 · 大雪 · 月龄 0.4 天 · 人神在足大趾"; without the last part when taboos are hidden.
    std::string line;
};

// The moment is given as Beijing time (the lunar date is that of its civil day there); `hourBranch` is the
// double-hour the doctrines use (none: no 十二时人神).
LunarView LunarViewAt(DateTime beijingTime, Branch hourBranch, const TabooOptions& options);

// Plain warnings for a point opened now: one for each 人神 whose place holds it
// ("大敦在足大趾，初一人神在足大趾 （据…），不宜针灸。"); none when the taboo lines are hidden.
std::vector<std::string> TabooWarnings(const LunarView& view, std::string_view point);

// The warnings for every point a finding opens (its point cells: the opened point, its partner, the source
// points, the points to drain or tonify, the five transport points listed): one for each 人神, naming every
// point in its place.
std::vector<std::string> FindingTabooWarnings(const LunarView& view, const Finding& finding);

// The 开穴表's 人神 cell of a double-hour of a date (the lunar day of that civil date): "初一足大趾 ·
// 午时胸胁"; empty when the taboo lines are hidden.
std::string RenShenScheduleCell(std::int64_t day, Branch branch, const TabooOptions& options);

// Whether an opening of `point` in double-hour `branch` of date `day` falls where a 人神 dwells then (the
// lunar day's, the double-hour's unless branch is None, and the age's when one is given), whether or not
// the lines are shown: what --avoid-renshen leaves out.
bool OpeningForbidden(std::string_view point, std::int64_t day, Branch branch, const TabooOptions& options);

// Clears the schedule cells [first, last) of one double-hour that name a point a 人神 forbids then; returns
// how many it cleared.
int LeaveOutForbidden(std::int64_t day, Branch branch, std::vector<std::string>& cells, std::size_t first,
                      std::size_t last, const TabooOptions& options);

// Whether any 人神 of the view forbids the point (what the schedule and the reverse lookup leave out).
bool PointForbidden(const LunarView& view, std::string_view point);

}  // namespace velunar
