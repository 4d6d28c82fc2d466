#include "reverse/reverse.h"

#include <algorithm>

#include "methods/point_aliases.h"

namespace velunar {
namespace {

class Walker {
  public:
    Walker(std::int64_t first, std::int64_t last, ReverseSink& sink, const std::atomic<bool>* cancel)
        : first_(first), last_(last), sink_(sink), cancel_(cancel) {
        total_ = last >= first ? (last - first + 1) * static_cast<std::int64_t>(Doctrines().size()) : 0;
    }

    // Hands over the doctrine's openings for every date of the range; false when the user cancelled.
    bool Run(const Doctrine& d, const OpeningTexts& texts) {
        sink_.BeginScan(d);
        if (first_ > last_) return true;
        for (std::int64_t day = first_; day <= last_; ++day) {
            if (cancel_ && cancel_->load(std::memory_order_relaxed)) return false;
            const std::vector<OpeningTexts::Tail>& tails = texts.On(d.Id(), day);
            if (!tails.empty()) {
                found_.clear();
                for (std::size_t i = 0; i < tails.size(); ++i)
                    found_.push_back({static_cast<std::int32_t>(day), static_cast<std::uint8_t>(d.Id()),
                                      static_cast<std::uint8_t>(Number(tails[i].branch)),
                                      static_cast<std::uint16_t>(i)});
                sink_.Found(d, found_.data(), found_.size(), texts);
            }
            sink_.Progress(++done_, total_);
        }
        return true;
    }

  private:
    std::int64_t first_, last_;
    ReverseSink& sink_;
    const std::atomic<bool>* cancel_;
    std::int64_t done_ = 0, total_ = 0;
    std::vector<Opening> found_;
};

}  // namespace

std::vector<const Doctrine*> ReportOrder() {
    std::vector<const Doctrine*> order(Doctrines().begin(), Doctrines().end());
    std::stable_sort(order.begin(), order.end(),
                     [](const Doctrine* a, const Doctrine* b) { return a->ReportRank() < b->ReportRank(); });
    return order;
}

SearchOutcome ReverseSearch(const std::string& typed, std::int64_t firstDay, std::int64_t lastDay,
                            const ReferenceTables& tables, ReverseSink& sink,
                            const std::atomic<bool>* cancel) {
    // The tables hold standard names only; a superseded spelling is looked up, and reported, as its standard.
    const auto texts = std::make_shared<const OpeningTexts>(std::string(CanonicalPointName(typed)), firstDay,
                                                            lastDay, tables);
    return ReverseSearch(texts, firstDay, lastDay, sink, cancel);
}

SearchOutcome ReverseSearch(const std::shared_ptr<const OpeningTexts>& texts, std::int64_t firstDay,
                            std::int64_t lastDay, ReverseSink& sink, const std::atomic<bool>* cancel) {
    sink.Begin(texts);
    Walker w(firstDay, lastDay, sink, cancel);
    for (const Doctrine* d : ReportOrder())
        if (!w.Run(*d, *texts)) return SearchOutcome::Cancelled;
    return SearchOutcome::Completed;
}

void ReverseSink::Found(const Doctrine& doctrine, const Opening* openings, std::size_t count,
                        const OpeningTexts& texts) {
    std::string line;
    for (std::size_t i = 0; i < count; ++i) {
        line.clear();
        texts.AppendLine(openings[i], line);
        Line(doctrine, line);
    }
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
