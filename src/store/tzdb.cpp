#include "store/tzdb.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTimeZone>

#include "calendar/zone_iana.h"
#include "store/translation.h"

namespace velunar::store {
namespace {

constexpr std::int64_t kDayMs = kMsPerDay;

// Whether the tz database has a zone of that name. Qt's list of ids leaves out the database's links
// (Etc/UTC, US/Eastern), which work all the same; but a QTimeZone of any other word is valid too, read as a
// POSIX rule of zero offset ("Paris"), so a name not listed must be a file of the database.
bool InDatabase(const QByteArray& id) {
    if (QTimeZone::isTimeZoneIdAvailable(id)) return true;
    if (id.isEmpty() || id.startsWith('/') || id.contains("..")) return false;
    for (char c : id)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '/' && c != '_' && c != '-' && c != '+')
            return false;
    const QByteArray dir =
        qEnvironmentVariableIsSet("TZDIR") ? qgetenv("TZDIR") : QByteArray("/usr/share/zoneinfo");
    return QFileInfo(QString::fromUtf8(dir + '/' + id)).isFile();
}

QTimeZone ZoneOf(std::string_view id) {
    if (id == kMachineZone) return QTimeZone::systemTimeZone();
    const QByteArray name(id.data(), static_cast<qsizetype>(id.size()));
    if (!InDatabase(name)) return {};
    const QTimeZone zone(name);
    return zone.isValid() ? zone : QTimeZone();
}

QDateTime UtcOf(Instant i) {
    return QDateTime::fromMSecsSinceEpoch(i.ms, QTimeZone::utc());
}

ZoneTimeline TimelineOf(const QTimeZone& zone, Instant from, Instant to) {
    const QTimeZone::OffsetData first = zone.offsetData(UtcOf(from));
    std::vector<ZonePeriod> periods{{from, ZoneOffset{first.standardTimeOffset, first.daylightTimeOffset}}};
    for (const QTimeZone::OffsetData& change : zone.transitions(UtcOf(from), UtcOf(to))) {
        const Instant at{change.atUtc.toMSecsSinceEpoch()};
        const ZoneOffset offset{change.standardTimeOffset, change.daylightTimeOffset};
        // A change that only renames the period (the same offsets) is no change of the clock.
        if (at <= periods.back().start || offset == periods.back().offset) continue;
        periods.push_back({at, offset});
    }
    return ZoneTimeline(std::move(periods));
}

const ZoneSource& TzDatabase() {
    static const ZoneSource kSource = [](std::string_view id, Instant from, Instant to) {
        return ZoneTimelineOf(id, from, to);
    };
    return kSource;
}

}  // namespace

std::vector<std::string> ZoneChoices() {
    std::vector<std::string> ids;
    for (const QByteArray& id : QTimeZone::availableTimeZoneIds()) ids.push_back(id.toStdString());
    std::sort(ids.begin(), ids.end());
    ids.insert(ids.begin(), std::string(kMachineZone));
    return ids;
}

std::vector<std::string> ZoneNames() {
    std::vector<std::string> names = ZoneChoices();
    names.erase(names.begin());
    // The links, as the database's own source lists them ("L Asia/Kolkata Asia/Calcutta").
    const QByteArray dir =
        qEnvironmentVariableIsSet("TZDIR") ? qgetenv("TZDIR") : QByteArray("/usr/share/zoneinfo");
    QFile source(QString::fromUtf8(dir + "/tzdata.zi"));
    if (source.open(QIODevice::ReadOnly)) {
        while (!source.atEnd()) {
            const QList<QByteArray> words = source.readLine().trimmed().split(' ');
            if (words.size() == 3 && words[0] == "L") names.push_back(words[2].toStdString());
        }
    }
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

bool IsKnownZone(std::string_view id) {
    return !id.empty() && ZoneOf(id).isValid();
}

std::optional<ZoneFacts> ZoneFactsAt(std::string_view id, DateTime civil) {
    return ZoneFactsOn(TzDatabase(), id, civil);
}

std::optional<ZoneFacts> LabelZoneFactsAt(std::string_view label, DateTime civil) {
    const std::string_view id = IanaZoneOfLabel(label);
    if (id.empty()) return std::nullopt;
    return ZoneFactsAt(id, civil);
}

int MachineOffsetMinutesAt(DateTime civil) {
    return ZoneFactsAt(kMachineZone, civil).value_or(ZoneFacts{}).offsetMinutes;
}

Instant Now() {
    return Instant{QDateTime::currentMSecsSinceEpoch()};
}

DateTime MachineClockNow() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    return MakeDateTime(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), t.msec());
}

std::optional<ZoneTimeline> ZoneTimelineOf(std::string_view id, Instant from, Instant to) {
    if (id.empty()) return std::nullopt;
    const QTimeZone zone = ZoneOf(id);
    if (!zone.isValid()) return std::nullopt;
    return TimelineOf(zone, from, to);
}

bool CoverInstants(TickInput& place, Instant from, Instant to) {
    return CoverInstantsFrom(TzDatabase(), place, from, to);
}

bool CoverDays(TickInput& place, std::int64_t fromDay, std::int64_t toDay) {
    return CoverDaysFrom(TzDatabase(), place, fromDay, toDay);
}

bool CoverReading(TickInput& place, DateTime reading) {
    return CoverReadingFrom(TzDatabase(), place, reading);
}

int ChinaSummerMinutesAt(DateTime reading) {
    return ZoneFactsAt(kChinaZone, reading).value_or(ZoneFacts{}).summerMinutes;
}

std::vector<Sentence> ClockHint(const TickInput& in, DateTime reference, bool readingIsMachineClock) {
    return ClockHintFrom(
        TzDatabase(), in, reference,
        readingIsMachineClock ? std::optional(MachineOffsetMinutesAt(reference)) : std::nullopt);
}

std::string SaidHint(const std::vector<Sentence>& hint) {
    return SaidText(hint, kHintJoint, [](std::string_view text) { return Translated("hint", text); });
}

}  // namespace velunar::store
