#include "calendar/zone_hint.h"

#include <cmath>
#include <cstdio>

#include "calendar/numparse.h"
#include "calendar/solar.h"
#include "calendar/zone_iana.h"

namespace velunar {
namespace {

constexpr int kBeijingZoneMinutes = 480;

std::string MinutesText(double minutes) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%g", minutes);
    return buffer;
}

}  // namespace

std::string GmtText(int offsetMinutes) {
    if (offsetMinutes == 0) return "GMT";
    const int size = std::abs(offsetMinutes);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "GMT%c%02d:%02d", offsetMinutes < 0 ? '-' : '+', size / 60,
                  size % 60);
    return buffer;
}

std::vector<Sentence> AbroadZoneHint(std::string_view zoneText, std::string_view summerText,
                                     const std::optional<ZoneFacts>& named) {
    if (!named) return {};
    std::vector<Sentence> hint;
    const int standard = named->offsetMinutes - named->summerMinutes;
    const std::optional<int> stated = ZoneOffsetMinutes(zoneText);
    if (stated && *stated != standard) {
        hint.push_back({VELUNAR_TR("hint", "所选时区标为 {1}，而 {2} 此时的标准时间是 {3}"),
                        {GmtText(*stated), std::string(IanaZoneOfLabel(zoneText)), GmtText(standard)}});
    }
    const std::optional<double> entered = ParseDecimal(summerText);
    if (entered && std::fabs(*entered - named->summerMinutes) > 1e-9) {
        if (named->summerMinutes != 0)
            hint.push_back({VELUNAR_TR("hint", "当地此时实行夏令时 {1} 分钟，您输入的是 {2}"),
                            {std::to_string(named->summerMinutes), MinutesText(*entered)}});
        else
            hint.push_back(
                {VELUNAR_TR("hint", "当地此时不实行夏令时，您输入的是 {1} 分钟"), {MinutesText(*entered)}});
    }
    return hint;
}

std::vector<Sentence> ChinaClockHint(int machineOffsetMinutes) {
    if (machineOffsetMinutes == kBeijingZoneMinutes) return {};
    return {
        {VELUNAR_TR("hint",
                    "本机时区此时为 "
                    "{1}，不是北京时间（GMT+08:00）：时钟读数仍按北京时间计算，请核对本机时区或改用国外页"),
         {GmtText(machineOffsetMinutes)}}};
}

}  // namespace velunar
