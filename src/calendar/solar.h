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

// The 75 texts of the zone box, in order.
std::span<const std::string_view> ZoneTexts();

// Minutes east of Greenwich: "(GMT)" gives 0; "(GMT+" and "(GMT-" read hours at characters 6-7 and
// minutes at 9-10 of the text; a text with none of them counts as Greenwich. Nothing when the text holds
// "(GMT+" or "(GMT-" but those characters are not two-digit numbers.
std::optional<int> ZoneOffsetMinutes(std::string_view zoneText);

// The form of the time labels: the display form of the date-time followed by five blanks.
std::string TimeLabelText(DateTime t);

// Why a time step wrote nothing.
enum class SkipReason { None, Longitude, SummerTime, Zone };

struct TimeStepResult {
    // Nothing is written: the Moment and the labels keep what the last good tick left.
    bool skipped = false;
    SkipReason skipReason = SkipReason::None;
    // The longitude box read (China: edit3, abroad: DBEdit30) is to be set to "120".
    bool resetLongitudeTo120 = false;
    DayPart day;                    // effectiveTime and the day part of the Moment
    DateTime trueSolarTime = 0.0;   // local true solar time, even when Beijing time is used
    std::string trueSolarTimeText;  // LBTrueTime (China) or Label58 (abroad)
};

struct ChinaStepInput {
    std::string longitudeText;  // edit3
    bool onlyBeijing = false;   // "仅仅使用北京时间"
    std::string timeMode;
};

struct ChinaStepResult : TimeStepResult {
    // Label3, edit3, UpDown1, SpeedButton1, Label2 and LBTrueTime are shown, or all six hidden.
    bool correctionShown = true;
};

struct AbroadStepInput {
    std::string summerText;     // DBEdit29: minutes subtracted from the clock, any sign
    std::string zoneText;       // DBComboBox2
    std::string eastWestText;   // DBComboBox1: kEast, anything else counts as west
    std::string longitudeText;  // DBEdit30: degrees 0..180
    bool onlyBeijing = false;
    std::string timeMode;
};

struct AbroadStepResult : TimeStepResult {
    DateTime beijingTime = 0.0;
    std::string beijingTimeText;  // Label56
};

// Calls reference once, and once more when only Beijing time is used.
ChinaStepResult ChinaTimeStep(const ChinaStepInput& in, const ReferenceClock& reference);
// Calls reference twice: for Beijing time, then for local mean time.
AbroadStepResult AbroadTimeStep(const AbroadStepInput& in, const ReferenceClock& reference);

}  // namespace velunar
