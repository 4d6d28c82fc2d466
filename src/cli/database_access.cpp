#include "cli/database_access.h"

#include <sstream>

#include "store/datapaths.h"
#include "store/nativepath.h"
#include "store/reference_snapshot.h"
#include "store/settings.h"

namespace velunar::cli {
namespace {

namespace col = store::settings_column;

std::string Value(const store::Row& row, std::string_view column) {
    return row.Has(column) ? row.Value(column) : std::string();
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

std::unique_ptr<store::Database> OpenDatabaseFor(const std::string& command, const DatabaseFlag& flag,
                                                 CommandIo& io) {
    const QString path = flag.path ? store::PathFromNative(*flag.path)
                                   : store::DataPaths::ForExecutable().ReadableDatabaseFile();
    auto db = std::make_unique<store::Database>(QStringLiteral("velunar-cli"));
    try {
        db->Open(path);
    } catch (const store::StoreError& e) {
        io.err << "velunar-cli " << command << ": the doctrines need the database: " << e.what() << '\n';
        return nullptr;
    }
    return db;
}

std::shared_ptr<const ReferenceTables> LoadTablesFor(const std::string& command, store::Database& db,
                                                     CommandIo& io, bool programDatabase) {
    try {
        // Without --db the program's own tables, as the window reads them.
        if (programDatabase) return store::LoadReferenceTables(store::DataPaths::ForExecutable(), db);
        return store::LoadReferenceTables(db);
    } catch (const store::StoreError& e) {
        // One line a fault, each under the command's name.
        std::istringstream lines(e.what());
        for (std::string line; std::getline(lines, line);)
            io.err << "velunar-cli " << command << ": " << line << '\n';
        return nullptr;
    }
}

namespace {

store::Row StoredSettings(store::Database& db) {
    // Read as the settings record would show it, but without its Open, which adds a missing row.
    const std::optional<store::Row> stored = db.First(store::QueryId::SettingsRead);
    return stored ? *stored : store::DefaultSettings();
}

}  // namespace

TickInput SettingsTickInput(store::Database& db) {
    const store::Row row = StoredSettings(db);
    TickInput in;
    in.page = Value(row, col::kIsChina) == store::kYesChina ? TimePage::China : TimePage::Abroad;
    in.timeMode = TimeModeOf(Value(row, col::kTimeMode));
    in.longitudeText = Value(row, col::kXy);
    in.onlyBeijing = store::IsChecked(store::ReadCheckState(Value(row, col::kOnlyBeijing)));
    in.hint = store::IsChecked(store::ReadCheckState(Value(row, col::kHint1)));
    in.summerText = Value(row, col::kSuma);
    in.zoneText = Value(row, col::kZone);
    in.eastWestText = Value(row, col::kEw);
    in.abroadLongitudeText = Value(row, col::kJingew);
    in.eot = EotSourceOfLabel(Value(row, col::kEot));
    in.ianaZone = Value(row, col::kTzid);
    in.chinaSummerTime = store::IsChecked(store::ReadCheckState(Value(row, col::kChinaDst)));
    in.sixthStem = SixthStemOf(Value(row, col::kSixthStem));
    // An older record has no 人神 columns: the lines show, in the common reading.
    in.taboo.shown = store::ReadCheckState(Value(row, col::kRenShen)) != store::CheckState::Unchecked;
    in.taboo.reading = RenShenReadingOfLabel(Value(row, col::kRenShenSource));
    return in;
}

}  // namespace velunar::cli
