#include "calendar/zone_cover.h"

#include "calendar/zone_iana.h"

namespace velunar {

std::optional<ZoneFacts> ZoneFactsOn(const ZoneSource& zones, std::string_view id, DateTime civil) {
    if (id.empty()) return std::nullopt;
    const Instant around = InstantAt(civil, 0);
    const std::optional<ZoneTimeline> zone = zones(id, around - 2 * kMsPerDay, around + 2 * kMsPerDay);
    if (!zone) return std::nullopt;
    const ResolvedReading r = zone->Resolve(civil);
    return ZoneFacts{r.offset.Total() / 60, r.offset.summerSeconds / 60};
}

bool CoverInstantsFrom(const ZoneSource& zones, TickInput& place, Instant from, Instant to) {
    if (place.page == TimePage::China) {
        place.chinaClock.reset();
        if (place.chinaSummerTime) place.chinaClock = zones(kChinaZone, from, to);
        return true;
    }
    if (place.ianaZone.empty()) return true;
    place.zoneTimeline = zones(place.ianaZone, from, to);
    if (place.zoneTimeline) return true;
    place.ianaZone.clear();
    return false;
}

bool CoverDaysFrom(const ZoneSource& zones, TickInput& place, std::int64_t fromDay, std::int64_t toDay) {
    // Two days either side: no clock is more than a day from UTC, and a 子 double-hour begins the evening
    // before its date.
    return CoverInstantsFrom(zones, place, InstantAt(static_cast<DateTime>(fromDay - 2), 0),
                             InstantAt(static_cast<DateTime>(toDay + 3), 0));
}

bool CoverReadingFrom(const ZoneSource& zones, TickInput& place, DateTime reading) {
    const std::int64_t day = WholeDay(reading);
    return CoverDaysFrom(zones, place, day - 1, day + 1);
}

std::vector<Sentence> ClockHintFrom(const ZoneSource& zones, const TickInput& in, DateTime reference,
                                    std::optional<int> machineOffsetMinutes) {
    if (in.page == TimePage::Abroad) {
        if (in.zoneTimeline) return {};  // the tz database gave both offset and summer time
        return AbroadZoneHint(in.zoneText, in.summerText,
                              ZoneFactsOn(zones, IanaZoneOfLabel(in.zoneText), reference));
    }
    std::vector<Sentence> hint;
    const int summer = ZoneFactsOn(zones, kChinaZone, reference).value_or(ZoneFacts{}).summerMinutes;
    if (summer != 0) {
        hint.push_back(
            {in.chinaSummerTime
                 ? VELUNAR_TR("hint", "{1} 中国实行夏令时，钟表比北京时间快 {2} 分钟，已按夏令时计算")
                 : VELUNAR_TR("hint", "{1} 中国实行夏令时，钟表比北京时间快 {2} 分钟"),
             {FormatIsoDate(reference), std::to_string(summer)}});
    }
    if (machineOffsetMinutes)
        for (Sentence& s : ChinaClockHint(*machineOffsetMinutes)) hint.push_back(std::move(s));
    return hint;
}

}  // namespace velunar
