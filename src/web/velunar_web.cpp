// The browser edition's entry points: the core and the reports behind a C interface that takes a request
// ("key=value" lines, the flags of velunar-cli by other names) and answers one JSON text. The reference
// tables and the first settings row are compiled in; the browser's own time zones stand in for the tz
// database, through the same rules the desktop program follows with its own.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>
#include <memory>
#include <sstream>

#include "calendar/numparse.h"
#include "calendar/zone_cover.h"
#include "methods/dial.h"
#include "methods/lunar_english.h"
#include "methods/lunar_view.h"
#include "methods/point_aliases.h"
#include "methods/point_index.h"
#include "methods/point_names.h"
#include "methods/schedule.h"
#include "report/json.h"
#include "report/now_report.h"
#include "reverse/opening_spans.h"
#include "reverse/reverse.h"
#include "web_tables.inc"

// The page answers with the zone's periods from..to as "start standard summer" lines (milliseconds, seconds,
// seconds), or nothing for a zone it does not know.
// clang-format off
EM_JS(char*, velunar_host_zone_periods, (const char* id, double from, double to), {
    const text = Module.zonePeriods ? Module.zonePeriods(UTF8ToString(id), from, to) : null;
    if (text === null || text === undefined) return 0;
    const size = lengthBytesUTF8(text) + 1;
    const out = _malloc(size);
    stringToUTF8(text, out, size);
    return out;
});
// clang-format on

