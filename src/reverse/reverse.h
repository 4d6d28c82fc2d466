#pragma once
// The reverse lookup: for one point and a range of dates, every double-hour in which each doctrine opens it,
// as ordered text lines. Each date is the day that bears the stem-branch; its 子 double-hour runs from 23:00
// of the day before, and the hour stem is always counted from the date's own day stem (DoubleHourMoment).
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "methods/doctrine.h"
#include "reverse/openings.h"

namespace velunar {

// The doctrines in the report's order (ReportRank), with their headings.
std::vector<const Doctrine*> ReportOrder();

// Receives the openings as they are found, in report order within each doctrine.
class ReverseSink {
  public:
    virtual ~ReverseSink() = default;
    // Once, before the first scan: the texts every opening's line is made of.
    virtual void Begin(const std::shared_ptr<const OpeningTexts>& /*texts*/) {}
    virtual void BeginScan(const Doctrine&) {}
    // The openings of one date, in report order. By default each becomes its line, handed to Line.
    virtual void Found(const Doctrine& doctrine, const Opening* openings, std::size_t count,
                       const OpeningTexts& texts);
    virtual void Line(const Doctrine& /*doctrine*/, std::string_view /*line*/) {}
    // Called once per walked date; datesDone counts over every doctrine's scan.
    virtual void Progress(std::int64_t /*datesDone*/, std::int64_t /*datesTotal*/) {}
};

enum class SearchOutcome { Completed, Cancelled };

// Walks whole days firstDay..lastDay inclusive (day numbers since 1899-12-30; none when first > last).
// `cancel` is polled once per date. An empty point opens nowhere.
SearchOutcome ReverseSearch(const std::string& point, std::int64_t firstDay, std::int64_t lastDay,
                            const ReferenceTables& tables, ReverseSink& sink,
                            const std::atomic<bool>* cancel = nullptr);
// The same walk over tails made beforehand (a search that goes on over later dates makes them once): `texts`
// must hold a whole cycle, or at least the dates of the range.
SearchOutcome ReverseSearch(const std::shared_ptr<const OpeningTexts>& texts, std::int64_t firstDay,
                            std::int64_t lastDay, ReverseSink& sink, const std::atomic<bool>* cancel = nullptr);

// A sink that keeps every line per doctrine, in report order (tests, the report of the window).
class CollectingSink : public ReverseSink {
  public:
    CollectingSink();
    void Line(const Doctrine& doctrine, std::string_view line) override;
    // Each heading followed by its lines, no blank lines.
    std::vector<std::string> Report() const;
    const std::vector<std::string>& LinesOf(DoctrineId id) const;

    std::vector<std::pair<const Doctrine*, std::vector<std::string>>> sections;
};

}  // namespace velunar
