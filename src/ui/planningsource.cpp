#include "ui/planningsource.h"

#include "methods/point_aliases.h"
#include "store/database.h"
#include "store/tzdb.h"

namespace velunar::ui {

PlanningState ReadPlanning(store::Database& db) {
    PlanningState s;
    s.hours = ClinicHours::AllDay();
    try {
        store::PlanningStore store(db);
        s.clinic = store.Clinic();
        if (s.clinic.hours) s.hours = *s.clinic.hours;
        if (!s.clinic.plan.empty()) s.plan = store.Plan(s.clinic.plan);
    } catch (const std::exception& e) {
        s.error = e.what();
    }
    return s;
}

std::optional<TickInput> SpannedPlace(TickInput place, Instant from, std::int64_t days) {
    place.hint = false;
    store::CoverInstants(place, from - 2 * kMsPerDay, from + (days + 2) * kMsPerDay);
    if (SpanPlaceFault(place) || !place.timeMode) return std::nullopt;
    return place;
}

Instant InstantOf(const ClockReference& reference, const TickInput& place) {
    if (reference.instant) return *reference.instant;
    // The clock around the reading: a tz-database zone's offsets then, China's summer time of then.
    TickInput around = place;
    const Instant near = InstantAt(reference.reading, 0);
    store::CoverInstants(around, near - 2 * kMsPerDay, near + 2 * kMsPerDay);
    const auto clock = PlaceClock::Of(around);
    if (const PlaceClock* c = std::get_if<PlaceClock>(&clock))
        return c->Clock().Resolve(reference.reading, reference.offsetSeconds).instant;
    return InstantAt(reference.reading, kBeijingOffsetSeconds);
}

SchedulePlanMarks PlanMarksFor(store::Database& db, std::int64_t firstDay, std::int64_t lastDay,
                               const std::optional<TickInput>& place) {
    SchedulePlanMarks marks;
    const PlanningState state = ReadPlanning(db);
    if (state.plan)
        for (const std::string& p : state.plan->points) {
            const std::string_view name = CanonicalPointName(p);
            marks.points.insert(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
        }
    if (!state.clinic.hours || !place) return marks;
    const auto clock = PlaceClock::Of(*place);
    if (const PlaceClock* c = std::get_if<PlaceClock>(&clock))
        marks.hours = HoursBetween(state.hours, c->Clock(), InstantOfReadingMs((firstDay - 2) * kMsPerDay, 0),
                                   InstantOfReadingMs((lastDay + 3) * kMsPerDay, 0));
    return marks;
}

}  // namespace velunar::ui