namespace velunar {
namespace {

using Request = std::map<std::string, std::string, std::less<>>;

// A request refused, with the reason the page shows.
struct Refused {
    std::string reason;
};

Request ReadRequest(const char* text) {
    Request r;
    std::istringstream in(text ? text : "");
    for (std::string line; std::getline(in, line);) {
        const std::size_t eq = line.find('=');
        if (eq != std::string::npos) r[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return r;
}

const std::string* Get(const Request& r, std::string_view key) {
    const auto it = r.find(key);
    return it == r.end() ? nullptr : &it->second;
}

std::optional<bool> Switch(const Request& r, std::string_view key) {
    const std::string* v = Get(r, key);
    if (!v) return std::nullopt;
    if (*v == "true" || *v == "1") return true;
    if (*v == "false" || *v == "0") return false;
    throw Refused{std::string(key) + ": expected true or false, got \"" + *v + "\""};
}

const ReferenceTables& Tables() {
    static const ReferenceTables kTables = [] {
        ReferenceTables::Rows rows;
        for (const auto& f : kNaGan)
            rows.naGan.push_back({f[0], f[1], {f[2], f[3], f[4], f[5], f[6], f[7], f[8]}});
        for (const auto& f : kSupplementary)
            rows.supplementary.push_back({f[0], f[1], {f[2], f[3], f[4], f[5], f[6]}});
        for (const auto& f : kNaZhi) rows.naZhi.push_back({f[0], {f[1], f[2], f[3], f[4], f[5], f[6]}});
        for (const auto& f : kTransport) rows.transport.push_back({f[0], f[1], f[2], f[3], f[4], f[5], f[6]});
        for (const auto& f : kMeridianPoints) rows.meridianOfPointOrder.push_back({f[0], f[1]});
        for (int i : kMeridianListOrder) rows.meridianPoints.push_back(rows.meridianOfPointOrder[i]);
        return ReferenceTables(std::move(rows));
    }();
    return kTables;
}

std::string Setting(std::string_view column) {
    for (const auto& [name, value] : kSettings)
        if (column == name) return value;
    return {};
}

// A check box of the row as the store reads it: "True" or "1" checked, "False" or "0" not, case aside.
std::optional<bool> Checked(std::string_view column) {
    std::string v = Setting(column);
    for (char& c : v) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (v == "true" || v == "1") return true;
    if (v == "false" || v == "0") return false;
    return std::nullopt;
}

// The place and switches of a new database's settings row, as the desktop program reads them.
TickInput Defaults() {
    TickInput in;
    in.page = Setting("ischina") == "yeschina" ? TimePage::China : TimePage::Abroad;
    in.timeMode = TimeModeOf(Setting("timemode"));
    in.longitudeText = Setting("xy");
    in.onlyBeijing = Checked("onlyBeiJingTime").value_or(false);
    in.hint = Checked("hint1").value_or(false);
    in.summerText = Setting("suma");
    in.zoneText = Setting("zone");
    in.eastWestText = Setting("ew");
    in.abroadLongitudeText = Setting("jingew");
    in.eot = EotSourceOfLabel(Setting("eot"));
    in.ianaZone = Setting("tzid");
    in.chinaSummerTime = Checked("chinadst").value_or(false);
    in.sixthStem = SixthStemOf(Setting("sixthstem"));
    in.taboo.shown = Checked("renshen").value_or(true);  // an older row has no column: shown
    in.taboo.reading = RenShenReadingOfLabel(Setting("renshensrc"));
    return in;
}

std::optional<ZoneTimeline> HostZone(std::string_view id, Instant from, Instant to) {
    const std::string name(id);
    char* text =
        velunar_host_zone_periods(name.c_str(), static_cast<double>(from.ms), static_cast<double>(to.ms));
    if (!text) return std::nullopt;
    std::vector<ZonePeriod> periods;
    std::istringstream in(text);
    std::free(text);
    long long start = 0;
    int standard = 0, summer = 0;
    while (in >> start >> standard >> summer) {
        const ZonePeriod p{Instant{start}, ZoneOffset{standard, summer}};
        if (!periods.empty() && (p.start <= periods.back().start || p.offset == periods.back().offset))
            continue;
        periods.push_back(p);
    }
    if (periods.empty()) return std::nullopt;
    return ZoneTimeline(std::move(periods));
}

const ZoneSource& BrowserZones() {
    static const ZoneSource kSource = HostZone;
    return kSource;
}

// The place and mode flags of `now`, checked as the command line checks them.
NowFlags ReadPlace(const Request& r) {
    NowFlags f;
    if (const std::string* v = Get(r, "mode")) {
        if (v->size() != 1 || (*v)[0] < '0' || (*v)[0] > '2')
            throw Refused{"mode: expected 0, 1 or 2, got \"" + *v + "\""};
        f.mode = TimeModeAt((*v)[0] - '0');
    }
    for (const auto& [key, target] :
         {std::pair{"longitude", &f.longitude}, std::pair{"lon", &f.abroadLongitude}}) {
        if (const std::string* v = Get(r, key)) {
            if (!ParseLongitude(*v))
                throw Refused{
                    std::string(key) + ": \"" + *v +
                    "\" is not a longitude from 0 to 180 (decimal degrees, \".\" as the decimal point)"};
            *target = *v;
        }
    }
    f.onlyBeijing = Switch(r, "beijing");
    f.abroad = Switch(r, "abroad");
    if (const std::string* v = Get(r, "summer")) {
        const auto minutes = ParseDecimal(*v);
        if (!minutes || *minutes < -kMaxSummerMinutes || *minutes > kMaxSummerMinutes)
            throw Refused{"summer: \"" + *v + "\" is not a number of minutes from -1440 to 1440"};
        f.summer = *v;
    }
    if (const std::string* v = Get(r, "zone")) {
        if (!NamesAZone(*v)) throw Refused{"zone: \"" + *v + "\" names no time zone of the list"};
        f.zone = *v;
    }
    if (const std::string* v = Get(r, "tz")) {
        if (!HostZone(*v, Instant{0}, Instant{0}))
            throw Refused{"tz: \"" + *v + "\" is not a zone this browser knows"};
        f.tz = *v;
    }
    if (f.tz && f.summer) throw Refused{"summer cannot go with tz: the zone gives its own summer time"};
    if (const std::string* v = Get(r, "ew")) {
        if (*v != kEast && *v != kWest)
            throw Refused{"ew: expected " + std::string(kEast) + " or " + std::string(kWest)};
        f.eastWest = *v;
    }
    if (const std::string* v = Get(r, "eot")) {
        if (*v != "table" && *v != "astro") throw Refused{"eot: expected table or astro, got \"" + *v + "\""};
        f.eot = *v == "table" ? EotSource::Table : EotSource::Astronomical;
    }
    f.chinaSummer = Switch(r, "dstChina");
    if (const std::string* v = Get(r, "sixthStem")) {
        if (*v != kSixthStemUsual && *v != kSixthStemAsKeys)
            throw Refused{"sixthStem: expected " + std::string(kSixthStemUsual) + " or " +
                          std::string(kSixthStemAsKeys) + ", got \"" + *v + "\""};
        f.sixthStem = SixthStemOf(*v);
    }
    f.renShenShown = Switch(r, "renshen");
    if (const std::string* v = Get(r, "renshenSource")) {
        bool found = false;
        for (RenShenReading reading :
             {RenShenReading::Common, RenShenReading::JinJian, RenShenReading::DaCheng})
            if (*v == RenShenReadingLabel(reading)) f.renShenReading = reading, found = true;
        if (!found) throw Refused{"renshenSource: expected 通行, 医宗金鉴 or 针灸大成, got \"" + *v + "\""};
    }
    if (const std::string* v = Get(r, "age")) {
        const auto years = ParseDecimal(*v);
        if (!years || *years < 1 || *years > 150 || *years != static_cast<int>(*years))
            throw Refused{"age: \"" + *v + "\" is not an age in whole years from 1 to 150"};
        f.age = static_cast<int>(*years);
    }
    return f;
}

// One tick of `now` (or the dial) at the request's moment: `at` as the page's clock reads it, with its offset
// if typed; else `instant`, milliseconds since 1970 UTC (the browser's clock now).
struct Tick {
    NowFlags flags;
    TickInput input;
    TickView view;
    std::vector<std::string> warnings;
};

Tick RunTickOf(const Request& r) {
    Tick t;
    t.flags = ReadPlace(r);
    if (const std::string* v = Get(r, "at")) {
        t.flags.at = ParseTypedReading(*v);
        if (!t.flags.at)
            throw Refused{
                "at: not a date and time \"" + *v +
                "\" (expected \"YYYY-MM-DD HH:MM:SS\" of the years 0001 to 9999, optionally with its "
                "offset: \"2026-10-25T02:30:00+02:00\")"};
    }
    t.input = TickInputFrom(t.flags, Defaults());
    const std::string zone = t.input.ianaZone;
    bool known = true;
    ReferenceClock clock;
    if (t.flags.at) {
        known = CoverReadingFrom(BrowserZones(), t.input, t.flags.at->reading);
        clock = [at = *t.flags.at] { return ClockReference(at.reading, at.offsetSeconds); };
    } else {
        const std::string* v = Get(r, "instant");
        const std::optional<double> ms = v ? ParseDecimal(*v) : std::nullopt;
        if (!ms) throw Refused{"at or instant: the moment is missing"};
        const Instant now{static_cast<std::int64_t>(*ms)};
        known = CoverInstantsFrom(BrowserZones(), t.input, now - 3 * kMsPerDay, now + 3 * kMsPerDay);
        clock = [now] { return ClockReference::At(now); };
    }
    if (!known)
        t.warnings.push_back("the tz-database zone \"" + zone +
                             "\" of the settings is unknown here; the fixed zone \"" + t.input.zoneText +
                             "\" is used");
    TickMemory memory;
    t.view = RunPipeline(t.input, FocusedText::None(), memory, Tables(), nullptr, clock);
    if (auto outside = OutsideTheCalendar(t.view)) throw Refused{*outside};
    if (auto note = ReadingNote(t.input, t.view, t.flags)) t.warnings.push_back(*note);
    const std::string hint =
        SaidText(ClockHintFrom(BrowserZones(), t.input, t.view.referenceTime, std::nullopt), kHintJoint);
    if (!hint.empty()) t.warnings.push_back(hint);
    return t;
}

std::string Now(const Request& r) {
    Tick t = RunTickOf(r);
    std::ostringstream out;
    NowReport(t.input, t.view, &t.warnings).WriteJson(out);
    const std::string* lang = Get(r, "lang");
    if (!lang || *lang != "en") return out.str();
    // The English page: the lunar line and the 人神 warnings, which whoever needles must read, in English
    // sentences beside the fields (those stay as the command line's JSON has them).
    const LunarView& l = t.view.lunar;
    std::vector<std::string> warnings;
    if (l.known)
        for (const DoctrineFinding& d : t.view.findings)
            for (std::string& w : FindingTabooWarningsInEnglish(l, d.finding, PointStyle::Both))
                if (std::find(warnings.begin(), warnings.end(), w) == warnings.end())
                    warnings.push_back(std::move(w));
    std::ostringstream english;
    JsonWriter w(english, 0);
    w.BeginObject();
    w.Key("lunar");
    if (l.known)
        w.String(LunarLineInEnglish(l));
    else
        w.Null();
    w.Key("renShenWarnings");
    w.BeginArray();
    for (const std::string& text : warnings) w.String(text);
    w.EndArray();
    w.EndObject();
    std::string json = out.str();
    const std::size_t close = json.rfind('}');
    return json.substr(0, close) + ",\"english\":" + english.str() + json.substr(close);
}

void WritePoints(JsonWriter& w, const DialPoints& p) {
    w.BeginObject();
    for (const auto& [key, value] :
         {std::pair{"hourGanZhi", &p.hourGanZhi}, std::pair{"naGan", &p.naGan},
          std::pair{"supplementary", &p.supplementary}, std::pair{"naZhi", &p.naZhi},
          std::pair{"lingGui", &p.lingGui}, std::pair{"lingGuiPartner", &p.lingGuiPartner},
          std::pair{"feiTeng", &p.feiTeng}, std::pair{"feiTengPartner", &p.feiTengPartner}}) {
        w.Key(key);
        w.String(*value);
    }
    w.Key("closed");
    w.Bool(p.closed);
    w.EndObject();
}

void WriteSpan(JsonWriter& w, const std::optional<ClockSpan>& span) {
    w.Key("start");
    span ? w.String(FormatIsoInstant(span->start, span->startOffset.Total())) : w.Null();
    w.Key("end");
    span ? w.String(FormatIsoInstant(span->end, span->endOffset.Total())) : w.Null();
}

// The dial of the tick: what the page draws, sector by sector.
std::string Dial(const Request& r) {
    const Tick t = RunTickOf(r);
    if (t.view.skipped) throw Refused{"the place cannot be used: no double-hour is worked out"};
    const DialModel d = SpelledDial(BuildDial(t.input, t.view, Tables()), t.input.sixthStem);
    std::ostringstream out;
    JsonWriter w(out, 0);
    w.BeginObject();
    w.Key("day");
    w.String(FormatIsoDate(static_cast<DateTime>(d.day)));
    w.Key("dayGanZhi");
    w.String(d.dayGanZhi);
    w.Key("current");
    w.Int(d.current);
    w.Key("handAngle");
    d.handAngle ? w.Double(*d.handAngle) : w.Null();
    w.Key("solarTime");
    d.solarTime ? w.String(FormatIso(*d.solarTime)) : w.Null();
    w.Key("lunar");
    w.String(d.lunar);
    w.Key("centre");
    WritePoints(w, d.centre);
    w.Key("sectors");
    w.BeginArray();
    for (const DialSector& s : d.sectors) {
        w.BeginObject();
        w.Key("branch");
        w.String(Name(s.branch));
        w.Key("meridian");
        w.String(s.meridian);
        w.Key("phase");
        w.String(Name(s.phase));
        w.Key("startAngle");
        w.Double(s.startAngle);
        WriteSpan(w, s.span);
        w.Key("points");
        WritePoints(w, s.points);
        w.EndObject();
    }
    w.EndArray();
    w.EndObject();
    return out.str();
}

std::int64_t DayOf(const Request& r, std::string_view key) {
    const std::string* v = Get(r, key);
    const std::optional<DateTime> t = v && v->size() == 10 ? ParseIso(*v) : std::nullopt;
    if (!t) throw Refused{std::string(key) + ": not a date \"" + (v ? *v : "") + "\" (expected YYYY-MM-DD)"};
    return WholeDay(*t);
}

// A browser tab walks a range in one go; a year and a bit of dates stays within a second.
constexpr std::int64_t kMostDates = 400;

std::pair<std::int64_t, std::int64_t> RangeOf(const Request& r) {
    const std::int64_t from = DayOf(r, "from"), to = DayOf(r, "to");
    if (to < from) throw Refused{"to: " + *Get(r, "to") + " is before from " + *Get(r, "from")};
    if (to - from + 1 > kMostDates)
        throw Refused{"from..to: at most " + std::to_string(kMostDates) + " dates at a time"};
    return {from, to};
}

// The place of the clock spans when `clock` asks for them; nothing otherwise.
std::optional<TickInput> ClockPlace(const Request& r, const TickInput& place, std::int64_t from,
                                    std::int64_t to) {
    if (!Switch(r, "clock").value_or(false)) return std::nullopt;
    TickInput in = place;
    CoverDaysFrom(BrowserZones(), in, from, to);
    if (std::holds_alternative<SkipReason>(PlaceClock::Of(in)))
        throw Refused{"the place cannot be used: its longitude, zone or summer time cannot be read"};
    return in;
}

// The 开穴表 of from..to: the header, then a row per double-hour in the header's order, with the clock span
// at the place when asked for.
std::string Schedule(const Request& r) {
    const auto [from, to] = RangeOf(r);
    const TickInput named = TickInputFrom(ReadPlace(r), Defaults());
    const std::optional<TickInput> place = ClockPlace(r, named, from, to);
    const bool avoid = Switch(r, "avoidRenshen").value_or(false);
    std::optional<ClockSpanWalker> spans;
    if (place) spans.emplace(*place);
    std::ostringstream out;
    JsonWriter w(out, 0);
    w.BeginObject();
    w.Key("header");
    w.BeginArray();
    for (std::string_view title : ScheduleHeader()) w.String(title);
    w.EndArray();
    // Each row's points by code under these keys, as the command line's records give them.
    const std::vector<PointCodeColumn> codeColumns = SchedulePointCodeColumns();
    w.Key("codeKeys");
    w.BeginArray();
    for (const PointCodeColumn& c : codeColumns) w.String(c.key);
    w.EndArray();
    w.Key("rows");
    w.BeginArray();
    int leftOut = 0;
    ForEachScheduleRow(
        from, to, named.timeMode.value_or(TimeMode::NoNightRat), Tables(),
        [&](const ScheduleRow& row) {
            std::vector<std::string> cells = row.cells;
            if (avoid)
                leftOut += LeaveOutForbidden(row.day, row.branch, cells, 3, cells.size() - 1, named.taboo);
            w.BeginObject();
            w.Key("cells");
            w.BeginArray();
            for (std::string& cell : cells) {
                Spell(cell, named.sixthStem);
                w.String(cell);
            }
            w.EndArray();
            w.Key("codes");
            w.BeginArray();
            for (const PointCodeColumn& c : codeColumns) {
                const std::optional<PointCode> code = CodeOfPoint(cells[c.column]);
                w.String(code ? std::string(code->code) : std::string());
            }
            w.EndArray();
            w.Key("branch");
            w.String(Name(row.branch));
            w.Key("closed");
            w.Bool(row.closed);
            if (spans) WriteSpan(w, spans->SpanOf(row.slot));
            w.EndObject();
            return true;
        },
        named.taboo);
    w.EndArray();
    w.Key("leftOut");
    w.Int(leftOut);
    w.EndObject();
    return out.str();
}

// The reverse lookup's lines, section by section in the report's order, each with its clock span when asked.
class WebSink : public ReverseSink {
  public:
    WebSink(JsonWriter& w, const TickInput& named, std::optional<TickInput> place, bool avoid)
        : w_(w), named_(named), avoid_(avoid) {
        if (place) spans_.emplace(*place);
    }
    void BeginScan(const Doctrine& d) override {
        if (open_) Close();
        w_.BeginObject();
        w_.Key("heading");
        w_.String(d.ReportHeading());
        w_.Key("lines");
        w_.BeginArray();
        open_ = true;
    }
    void Found(const Doctrine&, const Opening* openings, std::size_t count,
               const OpeningTexts& texts) override {
        for (std::size_t i = 0; i < count; ++i) {
            const Opening& o = openings[i];
            if (avoid_ && OpeningForbidden(texts.Point(), o.day, o.HourBranch(), named_.taboo)) {
                ++leftOut;
                continue;
            }
            std::string line = texts.Line(o);
            Spell(line, named_.sixthStem);
            w_.BeginObject();
            w_.Key("line");
            w_.String(line);
            if (spans_) WriteSpan(w_, spans_->Of(o));
            w_.EndObject();
        }
    }
    void Close() {
        if (!open_) return;
        w_.EndArray();
        w_.EndObject();
        open_ = false;
    }
    int leftOut = 0;

  private:
    JsonWriter& w_;
    const TickInput& named_;
    bool avoid_;
    std::optional<OpeningSpans> spans_;
    bool open_ = false;
};

std::string Reverse(const Request& r) {
    const std::string* point = Get(r, "point");
    const std::string typed = point ? *point : "";
    std::vector<std::string> known = PointNamesOf(Tables());
    std::sort(known.begin(), known.end());
    known.erase(std::unique(known.begin(), known.end()), known.end());
    // Any form the desktop reads: simplified or traditional characters, pinyin, the code.
    const std::vector<std::string> names = PointIndex(known).NamesFor(typed);
    if (names.size() > 1) {
        std::string list;
        for (const std::string& n : names) {
            const std::optional<PointCode> code = CodeOfPoint(n);
            list += (list.empty() ? "" : "、") + n + (code ? " " + std::string(code->code) : "");
        }
        throw Refused{"“" + typed + "”可指几个穴位：" + list + "；请写明是哪一个"};
    }
    if (names.empty()) {
        std::string note = "不是已知的穴位：" + typed;
        const std::vector<std::string> close = ClosestTexts(typed, known, 5, true);
        for (std::size_t i = 0; i < close.size(); ++i) note += (i == 0 ? "（相近的穴位：" : "、") + close[i];
        throw Refused{close.empty() ? note : note + "）"};
    }
    const std::string& name = names.front();
    const std::optional<PointCode> code = CodeOfPoint(name);
    const auto [from, to] = RangeOf(r);
    const TickInput named = TickInputFrom(ReadPlace(r), Defaults());
    std::ostringstream out;
    JsonWriter w(out, 0);
    w.BeginObject();
    w.Key("sections");
    w.BeginArray();
    WebSink sink(w, named, ClockPlace(r, named, from, to), Switch(r, "avoidRenshen").value_or(false));
    ReverseSearch(name, from, to, Tables(), sink);
    sink.Close();
    w.EndArray();
    w.Key("leftOut");
    w.Int(sink.leftOut);
    w.Key("point");
    w.String(name);
    w.Key("pointCode");
    w.String(code ? std::string(code->code) : std::string());
    w.EndObject();
    return out.str();
}

std::string Answer(std::string_view command, const Request& r) {
    try {
        if (command == "now") return Now(r);
        if (command == "dial") return Dial(r);
        if (command == "schedule") return Schedule(r);
        if (command == "reverse") return Reverse(r);
        throw Refused{"no such call: " + std::string(command)};
    } catch (const Refused& refused) {
        return "{\"error\":" + JsonQuote(refused.reason) + "}";
    }
}

}  // namespace
}  // namespace velunar

// The answer stays valid until the next call.
extern "C" EMSCRIPTEN_KEEPALIVE const char* velunar_call(const char* command, const char* request) {
    static std::string answer;
    answer = velunar::Answer(command ? command : "", velunar::ReadRequest(request));
    return answer.c_str();
}
