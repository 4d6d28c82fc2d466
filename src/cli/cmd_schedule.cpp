// `schedule FROM TO`: the opening schedule of a range of dates, twelve double-hours a date, for
// printing ahead or for a spreadsheet.
#include <sstream>

#include "calendar/datetime.h"
#include "cli/commands.h"
#include "cli/doctrines_report.h"
#include "cli/text_table.h"
#include "methods/schedule.h"
#include "store/method_tables.h"

namespace velunar::cli {
namespace {

constexpr const char* kAbout =
    "Prints, for every date FROM..TO (YYYY-MM-DD, both included) and every double-hour 子 to 亥, what each\n"
    "doctrine opens. The 子 double-hour of a date runs from 23:00 of the day before to 00:59:59 of the "
    "date,\n"
    "its hour stem counted from the date's own day stem (the reverse lookup's convention).\n";

// Only a plain date: a time of day would suggest it matters.
std::optional<std::int64_t> ReadDate(const std::string& text) {
    if (text.size() != 10) return std::nullopt;
    const std::optional<DateTime> t = ParseIso(text);
    if (!t) return std::nullopt;
    return WholeDay(*t);
}

// Splits the positional dates from the flags; the value after --db stays with its flag.
void Split(const CommandArgs& args, CommandArgs& flags, CommandArgs& dates) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i].rfind("-", 0) != 0) {
            dates.push_back(args[i]);
            continue;
        }
        flags.push_back(args[i]);
        if (args[i] == "--db" && i + 1 < args.size()) flags.push_back(args[++i]);
    }
}

}  // namespace

int RunSchedule(const CommandArgs& args, CommandIo& io) {
    bool csv = false;
    DatabaseFlag db;
    ArgParser parser("schedule");
    parser.Flag(
        "--csv", [&csv] { csv = true; }, "UTF-8 CSV with a header row instead of an aligned table");
    AddDatabaseFlag(parser, db);

    CommandArgs flags, dates;
    Split(args, flags, dates);
    if (auto error = parser.Parse(flags)) {
        io.err << *error << '\n';
        return kExitUsage;
    }
    if (parser.HelpAsked()) {
        io.out << "usage: velunar-cli schedule FROM TO [options]\n"
               << parser.Usage().substr(parser.Usage().find('\n') + 1) << kAbout;
        return kExitOk;
    }
    if (dates.size() != 2) {
        io.err << "velunar-cli schedule: expected two dates FROM TO (YYYY-MM-DD), got " << dates.size()
               << '\n';
        return kExitUsage;
    }
    const std::optional<std::int64_t> from = ReadDate(dates[0]), to = ReadDate(dates[1]);
    for (std::size_t i = 0; i < 2; ++i) {
        if (!(i == 0 ? from : to)) {
            io.err << "velunar-cli schedule: not a date \"" << dates[i] << "\" (expected YYYY-MM-DD)\n";
            return kExitUsage;
        }
    }
    if (*from > *to) {
        io.err << "velunar-cli schedule: FROM " << dates[0] << " is after TO " << dates[1] << '\n';
        return kExitUsage;
    }

    const std::unique_ptr<store::Database> database = OpenDatabaseFor("schedule", db, io);
    if (!database) return kExitFailure;
    store::DatabaseMethodTables tables(*database);
    std::vector<ScheduleRow> rows;
    try {
        rows = BuildSchedule(*from, *to, tables);
    } catch (const TablesError& e) {
        io.err << "velunar-cli schedule: " << e.what() << '\n';
        return kExitFailure;
    }

    const TextRow header(ScheduleHeader().begin(), ScheduleHeader().end());
    std::vector<TextRow> cells;
    cells.reserve(rows.size());
    for (const ScheduleRow& r : rows) cells.push_back(ScheduleFields(r));
    // One write: a month is a few hundred lines.
    std::ostringstream text;
    if (csv)
        WriteCsv(text, header, cells);
    else
        WriteAlignedTable(text, header, cells);
    io.out << text.str();
    return kExitOk;
}

}  // namespace velunar::cli
