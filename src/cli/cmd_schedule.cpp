// `schedule FROM TO`: the opening schedule of a range of dates, twelve double-hours a date, for printing
// ahead or for a spreadsheet.
#include <algorithm>

#include "cli/clock_spans.h"
#include "cli/commands.h"
#include "cli/database_access.h"
#include "cli/localized.h"
#include "cli/schedule_pdf.h"
#include "cli/text_table.h"
#include "methods/lunar_view.h"
#include "methods/point_index.h"
#include "methods/schedule.h"

namespace velunar::cli {
namespace {

constexpr const char* kAbout =
    "Prints, for every date FROM..TO (YYYY-MM-DD, both included) and every double-hour 子 to 亥, what each\n"
    "doctrine opens, as the main window shows it at the double-hour's first second under the time mode.\n"
    "Under 不区分夜子时早子时 the 子 double-hour of a date runs from 23:00 of the day before to 00:59:59 of\n"
    "the date; under 以0-2时为子时 from 00:00 to 01:59:59; under 区分夜子时早子时 a date has thirteen rows:\n"
    "早子 (00:00-00:59:59), 丑 to 亥, and 夜子 (23:00-23:59:59, its hour stem counted from the next day).\n";

}  // namespace

int RunSchedule(const CommandArgs& args, CommandIo& io) {
    bool csv = false, bom = false, json = false;
    std::optional<std::string> pdf;
    ClockFlags clock;
    DatabaseFlag db;
    ArgParser parser("schedule", "FROM TO", kAbout);
    parser.Flag(
        "--csv", [&csv] { csv = true; }, "UTF-8 CSV with a header row instead of an aligned table");
    parser.Flag(
        "--bom", [&bom] { bom = true; },
        "with --csv: begin with the byte-order mark spreadsheet programs need to read Chinese");
    parser.Flag(
        "--json", [&json] { json = true; },
        "JSON Lines instead of an aligned table: one object per double-hour, keyed as the CSV header, then "
        "the named points' codes (naganPointCode …)");
    parser.Option(
        "--pdf", "FILE",
        [&pdf](const std::string& v) -> std::optional<std::string> {
            if (v.empty()) return "--pdf needs a file name";
            pdf = v;
            return std::nullopt;
        },
        "write the printable 开穴表 (A4 landscape, the place, time mode and dates on every page) to FILE");
    AddClockFlags(parser, clock);
    AddTabooFlags(parser, clock.place);
    bool avoid = false;
    parser.Flag(
        "--avoid-renshen", [&avoid] { avoid = true; },
        "leave out the points that fall where the 人神 dwells on their date and double-hour (the cell is "
        "emptied), and say on standard error how many");
    AddDatabaseFlag(parser, db);
    if (auto exit = parser.Run(args, io.out, io.err, 2)) return *exit;
    const CommandArgs& dates = parser.Positionals();
    const std::optional<std::int64_t> from = ReadDate(dates[0]), to = ReadDate(dates[1]);
    for (std::size_t i = 0; i < 2; ++i) {
        if (!(i == 0 ? from : to)) {
            io.err << parser.Error("not a date \"" + dates[i] + "\" (expected YYYY-MM-DD)") << '\n';
            return kExitUsage;
        }
    }
    if (*from > *to) {
        io.err << parser.Error("FROM " + dates[0] + " is after TO " + dates[1]) << '\n';
        return kExitUsage;
    }
    if (auto conflict = ClockFlagsConflict(clock)) {
        io.err << parser.Error(*conflict) << '\n';
        return kExitUsage;
    }
    if (bom && !csv) {
        io.err << parser.Error("--bom needs --csv") << '\n';
        return kExitUsage;
    }
    if (csv + json + pdf.has_value() > 1) {
        io.err << parser.Error(std::string(csv && json ? "--csv and --json"
                                           : csv       ? "--pdf and --csv"
                                                       : "--pdf and --json") +
                               " are two outputs: give one")
               << '\n';
        return kExitUsage;
    }
    // Records for scripts carry the spans as ISO date-times; the table for reading, as one text.
    const bool records = csv || json;

    const std::unique_ptr<store::Database> database = OpenDatabaseFor("schedule", db, io);
    if (!database) return kExitFailure;
    const auto tables = LoadTablesFor("schedule", *database, io, !db.path);
    if (!tables) return kExitFailure;
    std::optional<TickInput> place;
    if (clock.clock && !(place = ClockPlaceFor("schedule", clock, *database, io, *from, *to)))
        return kExitFailure;
    // The rows follow the time mode and the spelling; a PDF's heading names the place as well.
    const std::optional<TickInput> named =
        place ? place
              : SettingsPlace("schedule", clock.place, *database, io,
                              pdf ? SettingsRead::Place : SettingsRead::ModeAndSpelling);
    if (!named) return kExitFailure;
    const TimeMode mode = named->timeMode.value_or(TimeMode::NoNightRat);
    const SixthStem spelled = named->sixthStem;
    const TabooOptions taboo = named->taboo;
    if (pdf) {
        const print::SheetRange range{
            *from, *to, mode, place, print::HeadingOf(*named, *from, *to), spelled, {taboo, avoid}, {}};
        if (!WriteSchedulePdfFile(*pdf, range, *tables, io)) return kExitFailure;
        if (avoid) {
            int pdfLeftOut = 0;
            print::ForEachSheetRow(
                *from, *to, mode, *tables, std::nullopt,
                [&pdfLeftOut](const print::SheetRow& row) { return pdfLeftOut += row.leftOut, true; },
                range.taboo);
            io.err << "velunar-cli schedule: " << pdfLeftOut
                   << " openings left out: they fall where the 人神 dwells (--avoid-renshen)\n";
        }
        return kExitOk;
    }

    // JSON is keyed alike in every language; the table and the CSV speak the language in force.
    int leftOut = 0;
    const auto sayLeftOut = [&] {
        if (avoid)
            io.err << "velunar-cli schedule: " << leftOut
                   << " openings left out: they fall where the 人神 dwells (--avoid-renshen)\n";
    };
    const std::vector<std::string_view> titles = ScheduleHeader();
    TextRow header;
    for (std::string_view t : titles) header.push_back(json ? std::string(t) : ColumnTitle(t));
    // The clock columns come last, so that a span reaching into another date widens nothing.
    if (place) {
        if (records) {
            header.emplace_back("start");
            header.emplace_back("end");
        } else {
            header.push_back(ColumnTitle("钟表时间"));
        }
    }
    // JSON gives each point's code beside the names, after every other column.
    const std::vector<PointCodeColumn> codeColumns =
        json ? SchedulePointCodeColumns() : std::vector<PointCodeColumn>{};
    for (const PointCodeColumn& c : codeColumns) header.emplace_back(c.key);
    // Rows in date order, each with its clock span when asked for.
    auto eachRow = [&](std::int64_t first, std::int64_t last, const std::function<void(TextRow&)>& take) {
        std::optional<ClockSpanWalker> spans;
        if (place) spans.emplace(*place);
        ForEachScheduleRow(
            first, last, mode, *tables,
            [&](const ScheduleRow& r) {
                TextRow row = r.cells;
                // The doctrines' columns only: the date, the stems and branches and the 人神 column name no
                // point.
                if (avoid) leftOut += LeaveOutForbidden(r.day, r.branch, row, 3, row.size() - 1, taboo);
                for (std::string& cell : row) {
                    Spell(cell, spelled);
                    if (!json) cell = LocalValue(cell);
                }
                if (place) {
                    const std::optional<ClockSpan> span = spans->SpanOf(r.slot);
                    if (records) {
                        row.push_back(span ? IsoStart(*span) : "");
                        row.push_back(span ? IsoEnd(*span) : "");
                    } else {
                        row.push_back(span ? SpanText(r.day, *span) : "");
                    }
                }
                for (const PointCodeColumn& c : codeColumns) {
                    const std::optional<PointCode> code = CodeOfPoint(row[c.column]);
                    row.push_back(code ? std::string(code->code) : std::string());
                }
                take(row);
                return true;
            },
            taboo);
    };
    if (records) {
        // Row by row: records of any range take the memory of one row.
        const std::unique_ptr<RecordWriter> writer = MakeRecordWriter(io.out, json, bom, header);
        eachRow(*from, *to, [&writer](TextRow& row) { writer->Row(row); });
        writer->Flush();
        sayLeftOut();
        return kExitOk;
    }
    // What a double-hour opens follows the stem and branch of its date, which come round every sixty
    // days: the widest cells of any range are among those of its first sixty dates.
    std::vector<TextRow> sample;
    eachRow(*from, std::min(*to, *from + 59), [&sample](TextRow& row) { sample.push_back(std::move(row)); });
    AlignedWriter writer(io.out, ColumnWidths(header, sample));
    writer.Row(header);
    for (const TextRow& row : sample) writer.Row(row);
    sample = {};
    if (*to > *from + 59) eachRow(*from + 60, *to, [&writer](TextRow& row) { writer.Row(row); });
    writer.Flush();
    sayLeftOut();
    return kExitOk;
}

}  // namespace velunar::cli
