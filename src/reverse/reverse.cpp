#include "reverse/reverse.h"

#include <algorithm>
#include <array>

#include "calendar/datetime.h"
#include "methods/point_aliases.h"

namespace velunar {
namespace {

// Every doctrine depends on the date only through its day stem and branch, which repeat every sixty days. So
// each scan is worked out once for sixty consecutive dates, as the tails of its lines (everything after the
// date text), and the walk only glues date texts to them.
constexpr int kCycle = 60;
using CyclePattern = std::array<std::vector<std::string>, kCycle>;

// "yyyy-mm-dd" of a day number, written straight into a buffer (the walk formats one per hit date).
class DateText {
  public:
    std::string_view Of(std::int64_t day) {
        const CivilDate c = CivilFromDays(day);
        if (c.year < 0 || c.year > 9999) {
            wide_ = FormatIsoDate(static_cast<DateTime>(day));
            return wide_;
        }
        Digits(buf_, c.year, 4);
        buf_[4] = '-';
        Digits(buf_ + 5, c.month, 2);
        buf_[7] = '-';
        Digits(buf_ + 8, c.day, 2);
        return {buf_, 10};
    }

  private:
    static void Digits(char* at, int value, int width) {
        for (int i = width - 1; i >= 0; --i, value /= 10) at[i] = static_cast<char>('0' + value % 10);
    }
    char buf_[10] = {};
    std::string wide_;
};

class Walker {
  public:
    Walker(std::int64_t first, std::int64_t last, ReverseSink& sink, const std::atomic<bool>* cancel)
        : first_(first), last_(last), sink_(sink), cancel_(cancel) {
        total_ = last >= first ? (last - first + 1) * static_cast<std::int64_t>(Doctrines().size()) : 0;
    }

    // Emits the doctrine's lines for every date of the range; false when the user cancelled.
    bool Run(const Doctrine& d, const std::string& point, const ReferenceTables& tables) {
        sink_.BeginScan(d);
        if (first_ > last_) return true;
        // Only the dates the walk reaches are worked out (a short range needs fewer than sixty).
        CyclePattern pattern;
        if (!point.empty())
            for (std::int64_t k = 0; k < kCycle && first_ + k <= last_; ++k)
                d.OpeningsOn(first_ + k, point, tables, pattern[static_cast<std::size_t>(k)]);
        std::size_t k = 0;
        for (std::int64_t day = first_; day <= last_; ++day) {
            if (cancel_ && cancel_->load(std::memory_order_relaxed)) return false;
            if (!pattern[k].empty()) {
                const std::string_view date = dates_.Of(day);
                for (const std::string& tail : pattern[k]) {
                    line_.assign(date).append(tail);
                    sink_.Line(d, line_);
                }
            }
            sink_.Progress(++done_, total_);
            if (++k == kCycle) k = 0;
        }
        return true;
    }

  private:
    std::int64_t first_, last_;
    ReverseSink& sink_;
    const std::atomic<bool>* cancel_;
    std::int64_t done_ = 0, total_ = 0;
    DateText dates_;
    std::string line_;
};

}  // namespace

std::vector<const Doctrine*> ReportOrder() {
    std::vector<const Doctrine*> order(Doctrines().begin(), Doctrines().end());
    std::stable_sort(order.begin(), order.end(),
                     [](const Doctrine* a, const Doctrine* b) { return a->ReportRank() < b->ReportRank(); });
    return order;
}

SearchOutcome ReverseSearch(const std::string& typed, std::int64_t firstDay, std::int64_t lastDay,
                            const ReferenceTables& tables, ReverseSink& sink, const std::atomic<bool>* cancel) {
    // The tables hold standard names only; a superseded spelling is looked up, and reported, as its standard.
    const std::string point(CanonicalPointName(typed));
    Walker w(firstDay, lastDay, sink, cancel);
    for (const Doctrine* d : ReportOrder())
        if (!w.Run(*d, point, tables)) return SearchOutcome::Cancelled;
    return SearchOutcome::Completed;
}

CollectingSink::CollectingSink() {
    for (const Doctrine* d : ReportOrder()) sections.push_back({d, {}});
}

void CollectingSink::Line(const Doctrine& doctrine, std::string_view line) {
    for (auto& [d, lines] : sections)
        if (d == &doctrine) lines.emplace_back(line);
}

std::vector<std::string> CollectingSink::Report() const {
    std::vector<std::string> out;
    for (const auto& [d, lines] : sections) {
        out.emplace_back(d->ReportHeading());
        out.insert(out.end(), lines.begin(), lines.end());
    }
    return out;
}

const std::vector<std::string>& CollectingSink::LinesOf(DoctrineId id) const {
    for (const auto& [d, lines] : sections)
        if (d->Id() == id) return lines;
    static const std::vector<std::string> kNone;
    return kNone;
}

}  // namespace velunar
