#include "store/planning.h"

#include <algorithm>
#include <charconv>
#include <map>

#include "store/database.h"
#include "store/settings.h"
#include "store/translation.h"

namespace velunar::store {
namespace {

// The rows of 门诊设置.
constexpr std::string_view kHoursKey = "hours";  // hours1 (Monday) … hours7
constexpr std::string_view kDaysOffKey = "daysoff";
constexpr std::string_view kReminderKey = "reminder";
constexpr std::string_view kReminderMinutesKey = "reminderminutes";
constexpr std::string_view kPlanKey = "plan";

std::string HoursKey(int weekday) {
    return std::string(kHoursKey) + std::to_string(weekday);
}

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

std::vector<std::string> SplitPoints(std::string_view text) {
    std::vector<std::string> points;
    while (!text.empty()) {
        const std::size_t at = text.find(kPointSeparator);
        const std::string_view piece = text.substr(0, at);
        if (!piece.empty()) points.emplace_back(piece);
        if (at == std::string_view::npos) break;
        text.remove_prefix(at + kPointSeparator.size());
    }
    return points;
}

std::string JoinPoints(const std::vector<std::string>& points) {
    std::string out;
    for (const std::string& p : points) {
        if (!out.empty()) out += kPointSeparator;
        out += p;
    }
    return out;
}

TreatmentPlan PlanOf(const Row& row) {
    TreatmentPlan plan;
    plan.name = row.Value("名称");
    plan.points = SplitPoints(row.Value("穴位"));
    // Keys a later release may add are passed over, not fatal: the plan still opens with the doctrines known.
    std::string_view keys = row.Value("方法");
    std::vector<bool> chosen(Doctrines().size(), false);
    while (!keys.empty()) {
        const std::size_t at = keys.find(',');
        std::string ignored;
        if (auto one = ParseDoctrines(keys.substr(0, at), &ignored))
            for (DoctrineId id : *one) chosen[static_cast<std::size_t>(id)] = true;
        if (at == std::string_view::npos) break;
        keys.remove_prefix(at + 1);
    }
    for (const Doctrine* d : Doctrines())
        if (chosen[static_cast<std::size_t>(d->Id())]) plan.doctrines.push_back(d->Id());
    return plan;
}

[[noreturn]] void BadValue(const std::string& key, const std::string& value, const std::string& why) {
    throw StoreError(StoreErrorKind::Corrupt,
                     Filled(Translated("store", "门诊设置的 {1} 不能读取（{2}）：{3}"), {key, value, why}));
}

}  // namespace

std::string DoctrineKeys(const std::vector<DoctrineId>& doctrines) {
    std::string out;
    for (const Doctrine* d : Doctrines()) {
        if (std::find(doctrines.begin(), doctrines.end(), d->Id()) == doctrines.end()) continue;
        if (!out.empty()) out += ',';
        out += d->Key();
    }
    return out;
}

std::string DoctrineTitle(DoctrineId id) {
    const std::string_view heading = DoctrineOf(id).ReportHeading();
    return std::string(heading.substr(0, heading.size() - std::string_view("：").size()));
}

std::optional<std::vector<DoctrineId>> ParseDoctrines(std::string_view text, std::string* error) {
    std::vector<bool> chosen(Doctrines().size(), false);
    std::string_view rest = text;
    bool any = false;
    while (true) {
        std::size_t at = rest.find_first_of(",");
        std::size_t skip = 1;
        if (const std::size_t wide = rest.find("，"); wide != std::string_view::npos && wide < at) {
            at = wide;
            skip = std::string_view("，").size();
        }
        if (const std::size_t list = rest.find(kPointSeparator);
            list != std::string_view::npos && list < at) {
            at = list;
            skip = kPointSeparator.size();
        }
        const std::string_view name = Trimmed(rest.substr(0, at));
        if (!name.empty()) {
            const Doctrine* found = nullptr;
            for (const Doctrine* d : Doctrines())
                if (name == d->Key() || name == DoctrineTitle(d->Id())) found = d;
            if (!found) {
                if (error) {
                    *error = "no doctrine \"" + std::string(name) + "\" (one of";
                    for (const Doctrine* d : Doctrines()) *error += " " + std::string(d->Key());
                    *error += ", or its name: 灵龟八法)";
                }
                return std::nullopt;
            }
            chosen[static_cast<std::size_t>(found->Id())] = any = true;
        }
        if (at == std::string_view::npos) break;
        rest.remove_prefix(at + skip);
    }
    if (!any) {
        if (error) *error = "no doctrine given";
        return std::nullopt;
    }
    std::vector<DoctrineId> ids;
    for (const Doctrine* d : Doctrines())
        if (chosen[static_cast<std::size_t>(d->Id())]) ids.push_back(d->Id());
    return ids;
}

std::optional<std::string> PlanFault(const TreatmentPlan& plan) {
    if (Trimmed(plan.name).empty()) return Translated("store", "治疗方案需要一个名称");
    if (Trimmed(plan.name) != plan.name)
        return Filled(Translated("store", "治疗方案的名称前后不能有空格：“{1}”"), {plan.name});
    if (plan.points.empty()) return Filled(Translated("store", "治疗方案“{1}”没有穴位"), {plan.name});
    for (const std::string& p : plan.points) {
        if (p.empty()) return Filled(Translated("store", "治疗方案“{1}”有一个空的穴位"), {plan.name});
        if (p.find(kPointSeparator) != std::string::npos)
            return Filled(Translated("store", "穴位“{1}”含有分隔符“{2}”，无法保存"), {p, kPointSeparator});
    }
    return std::nullopt;
}

bool PlanningStore::HasTable(std::string_view table) {
    const std::optional<Row> row = db_.First(QueryId::TableExists, {"table", std::string(table)});
    return row && row->Value("n") != "0";
}

std::vector<TreatmentPlan> PlanningStore::Plans() {
    std::vector<TreatmentPlan> plans;
    if (!HasTable(kPlanTable)) return plans;
    for (const Row& row : db_.Run(QueryId::PlanList).rows) plans.push_back(PlanOf(row));
    return plans;
}

std::optional<TreatmentPlan> PlanningStore::Plan(std::string_view name) {
    if (!HasTable(kPlanTable)) return std::nullopt;
    const std::optional<Row> row = db_.First(QueryId::PlanRow, {std::string(name)});
    if (!row) return std::nullopt;
    return PlanOf(*row);
}

void PlanningStore::Save(const TreatmentPlan& plan, std::string_view replacing) {
    if (auto fault = PlanFault(plan)) throw StoreError(StoreErrorKind::BadArgument, *fault);
    const std::string points = JoinPoints(plan.points), doctrines = DoctrineKeys(plan.doctrines);
    const std::string old(replacing.empty() ? plan.name : std::string(replacing));
    if (db_.Execute(QueryId::PlanUpdate, {plan.name, points, doctrines, old}) > 0) return;
    db_.Execute(QueryId::PlanInsert, {plan.name, points, doctrines});
}

bool PlanningStore::Remove(std::string_view name) {
    if (!HasTable(kPlanTable)) return false;
    return db_.Execute(QueryId::PlanDelete, {std::string(name)}) > 0;
}

ClinicSettings PlanningStore::Clinic() {
    ClinicSettings s;
    if (!HasTable(kClinicTable)) return s;
    std::map<std::string, std::string, std::less<>> values;
    for (const Row& row : db_.Run(QueryId::ClinicRead).rows) values[row.Value("项目")] = row.Value("值");
    ClinicHours hours;
    bool set = false;
    for (int d = 1; d <= 7; ++d) {
        const auto v = values.find(HoursKey(d));
        if (v == values.end()) continue;
        set = true;
        std::string why;
        const auto ranges = ParseClockRanges(v->second, &why);
        if (!ranges) BadValue(v->first, v->second, why);
        hours.week[static_cast<std::size_t>(d - 1)] = *ranges;
    }
    if (const auto v = values.find(kDaysOffKey); v != values.end()) {
        std::string why;
        const auto days = ParseDates(v->second, &why);
        if (!days) BadValue(v->first, v->second, why);
        hours.daysOff = *days;
    }
    // Hours on no day at all are no hours kept: every hour counts, as before any were set.
    if (set && !hours.IsEmpty()) s.hours = std::move(hours);
    if (const auto v = values.find(kReminderKey); v != values.end())
        s.reminder = IsChecked(ReadCheckState(v->second));
    if (const auto v = values.find(kReminderMinutesKey); v != values.end()) {
        int minutes = 0;
        const auto [end, ec] =
            std::from_chars(v->second.data(), v->second.data() + v->second.size(), minutes);
        if (ec != std::errc() || end != v->second.data() + v->second.size() || minutes < 0 ||
            minutes > kMaxReminderMinutes)
            BadValue(v->first, v->second, Translated("store", "应为 0 到 1440 分钟"));
        s.reminderMinutes = minutes;
    }
    if (const auto v = values.find(kPlanKey); v != values.end()) s.plan = v->second;
    return s;
}

void PlanningStore::SaveClinic(const ClinicSettings& s) {
    if (s.reminderMinutes < 0 || s.reminderMinutes > kMaxReminderMinutes)
        throw StoreError(StoreErrorKind::BadArgument, Translated("store", "提醒时间应为 0 到 1440 分钟"));
    if (s.hours) {
        for (int d = 1; d <= 7; ++d)
            db_.Execute(QueryId::ClinicWrite,
                        {HoursKey(d), FormatClockRanges(s.hours->week[static_cast<std::size_t>(d - 1)])});
        db_.Execute(QueryId::ClinicWrite, {std::string(kDaysOffKey), FormatDates(s.hours->daysOff)});
    }
    db_.Execute(QueryId::ClinicWrite, {std::string(kReminderKey), CheckText(s.reminder)});
    db_.Execute(QueryId::ClinicWrite, {std::string(kReminderMinutesKey), std::to_string(s.reminderMinutes)});
    db_.Execute(QueryId::ClinicWrite, {std::string(kPlanKey), s.plan});
}

}  // namespace velunar::store
