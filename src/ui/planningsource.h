#pragma once
// What the planning views share: the chosen plan and the clinic's hours as the database keeps them, the
// place made ready for clock spans over the dates a search may reach, and the search itself. The 下次开穴
// window, the reminder and the 开穴表's marks all read it through here, so they never disagree.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "calendar/solar.h"
#include "reverse/next_openings.h"
#include "store/planning.h"
#include "ui/schedulemodel.h"

namespace velunar::store {
class Database;
}

namespace velunar::ui {

struct PlanningState {
    store::ClinicSettings clinic;
    std::optional<store::TreatmentPlan> plan;  // the chosen plan, when it is kept
    ClinicHours hours;                         // the kept hours, or every hour when none are kept
    std::string error;                         // why the tables could not be read ("" when they could)
};

// Reads the clinic settings and the chosen plan; a failure is kept in `error`, never thrown.
PlanningState ReadPlanning(store::Database& db);

// The place with the clocks it needs from a day before `from` to `days` after; nothing when it gives no
// clock spans (an unreadable longitude, zone or summer time, or no time mode).
std::optional<TickInput> SpannedPlace(TickInput place, Instant from, std::int64_t days);

// The instant a reference of the main window names on the place's clock (its clocks read for the days
// around).
Instant InstantOf(const ClockReference& reference, const TickInput& place);

// The 开穴表's marks of the chosen plan for the dates firstDay..lastDay: its points (as the tables spell
// them) and, when hours are kept and the grid has clock spans, the instants inside them.
SchedulePlanMarks PlanMarksFor(store::Database& db, std::int64_t firstDay, std::int64_t lastDay,
                               const std::optional<TickInput>& place);

}  // namespace velunar::ui
