#include "store/tzdb.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTimeZone>

#include "calendar/zone_iana.h"

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
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '/' && c != '_' && c != '-' && c != '+') return false;
    const QByteArray dir = qEnvironmentVariableIsSet("TZDIR") ? qgetenv("TZDIR") : QByteArray("/usr/share/zoneinfo");
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

std::optional<ZoneFacts> FactsAt(const QTimeZone& zone, DateTime civil) {
    if (!zone.isValid()) return std::nullopt;
    // Resolved as the program resolves every reading: through the zone's timeline.
    const Instant around = InstantAt(civil, 0);
    const ResolvedReading r = TimelineOf(zone, around - 2 * kDayMs, around + 2 * kDayMs).Resolve(civil);
    return ZoneFacts{r.offset.Total() / 60, r.offset.summerSeconds / 60};
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
    const QByteArray dir = qEnvironmentVariableIsSet("TZDIR") ? qgetenv("TZDIR") : QByteArray("/usr/share/zoneinfo");
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
    if (id.empty()) return std::nullopt;
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
    if (place.page == TimePage::China) {
        place.chinaClock.reset();
        if (place.chinaSummerTime) place.chinaClock = ZoneTimelineOf(kChinaZone, from, to);
        return true;
    }
    if (place.ianaZone.empty()) return true;
    place.zoneTimeline = ZoneTimelineOf(place.ianaZone, from, to);
    if (place.zoneTimeline) return true;
    place.ianaZone.clear();
    return false;
}

bool CoverDays(TickInput& place, std::int64_t fromDay, std::int64_t toDay) {
    // Two days either side: no clock is more than a day from UTC, and a 子 double-hour begins the evening
    // before its date.
    return CoverInstants(place, InstantAt(static_cast<DateTime>(fromDay - 2), 0),
                         InstantAt(static_cast<DateTime>(toDay + 3), 0));
}

bool CoverReading(TickInput& place, DateTime reading) {
    const std::int64_t day = WholeDay(reading);
    return CoverDays(place, day - 1, day + 1);
}

int ChinaSummerMinutesAt(DateTime reading) {
    return FactsAt(ZoneOf(kChinaZone), reading).value_or(ZoneFacts{}).summerMinutes;
}

std::string ClockHint(const TickInput& in, DateTime reference, bool readingIsMachineClock) {
    if (in.page == TimePage::Abroad) {
        if (in.zoneTimeline) return {};  // the tz database gave both offset and summer time
        return AbroadZoneHint(in.zoneText, in.summerText, LabelZoneFactsAt(in.zoneText, reference));
    }
    std::string hint;
    if (const int summer = ChinaSummerMinutesAt(reference); summer != 0) {
        hint = FormatIsoDate(reference) + " 中国实行夏令时，钟表比北京时间快 " + std::to_string(summer) +
               " 分钟" + (in.chinaSummerTime ? "，已按夏令时计算" : "");
    }
    if (readingIsMachineClock) {
        const std::string machine = ChinaClockHint(MachineOffsetMinutesAt(reference));
        if (!machine.empty()) hint = hint.empty() ? machine : hint + "；" + machine;
    }
    return hint;
}

}  // namespace velunar::store
