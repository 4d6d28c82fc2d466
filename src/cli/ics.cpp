#include "cli/ics.h"

#include <algorithm>
#include <stdexcept>

#include "calendar/numparse.h"
#include "calendar/solar.h"
#include "store/nativepath.h"

namespace velunar::cli {

std::optional<double> ClockMinusUtcMinutes(const TickInput& place) {
    if (place.page == TimePage::China) return 8.0 * 60.0;
    const std::optional<double> summer = ParseDecimal(place.summerText);
    const std::optional<int> zone = ZoneOffsetMinutes(place.zoneText);
    if (!summer || !zone) return std::nullopt;
    return *zone + *summer;
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
    : file_(store::PathFromNative(nativePath)), stamp_(IcsUtc(stamp)) {
    if (!file_.Open())
        throw std::runtime_error("cannot write " + nativePath + ": " + file_.ErrorString().toStdString());
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

void CalendarFile::Commit() {
    Line("END:VCALENDAR");
    Flush();
    if (!file_.Commit())
        throw std::runtime_error("cannot write the calendar: " + file_.ErrorString().toStdString());
    done_ = true;
}

void CalendarFile::Line(std::string_view line) {
    buffer_ += IcsFold(line);
    if (buffer_.size() >= 64 * 1024) Flush();
}

void CalendarFile::Flush() {
    if (!file_.Write(QByteArray(buffer_.data(), static_cast<qsizetype>(buffer_.size()))))
        throw std::runtime_error("cannot write the calendar: " + file_.ErrorString().toStdString());
    buffer_.clear();
}

}  // namespace velunar::cli
