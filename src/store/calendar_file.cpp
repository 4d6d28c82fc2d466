#include "store/calendar_file.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "store/localized.h"
#include "store/nativepath.h"

namespace velunar::store {

DateTime UtcNow() {
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
            .count();
    return AddSeconds(MakeDateTime(1970, 1, 1), static_cast<double>(seconds));
}

std::string IcsUtc(DateTime utc) {
    std::string out;
    for (char c : FormatIso(utc)) {
        if (c == ' ')
            out += 'T';
        else if (c != '-' && c != ':')
            out += c;
    }
    return out + 'Z';
}

std::string IcsText(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\\' || c == ';' || c == ',') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c != '\r') {
            out += c;
        }
    }
    return out;
}

std::string IcsFold(std::string_view line) {
    std::string out;
    std::size_t room = 75;  // octets left on the physical line
    for (std::size_t i = 0; i < line.size();) {
        std::size_t n = 1;  // the octets of this character
        const auto lead = static_cast<unsigned char>(line[i]);
        if (lead >= 0xF0)
            n = 4;
        else if (lead >= 0xE0)
            n = 3;
        else if (lead >= 0xC0)
            n = 2;
        n = std::min(n, line.size() - i);
        if (n > room) {
            out += "\r\n ";
            room = 74;
        }
        out.append(line.substr(i, n));
        room -= n;
        i += n;
    }
    return out + "\r\n";
}

CalendarFile::CalendarFile(const std::string& nativePath, DateTime stamp)
    : file_(PathFromNative(nativePath)), stamp_(IcsUtc(stamp)) {
    if (!file_.Open())
        throw CalendarFileError("cannot write " + nativePath + ": " + file_.ErrorString().toStdString(),
                                file_.ErrorString());
    Line("BEGIN:VCALENDAR");
    Line("VERSION:2.0");
    Line("PRODID:-//Velunar//Opening times//ZH");
    Line("CALSCALE:GREGORIAN");
    Line("METHOD:PUBLISH");
}

CalendarFile::~CalendarFile() {
    if (!done_) file_.Cancel();
}

void CalendarFile::Event(std::string_view uid, DateTime startUtc, DateTime endUtc, std::string_view summary,
                         std::string_view description) {
    Line("BEGIN:VEVENT");
    Line("UID:" + std::string(uid));
    Line("DTSTAMP:" + stamp_);
    Line("DTSTART:" + IcsUtc(startUtc));
    Line("DTEND:" + IcsUtc(endUtc));
    Line("SUMMARY:" + IcsText(summary));
    Line("DESCRIPTION:" + IcsText(description));
    Line("TRANSP:TRANSPARENT");
    Line("END:VEVENT");
}

void CalendarFile::Opening(const Doctrine& doctrine, std::string_view point, std::string_view line,
                           const ClockSpan& span) {
    // The span's own instants: an event across a change of the clocks is as long as the sun makes it.
    const DateTime start = UtcReading(span.start);
    const DateTime end = UtcReading(span.end + kMsPerSecond);
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (unsigned char c : line) hash = (hash ^ c) * 1099511628211ull;
    char tail[24];
    std::snprintf(tail, sizeof tail, "-%016llx", static_cast<unsigned long long>(hash));
    // In English the point by code and pinyin, the doctrine by its English name, the line as the report says
    // it; the uid stays the same in either language.
    const std::string summary = LocalValue(point) + " · " + DoctrineName(doctrine.ReportHeading());
    Event(IcsUtc(start) + "-" + std::string(doctrine.Key()) + tail + "@velunar", start, end, summary,
          ReportLine(line));
}

void CalendarFile::Commit() {
    Line("END:VCALENDAR");
    Flush();
    if (!file_.Commit())
        throw CalendarFileError("cannot write the calendar: " + file_.ErrorString().toStdString(),
                                file_.ErrorString());
    done_ = true;
}

void CalendarFile::Line(std::string_view line) {
    buffer_ += IcsFold(line);
    if (buffer_.size() >= 64 * 1024) Flush();
}

void CalendarFile::Flush() {
    if (!file_.Write(QByteArray(buffer_.data(), static_cast<qsizetype>(buffer_.size()))))
        throw CalendarFileError("cannot write the calendar: " + file_.ErrorString().toStdString(),
                                file_.ErrorString());
    buffer_.clear();
}

}  // namespace velunar::store
