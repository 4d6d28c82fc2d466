// `plan add|list|show|remove`: the treatment plans kept in the user's database, as the window's
// 管理 → 治疗方案 keeps them. The only commands that write the database.
#include <sstream>

#include "cli/commands.h"
#include "cli/database_access.h"
#include "cli/localized.h"
#include "methods/point_index.h"
#include "report/json.h"
#include "store/datapaths.h"
#include "store/nativepath.h"
#include "store/planning.h"
#include "store/reference_snapshot.h"

namespace velunar::cli {
namespace {

constexpr const char* kAbout =
    "  add NAME POINT…   keeps a new plan of the points (checked as reverse checks them), with --doctrines\n"
    "                    limited to those doctrines (every doctrine without)\n"
    "  list              the plans: NAME<TAB>POINTS<TAB>DOCTRINES (全部, or with --lang en all: every\n"
    "                    doctrine)\n"
    "  show NAME         one plan: 名称, 穴位 and 方法 lines\n"
    "  remove NAME       forgets the plan\n"
    "add and remove write the database: the user's own copy once the program is installed, or --db.\n";

std::string DoctrineNames(const std::vector<DoctrineId>& ids) {
    if (ids.empty()) return "全部";
    std::string out;
    for (DoctrineId id : ids) out += (out.empty() ? "" : "、") + store::DoctrineTitle(id);
    return out;
}

std::string PointText(const std::vector<std::string>& points) {
    std::string out;
    for (const std::string& p : points) out += (out.empty() ? "" : std::string(store::kPointSeparator)) + p;
    return out;
}

std::string EnglishPoints(const std::vector<std::string>& points) {
    std::string out;
    for (const std::string& p : points) out += (out.empty() ? "" : ", ") + LocalValue(p);
    return out;
}

std::string EnglishDoctrines(const std::vector<DoctrineId>& ids) {
    if (ids.empty()) return "all";
    std::string out;
    for (DoctrineId id : ids) out += (out.empty() ? "" : ", ") + DoctrineName(DoctrineOf(id).ReportHeading());
    return out;
}

void WriteJson(std::ostream& out, const store::TreatmentPlan& plan) {
    std::ostringstream line;
    JsonWriter json(line, 0);
    json.BeginObject();
    json.Key("name");
    json.String(plan.name);
    json.Key("points");
    json.BeginArray();
    for (const std::string& p : plan.points) json.String(p);
    json.EndArray();
    // Each point's international code ("" for a point that has none), as now's records give them.
    json.Key("pointCodes");
    json.BeginArray();
    for (const std::string& p : plan.points) {
        const std::optional<PointCode> code = CodeOfPoint(p);
        json.String(code ? std::string(code->code) : std::string());
    }
    json.EndArray();
    json.Key("doctrines");
    json.BeginArray();
    for (DoctrineId id : plan.doctrines) json.String(DoctrineOf(id).Key());
    json.EndArray();
    json.EndObject();
    out << line.str() << '\n';
}

// The database a plan is written to: --db, else the one the window opens and writes.
std::unique_ptr<store::Database> OpenForWriting(const DatabaseFlag& flag, CommandIo& io) {
    if (flag.path) return OpenDatabaseFor("plan", flag, io);
    try {
        const store::DataPaths paths = store::DataPaths::ForExecutable();
        paths.PrepareUserDatabase();
        auto db = std::make_unique<store::Database>(QStringLiteral("velunar-cli"));
        db->Open(paths.DatabaseFile());
        return db;
    } catch (const store::StoreError& e) {
        io.err << "velunar-cli plan: " << e.what() << '\n';
        return nullptr;
    }
}

}  // namespace

int RunPlan(const CommandArgs& args, CommandIo& io) {
    std::optional<std::vector<DoctrineId>> doctrines;
    bool json = false;
    DatabaseFlag db;
    ArgParser parser("plan", "add NAME POINT… | list | show NAME | remove NAME", kAbout);
    parser.Option(
        "--doctrines", "KEY,…",
        [&doctrines](const std::string& v) -> std::optional<std::string> {
            std::string why;
            doctrines = store::ParseDoctrines(v, &why);
            if (!doctrines) return why;
            return std::nullopt;
        },
        "with add: only these doctrines count (nagan, buxue, nazhi, linggui, feiteng, shigan, rigan, nazhi2, "
        "or their names: 灵龟八法)");
    parser.Flag(
        "--json", [&json] { json = true; }, "with list and show: JSON Lines, one object per plan");
    AddDatabaseFlag(parser, db);
    if (auto exit = parser.Run(args, io.out, io.err, -1)) return *exit;
    const CommandArgs& words = parser.Positionals();
    auto usage = [&](const std::string& text) {
        io.err << parser.Error(text) << '\n';
        return kExitUsage;
    };
    if (words.empty()) return usage("expected add, list, show or remove");
    const std::string& action = words[0];
    const std::size_t given = words.size() - 1;
    if (action == "add") {
        if (given < 2) return usage("add needs a NAME and at least one POINT");
    } else if (action == "list") {
        if (given != 0) return usage("list takes no NAME");
    } else if (action == "show" || action == "remove") {
        if (given != 1) return usage(action + " needs one NAME");
    } else {
        return usage("unknown action \"" + action + "\" (expected add, list, show or remove)");
    }
    if (doctrines && action != "add") return usage("--doctrines goes with add");
    if (json && (action == "add" || action == "remove")) return usage("--json goes with list and show");

    const bool writes = action == "add" || action == "remove";
    const std::unique_ptr<store::Database> database =
        writes ? OpenForWriting(db, io) : OpenDatabaseFor("plan", db, io);
    if (!database) return kExitFailure;
    try {
        store::PlanningStore plans(*database);
        if (action == "list") {
            for (const store::TreatmentPlan& p : plans.Plans()) {
                if (json)
                    WriteJson(io.out, p);
                else if (InEnglish())
                    io.out << p.name << '\t' << EnglishPoints(p.points) << '\t'
                           << EnglishDoctrines(p.doctrines) << '\n';
                else
                    io.out << p.name << '\t' << PointText(p.points) << '\t' << DoctrineNames(p.doctrines)
                           << '\n';
            }
            return kExitOk;
        }
        const std::string& name = words[1];
        if (action == "show") {
            const std::optional<store::TreatmentPlan> p = plans.Plan(name);
            if (!p) {
                io.err << "velunar-cli plan: no plan named \"" << name << "\"\n";
                return kExitFailure;
            }
            if (json) {
                WriteJson(io.out, *p);
            } else {
                if (InEnglish()) {
                    io.out << "Name: " << p->name << "\nPoints: " << EnglishPoints(p->points)
                           << "\nDoctrines: " << EnglishDoctrines(p->doctrines) << '\n';
                } else {
                    io.out << "名称: " << p->name << "\n穴位: " << PointText(p->points)
                           << "\n方法: " << DoctrineNames(p->doctrines) << '\n';
                }
            }
            return kExitOk;
        }
        if (action == "remove") {
            if (!plans.Remove(name)) {
                io.err << "velunar-cli plan: no plan named \"" << name << "\"\n";
                return kExitFailure;
            }
            return kExitOk;
        }
        store::TreatmentPlan plan{name, CommandArgs(words.begin() + 2, words.end()),
                                  doctrines.value_or(std::vector<DoctrineId>{})};
        if (auto fault = store::PlanFault(plan)) return usage(*fault);
        const auto tables = LoadTablesFor("plan", *database, io, !db.path);
        if (!tables) return kExitFailure;
        if (auto unknown = store::ResolvePoints(plan.points, *tables, *database)) return usage(*unknown);
        if (plans.Plan(name))
            return usage("a plan named \"" + name + "\" is kept already: remove it first to replace it");
        plans.Save(plan);
    } catch (const std::exception& e) {
        io.err << "velunar-cli plan: " << e.what() << '\n';
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace velunar::cli
