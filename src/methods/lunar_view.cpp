#include "methods/lunar_view.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace velunar {
namespace {

std::string OneDecimal(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", v);
    return buf;
}

std::string Warning(std::string_view point, const char* what, const std::string& when,
                    const RenShenPlace& p) {
    return std::string(point) + "正当" + what + "所在：" + when + "在" + p.place + "，不宜针灸（" + p.source +
           "）。";
}

}  // namespace

namespace {

// What a view's texts depend on: a tick every second finds them unchanged but for a few times a day.
struct ViewKey {
    std::int64_t day = 0;
    Branch branch = Branch::None;
    bool shown = true;
    RenShenReading reading = RenShenReading::Common;
    std::optional<int> age;
    MoonPhase phase = MoonPhase::New;
    long ageTenths = 0;
    std::int64_t termAt = 0;  // the second the latest term began

    bool operator==(const ViewKey&) const = default;
};

LunarView MakeView(DateTime beijingTime, Branch hourBranch, const TabooOptions& options);

}  // namespace

LunarView LunarViewAt(DateTime beijingTime, Branch hourBranch, const TabooOptions& options) {
    const MoonState moon = MoonAt(beijingTime - kBeijingOffsetDays);
    const SolarTermAt term = LatestSolarTerm(beijingTime);
    const ViewKey key{static_cast<std::int64_t>(std::floor(beijingTime)),
                      hourBranch,
                      options.shown,
                      options.reading,
                      options.age,
                      moon.phase,
                      std::lround(moon.ageDays * 10),
                      static_cast<std::int64_t>(std::llround(term.beijingTime * 86400))};
    thread_local std::optional<ViewKey> lastKey;
    thread_local LunarView last;
    if (!lastKey || !(*lastKey == key)) {
        last = MakeView(beijingTime, hourBranch, options);
        lastKey = key;
    }
    last.moonAge = moon.ageDays;
    return last;
}

namespace {

LunarView MakeView(DateTime beijingTime, Branch hourBranch, const TabooOptions& options) {
    LunarView v;
    v.known = true;
    v.date = LunarDateOfDay(static_cast<std::int64_t>(std::floor(beijingTime)));
    v.dateText = LunarDateText(v.date);
    v.solarTerm = std::string(SolarTermName(LatestSolarTerm(beijingTime).term));
    const MoonState moon = MoonAt(beijingTime - kBeijingOffsetDays);
    v.moonAge = moon.ageDays;
    v.phase = moon.phase;
    v.phaseText = std::string(MoonPhaseName(moon.phase));
    if (const std::string_view advice = MoonPhaseAdvice(moon.phase); !advice.empty())
        v.phaseText += "（" + std::string(advice) + "）";
    v.tabooShown = options.shown;
    v.line = "农历" + v.dateText + " · " + v.solarTerm + " · 月龄 " + OneDecimal(v.moonAge) + " 天";
    if (!options.shown) return v;
    v.day = RenShenOfDay(v.date.day, options.reading);
    v.hour = RenShenOfHour(hourBranch, options.reading);
    if (options.age) {
        v.age = RenShenOfAge(*options.age);
        v.kaoShen = KaoShenOfAge(*options.age);
    }
    v.line += " · 人神在" + v.day.place;
    return v;
}

}  // namespace

namespace {

// One warning for each 人神 whose place holds any of `points`, naming them all: five foot points opened at
// once are one line to read, not five alike.
std::vector<std::string> WarningsFor(const LunarView& view, const std::vector<std::string_view>& points) {
    std::vector<std::string> out;
    if (!view.known || !view.tabooShown) return out;
    auto add = [&](const RenShenPlace& place, const char* what, const std::string& when) {
        if (place.place.empty()) return;
        std::string named;
        for (std::string_view p : points)
            if (!p.empty() && PointInPlace(p, place.place)) named += (named.empty() ? "" : "、") + std::string(p);
        if (!named.empty()) out.push_back(Warning(named, what, when, place));
    };
    add(view.day, "人神", LunarDayName(view.date.day) + "人神");
    add(view.hour, "十二时人神", "此时人神");
    add(view.age, "行年人神", "行年人神");
    add(view.kaoShen, "九宫尻神", "尻神");
    return out;
}

}  // namespace

std::vector<std::string> TabooWarnings(const LunarView& view, std::string_view point) {
    return WarningsFor(view, {point});
}

std::vector<std::string> FindingTabooWarnings(const LunarView& view, const Finding& finding) {
    static constexpr std::string_view kPointCells[] = {
        "point",    "partner",     "sourcePoint", "extraSourcePoint", "drainPoint",
        "ownPoint", "tonifyPoint", "well",        "spring",           "stream",
        "river",    "sea",         "source"};
    if (!finding.applies) return {};
    std::vector<std::string_view> points;
    for (const Cell& c : finding.cells) {
        if (!c.text || !c.visible) continue;
        if (std::find(std::begin(kPointCells), std::end(kPointCells), c.name) == std::end(kPointCells))
            continue;
        if (std::find(points.begin(), points.end(), *c.text) == points.end()) points.push_back(*c.text);
    }
    return WarningsFor(view, points);
}

std::string RenShenScheduleCell(std::int64_t day, Branch branch, const TabooOptions& options) {
    if (!options.shown) return {};
    const LunarDate date = LunarDateOfDay(day);
    return LunarDayName(date.day) + RenShenOfDay(date.day, options.reading).place + " · " +
           std::string(Name(branch)) + "时" + RenShenOfHour(branch, options.reading).place;
}

bool OpeningForbidden(std::string_view point, std::int64_t day, Branch branch, const TabooOptions& options) {
    const int lunarDay = LunarDateOfDay(day).day;
    if (PointInPlace(point, RenShenOfDay(lunarDay, options.reading).place)) return true;
    if (branch != Branch::None && PointInPlace(point, RenShenOfHour(branch, options.reading).place))
        return true;
    if (options.age && (PointInPlace(point, RenShenOfAge(*options.age).place) ||
                        PointInPlace(point, KaoShenOfAge(*options.age).place)))
        return true;
    return false;
}

int LeaveOutForbidden(std::int64_t day, Branch branch, std::vector<std::string>& cells, std::size_t first,
                      std::size_t last, const TabooOptions& options) {
    int count = 0;
    for (std::size_t i = first; i < last && i < cells.size(); ++i) {
        if (cells[i].empty() || !IsKnownPoint(cells[i]) || !OpeningForbidden(cells[i], day, branch, options))
            continue;
        cells[i].clear();
        ++count;
    }
    return count;
}

bool PointForbidden(const LunarView& view, std::string_view point) {
    return !TabooWarnings(view, point).empty();
}

}  // namespace velunar
