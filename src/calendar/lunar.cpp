#include "calendar/lunar.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <memory>
#include <mutex>
#include <numbers>
#include <vector>

#include "calendar/astro_eot.h"
#include "calendar/ganzhi.h"
#include "calendar/moon.h"

namespace velunar {
namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;
constexpr double kTropicalYear = 365.2422;

// The 24 instants of one civil year, worked out once and kept: the tick, the schedule and the reverse lookup
// ask for the same few years over and over, from several threads.
struct TermYear {
    std::array<DateTime, kSolarTerms> beijing{};
};

DateTime ComputeTerm(int year, int term) {
    const double target = std::fmod((285.0 + 15.0 * term) * std::numbers::pi / 180.0, kTwoPi);
    // The mean Sun puts 小寒 near 6 January; Newton's steps with the mean rate converge to far below a
    // second.
    double jde = kJulianDayOfDateTimeZero + static_cast<double>(DaysFromCivil(year, 1, 6)) +
                 term * kTropicalYear / kSolarTerms;
    for (int i = 0; i < 8; ++i) {
        const double step =
            std::remainder(target - ApparentSolarLongitude(jde), kTwoPi) / kTwoPi * kTropicalYear;
        jde += step;
        if (std::fabs(step) < 1e-7) break;
    }
    const double decimalYear = 2000.0 + (jde - 2451545.0) / 365.25;
    return jde - DeltaTSeconds(decimalYear) / 86400.0 - kJulianDayOfDateTimeZero + kBeijingOffsetDays;
}

template <typename T>
class YearCache {
  public:
    template <typename Make>
    std::shared_ptr<const T> Get(int year, Make make) {
        {
            std::lock_guard lock(mutex_);
            if (auto it = items_.find(year); it != items_.end()) return it->second;
        }
        auto made = std::make_shared<const T>(make(year));
        std::lock_guard lock(mutex_);
        // A bounded cache: a scan over centuries must not grow without end.
        if (items_.size() > 512) items_.clear();
        return items_.emplace(year, std::move(made)).first->second;
    }

  private:
    std::mutex mutex_;
    std::map<int, std::shared_ptr<const T>> items_;
};

std::shared_ptr<const TermYear> TermsOf(int year) {
    static YearCache<TermYear> cache;
    return cache.Get(year, [](int y) {
        TermYear t;
        for (int i = 0; i < kSolarTerms; ++i) t.beijing[i] = ComputeTerm(y, i);
        return t;
    });
}

std::int64_t BeijingDayOf(DateTime beijing) {
    return static_cast<std::int64_t>(std::floor(beijing));
}

std::int64_t NewMoonDay(int lunation) {
    return BeijingDayOf(PrincipalPhaseUT(lunation, MoonPhase::New) + kBeijingOffsetDays);
}

// The lunation whose new moon falls on the given Beijing day or the last one before it.
int LunationOnOrBefore(std::int64_t day) {
    int k = LunationAt(static_cast<double>(day + 1) - kBeijingOffsetDays);
    while (NewMoonDay(k) > day) --k;
    while (NewMoonDay(k + 1) <= day) ++k;
    return k;
}

struct Month {
    int number = 0;
    bool leap = false;
    int lunarYear = 0;
};

// One 岁: from the month holding 冬至 of year-1 to the month holding 冬至 of year, that one excluded.
struct Sui {
    std::vector<std::int64_t> starts;  // one more than months: the last is the next 岁's first day
    std::vector<Month> months;
};

Sui ComputeSui(int year) {
    const std::int64_t winter0 = BeijingDayOf(TermsOf(year - 1)->beijing[23]);
    const std::int64_t winter1 = BeijingDayOf(TermsOf(year)->beijing[23]);
    const int k0 = LunationOnOrBefore(winter0);
    const int k1 = LunationOnOrBefore(winter1);
    Sui s;
    for (int k = k0; k <= k1; ++k) s.starts.push_back(NewMoonDay(k));
    const int count = k1 - k0;

    int leapIndex = -1;
    if (count == 13) {
        std::vector<std::int64_t> principal{winter0};
        const auto terms = TermsOf(year);
        for (int term = 1; term < kSolarTerms; term += 2)
            principal.push_back(BeijingDayOf(terms->beijing[term]));
        for (int i = 1; i < count && leapIndex < 0; ++i) {
            const bool hasPrincipal = std::any_of(principal.begin(), principal.end(), [&](std::int64_t d) {
                return d >= s.starts[i] && d < s.starts[i + 1];
            });
            if (!hasPrincipal) leapIndex = i;
        }
    }
    int lunarYear = year - 1;
    for (int i = 0; i < count; ++i) {
        Month m;
        if (i == 0) {
            m.number = 11;
        } else if (i == leapIndex) {
            m.number = s.months.back().number;
            m.leap = true;
        } else {
            m.number = s.months.back().number % 12 + 1;
        }
        if (m.number == 1 && !m.leap) lunarYear = year;
        m.lunarYear = lunarYear;
        s.months.push_back(m);
    }
    return s;
}

std::shared_ptr<const Sui> SuiOf(int year) {
    static YearCache<Sui> cache;
    return cache.Get(year, ComputeSui);
}

}  // namespace

