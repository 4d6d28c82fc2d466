#include "report/now_report.h"

#include <algorithm>
#include <cstdio>

#include "methods/lunar_english.h"
#include "methods/lunar_view.h"
#include "methods/point_index.h"

namespace velunar {
namespace {

const char* SkipReasonName(SkipReason reason) {
    switch (reason) {
        case SkipReason::Longitude:
            return "longitude";
        case SkipReason::SummerTime:
            return "summerTime";
        case SkipReason::Zone:
            return "zone";
        case SkipReason::None:
            break;
    }
    return "";
}

std::string OneDecimalDays(double days, bool english) {
    char buf[32];
    std::snprintf(buf, sizeof buf, english ? "%.2f days" : "%.2f 天", days);
    return buf;
}

// Where a cell names a point its international code follows it, under the cell's name and "Code"
// ("pointCode": "SP4"), the same in every language.
Report FindingReport(const Finding& f) {
    Report r;
    for (const Cell& c : f.cells) {
        if (c.text)
            r.Text(std::string(c.column), *c.text);
        else
            r.Null(std::string(c.column));
        if (const std::optional<PointCode> code = c.text ? CodeOfPoint(*c.text) : std::nullopt)
            r.Text(std::string(c.name) + "Code", std::string(code->code));
    }
    if (f.points) {
        r.List("points", *f.points);
        std::vector<std::string> codes;
        for (const std::string& p : *f.points) {
            const std::optional<PointCode> code = CodeOfPoint(p);
            codes.push_back(code ? std::string(code->code) : std::string());
        }
        r.List("pointCodes", std::move(codes));
    }
    if (f.closed) r.Bool("closed", *f.closed);
    return r;
}

std::string ClockName(const TickInput& in) {
    if (in.page == TimePage::China)
        return in.chinaClock ? "Beijing clocks with China's summer time" : "Beijing time";
    return in.ianaZone.empty() ? "the zone \"" + in.zoneText + "\"" : in.ianaZone;
}

void TextOrNull(Report& r, const std::string& name, const RenShenPlace& p, bool english) {
    if (p.place.empty())
        r.Null(name);
    else if (english)
        r.Text(name, p.place).Words(PlaceInEnglish(p.place) + " (" + SourceInEnglish(p.source) + ")");
    else
        r.Text(name, p.place).Words(p.place + "（" + p.source + "）");
}

// The lunar date, the moon and the 人神, after everything else; null where nothing is known. In English the
// plain form says them in English; JSON keeps the program's values.
void LunarReport(Report& r, const TickView& v, bool english) {
    const LunarView& l = v.lunar;
    if (!l.known) {
        for (const char* name : {"lunarYear", "lunarMonth", "lunarLeap", "lunarDay", "solarTerm", "moonAge",
                                 "moonPhase", "renShenDay", "renShenHour"})
            r.Null(name);
        return;
    }
    r.Text("lunar", l.line);
    if (english) r.Words(LunarLineInEnglish(l));
    r.Text("lunarYear", LunarYearGanZhi(l.date.year));
    r.Int("lunarMonth", l.date.month)
        .Words(english ? LunarMonthInEnglish(l.date.month, l.date.leap)
                       : LunarMonthName(l.date.month, l.date.leap));
    r.Bool("lunarLeap", l.date.leap)
        .Words(english ? (l.date.leap ? "leap month" : "not a leap month")
                       : (l.date.leap ? "闰月" : "非闰月"));
    r.Int("lunarDay", l.date.day).Words(english ? LunarDayInEnglish(l.date.day) : LunarDayName(l.date.day));
    r.Text("solarTerm", l.solarTerm);
    if (english) r.Words(SolarTermInEnglish(l.solarTerm));
    r.Decimal("moonAge", l.moonAge, 2).Words(OneDecimalDays(l.moonAge, english));
    r.Text("moonPhase", std::string(MoonPhaseName(l.phase)))
        .Words(english ? MoonPhaseInEnglish(l) : l.phaseText);
    r.Bool("renShenShown", l.tabooShown);
    TextOrNull(r, "renShenDay", l.day, english);
    TextOrNull(r, "renShenHour", l.hour, english);
    if (!l.age.place.empty()) {
        TextOrNull(r, "renShenAge", l.age, english);
        TextOrNull(r, "kaoShen", l.kaoShen, english);
    }
    std::vector<std::string> warnings;
    std::vector<std::string> said;
    const auto once = [](std::vector<std::string>& list, std::string w) {
        if (std::find(list.begin(), list.end(), w) == list.end()) list.push_back(std::move(w));
    };
    for (const DoctrineFinding& d : v.findings) {
        for (std::string& w : FindingTabooWarnings(l, d.finding)) once(warnings, std::move(w));
        if (english)
            for (std::string& w : FindingTabooWarningsInEnglish(l, d.finding, PointStyle::Both))
                once(said, std::move(w));
    }
    r.List("renShenWarnings", std::move(warnings));
    if (english) r.Words(std::move(said));
}

}  // namespace

bool NamesAZone(std::string_view zone) {
    // A label of the list, or a text whose (GMT±hh:mm) the abroad page can read.
    const bool named =
        std::any_of(ZoneTexts().begin(), ZoneTexts().end(), [zone](std::string_view z) { return z == zone; });
    return named || (zone.find("(GMT") != std::string_view::npos && ParseZoneLabel(zone));
}

TickInput TickInputFrom(const NowFlags& f, TickInput in) {
    if (f.mode) in.timeMode = *f.mode;
    if (f.longitude) in.longitudeText = *f.longitude;
    if (f.onlyBeijing) in.onlyBeijing = *f.onlyBeijing;
    if (f.abroad) in.page = *f.abroad ? TimePage::Abroad : TimePage::China;
    if (f.summer) in.summerText = *f.summer;
    if (f.zone) in.zoneText = *f.zone;
    if (f.eastWest) in.eastWestText = *f.eastWest;
    if (f.abroadLongitude) in.abroadLongitudeText = *f.abroadLongitude;
    if (f.eot) in.eot = *f.eot;
    if (f.renShenShown) in.taboo.shown = *f.renShenShown;
    if (f.renShenReading) in.taboo.reading = *f.renShenReading;
    if (f.age) in.taboo.age = *f.age;
    // A fixed zone given on the command line is the place's zone, whatever the settings chose; --tz wins.
    if (f.zone) in.ianaZone.clear();
    if (f.tz) {
        in.ianaZone = *f.tz;
        in.page = TimePage::Abroad;
    }
    if (f.chinaSummer) in.chinaSummerTime = *f.chinaSummer;
    if (f.sixthStem) in.sixthStem = *f.sixthStem;
    return in;
}

std::optional<std::string> OutsideTheCalendar(const TickView& v) {
    auto outside = [](const std::optional<DateTime>& t) {
        if (!t) return false;
        const int year = YearOf(*t);
        return year < 1 || year > 9999;
    };
    const bool computed = HasComputedTime(v.moment);
    for (const auto& [name, t] :
         {std::pair{"the reading", std::optional(v.referenceTime)},
          std::pair{"true solar time", v.trueSolarTime}, std::pair{"Beijing time", v.beijingTime},
          std::pair{"the day", computed ? std::optional(v.moment.dayDate) : std::nullopt}})
        if (outside(t))
            return std::string(name) + " of this moment falls outside the calendar (" + kCalendarRange +
                   "): nothing is worked out there";
    return std::nullopt;
}

std::optional<std::string> ReadingNote(const TickInput& in, const TickView& v, const NowFlags& flags) {
    if (!flags.at || !v.reference) return std::nullopt;
    const ResolvedReading& r = *v.reference;
    const std::string typed = FormatIso(flags.at->reading);
    const std::string taken = FormatIsoInstant(r.instant, r.offset.Total());
    switch (r.fit) {
        case ReadingFit::Skipped:
            return typed + " does not occur on " + ClockName(in) + ": the clocks moved from " +
                   FormatOffset(r.other->Total()) + " to " + FormatOffset(r.offset.Total()) +
                   "; taken as the clock would have moved on, " + taken;
        case ReadingFit::Later:
            return typed + " occurs twice on " + ClockName(in) + "; taken as the later, " + taken +
                   " (the earlier is " +
                   FormatIsoInstant(r.instant - (r.other->Total() - r.offset.Total()) * 1000LL,
                                    r.other->Total()) +
                   ")";
        case ReadingFit::Offset:
            // UTC names an instant the world over; any other offset is taken as the user's clock.
            if (*flags.at->offsetSeconds == 0) break;
            return "the offset " + FormatOffset(*flags.at->offsetSeconds) + " is not that of " +
                   ClockName(in) + " then; the instant it names reads " + taken;
        case ReadingFit::Once:
        case ReadingFit::Earlier:
            break;
    }
    return std::nullopt;
}

Report NowReport(const TickInput& in, const TickView& v, const std::vector<std::string>* warnings,
                 bool english) {
    const Moment& m = v.moment;
    const bool abroad = in.page == TimePage::Abroad;
    const bool computed = HasComputedTime(m);
    Report r;
    r.Text("page", abroad ? "abroad" : "china");
    if (abroad && in.zoneTimeline) {
        r.Text("tz", in.ianaZone);
        // The zone's summer time at the instant itself.
        r.Text("summer",
               v.reference ? std::to_string(v.reference->offset.summerSeconds / 60) : in.summerText);
    }
    if (!abroad && in.chinaClock) r.Bool("dstChina", true);
    if (in.eot != EotSource::Table) r.Text("eot", "astro");
    r.Time("referenceTime", v.referenceTime);
    if (v.reference)
        r.Text("referenceInstant", FormatIsoInstant(v.reference->instant, v.reference->offset.Total()));
    else
        r.Null("referenceInstant");
    r.Text("timeMode", std::string(Label(m.timeMode)));
    r.Bool("skipped", v.skipped);
    if (v.skipped) r.Text("skipReason", SkipReasonName(v.skipReason));
    r.Time("effectiveTime", computed ? std::optional(m.effectiveTime) : std::nullopt);
    r.Time("trueSolarTime", v.trueSolarTime);
    if (abroad) r.Time("beijingTime", v.beijingTime);
    r.Time("dayDate", computed ? std::optional(m.dayDate) : std::nullopt);
    r.Text("dayGanZhi", v.dayGanZhi);
    r.Text("hourBranch", v.hourBranch);
    r.Text("hourGanZhi", v.hourGanZhi);
    // How long the double-hour lasts, as the time page in front says it.
    r.Text("hourSpan", v.hourSpan.hours);
    r.Text("clockSpan", v.hourSpan.clock);
    const std::optional<ClockSpan>& span = v.hourSpan.span;
    if (span) {
        r.Text("clockStart", FormatIsoInstant(span->start, span->startOffset.Total()));
        r.Text("clockEnd", FormatIsoInstant(span->end, span->endOffset.Total()));
    } else {
        r.Null("clockStart").Null("clockEnd");
    }
    if (v.hourSpan.minutesToNext)
        r.Int("minutesToNext", *v.hourSpan.minutesToNext);
    else
        r.Null("minutesToNext");
    r.Text("longitude", v.chinaLongitudeReset.value_or(in.longitudeText));
    if (abroad) r.Text("abroadLongitude", v.abroadLongitudeReset.value_or(in.abroadLongitudeText));
    for (const DoctrineFinding& d : v.findings) {
        if (d.finding.applies)
            r.Group(std::string(d.doctrine->Key()), FindingReport(d.finding));
        else
            r.Null(std::string(d.doctrine->Key()));
    }
    LunarReport(r, v, english);
    if (warnings) r.List("warnings", *warnings);
    return r;
}

}  // namespace velunar
