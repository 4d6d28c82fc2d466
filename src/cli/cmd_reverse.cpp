// `reverse POINT FROM TO`: when each doctrine opens a point over a range of dates, as the reverse lookup
// window reports it. Lines are written as they are found, so any range costs the memory of one line.
#include <chrono>
#include <memory>
#include <optional>

#include "calendar/datetime.h"
#include "cli/commands.h"
#include "cli/doctrines_report.h"
#include "reverse/reverse.h"
#include "store/nativepath.h"
#include "store/reverse_source.h"
#include "store/store_error.h"

namespace velunar::cli {
namespace {

constexpr const char* kAbout =
    "Prints the reverse lookup's report for POINT (used exactly as given, blanks and all) over the dates\n"
    "FROM..TO (YYYY-MM-DD, both included; a TO before FROM searches nothing): each doctrine's heading,\n"
    "then every double-hour of the range in which it opens the point. The 子 double-hour of a date runs\n"
    "from 23:00 of the day before to 00:59:59 of the date. UTF-8 on standard output; with --out, the file\n"
    "the reverse lookup window saves (GBK, CR LF after every line), replaced only once it is complete.\n";

constexpr std::array<const char*, kScanCount> kScanNames = {"纳干法(徐氏)", "纳支法", "灵龟八法", "飞腾八法",
                                                            "日干法",       "时干法", "纳支法2",  "补穴法"};

std::optional<std::int64_t> ReadDate(const std::string& text) {
    if (text.size() != 10) return std::nullopt;
    const std::optional<DateTime> t = ParseIso(text);
    if (!t) return std::nullopt;
    return WholeDay(*t);
}

// Splits positional arguments from flags; the values of --out and --db stay with their flags. After
// "--" everything is positional, so a point name may begin with a hyphen.
void Split(const CommandArgs& args, CommandArgs& flags, CommandArgs& positional) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--") {
            positional.insert(positional.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                              args.end());
            return;
        }
        if (args[i].size() < 2 || args[i][0] != '-') {
            positional.push_back(args[i]);
            continue;
        }
        flags.push_back(args[i]);
        if ((args[i] == "--out" || args[i] == "--db") && i + 1 < args.size()) flags.push_back(args[++i]);
    }
}

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

// Each heading as its scan begins, then the scan's lines: the report without holding it.
class StreamingSink : public ReverseSink {
  public:
    StreamingSink(ReportOutput& output, std::ostream* progress) : output_(output), progress_(progress) {}
    void BeginScan(Scan scan) override {
        scan_ = static_cast<int>(scan);
        output_.Line(ReportHeadings()[static_cast<std::size_t>(scan_)]);
    }
    void Line(Scan, std::string_view line) override { output_.Line(line); }
    void Progress(std::int64_t done, std::int64_t total) override {
        // The clock is read every 256 dates only: a date takes well under a microsecond.
        if (!progress_ || (done % 256 != 0 && done != total)) return;
        const auto now = std::chrono::steady_clock::now();
        if (done != total && now - shown_ < std::chrono::milliseconds(500)) return;
        shown_ = now;
        *progress_ << "velunar-cli reverse: " << done * 100 / total << "% (" << kScanNames[scan_] << ", "
                   << done << " of " << total << " date scans)\n"
                   << std::flush;
    }

  private:
    ReportOutput& output_;
    std::ostream* progress_;
    int scan_ = 0;
    std::chrono::steady_clock::time_point shown_{};
};

}  // namespace

int RunReverse(const CommandArgs& args, CommandIo& io) {
    std::optional<std::string> outPath;
    bool progress = false;
    DatabaseFlag db;
    ArgParser parser("reverse");
    parser.Option(
        "--out", "FILE",
        [&outPath](const std::string& v) -> std::optional<std::string> {
            if (v.empty()) return "expected a file name";
            outPath = v;
            return std::nullopt;
        },
        "write the report file (GBK, CR LF) instead of UTF-8 on standard output");
    parser.Flag(
        "--progress", [&progress] { progress = true; }, "report progress on standard error");
    AddDatabaseFlag(parser, db);

    CommandArgs flags, positional;
    Split(args, flags, positional);
    if (auto error = parser.Parse(flags)) {
        io.err << *error << '\n';
        return kExitUsage;
    }
    if (parser.HelpAsked()) {
        io.out << "usage: velunar-cli reverse POINT FROM TO [options]\n"
               << parser.Usage().substr(parser.Usage().find('\n') + 1) << kAbout;
        return kExitOk;
    }
    if (positional.size() != 3) {
        io.err << "velunar-cli reverse: expected POINT FROM TO (dates YYYY-MM-DD), got " << positional.size()
               << " arguments\n";
        return kExitUsage;
    }
    const std::optional<std::int64_t> from = ReadDate(positional[1]), to = ReadDate(positional[2]);
    for (std::size_t i = 1; i <= 2; ++i) {
        if (!(i == 1 ? from : to)) {
            io.err << "velunar-cli reverse: not a date \"" << positional[i] << "\" (expected YYYY-MM-DD)\n";
            return kExitUsage;
        }
    }

    const std::unique_ptr<store::Database> database = OpenDatabaseFor("reverse", db, io);
    if (!database) return kExitFailure;
    try {
        std::unique_ptr<store::ReportWriter> file;
        if (outPath) file = std::make_unique<store::ReportWriter>(store::PathFromNative(*outPath));
        ReportOutput output(io.out, file.get());
        StreamingSink sink(output, progress ? &io.err : nullptr);
        store::DatabaseReverseSource source(*database);
        try {
            ReverseSearch(positional[0], *from, *to, source, sink);
        } catch (...) {
            output.Flush();  // what was found before the failure stays on standard output
            throw;
        }
        output.Flush();
        if (file) file->Commit();
    } catch (const std::exception& e) {
        io.err << "velunar-cli reverse: " << e.what() << '\n';
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace velunar::cli
