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
    QDateTime instant = At(civil, zone);
    // A reading the clocks skip has no instant: it counts as the offset after the change, which a few
    // hours on is in force whatever the size of the gap.
    if (!instant.isValid()) instant = At(civil + 3.0 / 24.0, zone);
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

namespace {

bool ApplyFacts(TickInput& in, std::string_view id, const std::optional<ZoneFacts>& facts) {
    if (!facts) return false;
    in.zoneMinutes = facts->offsetMinutes - facts->summerMinutes;
    in.summerText = std::to_string(facts->summerMinutes);
    in.ianaZone = std::string(id);
    return true;
}

}  // namespace

bool ApplyZone(TickInput& in, std::string_view id, DateTime reference) {
    return ApplyFacts(in, id, ZoneFactsAt(id, reference));
}

bool ApplyZoneAtInstant(TickInput& in, std::string_view id, std::int64_t utcMilliseconds) {
    const QTimeZone zone = ZoneOf(id);
    if (!zone.isValid()) return false;
    const QDateTime instant = QDateTime::fromMSecsSinceEpoch(utcMilliseconds, QTimeZone::utc());
    return ApplyFacts(in, id,
                      ZoneFacts{zone.offsetFromUtc(instant) / 60, zone.daylightTimeOffset(instant) / 60});
}

std::int64_t NowUtcMilliseconds() {
    return QDateTime::currentMSecsSinceEpoch();
}

std::shared_ptr<const ZoneTimeline> ZoneTimelineOf(std::string_view id, DateTime fromCivil,
                                                   DateTime toCivil) {
    const QTimeZone zone = ZoneOf(id);
    if (!zone.isValid()) return nullptr;
    // A day either side: no zone's offset reaches further than that from UTC.
    const QDateTime from = At(fromCivil - 1.0, QTimeZone::utc()), to = At(toCivil + 1.0, QTimeZone::utc());
    auto civilOf = [](const QDateTime& utc, int offsetSeconds) {
        const QDateTime local = utc.addSecs(offsetSeconds);
        const QDate d = local.date();
        const QTime t = local.time();
        return MakeDateTime(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second());
    };
    const QTimeZone::OffsetData first = zone.offsetData(from);
    std::vector<ZonePeriod> periods{
        {fromCivil - 1.0, first.standardTimeOffset / 60, first.daylightTimeOffset / 60}};
    int before = first.offsetFromUtc;
    for (const QTimeZone::OffsetData& change : zone.transitions(from, to)) {
        // As the tz database answers for a single reading: one the clocks skip, or show twice, already
        // belongs to the new period.
        periods.push_back({civilOf(change.atUtc, std::min(before, change.offsetFromUtc)),
                           change.standardTimeOffset / 60, change.daylightTimeOffset / 60});
        before = change.offsetFromUtc;
    }
    return std::make_shared<const ZoneTimeline>(std::move(periods));
}

bool CoverDays(TickInput& place, std::int64_t fromDay, std::int64_t toDay) {
    if (place.page != TimePage::Abroad || place.ianaZone.empty()) return true;
    place.zoneTimeline = ZoneTimelineOf(place.ianaZone, static_cast<DateTime>(fromDay) - 1.0,
                                        static_cast<DateTime>(toDay) + 2.0);
    if (place.zoneTimeline) return true;
    place.ianaZone.clear();
    return false;
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
