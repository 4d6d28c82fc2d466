#include "store/tzdb.h"

#include <algorithm>
#include <cmath>

#include <QDateTime>
#include <QTimeZone>

#include "calendar/zone_iana.h"

namespace velunar::store {
namespace {

QTimeZone ZoneOf(std::string_view id) {
    if (id == kMachineZone) return QTimeZone::systemTimeZone();
    const QByteArray bytes(id.data(), static_cast<qsizetype>(id.size()));
    if (!QTimeZone::isTimeZoneIdAvailable(bytes)) return {};
    return QTimeZone(bytes);
}

QDateTime At(DateTime civil, const QTimeZone& zone) {
    const CivilDateTime c = Decompose(civil);
    return QDateTime(QDate(c.date.year, c.date.month, c.date.day),
                     QTime(c.time.hour, c.time.minute, c.time.second, c.time.millisecond), zone);
}

std::optional<ZoneFacts> FactsAt(const QTimeZone& zone, DateTime civil) {
    if (!zone.isValid()) return std::nullopt;
    const QDateTime instant = At(civil, zone);
    if (!instant.isValid()) return std::nullopt;
    return ZoneFacts{zone.offsetFromUtc(instant) / 60, zone.daylightTimeOffset(instant) / 60};
}

}  // namespace

std::vector<std::string> ZoneChoices() {
    std::vector<std::string> ids;
    for (const QByteArray& id : QTimeZone::availableTimeZoneIds()) ids.push_back(id.toStdString());
    std::sort(ids.begin(), ids.end());
    ids.insert(ids.begin(), std::string(kMachineZone));
    return ids;
}

bool IsKnownZone(std::string_view id) {
    return ZoneOf(id).isValid();
}

std::optional<ZoneFacts> ZoneFactsAt(std::string_view id, DateTime civil) {
    return FactsAt(ZoneOf(id), civil);
}

std::optional<ZoneFacts> LabelZoneFactsAt(std::string_view label, DateTime civil) {
    const std::string_view id = IanaZoneOfLabel(label);
    if (id.empty()) return std::nullopt;
    return ZoneFactsAt(id, civil);
}

int MachineOffsetMinutesAt(DateTime civil) {
    return FactsAt(QTimeZone::systemTimeZone(), civil).value_or(ZoneFacts{}).offsetMinutes;
}

DateTime ZoneClockNow(std::string_view id) {
    const QTimeZone zone = ZoneOf(id);
    const QDateTime now = QDateTime::currentDateTime();
    const QDateTime there = zone.isValid() ? now.toTimeZone(zone) : now;
    const QDate d = there.date();
    const QTime t = there.time();
    return MakeDateTime(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), t.msec());
}

bool ApplyZone(TickInput& in, std::string_view id, DateTime reference) {
    const auto facts = ZoneFactsAt(id, reference);
    if (!facts) return false;
    in.zoneMinutes = facts->offsetMinutes - facts->summerMinutes;
    in.summerText = std::to_string(facts->summerMinutes);
    in.ianaZone = std::string(id);
    return true;
}

std::string ClockHint(const TickInput& in, DateTime reference, bool readingIsMachineClock) {
    if (in.page == TimePage::Abroad) {
        if (in.zoneMinutes) return {};  // the tz database gave both offset and summer time
        return AbroadZoneHint(in.zoneText, in.summerText, LabelZoneFactsAt(in.zoneText, reference));
    }
    if (!readingIsMachineClock) return {};
    return ChinaClockHint(MachineOffsetMinutesAt(reference));
}

}  // namespace velunar::store
