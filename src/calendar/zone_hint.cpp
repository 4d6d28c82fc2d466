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

std::string AbroadZoneHint(std::string_view zoneText, std::string_view summerText,
                           const std::optional<ZoneFacts>& named) {
    if (!named) return {};
    std::string hint;
    const int standard = named->offsetMinutes - named->summerMinutes;
    const std::optional<int> stated = ZoneOffsetMinutes(zoneText);
    if (stated && *stated != standard) {
        hint = "所选时区标为 " + GmtText(*stated) + "，而 " + std::string(IanaZoneOfLabel(zoneText)) +
               " 此时的标准时间是 " + GmtText(standard);
    }
    const std::optional<double> entered = ParseDecimal(summerText);
    if (entered && std::fabs(*entered - named->summerMinutes) > 1e-9) {
        if (!hint.empty()) hint += "；";
        hint += named->summerMinutes != 0
                    ? "当地此时实行夏令时 " + std::to_string(named->summerMinutes) + " 分钟，您输入的是 " +
                          MinutesText(*entered)
                    : "当地此时不实行夏令时，您输入的是 " + MinutesText(*entered) + " 分钟";
    }
    return hint;
}

std::string ChinaClockHint(int machineOffsetMinutes) {
    if (machineOffsetMinutes == kBeijingZoneMinutes) return {};
    return "本机时区此时为 " + GmtText(machineOffsetMinutes) +
           "，不是北京时间（GMT+08:00）：时钟读数仍按北京时间计算，请核对本机时区或改用国外页";
}

}  // namespace velunar
