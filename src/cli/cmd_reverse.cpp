// `reverse POINT FROM TO`: when each doctrine opens a point over a range of dates, as the reverse lookup
// window reports it. Lines are written as they are found, so any range costs the memory of a few batches.
#include <chrono>
#include <memory>
#include <optional>
#include <stdexcept>

#include "calendar/datetime.h"
#include "cli/clock_spans.h"
#include "cli/commands.h"
#include "cli/database_access.h"
#include "cli/localized.h"
#include "cli/text_table.h"
#include "methods/lunar_view.h"
#include "methods/point_index.h"
#include "reverse/opening_spans.h"
#include "reverse/reverse_job.h"
#include "store/calendar_file.h"
#include "store/nativepath.h"
#include "store/reference_snapshot.h"
#include "store/report_file.h"
#include "store/store_error.h"

namespace velunar::cli {
namespace {

constexpr const char* kAbout =
    "Prints the reverse lookup's report for POINT (a name as listed, blanks and all, or the point's\n"
    "traditional name, pinyin or code: 公孫, gongsun, SP4) over the dates FROM..TO (YYYY-MM-DD, both\n"
    "included; a TO before FROM is a usage error, exit status 2): each doctrine's heading, then every\n"
    "double-hour of the range in which it opens the point. The 子 double-hour of a date runs from 23:00 of\n"
    "the day before to 00:59:59 of the date. UTF-8 on standard output; with --out, the file the reverse\n"
    "lookup window saves (GBK, CR LF after every line), replaced only once it is complete.\n";

// Where the report goes: standard output in blocks, or the report file.
class ReportOutput {
  public:
    ReportOutput(std::ostream& out, store::ReportWriter* file) : out_(out), file_(file) {}
    void Line(std::string_view line) {
        if (file_) {
            file_->Line(line);
            return;
        }
        buffer_.append(line).push_back('\n');
        if (buffer_.size() >= 64 * 1024) Flush();
    }
    void Flush() {
        out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
        out_.flush();
        buffer_.clear();
    }

  private:
    std::ostream& out_;
    store::ReportWriter* file_;
    std::string buffer_;
};

// "velunar-cli reverse: 37% (灵龟八法, 2920 of 58440 date scans)" on standard error, at most twice a second
// and once more when the last date is done.
class ProgressReport {
  public:
    explicit ProgressReport(std::ostream* err) : err_(err) {}
    void Show(const ReverseJob& job, bool last) {
        if (!err_) return;
        const ReverseProgress p = job.Progress();
        if (!p.doctrine || p.datesDone == 0 || p.datesDone == shownDone_) return;
        const auto now = std::chrono::steady_clock::now();
        if (!last && shownDone_ > 0 && now - shown_ < std::chrono::milliseconds(500)) return;
        shown_ = now;
        shownDone_ = p.datesDone;
        const std::string_view heading = p.doctrine->ReportHeading();
        *err_ << "velunar-cli reverse: " << p.datesDone * 100 / p.datesTotal << "% ("
              << heading.substr(0, heading.size() - std::string_view("：").size()) << ", " << p.datesDone
              << " of " << p.datesTotal << " date scans)\n"
              << std::flush;
    }

  private:
    std::ostream* err_;
    std::chrono::steady_clock::time_point shown_{};
    std::int64_t shownDone_ = 0;
};

// Each opening's clock span: on its line ("2026-12-09巳时，灵龟穴位=公孙，钟表时间 09:27:18–11:27:15") and
// as one event of the calendar file. An opening that never shows on the clock keeps its line as it is and
// is no event.
class LineSpans {
  public:
    LineSpans(const TickInput& place, bool onLines, store::CalendarFile* calendar, std::string point)
        : spans_(place), onLines_(onLines), calendar_(calendar), point_(std::move(point)) {}

    // The opening's span, put in the calendar as it is found.
    std::optional<ClockSpan> Span(const Opening& o, const std::string& line) {
        const std::optional<ClockSpan> span = spans_.Of(o);
        if (span && calendar_) calendar_->Opening(DoctrineOf(o.Doctrine()), point_, line, *span);
        return span;
    }

    void Extend(const Opening& o, std::string& line) {
        const std::optional<ClockSpan> span = Span(o, line);
        if (span && onLines_) AppendClockText(o.day, *span, line);
    }

