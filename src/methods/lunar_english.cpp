#include "methods/lunar_english.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "calendar/lunar.h"
#include "methods/point_index.h"

namespace velunar {
namespace {

// The places of the 人神 lists, term by term (a place of several terms is written with 、).
constexpr std::pair<std::string_view, std::string_view> kPlaces[] = {
    {"足大趾", "big toe"},
    {"足拇", "big toe"},
    {"外踝", "outer ankle"},
    {"内踝", "inner ankle"},
    {"踝", "ankle"},
    {"股内", "inner thigh"},
    {"股", "thigh"},
    {"腰", "lower back"},
    {"腰间", "waist"},
    {"腰背", "lower back and back"},
    {"背腰", "back and lower back"},
    {"背", "back"},
    {"口", "mouth"},
    {"口内", "inside the mouth"},
    {"手", "hand"},
    {"手掌", "palm"},
    {"手腕", "wrist"},
    {"腕", "wrist"},
    {"腕内", "inner wrist"},
    {"手小指", "little finger"},
    {"手阳明", "hand yangming"},
    {"足阳明", "foot yangming"},
    {"尻", "sacrum"},
    {"鼻柱", "bridge of the nose"},
    {"发际", "hairline"},
    {"牙齿", "teeth"},
    {"牙", "teeth"},
    {"胃脘", "epigastrium"},
    {"胃", "stomach"},
    {"遍身", "whole body"},
    {"胸", "chest"},
    {"胸前", "front of the chest"},
    {"胸胁", "chest and flanks"},
    {"胸膈", "chest and diaphragm"},
    {"胁", "flanks"},
    {"肋", "ribs"},
    {"气冲", "Qìchōng (ST30)"},
    {"足", "foot"},
    {"脚", "foot"},
    {"足趺", "instep"},
    {"足跗", "instep"},
    {"肝及足", "liver and foot"},
    {"肝足", "liver and foot"},
    {"足及肝", "foot and liver"},
    {"膝", "knee"},
    {"膝胫", "knee and shin"},
    {"胫", "shin"},
    {"腨", "calf"},
    {"阴", "genitals"},
    {"头", "head"},
    {"耳", "ears"},
    {"目", "eyes"},
    {"面", "face"},
    {"项", "nape"},
    {"喉", "throat"},
    {"乳", "breast"},
    {"肩", "shoulder"},
    {"膊", "upper arm"},
    {"肘", "elbow"},
    {"指", "fingers"},
    {"腹", "abdomen"},
    {"肚", "belly"},
    {"心", "heart"},
    // The nine palaces of the 尻神.
    {"坤", "Kūn palace"},
    {"震", "Zhèn palace"},
    {"巽", "Xùn palace"},
    {"中宫", "central palace"},
    {"乾", "Qián palace"},
    {"兑", "Duì palace"},
    {"艮", "Gèn palace"},
    {"离", "Lí palace"},
    {"坎", "Kǎn palace"},
};

constexpr std::pair<std::string_view, std::string_view> kBooks[] = {
    {"《医宗金鉴》", "Golden Mirror of Medicine 《医宗金鉴》"},
    {"《针灸大成》", "Great Compendium of Acupuncture and Moxibustion 《针灸大成》"},
    {"《神应经》", "Classic of Divine Response 《神应经》"},
    {"《类经图翼》", "Illustrated Wing to the Classified Classic 《类经图翼》"},
};

constexpr std::string_view kTerms[][2] = {
    {"小寒", "Minor Cold"},
    {"大寒", "Major Cold"},
    {"立春", "Start of Spring"},
    {"雨水", "Rain Water"},
    {"惊蛰", "Awakening of Insects"},
    {"春分", "Spring Equinox"},
    {"清明", "Pure Brightness"},
    {"谷雨", "Grain Rain"},
    {"立夏", "Start of Summer"},
    {"小满", "Grain Buds"},
    {"芒种", "Grain in Ear"},
    {"夏至", "Summer Solstice"},
    {"小暑", "Minor Heat"},
    {"大暑", "Major Heat"},
    {"立秋", "Start of Autumn"},
    {"处暑", "End of Heat"},
    {"白露", "White Dew"},
    {"秋分", "Autumn Equinox"},
    {"寒露", "Cold Dew"},
    {"霜降", "Frost's Descent"},
    {"立冬", "Start of Winter"},
    {"小雪", "Minor Snow"},
    {"大雪", "Major Snow"},
    {"冬至", "Winter Solstice"},
};

std::string_view Term(std::string_view chinese) {
    for (const auto& [c, e] : kPlaces)
        if (c == chinese) return e;
    return {};
}

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

std::string OneDecimal(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", v);
    return buf;
}

// The books as a warning names them, short enough for a line on a page: "after 《医宗金鉴》《针灸大成》…".
std::string BriefSource(std::string_view source) {
    if (source.starts_with("据")) return "after " + std::string(source.substr(std::string_view("据").size()));
    return std::string(source);
}

// "LR1 Dàdūn 大敦: the 人神 of lunar day 1 is in the big toe 足大趾; do not needle or moxa (after …)." Short
// enough that a page at twice the scale keeps it to a line or two.
std::string Warning(const std::string& points, const std::string& whose, const RenShenPlace& p) {
    return points + ": the " + whose + " is in the " + PlaceInEnglish(p.place) + "; do not needle or moxa (" +
           BriefSource(p.source) + ").";
}

}  // namespace

std::string PlaceInEnglish(std::string_view place) {
    if (place.empty()) return {};
    // The 尻神 names its palace first: "坤宫：踝".
    std::string palace;
    if (const std::size_t colon = place.find("："); colon != std::string_view::npos) {
        std::string_view name = place.substr(0, colon);
        const std::string_view whole = name;
        if (name.ends_with("宫") && name != "中宫") name.remove_suffix(std::string_view("宫").size());
        const std::string_view english = Term(name);
        palace =
            (english.empty() ? std::string(whole) : std::string(english) + " " + std::string(whole)) + ": ";
        place = place.substr(colon + std::string_view("：").size());
    }
    std::string english;
    bool all = true;
    for (std::size_t start = 0; start <= place.size();) {
        std::size_t end = place.find("、", start);
        if (end == std::string_view::npos) end = place.size();
        const std::string_view term = Term(place.substr(start, end - start));
        all = all && !term.empty();
        english += (english.empty() ? "" : ", ") + std::string(term);
        start = end + std::string_view("、").size();
    }
    return palace + (all ? english + " " + std::string(place) : std::string(place));
}

std::string SourceInEnglish(std::string_view source) {
    std::string out(source);
    const bool drawn = out.starts_with("据");
    if (drawn) out.erase(0, std::string_view("据").size());
    // Each title once, then what the book calls the list.
    std::string said;
    for (const auto& [book, english] : kBooks) {
        if (const std::size_t at = out.find(book); at != std::string::npos) {
            said += (said.empty() ? "" : ", ") + std::string(english);
            out.erase(at, book.size());
        }
    }
    ReplaceAll(out, "十二部人神", "the twelve parts of the 人神");
    ReplaceAll(out, "九宫尻神", "the 尻神 of the nine palaces");
    if (!out.empty()) said += (said.empty() ? "" : ": ") + out;
    return (drawn ? "after " : "") + said;
}

std::string SolarTermInEnglish(std::string_view term) {
    for (const auto& [c, e] : kTerms)
        if (c == term) return std::string(c) + " " + std::string(e);
    return std::string(term);
}

std::string LunarMonthInEnglish(int month, bool leap) {
    return std::string(leap ? "leap month " : "month ") + std::to_string(month) + " (" +
           LunarMonthName(month, leap) + ")";
}

std::string LunarDayInEnglish(int day) {
    return "day " + std::to_string(day) + " (" + LunarDayName(day) + ")";
}

std::string MoonPhaseInEnglish(const LunarView& view) {
    switch (view.phase) {
        case MoonPhase::New:
            return "new moon 朔 (the moon's disc is empty: no treatment, 月郭空无治)";
        case MoonPhase::FirstQuarter:
            return "first quarter 上弦 (the moon is waxing: do not drain, 月生无泻)";
        case MoonPhase::Full:
            return "full moon 望 (the moon is full: do not tonify, 月满无补)";
        case MoonPhase::LastQuarter:
            return "last quarter 下弦";
    }
    return {};
}

std::string LunarLineInEnglish(const LunarView& view) {
    if (!view.known) return {};
    const std::string year = LunarYearGanZhi(view.date.year);
    std::string line = "Lunar " + GanZhiInEnglish(year).value_or(year) + " year, " +
                       LunarMonthInEnglish(view.date.month, view.date.leap) + ", " +
                       LunarDayInEnglish(view.date.day) + " · " + SolarTermInEnglish(view.solarTerm) +
                       " · moon " + OneDecimal(view.moonAge) + " days";
    if (view.tabooShown && !view.day.place.empty()) line += " · 人神 at " + PlaceInEnglish(view.day.place);
    return line;
}

std::string RenShenCellInEnglish(std::string_view cell) {
    const std::size_t dot = cell.find(" · ");
    if (dot == std::string_view::npos) return std::string(cell);
    const std::string_view dayPart = cell.substr(0, dot);
    const std::string_view hourPart = cell.substr(dot + std::string_view(" · ").size());
    std::string out;
    for (int day = 1; day <= 30 && out.empty(); ++day) {
        const std::string name = LunarDayName(day);
        if (dayPart.starts_with(name))
            out = "day " + std::to_string(day) + ": " + PlaceInEnglish(dayPart.substr(name.size()));
    }
    const std::size_t hour = hourPart.find("时");
    if (out.empty() || hour == std::string_view::npos) return std::string(cell);
    const std::string branch(hourPart.substr(0, hour));
    return out + " · " + GanZhiInEnglish(branch).value_or(branch) +
           " hour: " + PlaceInEnglish(hourPart.substr(hour + std::string_view("时").size()));
}

std::vector<std::string> FindingTabooWarningsInEnglish(const LunarView& view, const Finding& finding,
                                                       PointStyle style) {
    std::vector<std::string> out;
    if (!view.known || !view.tabooShown) return out;
    const std::vector<std::string> points = FindingPoints(finding);
    // As the Chinese: one warning for each 人神, naming every point in its place.
    const auto add = [&](const RenShenPlace& place, const std::string& whose) {
        if (place.place.empty()) return;
        std::vector<std::string> inPlace;
        for (const std::string& p : points)
            if (PointInPlace(p, place.place)) inPlace.push_back(p);
        if (inPlace.empty()) return;
        // Several points by their codes alone: the page names each in full just above.
        std::string named;
        for (const std::string& p : inPlace) {
            const std::optional<PointCode> code = CodeOfPoint(p);
            named += (named.empty() ? "" : ", ") +
                     (inPlace.size() > 1 && code
                          ? std::string(code->code)
                          : PointInStyle(p, style == PointStyle::Chinese ? PointStyle::Both : style));
        }
        out.push_back(Warning(named, whose, place));
    };
    add(view.day, "人神 of lunar day " + std::to_string(view.date.day));
    add(view.hour, "人神 of the double-hour");
    add(view.age, "人神 of the patient's year of age");
    add(view.kaoShen, "尻神 of the nine palaces");
    return out;
}

}  // namespace velunar
