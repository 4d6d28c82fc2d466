#pragma once
// Clock time to local true solar time, and the day it names: the China page (the clock shows Beijing
// time; east longitude) and the abroad page (the clock shows zone time, perhaps summer time; east or
// west longitude). Both steps are pure: they take the texts of the boxes they read and return what the
// tick has to write.
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "calendar/datetime.h"
#include "calendar/timemode.h"

namespace velunar {

// Gives the reference date-time. The steps call it as often as the tick does (the clock may move on
// between calls), so the number of calls is part of their behaviour.
using ReferenceClock = std::function<DateTime()>;

inline constexpr std::string_view kEast = "东经";
inline constexpr std::string_view kWest = "西经";
// A summer-time box beyond a day either way is no summer time; it is refused like unreadable text.
inline constexpr double kMaxSummerMinutes = 1440.0;

struct LongitudeSpan {
    int sign = 1;              // +1: add the span, -1: subtract it
    std::int64_t seconds = 0;  // whole seconds
};

// M minutes as whole hours, minutes and seconds, each part truncated, in seconds. No upper limit.
std::int64_t SpanSeconds(double minutes);

// East longitude 0..180 against the meridian of Beijing time (120° E), four minutes per degree.
LongitudeSpan LongitudeCorrection(double eastLongitude);

// The 75 fixed zones of the zone box, in order, each with its offset read once from its label.
struct FixedZone {
    std::string_view label;
    int offsetMinutes = 0;  // east of Greenwich
};
std::span<const FixedZone> FixedZones();
// Their labels alone, in the same order.
std::span<const std::string_view> ZoneTexts();

// How a label the user typed is read: "(GMT)" gives 0; "(GMT+" and "(GMT-" read hours at characters 6-7
// and minutes at 9-10; a text with none of them counts as Greenwich. Nothing when the text holds "(GMT+" or
// "(GMT-" but those characters are not two-digit numbers.
std::optional<int> ParseZoneLabel(std::string_view zoneText);
// Minutes east of Greenwich of a zone text: a fixed zone's own offset, else ParseZoneLabel.
std::optional<int> ZoneOffsetMinutes(std::string_view zoneText);

// The form of the time labels: the display form of the date-time followed by five blanks.
std::string TimeLabelText(DateTime t);

// Where the equation of time comes from: the fixed table of eot.h (one value per calendar day), or the
// Sun's position computed for the instant (astro_eot.h). Stored in the settings as its label.
enum class EotSource { Table, Astronomical };
inline constexpr std::string_view kEotTableLabel = "固定表";
inline constexpr std::string_view kEotAstroLabel = "天文计算";
// The stored label read back: only the astronomical label selects it, so an old or empty record keeps the
// table.
EotSource EotSourceOfLabel(std::string_view label);
std::string_view EotSourceLabel(EotSource source);

// Local mean time corrected to true solar time; `universalTime` is the same instant in UT, which the
// astronomical source needs (the table reads the calendar day of the local mean time).
DateTime TrueSolarTime(DateTime localMeanTime, DateTime universalTime, EotSource source);

// Why a time step wrote nothing.
enum class SkipReason { None, Longitude, SummerTime, Zone };

struct TimeStepResult {
    // Nothing is written: the Moment and the labels keep what the last good tick left.
    bool skipped = false;
    SkipReason skipReason = SkipReason::None;
    // The longitude box the step read (China or abroad) is to be set to "120".
    bool resetLongitudeTo120 = false;
    DayPart day;                    // effectiveTime and the day part of the Moment
    DateTime trueSolarTime = 0.0;   // local true solar time, even when Beijing time is used
    std::string trueSolarTimeText;  // the true-solar-time label of the page
};

struct ChinaStepInput {
    std::string longitudeText;  // the China page's longitude box
    bool onlyBeijing = false;   // "仅仅使用北京时间"
    std::optional<TimeMode> timeMode;
    EotSource eot = EotSource::Table;
};

struct ChinaStepResult : TimeStepResult {
    // The longitude entry, its arrows, the place picker button and the true solar time are shown, or all
    // hidden (only Beijing time is used).
    bool correctionShown = true;
};

struct AbroadStepInput {
    std::string summerText;     // minutes subtracted from the clock, any sign
    std::string zoneText;       // a fixed zone's label, or typed text
    std::string eastWestText;   // kEast, anything else counts as west
    std::string longitudeText;  // degrees 0..180
    bool onlyBeijing = false;
    std::optional<TimeMode> timeMode;
    EotSource eot = EotSource::Table;
    // The standard offset of a tz-database zone for the reference instant, minutes east, worked out by the
    // caller; it replaces the offset of zoneText, and summerText then carries the zone's own summer time.
    std::optional<int> zoneMinutes = std::nullopt;
};

struct AbroadStepResult : TimeStepResult {
    DateTime beijingTime = 0.0;
    std::string beijingTimeText;
};

// Calls reference once, and once more when only Beijing time is used.
ChinaStepResult ChinaTimeStep(const ChinaStepInput& in, const ReferenceClock& reference);
// Calls reference twice: for Beijing time, then for local mean time.
AbroadStepResult AbroadTimeStep(const AbroadStepInput& in, const ReferenceClock& reference);

}  // namespace velunar
