#pragma once
// A calendar file (RFC 5545) of openings: one event per double-hour, in UTC, lines folded at 75 octets,
// CR LF, written whole or not at all.
#include <string>
#include <string_view>

#include "calendar/datetime.h"
#include "calendar/tick.h"
#include "store/outputfile.h"

namespace velunar::cli {

// Minutes to take from the place's clock for UTC: Beijing time on the China page; the zone and summer time
// of the abroad page. Nothing when the abroad page's zone or summer time cannot be read.
std::optional<double> ClockMinusUtcMinutes(const TickInput& place);

// "20261209T012718Z"
std::string IcsUtc(DateTime utc);
// A TEXT value: backslash, semicolon, comma and line breaks escaped.
std::string IcsText(std::string_view text);
// One content line folded as RFC 5545 asks: no line longer than 75 octets, continuation lines begun by a
// blank, never inside a UTF-8 sequence; CR LF after each.
std::string IcsFold(std::string_view line);

class CalendarFile {
  public:
    // Opens the file (throws std::runtime_error with the system's reason) and writes the calendar's head.
    // `stamp` is the DTSTAMP of every event, in UTC.
    CalendarFile(const std::string& nativePath, DateTime stamp);
    ~CalendarFile();
    // One event from `startUtc` up to (not including) `endUtc`.
    void Event(std::string_view uid, DateTime startUtc, DateTime endUtc, std::string_view summary,
               std::string_view description);
    // Ends the calendar and puts the file in place.
    void Commit();

  private:
    void Line(std::string_view line);
    void Flush();

    store::OutputFile file_;
    std::string stamp_;
    std::string buffer_;
    bool done_ = false;
};

}  // namespace velunar::cli
