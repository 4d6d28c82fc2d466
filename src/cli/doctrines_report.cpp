#include "cli/doctrines_report.h"

#include <system_error>

#include "methods/method_tables.h"
#include "store/datapaths.h"
#include "store/method_tables.h"
#include "store/nativepath.h"
#include "store/reference_check.h"
#include "store/settings.h"

namespace velunar::cli {
namespace {

namespace col = store::settings_column;

std::string Value(const store::Row& row, std::string_view column) {
    return row.Has(column) ? row.Value(column) : std::string();
}

Report ColumnReport(const std::vector<NamedText>& columns) {
    Report r;
    for (const NamedText& c : columns) r.Text(std::string(c.column), std::string(c.text));
    return r;
}

Report Opening(const std::optional<ConfluentOpening>& o) {
    Report r;
    if (o) {
        r.Text("point", o->point).Text("partner", o->partner);
    } else {
        r.Null("point").Null("partner");
    }
    return r;
}

Report ListReport(const MeridianList& list) {
    Report r;
    r.Text("meridian", list.meridian);
    r.List("points", list.points);
    return r;
}

}  // namespace

void AddDatabaseFlag(ArgParser& parser, DatabaseFlag& flag) {
    parser.Option(
        "--db", "PATH",
        [&flag](const std::string& v) -> std::optional<std::string> {
            if (v.empty()) return "the path is empty";
            flag.path = v;
            return std::nullopt;
        },
        "the database (default: the program's own: beside it, or the user's copy once installed)");
}

std::string DefaultDatabasePath() {
    return store::DataPaths::ForExecutable().ReadableDatabaseFile().toStdString();
}

std::unique_ptr<store::Database> OpenDatabaseFor(const std::string& command, const DatabaseFlag& flag,
                                                 CommandIo& io) {
    const std::string path = flag.path ? *flag.path : DefaultDatabasePath();
    auto db = std::make_unique<store::Database>(QStringLiteral("velunar-cli"));
    try {
        db->Open(store::PathFromNative(path));
        const std::vector<std::string> problems = store::CheckReferenceTables(*db);
        for (const std::string& problem : problems)
            io.err << "velunar-cli " << command << ": 数据库 " << path << " 的" << problem << '\n';
        if (!problems.empty()) return nullptr;
    } catch (const store::StoreError& e) {
        io.err << "velunar-cli " << command << ": the doctrines need the database: " << e.what() << '\n';
        return nullptr;
    }
    return db;
}

TickInput SettingsTickInput(store::Database& db) {
    // Read as the settings record would show it, but without its Open, which adds a missing row.
    const std::optional<store::Row> stored = db.First(store::QueryId::SettingsRead);
    const store::Row row = stored ? *stored : store::DefaultSettings();
    TickInput in;
    in.page = Value(row, col::kIsChina) == store::kYesChina ? TimePage::China : TimePage::Abroad;
    in.timeMode = Value(row, col::kTimeMode);
    in.longitudeText = Value(row, col::kXy);
    in.onlyBeijing = store::IsChecked(store::ReadCheckState(Value(row, col::kOnlyBeijing)));
    in.hint = store::IsChecked(store::ReadCheckState(Value(row, col::kHint1)));
    in.summerText = Value(row, col::kSuma);
    in.zoneText = Value(row, col::kZone);
    in.eastWestText = Value(row, col::kEw);
    in.abroadLongitudeText = Value(row, col::kJingew);
    return in;
}

void AddDoctrineFlags(ArgParser& parser, NowFlags& flags, DatabaseFlag& database) {
    parser.Flag(
        "--no-beijing", [&flags] { flags.onlyBeijing = false; },
        "correct to true solar time even if the settings say 仅仅使用北京时间");
    parser.Flag(
        "--china", [&flags] { flags.abroad = false; }, "put the China page in front");
    AddDatabaseFlag(parser, database);
}

void AddDoctrines(Report& report, const DoctrineReport& d) {
    Report nagan = ColumnReport(velunar::Columns(d.naGan.row));
    nagan.Bool("closed", d.naGan.closed);
    report.Group("nagan", std::move(nagan));
    if (d.supplementary)
        report.Group("buxue", ColumnReport(velunar::Columns(d.supplementary->row)));
    else
        report.Null("buxue");
    report.Group("nazhi", ColumnReport(velunar::Columns(d.naZhi.row)));
    report.Group("linggui", Opening(d.lingGui));
    report.Group("feiteng", Opening(d.feiTeng));
    report.Group("shigan", ColumnReport(velunar::Columns(d.shiGan.row)));
    report.Group("rigan", ListReport(d.dayList));
    report.Group("nazhi2", ListReport(d.hourList));
}

void AddDoctrinesAt(Report& report, const Moment& moment, store::Database& db) {
    store::DatabaseMethodTables tables(db);
    AddDoctrines(report, EvaluateDoctrines(moment, tables));
}

}  // namespace velunar::cli
