#pragma once
// A calendar file (RFC 5545) of openings: one event per double-hour, in UTC, lines folded at 75 octets,
// CR LF, written whole or not at all. The command line's --ics and the reverse lookup window's 导出为日历
// write it alike.
#include <stdexcept>
#include <string>
#include <string_view>

#include "calendar/datetime.h"
#include "methods/clock_span.h"
#include "methods/doctrine.h"
#include "store/outputfile.h"

namespace velunar::store {

// The system clock's reading in UTC, to the second: the DTSTAMP of a file written now.
DateTime UtcNow();

// "20261209T012718Z"
std::string IcsUtc(DateTime utc);
// A TEXT value: backslash, semicolon, comma and line breaks escaped.
std::string IcsText(std::string_view text);
// One content line folded as RFC 5545 asks: no line longer than 75 octets, continuation lines begun by a
// blank, never inside a UTF-8 sequence; CR LF after each.
std::string IcsFold(std::string_view line);

// A file that could not be written: what() names the file or the step and the reason; reason() is the
// system's reason alone.
class CalendarFileError : public std::runtime_error {
  public:
    CalendarFileError(const std::string& what, QString reason)
        : std::runtime_error(what), reason_(std::move(reason)) {}
    const QString& reason() const { return reason_; }

  private:
    QString reason_;
};

class CalendarFile {
  public:
    // Opens the file (throws CalendarFileError) and writes the calendar's head.
    // `stamp` is the DTSTAMP of every event, in UTC.
    CalendarFile(const std::string& nativePath, DateTime stamp);
    ~CalendarFile();
    // One event from `startUtc` up to (not including) `endUtc`.
    void Event(std::string_view uid, DateTime startUtc, DateTime endUtc, std::string_view summary,
               std::string_view description);
    // One opening of the reverse lookup: from its span's first second up to the second after its last,
    // summed up as "公孙 · 灵龟八法", its line as the description; the same line gives the same UID.
    void Opening(const Doctrine& doctrine, std::string_view point, std::string_view line,
                 const ClockSpan& span);
    // Ends the calendar and puts the file in place (throws CalendarFileError).
    void Commit();

  private:
    void Line(std::string_view line);
    void Flush();

    store::OutputFile file_;
    std::string stamp_;
    std::string buffer_;
    bool done_ = false;
};

}  // namespace velunar::store