LunarDate LunarDateOfDay(std::int64_t beijingDay) {
    thread_local std::int64_t lastDay = 0;
    thread_local LunarDate last;
    if (last.day != 0 && lastDay == beijingDay) return last;

    const int civilYear = CivilFromDays(beijingDay).year;
    std::shared_ptr<const Sui> sui = SuiOf(civilYear);
    if (beijingDay >= sui->starts.back())
        sui = SuiOf(civilYear + 1);
    else if (beijingDay < sui->starts.front())
        sui = SuiOf(civilYear - 1);
    const auto it = std::upper_bound(sui->starts.begin(), sui->starts.end(), beijingDay);
    const std::size_t i = static_cast<std::size_t>(it - sui->starts.begin()) - 1;
    LunarDate d;
    d.year = sui->months[i].lunarYear;
    d.month = sui->months[i].number;
    d.leap = sui->months[i].leap;
    d.day = static_cast<int>(beijingDay - sui->starts[i]) + 1;
    d.monthDays = static_cast<int>(sui->starts[i + 1] - sui->starts[i]);
    lastDay = beijingDay;
    last = d;
    return d;
}

std::string_view SolarTermName(int term) {
    static constexpr std::array<std::string_view, kSolarTerms> kNames{
        "小寒", "大寒", "立春", "雨水", "惊蛰", "春分", "清明", "谷雨", "立夏", "小满", "芒种", "夏至",
        "小暑", "大暑", "立秋", "处暑", "白露", "秋分", "寒露", "霜降", "立冬", "小雪", "大雪", "冬至"};
    return term >= 0 && term < kSolarTerms ? kNames[term] : std::string_view{};
}

DateTime SolarTermBeijing(int year, int term) {
    return TermsOf(year)->beijing[term];
}

SolarTermAt LatestSolarTerm(DateTime beijingTime) {
    thread_local int lastYear = 0;
    thread_local std::shared_ptr<const TermYear> lastTerms;
    const int year = CivilFromDays(BeijingDayOf(beijingTime)).year;
    if (!lastTerms || lastYear != year) {
        lastTerms = TermsOf(year);
        lastYear = year;
    }
    const auto& b = lastTerms->beijing;
    const auto it = std::upper_bound(b.begin(), b.end(), beijingTime);
    if (it == b.begin()) return {year - 1, 23, SolarTermBeijing(year - 1, 23)};
    const int term = static_cast<int>(it - b.begin()) - 1;
    return {year, term, b[term]};
}

std::string LunarYearGanZhi(int lunarYear) {
    const int n = ((lunarYear - 4) % 60 + 60) % 60;
    return std::string(Name(StemAt(n % 10 + 1))) + std::string(Name(BranchAt(n % 12 + 1)));
}

std::string LunarMonthName(int month, bool leap) {
    static constexpr std::array<std::string_view, 12> kNames{"正月", "二月", "三月", "四月", "五月", "六月",
                                                             "七月", "八月", "九月", "十月", "冬月", "腊月"};
    if (month < 1 || month > 12) return {};
    return std::string(leap ? "闰" : "") + std::string(kNames[month - 1]);
}

std::string LunarDayName(int day) {
    static constexpr std::array<std::string_view, 10> kDigits{"",   "一", "二", "三", "四",
                                                              "五", "六", "七", "八", "九"};
    if (day < 1 || day > 30) return {};
    if (day == 10) return "初十";
    if (day == 20) return "二十";
    if (day == 30) return "三十";
    static constexpr std::array<std::string_view, 3> kTens{"初", "十", "廿"};
    return std::string(kTens[day / 10]) + std::string(kDigits[day % 10]);
}

std::string LunarDateText(const LunarDate& date) {
    return LunarYearGanZhi(date.year) + "年" + LunarMonthName(date.month, date.leap) + LunarDayName(date.day);
}

}  // namespace velunar
