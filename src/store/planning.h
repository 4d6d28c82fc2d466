#pragma once
// The user's treatment plans (named lists of points, perhaps limited to some doctrines) and the clinic's
// hours, days off and reminder, in the tables 治疗方案 and 门诊设置. An older database has neither table
// until something is first written to it; until then both read as empty, and reading never changes the file.
// Failures throw StoreError.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "methods/doctrine.h"
#include "reverse/clinic_hours.h"

namespace velunar::store {

class Database;

struct TreatmentPlan {
    std::string name;
    std::vector<std::string> points;    // as the user gave them, in the user's order
    std::vector<DoctrineId> doctrines;  // the doctrines that count; empty: every one
    bool operator==(const TreatmentPlan&) const = default;
};

// How the points are kept in one column: "公孙、内关".
inline constexpr std::string_view kPointSeparator = "、";

struct ClinicSettings {
    // The weekly hours and days off; none until hours are set on some day, when every hour counts.
    std::optional<ClinicHours> hours;
    bool reminder = false;     // remind before the chosen plan's next opening (off unless the user asks)
    int reminderMinutes = 10;  // how long before
    std::string plan;  // the chosen plan: the 下次开穴 panel, the reminder and the 开穴表's marks
    bool operator==(const ClinicSettings&) const = default;
};

inline constexpr int kMaxReminderMinutes = 24 * 60;

// "linggui,feiteng": the doctrines' keys as the command line's output names them.
std::string DoctrineKeys(const std::vector<DoctrineId>& doctrines);
// Keys ("linggui") or report names ("灵龟八法"), separated by commas: in the doctrines' own order, once each.
// Nothing, with the reason in *error, for a name no doctrine has.
std::optional<std::vector<DoctrineId>> ParseDoctrines(std::string_view text, std::string* error = nullptr);
// "灵龟八法": a doctrine's report heading without its colon.
std::string DoctrineTitle(DoctrineId id);

// Why a plan cannot be kept as it is (an empty name, no point, a point that cannot be kept in the list);
// nothing when it can.
std::optional<std::string> PlanFault(const TreatmentPlan& plan);

class PlanningStore {
  public:
    explicit PlanningStore(Database& db) : db_(db) {}

    std::vector<TreatmentPlan> Plans();
    std::optional<TreatmentPlan> Plan(std::string_view name);
    // Writes the plan: in place of the one named `replacing` (a renamed plan) or of its own name, else as a
    // new one. A name another plan has is refused (StoreError Sql), and so is a plan PlanFault refuses
    // (BadArgument).
    void Save(const TreatmentPlan& plan, std::string_view replacing = {});
    // False when no plan has that name.
    bool Remove(std::string_view name);

    ClinicSettings Clinic();
    // Writes every clinic setting.
    void SaveClinic(const ClinicSettings& settings);

  private:
    bool HasTable(std::string_view table);
    Database& db_;
};

}  // namespace velunar::store
