#include "cli/database_access.h"

#include <sstream>

#include "calendar/numparse.h"
#include "store/datapaths.h"
#include "store/nativepath.h"
#include "store/reference_snapshot.h"
#include "store/settings.h"
#include "store/tzdb.h"

namespace velunar::cli {
namespace {

namespace col = store::settings_column;

std::string Value(const store::Row& row, std::string_view column) {
    return row.Has(column) ? row.Value(column) : std::string();
}

// Read as the settings record would show it, but without its Open, which adds a missing row.
store::Row SettingsRow(store::Database& db) {
    const std::optional<store::Row> stored = db.First(store::QueryId::SettingsRead);
    return stored ? *stored : store::DefaultSettings();
}

TickInput TickInputOf(const store::Row& row) {
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

struct Unreadable {
    std::string_view column;
    const char* takes;  // what the column may hold
    const char* flag;   // what gives the value for one run instead
};

// The stored values this run reads that the steps would silently take as something else (the abroad page for
// any ischina but yeschina, west for any ew but 东经, Greenwich for a zone without an offset), or could not
// use at all (a time mode that names none leaves every doctrine empty).
std::vector<Unreadable> UnreadableValues(const store::Row& row, const NowFlags& flags, const TickInput& in,
                                         SettingsRead read) {
    std::vector<Unreadable> found;
    auto check = [&](bool used, bool readable, Unreadable what) {
        if (used && !readable) found.push_back(what);
    };
    const std::string stem = Value(row, col::kSixthStem);
    check(!flags.sixthStem, stem.empty() || stem == kSixthStemAsKeys || stem == kSixthStemUsual,
          {col::kSixthStem, "已 or 己", "--sixth-stem"});
    if (read == SettingsRead::Spelling) return found;
    check(!flags.mode, TimeModeOf(Value(row, col::kTimeMode)).has_value(),
          {col::kTimeMode, "不区分夜子时早子时, 区分夜子时早子时 or 以0-2时为子时", "--mode"});
    if (read == SettingsRead::ModeAndSpelling) return found;
    const std::string page = Value(row, col::kIsChina);
    check(!flags.abroad && !flags.tz, page == store::kYesChina || page == store::kNoChina,
          {col::kIsChina, "yeschina (中国国内) or nochina (国际国外)", "--china or --abroad"});
    check(!flags.onlyBeijing,
          store::ReadCheckState(Value(row, col::kOnlyBeijing)) != store::CheckState::Greyed,
          {col::kOnlyBeijing, "True or False", "--beijing or --no-beijing"});
    const std::string eot = Value(row, col::kEot);
    // Empty is the column of an older file, before it had one: the default.
    check(!flags.eot, eot.empty() || eot == kEotTableLabel || eot == kEotAstroLabel,
          {col::kEot, "固定表 or 天文计算", "--eot"});
    const std::string chinaSummer = Value(row, col::kChinaDst);
    check(in.page == TimePage::China && !flags.chinaSummer,
          chinaSummer.empty() || store::ReadCheckState(chinaSummer) != store::CheckState::Greyed,
          {col::kChinaDst, "True or False", "--dst-china or --no-dst-china"});
    if (in.page != TimePage::Abroad) return found;
    // Abroad, the China box still gates the double-hour unless only Beijing time is used; the China page's
    // own time step refuses an unreadable longitude itself.
    check(!flags.longitude && !in.onlyBeijing, ParseLongitude(in.longitudeText).has_value(),
          {col::kXy, "a longitude from 0 to 180", "--longitude or --beijing"});
    check(!flags.eastWest, in.eastWestText == kEast || in.eastWestText == kWest,
          {col::kEw, "东经 or 西经", "--ew"});
    // The fixed zone counts when no tz-database zone replaces it (an unknown one falls back to it, and says
    // so).
    const bool fixedZone = in.ianaZone.empty() || !store::IsKnownZone(in.ianaZone);
    // A text whose offset cannot be read is refused by the time step; one without any counts as Greenwich.
    check(fixedZone && !flags.zone, !ParseZoneLabel(in.zoneText) || NamesAZone(in.zoneText),
          {col::kZone, "a zone of velunar-cli zones", "--zone or --tz"});
    return found;
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

TickInput SettingsTickInput(store::Database& db) {
    return TickInputOf(SettingsRow(db));
}

std::optional<TickInput> SettingsPlace(const std::string& command, const NowFlags& flags, store::Database& db,
                                       CommandIo& io, SettingsRead read) {
    store::Row row;
    try {
        row = SettingsRow(db);
    } catch (const store::StoreError& e) {
        io.err << "velunar-cli " << command << ": the settings cannot be read: " << e.what() << '\n';
        return std::nullopt;
    }
    TickInput in = TickInputFrom(flags, TickInputOf(row));
    const std::vector<Unreadable> unreadable = UnreadableValues(row, flags, in, read);
    for (const Unreadable& u : unreadable)
        io.err << "velunar-cli " << command << ": the settings cannot be used: column " << u.column
               << " holds \"" << Value(row, u.column) << "\", not " << u.takes << " (" << u.flag
               << " gives one for this run)\n";
    if (!unreadable.empty()) return std::nullopt;
    return in;
}

}  // namespace velunar::cli
