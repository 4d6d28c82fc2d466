#pragma once
// A doctrine is one unit behind this small interface: what it opens at a moment, and on which double-hours of
// a date it opens a given point. The tick, the schedule, the reverse lookup and the pages all iterate
// Doctrines(), so a doctrine added to that list reaches every one of them.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/moment.h"
#include "methods/derivation.h"
#include "methods/reference_tables.h"

namespace velunar {

enum class DoctrineId { NaGan, Supplementary, NaZhi, LingGui, FeiTeng, ShiGan, RiGan, NaZhi2 };

// One value a doctrine shows: a box on its page, a field of the command line's output.
struct Cell {
    std::string_view name;            // what it is, in the program's own words: "point", "dutyMeridian"
    std::string_view column;          // its title in the outputs: the table column ("穴位") or the name
    std::optional<std::string> text;  // none: nothing can be said at this moment (no double-hour yet)
    bool visible = true;              // the page shows the box and its caption
};

struct Finding {
    bool applies = true;  // false: the doctrine says nothing at this moment (补穴 in an open hour)
    std::vector<Cell> cells;
    std::optional<std::vector<std::string>> points;  // the doctrines that list a whole meridian
    std::optional<bool> closed;                      // 纳干法: the hour is closed (闭)

    // The text of a cell, "" when there is none.
    std::string Text(std::string_view name) const;
};

class Doctrine {
  public:
    virtual ~Doctrine() = default;
    virtual DoctrineId Id() const = 0;
    virtual std::string_view Name() const = 0;  // "naGan": the page's and its boxes' names
    virtual std::string_view Key() const = 0;   // "nagan": the key in the command line's output

    Finding At(const Moment& m, const ReferenceTables& t) const { return Work(m, t, Why()); }
    // Why At finds what it finds: the steps of the same working, the last one naming the finding's shown
    // values first among its arguments, in the order of its cells.
    Derivation Explain(const Moment& m, const ReferenceTables& t) const;

    // The reverse lookup. Its report shows the doctrines in ReportRank order under their headings; the lines
    // of a date are its date followed by each tail OpeningsOn appends, in report order.
    virtual std::string_view ReportHeading() const = 0;
    virtual int ReportRank() const = 0;
    virtual void OpeningsOn(std::int64_t day, std::string_view point, const ReferenceTables& t,
                            std::vector<std::string>& tails) const = 0;

    // The schedule's columns of this doctrine and their cells for one double-hour.
    virtual std::span<const std::string_view> ScheduleTitles() const = 0;
    virtual void ScheduleCells(const Moment& m, const Finding& f, std::vector<std::string>& out) const = 0;

  protected:
    // The one working behind At and Explain; `why` records its steps when a derivation is asked for.
    virtual Finding Work(const Moment& m, const ReferenceTables& t, Why why) const = 0;
};

// Every doctrine, in the order the outputs list them.
std::span<const Doctrine* const> Doctrines();
const Doctrine& DoctrineOf(DoctrineId id);

// The Moment of double-hour `branch` of day `day` (whole days since 1899-12-30) as the schedule and the
// reverse lookup date them: the 子 double-hour of a date D runs from 23:00 of D − 1 to 00:59:59 of D, and
// every hour stem is counted from D's own day stem. effectiveTime is the start of the double-hour.
Moment DoubleHourMoment(std::int64_t day, Branch branch);

// For doctrines whose openings go double-hour by double-hour: fn(moment of each double-hour of the date).
template <typename Fn>
void ForEachDoubleHour(std::int64_t day, Fn fn) {
    for (int h = 1; h <= 12; ++h) fn(DoubleHourMoment(day, BranchAt(h)));
}

// A reverse-lookup tail: the pieces, then the point.
std::string Tail(std::initializer_list<std::string_view> pieces, std::string_view point);

}  // namespace velunar
