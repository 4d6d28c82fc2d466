#include "methods/explain_time.h"

#include <array>
#include <cmath>
#include <cstdio>

#include "calendar/numparse.h"
#include "calendar/tr_mark.h"
#include "methods/pipeline.h"

namespace velunar {
namespace {

// The steps of the time step, in one place.
constexpr StepLabel kChinaClock{"time.china", VELUNAR_TR("step", "北京时间{1}（东经120°的标准时）")};
constexpr StepLabel kAbroadClock{"time.abroad", VELUNAR_TR("step", "本机时间{1}，时区{2}（{3}）")};
constexpr StepLabel kSummer{"time.summer", VELUNAR_TR("step", "减夏令时{1}分钟 → 标准时间{2}")};
constexpr StepLabel kBeijing{"time.beijing", VELUNAR_TR("step", "折合北京时间{1}")};
constexpr StepLabel kOnlyBeijing{
    "time.onlyBeijing", VELUNAR_TR("step", "仅仅使用北京时间：不作经度与均时差校正，以北京时间{1}定时辰")};
constexpr StepLabel kLongitude{
    "time.longitude",
    VELUNAR_TR("step", "经度校正：当地{1}，与{2}相差{3}°，每度4分钟，{4} → 地方平太阳时{5}")};
constexpr StepLabel kEot{"time.eot", VELUNAR_TR("step", "均时差（{1}）：{2} → 真太阳时{3}")};
constexpr StepLabel kHour{"time.hour", VELUNAR_TR("step", "{1}在{2}之间，为{3}时（时辰模式：{4}）")};
constexpr StepLabel kDayNext{"time.dayNext",
                             VELUNAR_TR("step", "不区分夜子时早子时：23时起已属次日，日期作{1}")};
constexpr StepLabel kDay{
    "time.day",
    VELUNAR_TR("step", "日干支：{1}距1949-10-01（甲子日）{2}日，{2} mod 60 = {3}，六十甲子第{4}位，为{5}日")};
constexpr StepLabel kLateZi{
    "time.lateZi", VELUNAR_TR("step", "区分夜子时早子时：23时为夜子时，日干支仍按本日，时干从次日{1}起算")};
constexpr StepLabel kHourStem{"time.hourStem",
                              VELUNAR_TR("step", "五鼠遁：{1}日子时起{2}（“{3}”），顺数至{4}时为{5}")};
constexpr StepLabel kSkipped{"time.skipped",
                             VELUNAR_TR("step", "时间本次未能计算（{1}），各页仍显示上一次的结果")};
constexpr StepLabel kNoTime{"time.noTime", VELUNAR_TR("step", "尚未计算出时间")};
constexpr StepLabel kNoHour{"time.noHour", VELUNAR_TR("step", "尚未定出时辰（{1}）")};
constexpr StepLabel kNoMode{"time.noMode", VELUNAR_TR("step", "时辰模式无法识别，时辰未变")};
// The last step: the day and hour 干支 the pages show.
constexpr StepLabel kResult{"time.result", VELUNAR_TR("step", "日干支{1}，时干支{2}")};

// 五鼠遁: the stem of the 子 hour of each pair of day stems.
constexpr std::array<std::string_view, 5> kFiveRats = {"甲己还加甲", "乙庚丙作初", "丙辛从戊起", "丁壬庚子居",
                                                       "戊癸何方发，壬子是真途"};
constexpr double kBeijingMeridian = 120.0;

// A decimal without trailing zeros: 116.4, 3.6, 120.
std::string Decimal(double v) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.4f", v);
    std::string s = buf;
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
    return s == "-0" ? "0" : s;
}

// "+14分24秒", "-3分58.6秒", "0秒": tenths of a second, shown only when there are any.
std::string SignedSpan(std::int64_t tenths) {
    if (tenths == 0) return "0秒";
    const std::int64_t a = tenths < 0 ? -tenths : tenths;
    const std::int64_t seconds = a / 10;
    std::string s = tenths < 0 ? "-" : "+";
    if (seconds >= 3600) s += std::to_string(seconds / 3600) + "时";
    if (seconds >= 60) s += std::to_string(seconds / 60 % 60) + "分";
    s += std::to_string(seconds % 60);
    if (a % 10 != 0) s += "." + std::to_string(a % 10);
    return s + "秒";
}

std::int64_t TenthsBetween(DateTime later, DateTime earlier) {
    return std::llround((later - earlier) * 864'000.0);
}

// "东经116.4°", "西经75°", "0°".
std::string Longitude(double signedDegrees) {
    if (signedDegrees == 0.0) return "0°";
    return std::string(signedDegrees > 0 ? kEast : kWest) + Decimal(std::fabs(signedDegrees)) + "°";
}

std::string_view SkipText(SkipReason r) {
    switch (r) {
        case SkipReason::Longitude:
            return "经度读不出";
        case SkipReason::SummerTime:
            return "夏令时分钟数读不出";
        case SkipReason::Zone:
            return "时区读不出";
        case SkipReason::None:
            break;
    }
    return "";
}

// The clock span of a double-hour under a mode: "23:00–00:59".
std::string HourRange(TimeMode mode, Branch b) {
    const int start = mode == TimeMode::ZeroToTwo ? 2 * (Number(b) - 1) : (2 * Number(b) + 21) % 24;
    char buf[24];
    std::snprintf(buf, sizeof buf, "%02d:00–%02d:59", start, (start + 1) % 24);
    return buf;
}

// Reading, zone, summer time, longitude and the equation of time, to the time the double-hour is read from.
void ExplainClock(const TickInput& in, const TickView& v, Why why) {
    const DateTime reading = v.referenceTime;
    const double longitude =
        ParseLongitude(in.page == TimePage::China ? in.longitudeText : in.abroadLongitudeText)
            .value_or(kBeijingMeridian);
    // The clock's offset at the instant the reading was taken to be; without one (an unreadable zone) the
    // boxes' own figures.
    const ZoneOffset offset =
        v.reference ? v.reference->offset
        : in.page == TimePage::China
            ? ZoneOffset{kBeijingOffsetSeconds, 0}
            : ZoneOffset{ZoneOffsetMinutes(in.zoneText).value_or(0) * 60,
                         static_cast<int>(std::llround(ParseDecimal(in.summerText).value_or(0.0) * 60.0))};
    const int summerSeconds = offset.summerSeconds;
    const DateTime standard = AddSeconds(reading, -static_cast<double>(summerSeconds));
    DateTime localMean = standard;
    if (in.page == TimePage::China) {
        why(kChinaClock, FormatIso(reading));
        if (summerSeconds != 0) why(kSummer, Decimal(summerSeconds / 60.0), FormatIso(standard));
        if (in.onlyBeijing) return why(kOnlyBeijing, FormatIso(v.moment.effectiveTime));
        const LongitudeSpan span = LongitudeCorrection(longitude);
        const auto shift = span.sign * span.seconds;
        localMean = AddSeconds(standard, static_cast<double>(shift));
        why(kLongitude, Longitude(longitude), Longitude(kBeijingMeridian),
            Decimal(std::fabs(longitude - kBeijingMeridian)), SignedSpan(10 * shift), FormatIso(localMean));
    } else {
        why(kAbroadClock, FormatIso(reading), in.ianaZone.empty() ? in.zoneText : in.ianaZone,
            "UTC" + FormatOffset(offset.standardSeconds));
        if (summerSeconds != 0) why(kSummer, Decimal(summerSeconds / 60.0), FormatIso(standard));
        if (v.beijingTime) why(kBeijing, FormatIso(*v.beijingTime));
        if (in.onlyBeijing) return why(kOnlyBeijing, FormatIso(v.moment.effectiveTime));
        const double meridian = offset.standardSeconds / 240.0;
        const double lambda = in.eastWestText == kEast ? longitude : -longitude;
        const LongitudeSpan span = LongitudeCorrectionFrom(Nanodegrees(lambda), offset.standardSeconds);
        const std::int64_t shift = span.sign * span.seconds;
        localMean = AddSeconds(standard, static_cast<double>(shift));
        why(kLongitude, Longitude(lambda), "时区子午线" + Longitude(meridian),
            Decimal(std::fabs(lambda - meridian)), SignedSpan(10 * shift), FormatIso(localMean));
    }
    if (v.trueSolarTime)
        why(kEot, EotSourceLabel(in.eot), SignedSpan(TenthsBetween(*v.trueSolarTime, localMean)),
            FormatIso(*v.trueSolarTime));
}

}  // namespace

Derivation ExplainTime(const TickInput& in, const TickView& v) {
    Derivation d;
    const Why why(&d);
    const Moment& m = v.moment;
    const auto result = [&] {
        why(kResult, v.dayGanZhi, v.hourGanZhi);
        return d;
    };
    if (v.skipped) {
        why(kSkipped, SkipText(v.skipReason));
        return result();
    }
    if (!HasComputedTime(m)) {
        why(kNoTime);
        return result();
    }
    ExplainClock(in, v, why);
    if (!m.timeMode) why(kNoMode);
    if (m.hourBranch == Branch::None || !m.timeMode) {
        if (m.hourBranch == Branch::None) why(kNoHour, v.hourBranch);
        return result();
    }
    const DateTime t = m.effectiveTime;
    why(kHour, FormatIso(t).substr(11), HourRange(*m.timeMode, m.hourBranch), Name(m.hourBranch),
        Label(*m.timeMode));
    if (m.timeMode == TimeMode::NoNightRat && HourOf(t) == 23) why(kDayNext, FormatIsoDate(m.dayDate));
    const std::int64_t days = WholeDay(m.dayDate) - DaysFromCivil(1949, 10, 1);
    const std::int64_t place = ((days % 60) + 60) % 60;
    why(kDay, FormatIsoDate(m.dayDate), days, place, place + 1, DayGanZhi(m));
    if (m.hourStemBase != m.dayStem) why(kLateZi, Name(m.hourStemBase));
    why(kHourStem, Name(m.hourStemBase),
        std::string(Name(HourStemOf(m.hourStemBase, Branch::Zi))) + std::string(Name(Branch::Zi)),
        kFiveRats[static_cast<std::size_t>((Number(m.hourStemBase) - 1) % 5)], Name(m.hourBranch),
        HourGanZhi(m));
    return result();
}

}  // namespace velunar