  private:
    OpeningSpans spans_;
    bool onLines_;
    store::CalendarFile* calendar_;
    std::string point_;
};

}  // namespace

int RunReverse(const CommandArgs& args, CommandIo& io) {
    std::optional<std::string> outPath;
    bool progress = false;
    DatabaseFlag db;
    ArgParser parser("reverse", "POINT FROM TO", kAbout);
    parser.Option(
        "--out", "FILE",
        [&outPath](const std::string& v) -> std::optional<std::string> {
            if (v.empty()) return "expected a file name";
            outPath = v;
            return std::nullopt;
        },
        "write the report file (GBK, CR LF) instead of UTF-8 on standard output (\"-\": standard output)");
    parser.Flag(
        "--progress", [&progress] { progress = true; }, "report progress on standard error");
    bool csv = false, bom = false, json = false;
    parser.Flag(
        "--csv", [&csv] { csv = true; },
        "UTF-8 CSV on standard output: 方法, 记录 (the report's line), with --clock ISO start and end");
    parser.Flag(
        "--bom", [&bom] { bom = true; },
        "with --csv: begin with the byte-order mark spreadsheet programs need to read Chinese");
    parser.Flag(
        "--json", [&json] { json = true; },
        "JSON Lines on standard output: one object per opening, keyed as the CSV header, and the point's "
        "code (pointCode)");
    std::optional<std::string> icsPath;
    parser.Option(
        "--ics", "FILE",
        [&icsPath](const std::string& v) -> std::optional<std::string> {
            if (v.empty()) return "expected a file name";
            icsPath = v;
            return std::nullopt;
        },
        "also write each opening as an event of a calendar file (iCalendar, UTC, the place's clock span)");
    ClockFlags clock;
    AddClockFlags(parser, clock);
    AddTabooFlags(parser, clock.place);
    bool avoid = false;
    parser.Flag(
        "--avoid-renshen", [&avoid] { avoid = true; },
        "leave out the openings that fall where the 人神 dwells on their date and double-hour, and say on "
        "standard error how many");
    AddDatabaseFlag(parser, db);
    if (auto exit = parser.Run(args, io.out, io.err, 3)) return *exit;
    const CommandArgs& positional = parser.Positionals();
    const std::optional<std::int64_t> from = ReadDate(positional[1]), to = ReadDate(positional[2]);
    for (std::size_t i = 1; i <= 2; ++i) {
        if (!(i == 1 ? from : to)) {
            io.err << parser.Error("not a date \"" + positional[i] + "\" (expected YYYY-MM-DD)") << '\n';
            return kExitUsage;
        }
    }

    if (*to < *from) {
        io.err << parser.Error("TO " + positional[2] + " is before FROM " + positional[1]) << '\n';
        return kExitUsage;
    }
    if (outPath == "-") outPath.reset();
    if (auto conflict = ClockFlagsConflict(clock)) {
        io.err << parser.Error(*conflict) << '\n';
        return kExitUsage;
    }
    if (bom && !csv) {
        io.err << parser.Error("--bom needs --csv") << '\n';
        return kExitUsage;
    }
    if (csv && json) {
        io.err << parser.Error("--csv and --json are two outputs: give one") << '\n';
        return kExitUsage;
    }
    if ((csv || json) && outPath) {
        io.err << parser.Error(std::string(csv ? "--csv" : "--json") +
                               " writes standard output; --out writes the report file: give one")
               << '\n';
        return kExitUsage;
    }

    const std::unique_ptr<store::Database> database = OpenDatabaseFor("reverse", db, io);
    if (!database) return kExitFailure;
    const auto tables = LoadTablesFor("reverse", *database, io, !db.path);
    if (!tables) return kExitFailure;
    // The point in any form it may be typed in (公孫, gongsun, SP-4): the name it stands for from here on.
    const store::TypedPoint typed = store::ResolvePoint(positional[0], *tables, *database);
    if (!typed.name) {
        io.err << parser.Error(typed.note) << '\n';
        return kExitUsage;
    }
    const std::string& point = *typed.name;
    std::optional<TickInput> place;
    if ((clock.clock || icsPath) && !(place = ClockPlaceFor("reverse", clock, *database, io, *from, *to)))
        return kExitFailure;
    const std::optional<TickInput> spelled =
        place ? place : SettingsPlace("reverse", clock.place, *database, io, SettingsRead::Spelling);
    if (!spelled) return kExitFailure;
    const SixthStem spelling = spelled->sixthStem;
    try {
        std::unique_ptr<store::ReportWriter> file;
        // The English report holds what GBK cannot (the tone marks of pinyin): it is written in UTF-8.
        if (outPath)
            file = std::make_unique<store::ReportWriter>(store::PathFromNative(*outPath), InEnglish());
        ReportOutput output(io.out, file.get());
        std::unique_ptr<RecordWriter> table;
        // JSON is keyed alike in every language; the CSV header is in the language of its rows.
        const std::string method = json ? "方法" : ColumnTitle("方法"),
                          record = json ? "记录" : ColumnTitle("记录");
        // JSON also gives the point's international code, as now's records do.
        const std::optional<PointCode> code = CodeOfPoint(point);
        const std::string pointCode = code ? std::string(code->code) : std::string();
        if (csv || json) {
            TextRow header = clock.clock ? TextRow{method, record, "start", "end"} : TextRow{method, record};
            if (json) header.emplace_back("pointCode");
            table = MakeRecordWriter(io.out, json, bom, header);
        }
        ProgressReport shown(progress ? &io.err : nullptr);
        // The window's job, drained: each heading as its doctrine's scan begins, then the scan's lines.
        ReverseJob job(point, *from, *to, tables);
        std::unique_ptr<store::CalendarFile> calendar;
        if (icsPath) calendar = std::make_unique<store::CalendarFile>(*icsPath, store::UtcNow());
        std::optional<LineSpans> spans;
        if (place) spans.emplace(*place, clock.clock, calendar.get(), point);
        ReverseBatch batch;
        std::string line;
        const TabooOptions taboo = TickInputFrom(clock.place, SettingsTickInput(*database)).taboo;
        int leftOut = 0;
        const auto keep = [&](const Opening& o) {
            if (!avoid || !OpeningForbidden(batch.texts->Point(), o.day, o.HourBranch(), taboo)) return true;
            ++leftOut;
            return false;
        };
        for (ReverseJob::Take took;
             (took = job.WaitBatch(batch, std::chrono::milliseconds(500))) != ReverseJob::Take::Ended;) {
            if (took == ReverseJob::Take::Batch) {
                if (table) {
                    const std::string_view heading = batch.doctrine->ReportHeading();
                    const std::string name =
                        json ? std::string(heading.substr(0, heading.size() - std::string_view("：").size()))
                             : DoctrineName(heading);
                    for (const Opening& o : batch.openings) {
                        if (!keep(o)) continue;
                        TextRow row = {name, Spelled(batch.texts->Line(o), spelling)};
                        const std::optional<ClockSpan> span = spans ? spans->Span(o, row[1]) : std::nullopt;
                        if (clock.clock) {
                            row.push_back(span ? IsoStart(*span) : "");
                            row.push_back(span ? IsoEnd(*span) : "");
                        }
                        if (json)
                            row.push_back(pointCode);
                        else
                            row[1] = ReportLine(row[1]);
                        table->Row(row);
                    }
                } else {
                    if (batch.beginsScan) output.Line(ReportHeading(batch.doctrine->ReportHeading()));
                    for (const Opening& o : batch.openings) {
                        if (!keep(o)) continue;
                        line.clear();
                        batch.texts->AppendLine(o, line);
                        Spell(line, spelling);
                        if (spans) spans->Extend(o, line);
                        output.Line(InEnglish() ? ReportLine(line) : line);
                    }
                }
            }
            shown.Show(job, false);
        }
        if (job.State() == JobState::Failed) throw std::runtime_error(job.Error());
        shown.Show(job, true);
        if (table) table->Flush();
        output.Flush();
        if (file) file->Commit();
        if (calendar) calendar->Commit();
        if (avoid)
            io.err << "velunar-cli reverse: " << leftOut
                   << " openings left out: they fall where the 人神 dwells (--avoid-renshen)\n";
    } catch (const std::exception& e) {
        io.err << "velunar-cli reverse: " << e.what() << '\n';
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace velunar::cli
