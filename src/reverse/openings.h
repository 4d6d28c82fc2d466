#pragma once
// The reverse lookup's findings in compact form: one Opening per report line, a few integers, and the texts
// of a search held once. Every doctrine depends on the date only through its day stem and branch, which
// repeat every sixty days, so the tails of a search's lines (everything after the date text) are those of
// its first sixty dates; a line is its date glued to one of them. A range of a thousand years is then a few
// bytes per line, and a line's text is made only when it is shown or written.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "methods/doctrine.h"

namespace velunar {

struct Opening {
    std::int32_t day = 0;       // whole days since 1899-12-30
    std::uint8_t doctrine = 0;  // DoctrineId
    std::uint8_t branch = 0;    // the double-hour the line names; 0 (kNoBranch): the whole date
    std::uint16_t tail = 0;     // which of the date's tails, in report order

    DoctrineId Doctrine() const { return static_cast<DoctrineId>(doctrine); }
    Branch HourBranch() const { return BranchAt(branch); }
};

// "yyyy-mm-dd" of a day number, appended (the walk and the views format one per line).
void AppendIsoDate(std::int64_t day, std::string& out);

class OpeningTexts {
  public:
    static constexpr int kCycle = 60;
    struct Tail {
        std::string text;              // "甲午时，飞腾穴位=公孙"
        Branch branch = Branch::None;  // the double-hour it names; None for "全部时辰"
    };

    // The tails of `point` (as it is looked up: its standard spelling) for every doctrine on the dates
    // firstDay.. of one cycle; only the dates up to lastDay are worked out. An empty point opens nowhere.
    OpeningTexts(std::string point, std::int64_t firstDay, std::int64_t lastDay,
                 const ReferenceTables& tables);

    // The tails of `day`, a date of the range, in report order.
    const std::vector<Tail>& On(DoctrineId doctrine, std::int64_t day) const;
    std::string_view TailOf(const Opening& o) const { return On(o.Doctrine(), o.day)[o.tail].text; }
    // The report's line: "2013-06-09甲午时，飞腾穴位=公孙".
    void AppendLine(const Opening& o, std::string& out) const;
    std::string Line(const Opening& o) const;

    const std::string& Point() const { return point_; }
    std::int64_t FirstDay() const { return first_; }

  private:
    std::string point_;
    std::int64_t first_;
    std::vector<std::array<std::vector<Tail>, kCycle>> tails_;  // by DoctrineId
};

}  // namespace velunar
