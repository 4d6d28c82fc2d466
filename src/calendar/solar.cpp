#include "calendar/solar.h"

#include <array>
#include <cmath>

#include "calendar/astro_eot.h"
#include "calendar/eot.h"
#include "calendar/numparse.h"

namespace velunar {
namespace {

constexpr double kBeijingMeridian = 120.0;
constexpr const char* kFiveBlanks = "     ";

constexpr std::array<std::string_view, 75> kZones = {
    "(GMT-12:00)日界线西",
    "(GMT-11:00) 中途岛，萨摩亚群岛",
    "(GMT-10:00) 夏威夷",
    "(GMT-09:00) 阿拉斯加",
    "(GMT-08:00) 太平洋时间(美国和加拿大)；蒂华纳",
    "(GMT-07:00)奇瓦瓦，拉巴斯，马扎特兰",
    "(GMT-07:00) 亚利桑那",
    "(GMT-07:00) 山地时间(美国和加拿大)",
    "(GMT-06:00)瓜达拉哈拉，墨西哥城，蒙特雷",
    "(GMT-06:00) 中美洲",
    "(GMT-06:00) 中部时间(美国和加拿大)",
    "(GMT-06:00) 萨斯喀彻温",
    "(GMT-05:00) 印地安那州(东部)",
    "(GMT-05:00) 东部时间(美国和加拿大)",
    "(GMT-05:00) 波哥大，利马，基多",
    "(GMT-04:00) 圣地亚哥",
    "(GMT-04:00) 加拉加斯，拉巴斯",
    "(GMT-04:00) 大西洋时间(加拿大)",
    "(GMT-03:30) 纽芬兰",
    "(GMT-03:00) 格陵兰",
    "(GMT-03:00) 布宜诺斯艾利斯，乔治敦",
    "(GMT-03:00) 巴西利亚",
    "(GMT-02:00) 中大西洋",
    "(GMT-01:00) 亚速尔群岛",
    "(GMT-01:00) 佛得角群岛",
    "(GMT) 卡萨布兰卡，蒙罗维亚",
    "(GMT) 格林威治标准时间: 都柏林, 爱丁堡, 伦敦, 里斯本",
    "(GMT+01:00) 阿姆斯特丹，柏林，伯尔尼，罗马，斯德哥尔摩，维也纳",
    "(GMT+01:00) 贝尔格莱德，布拉迪斯拉发，布达佩斯，卢布尔雅那，布拉格",
    "(GMT+01:00) 布鲁塞尔，哥本哈根，马德里，巴黎",
    "(GMT+01:00) 萨拉热窝，斯科普里，华沙，萨格勒布",
    "(GMT+01:00) 中非西部",
    "(GMT+02:00) 布加勒斯特",
    "(GMT+02:00) 哈拉雷，比勒陀利亚",
    "(GMT+02:00) 赫尔辛基，基辅，里加，索非亚，塔林，维尔纽斯",
    "(GMT+02:00) 开罗",
    "(GMT+02:00) 雅典，贝鲁特，伊斯坦布尔，明斯克",
    "(GMT+02:00) 耶路撒冷",
    "(GMT+03:00) 巴格达",
    "(GMT+03:00) 科威特，利雅得",
    "(GMT+03:00) 莫斯科，圣彼得堡, 伏尔加格勒",
    "(GMT+03:00) 内罗毕",
    "(GMT+03:30) 德黑兰",
    "(GMT+04:00) 阿布扎比，马斯喀特",
    "(GMT+04:00) 巴库，第比利斯，埃里温",
    "(GMT+04:30) 喀布尔",
    "(GMT+05:00) 叶卡捷琳堡",
    "(GMT+05:00) 伊斯兰堡，卡拉奇，塔什干",
    "(GMT+05:30) 马德拉斯，加尔各答，孟买，新德里",
    "(GMT+05:45) 加德满都",
    "(GMT+06:00) 阿拉木图，新西伯利亚",
    "(GMT+06:00) 阿斯塔纳，达卡",
    "(GMT+06:00) 斯里哈亚华登尼普拉",
    "(GMT+06:30) 仰光",
    "(GMT+07:00) 克拉斯诺亚尔斯克",
    "(GMT+07:00) 曼谷，河内，雅加达",
    "(GMT+08:00) 北京，重庆，香港特别行政区，乌鲁木齐",
    "(GMT+08:00) 吉隆坡，新加坡",
    "(GMT+08:00) 珀斯",
    "(GMT+08:00) 台北",
    "(GMT+08:00) 伊尔库茨克，乌兰巴图",
    "(GMT+09:00) 大坂，札幌，东京",
    "(GMT+09:00) 汉城",
    "(GMT+09:00) 雅库茨克",
    "(GMT+09:30) 阿德莱德",
    "(GMT+09:30) 达尔文",
    "(GMT+10:00) 布里斯班",
    "(GMT+10:00) 符拉迪沃斯托克",
    "(GMT+10:00) 关岛，莫尔兹比港",
    "(GMT+10:00) 霍巴特",
    "(GMT+10:00) 堪培拉，墨尔本，悉尼",
    "(GMT+11:00) 马加丹，索罗门群岛，新喀里多尼亚",
    "(GMT+12:00) 奥克兰，惠灵顿",
    "(GMT+12:00) 斐济，堪察加半岛，马绍尔群岛",
    "(GMT+13:00) 努库阿洛法",
};

// Two decimal digits at a 1-based character position (the zone prefix is ASCII).
std::optional<int> TwoDigitsAt(std::string_view text, std::size_t position) {
    if (text.size() < position + 1) return std::nullopt;
    return ReadDigits(text.substr(position - 1, 2));
}

std::optional<int> ReadZoneAmount(std::string_view text) {
    const auto hours = TwoDigitsAt(text, 6);
    const auto minutes = TwoDigitsAt(text, 9);
    if (!hours || !minutes) return std::nullopt;
    return *hours * 60 + *minutes;
}

std::optional<double> ParseSummerMinutes(std::string_view text) {
    const auto v = ParseDecimal(text);
    if (!v || std::fabs(*v) > kMaxSummerMinutes) return std::nullopt;
    return v;
}

template <class Result>
Result Skipped(SkipReason reason) {
    Result r;
    r.skipped = true;
    r.skipReason = reason;
    return r;
}

// The true-solar-time label and the day part: the common tail of both steps.
void FinishStep(TimeStepResult& r, DateTime trueSolarTime, DateTime effectiveTime,
                std::optional<TimeMode> mode) {
    r.trueSolarTime = trueSolarTime;
    r.trueSolarTimeText = TimeLabelText(r.trueSolarTime);
    r.day = ComputeDayPart(effectiveTime, mode);
}

constexpr std::int64_t kNanoPerSecond = 1'000'000'000;
constexpr std::int64_t kSecondsPerDegree = 240;

}  // namespace

std::int64_t SpanSeconds(double minutes) {
    const double hours = std::trunc(minutes / 60.0);
    const double wholeMinutes = std::trunc(minutes - 60.0 * hours);
    const double seconds = std::trunc((minutes - 60.0 * hours - wholeMinutes) * 60.0);
    return static_cast<std::int64_t>(hours) * 3600 + static_cast<std::int64_t>(wholeMinutes) * 60 +
           static_cast<std::int64_t>(seconds);
}

std::int64_t Nanodegrees(double degrees) {
    return std::llround(degrees * 1e9);
}

LongitudeSpan LongitudeCorrectionFrom(std::int64_t eastNanodegrees, int standardSeconds) {
    // Nanodegrees times 240 are nanoseconds of time: exact integers, truncated toward the meridian.
    const std::int64_t ns = eastNanodegrees * kSecondsPerDegree - standardSeconds * kNanoPerSecond;
    if (ns <= 0) return {-1, -ns / kNanoPerSecond};
    return {1, ns / kNanoPerSecond};
}

LongitudeSpan LongitudeCorrection(double eastLongitude) {
    return LongitudeCorrectionFrom(Nanodegrees(eastLongitude), kBeijingOffsetSeconds);
}

std::int64_t TrueSolarReadingMs(Instant i, int standardSeconds, std::int64_t eastNanodegrees, EotSource eot) {
    const LongitudeSpan span = LongitudeCorrectionFrom(eastNanodegrees, standardSeconds);
    const std::int64_t standard = ReadingMsAt(i, standardSeconds);
    const std::int64_t mean = standard + span.sign * span.seconds * kMsPerSecond;
    if (eot == EotSource::Table) {
        // The table's value of the calendar day of local mean time.
        std::int64_t day = mean / kMsPerDay;
        if (mean % kMsPerDay < 0) --day;
        const CivilDate d = CivilFromDays(day);
        return mean + EquationOfTimeOfDay(d.month, d.day) * kMsPerSecond;
    }
    return mean + std::llround(AstronomicalEquationOfTimeSeconds(UtcReading(i)) * 1000.0);
}

std::span<const std::string_view> ZoneTexts() {
    return kZones;
}

std::span<const FixedZone> FixedZones() {
    static const std::array<FixedZone, kZones.size()> table = [] {
        std::array<FixedZone, kZones.size()> t{};
        for (std::size_t i = 0; i < kZones.size(); ++i)
            t[i] = {kZones[i], ParseZoneLabel(kZones[i]).value_or(0)};
        return t;
    }();
    return table;
}

std::optional<int> ZoneOffsetMinutes(std::string_view zoneText) {
    for (const FixedZone& z : FixedZones())
        if (z.label == zoneText) return z.offsetMinutes;
    return ParseZoneLabel(zoneText);
}

std::optional<int> ParseZoneLabel(std::string_view zoneText) {
    int z = 0;
    if (zoneText.find("(GMT+") != std::string_view::npos) {
        const auto amount = ReadZoneAmount(zoneText);
        if (!amount) return std::nullopt;
        z = *amount;
    }
    if (zoneText.find("(GMT-") != std::string_view::npos) {
        const auto amount = ReadZoneAmount(zoneText);
        if (!amount) return std::nullopt;
        z = -*amount;
    }
    return z;
}

EotSource EotSourceOfLabel(std::string_view label) {
    return label == kEotAstroLabel ? EotSource::Astronomical : EotSource::Table;
}

std::string_view EotSourceLabel(EotSource source) {
    return source == EotSource::Astronomical ? kEotAstroLabel : kEotTableLabel;
}

DateTime TrueSolarTime(DateTime localMeanTime, DateTime universalTime, EotSource source) {
    if (source == EotSource::Table) return ApplyEquationOfTime(localMeanTime);
    return AddSeconds(localMeanTime, AstronomicalEquationOfTimeSeconds(universalTime));
}

std::string TimeLabelText(DateTime t) {
    return FormatDisplay(t) + kFiveBlanks;
}

AbroadClock AbroadClockOf(std::string_view summerText, std::string_view zoneText) {
    AbroadClock c;
    const auto summer = ParseSummerMinutes(summerText);
    if (!summer) {
        c.refused = SkipReason::SummerTime;
        return c;
    }
    // An unreadable zone is refused before anything is written, like an unreadable summer time.
    const auto zone = ZoneOffsetMinutes(zoneText);
    if (!zone) {
        c.refused = SkipReason::Zone;
        return c;
    }
    c.clock = ZoneTimeline(ZoneOffset{*zone * 60, static_cast<int>(std::llround(*summer * 60.0))});
    return c;
}

ResolvedReading ResolveReference(const ClockReference& ref, const ZoneTimeline& clock) {
    if (!ref.instant) return clock.Resolve(ref.reading, ref.offsetSeconds);
    ResolvedReading r;
    r.instant = *ref.instant;
    r.offset = clock.At(r.instant);
    return r;
}

ChinaStepResult ChinaTimeStep(const ChinaStepInput& in, const ClockInstant& at) {
    ChinaStepResult r;
    auto longitude = ParseLongitude(in.longitudeText);
    if (!longitude) {
        if (!in.onlyBeijing) return Skipped<ChinaStepResult>(SkipReason::Longitude);
        r.resetLongitudeTo120 = true;
        longitude = kBeijingMeridian;
    }
    r.correctionShown = !in.onlyBeijing;
    // Beijing's meridian is the clock's, summer time or not: the standard offset is always eight hours.
    const DateTime solar =
        ReadingOfMs(TrueSolarReadingMs(at.instant, kBeijingOffsetSeconds, Nanodegrees(*longitude), in.eot));
    FinishStep(r, solar, in.onlyBeijing ? ReadingAt(at.instant, kBeijingOffsetSeconds) : solar, in.timeMode);
    return r;
}

AbroadStepResult AbroadTimeStep(const AbroadStepInput& in, const ClockInstant& at) {
    AbroadStepResult r;
    auto longitude = ParseLongitude(in.longitudeText);
    if (!longitude) {
        if (!in.onlyBeijing) return Skipped<AbroadStepResult>(SkipReason::Longitude);
        r.resetLongitudeTo120 = true;
        longitude = kBeijingMeridian;
    }
    r.beijingTime = ReadingAt(at.instant, kBeijingOffsetSeconds);
    r.beijingTimeText = TimeLabelText(r.beijingTime);
    const double lambda = in.eastWestText == kEast ? *longitude : -*longitude;
    const DateTime solar = ReadingOfMs(
        TrueSolarReadingMs(at.instant, at.offset.standardSeconds, Nanodegrees(lambda), in.eot));
    FinishStep(r, solar, in.onlyBeijing ? r.beijingTime : solar, in.timeMode);
    return r;
}

ChinaStepResult ChinaTimeStep(const ChinaStepInput& in, const ReferenceClock& reference) {
    const ResolvedReading at = ResolveReference(reference(), BeijingClock());
    return ChinaTimeStep(in, ClockInstant{at.instant, at.offset});
}

AbroadStepResult AbroadTimeStep(const AbroadStepInput& in, const ReferenceClock& reference) {
    const AbroadClock clock = AbroadClockOf(in.summerText, in.zoneText);
    if (!clock.clock) return Skipped<AbroadStepResult>(clock.refused);
    const ResolvedReading at = ResolveReference(reference(), *clock.clock);
    return AbroadTimeStep(in, ClockInstant{at.instant, at.offset});
}

}  // namespace velunar
