#include "store/localized.h"

#include <optional>
#include <utility>

#include "calendar/tr_mark.h"
#include "methods/lunar_english.h"
#include "store/translation.h"

namespace velunar::store {
namespace {

// Each part of a field name and the program's Chinese for it, which the catalogue turns into English. The
// columns that are Chinese already stand for themselves.
constexpr std::pair<std::string_view, const char*> kFieldParts[] = {
    {"page", VELUNAR_TR("field", "时间页")},
    {"tz", VELUNAR_TR("field", "时区")},
    {"summer", VELUNAR_TR("field", "夏令时(分钟)")},
    {"dstChina", VELUNAR_TR("field", "中国夏令时")},
    {"eot", VELUNAR_TR("field", "均时差")},
    {"referenceTime", VELUNAR_TR("field", "参考时间")},
    {"referenceInstant", VELUNAR_TR("field", "参考时刻")},
    {"timeMode", VELUNAR_TR("field", "时辰模式")},
    {"skipped", VELUNAR_TR("field", "未能计算")},
    {"skipReason", VELUNAR_TR("field", "未能计算的原因")},
    {"effectiveTime", VELUNAR_TR("field", "计算所用时间")},
    {"trueSolarTime", VELUNAR_TR("field", "真太阳时")},
    {"beijingTime", VELUNAR_TR("field", "北京时间")},
    {"dayDate", VELUNAR_TR("field", "日期")},
    {"dayGanZhi", VELUNAR_TR("field", "日干支")},
    {"hourBranch", VELUNAR_TR("field", "时辰")},
    {"hourGanZhi", VELUNAR_TR("field", "时干支")},
    {"hourSpan", VELUNAR_TR("field", "时辰时段")},
    {"clockSpan", VELUNAR_TR("field", "钟表时段")},
    {"clockStart", VELUNAR_TR("field", "钟表时段起")},
    {"clockEnd", VELUNAR_TR("field", "钟表时段止")},
    {"minutesToNext", VELUNAR_TR("field", "距下一时辰(分钟)")},
    {"longitude", VELUNAR_TR("field", "东经度数")},
    {"abroadLongitude", VELUNAR_TR("field", "国外经度")},
    {"warnings", VELUNAR_TR("field", "提示")},
    {"closed", VELUNAR_TR("field", "闭穴")},
    {"point", VELUNAR_TR("field", "穴位")},
    {"partner", VELUNAR_TR("field", "配穴")},
    {"meridian", VELUNAR_TR("field", "经脉")},
    {"points", VELUNAR_TR("field", "穴位")},
    // The cells' own names, which the codes of their points are keyed by ("ownPointCode").
    {"dutyMeridian", VELUNAR_TR("field", "值日经")},
    {"sourcePoint", VELUNAR_TR("field", "原穴")},
    {"extraSourcePoint", VELUNAR_TR("field", "兼过原穴")},
    {"ownPoint", VELUNAR_TR("field", "本穴")},
    {"drainPoint", VELUNAR_TR("field", "泻穴")},
    {"tonifyPoint", VELUNAR_TR("field", "补穴")},
    {"well", VELUNAR_TR("field", "井")},
    {"spring", VELUNAR_TR("field", "荥")},
    {"stream", VELUNAR_TR("field", "俞")},
    {"river", VELUNAR_TR("field", "经")},
    {"sea", VELUNAR_TR("field", "合")},
    {"source", VELUNAR_TR("field", "原")},
    {"nagan", VELUNAR_TR("field", "纳干法")},
    {"buxue", VELUNAR_TR("field", "补穴法")},
    {"nazhi", VELUNAR_TR("field", "纳支法")},
    {"linggui", VELUNAR_TR("field", "灵龟八法")},
    {"feiteng", VELUNAR_TR("field", "飞腾八法")},
    {"shigan", VELUNAR_TR("field", "时干法")},
    {"rigan", VELUNAR_TR("field", "日干法")},
    {"nazhi2", VELUNAR_TR("field", "纳支法2")},
    {"explain", VELUNAR_TR("field", "为什么")},
    // The doctrines' own columns.
    {"值日经", VELUNAR_TR("field", "值日经")},
    {"经脉", VELUNAR_TR("field", "经脉")},
    {"五行", VELUNAR_TR("field", "五行")},
    {"五俞", VELUNAR_TR("field", "五俞")},
    {"穴位", VELUNAR_TR("field", "穴位")},
    {"过原", VELUNAR_TR("field", "过原")},
    {"兼过原穴", VELUNAR_TR("field", "兼过原穴")},
    {"本穴", VELUNAR_TR("field", "本穴")},
    {"原穴", VELUNAR_TR("field", "原穴")},
    {"泻穴", VELUNAR_TR("field", "泻穴")},
    {"本经", VELUNAR_TR("field", "本经")},
    {"补穴", VELUNAR_TR("field", "补穴")},
    {"补穴经", VELUNAR_TR("field", "补穴经")},
    {"经络", VELUNAR_TR("field", "经络")},
    {"井", VELUNAR_TR("field", "井")},
    {"荥", VELUNAR_TR("field", "荥")},
    {"俞", VELUNAR_TR("field", "俞")},
    {"经", VELUNAR_TR("field", "经")},
    {"合", VELUNAR_TR("field", "合")},
    {"原", VELUNAR_TR("field", "原")},
};

// The schedule's and the reverse lookup's column titles.
constexpr const char* kColumnTitles[] = {
    VELUNAR_TR("column", "日期"),     VELUNAR_TR("column", "时干支"),    VELUNAR_TR("column", "日干支"),
    VELUNAR_TR("column", "纳干穴位"), VELUNAR_TR("column", "过原"),      VELUNAR_TR("column", "兼过原穴"),
    VELUNAR_TR("column", "补穴"),     VELUNAR_TR("column", "纳支本穴"),  VELUNAR_TR("column", "纳支泻穴"),
    VELUNAR_TR("column", "纳支补穴"), VELUNAR_TR("column", "灵龟穴位"),  VELUNAR_TR("column", "灵龟配穴"),
    VELUNAR_TR("column", "飞腾穴位"), VELUNAR_TR("column", "飞腾配穴"),  VELUNAR_TR("column", "时干法经"),
    VELUNAR_TR("column", "日干法经"), VELUNAR_TR("column", "纳支法2经"), VELUNAR_TR("column", "钟表时间"),
    VELUNAR_TR("column", "方法"),     VELUNAR_TR("column", "记录"),
};

// What a line of the reverse lookup's report says the point is, and the words around it.
constexpr const char* kTailWords[] = {
    VELUNAR_TR("tail", "穴位"),     VELUNAR_TR("tail", "过原"),     VELUNAR_TR("tail", "兼过原穴"),
    VELUNAR_TR("tail", "本穴"),     VELUNAR_TR("tail", "原穴"),     VELUNAR_TR("tail", "泻穴"),
    VELUNAR_TR("tail", "补穴"),     VELUNAR_TR("tail", "井"),       VELUNAR_TR("tail", "荥"),
    VELUNAR_TR("tail", "俞"),       VELUNAR_TR("tail", "经"),       VELUNAR_TR("tail", "合"),
    VELUNAR_TR("tail", "原"),       VELUNAR_TR("tail", "灵龟穴位"), VELUNAR_TR("tail", "灵龟配穴"),
    VELUNAR_TR("tail", "飞腾穴位"), VELUNAR_TR("tail", "飞腾配穴"), VELUNAR_TR("tail", "徐氏纳干法补穴"),
};
constexpr const char* kWholeDate = VELUNAR_TR("tail", "全部时辰");
constexpr const char* kHourOf = VELUNAR_TR("tail", "{1}时");
constexpr const char* kClockTime = VELUNAR_TR("tail", "钟表时间");
// Values the derivations name that are no point, meridian or stem.
[[maybe_unused]] constexpr const char* kStepValues[] = {
    VELUNAR_TR("value", "固定表"), VELUNAR_TR("value", "天文计算"), VELUNAR_TR("value", "气纳三焦"),
    VELUNAR_TR("value", "血归包络")};

const char* FieldPart(std::string_view part) {
    for (const auto& [name, label] : kFieldParts)
        if (name == part) return label;
    return nullptr;
}

}  // namespace

bool InEnglish() {
    return store::CurrentLanguage() == store::Language::English;
}

std::string FieldLabel(std::string_view name) {
    if (!InEnglish()) return std::string(name);
    std::string out;
    for (std::size_t from = 0; from <= name.size();) {
        const std::size_t to = std::min(name.find('.', from), name.size());
        const std::string_view part = name.substr(from, to - from);
        std::string said;
        if (const char* label = FieldPart(part)) {
            said = store::Translated("field", label);
        } else if (part.ends_with("Code") || part.ends_with("Codes")) {
            // The code of a cell's point: the cell's label and "code".
            const std::string_view cell = part.substr(0, part.rfind("Code"));
            const char* of = FieldPart(cell == "points" || cell == "point" ? "point" : cell);
            said = (of ? store::Translated("field", of) + " " : std::string(cell) + " ") +
                   store::Translated("field", "代码");
        } else {
            said = std::string(part);
        }
        out.append(out.empty() ? "" : " — ").append(said);
        from = to + 1;
    }
    return out;
}

std::string LocalValue(std::string_view value) {
    if (!InEnglish() || value.empty()) return std::string(value);
    const std::string named = ValueInEnglish(value, kEnglishPoints);
    if (named != value) return named;
    const std::string translated = store::Translated("value", value);
    if (translated != value) return translated;
    const std::string renShen = RenShenCellInEnglish(value);
    return renShen != value ? renShen : TimeTextInEnglish(value);
}

std::string ColumnTitle(std::string_view title) {
    if (!InEnglish()) return std::string(title);
    return store::Translated("column", title);
}

std::string ReportHeading(std::string_view heading) {
    if (!InEnglish()) return std::string(heading);
    return store::Translated("heading", heading);
}

std::string DoctrineName(std::string_view heading) {
    std::string h = ReportHeading(heading);
    for (std::string_view colon : {"：", ":"})
        if (std::string_view(h).ends_with(colon)) h.resize(h.size() - colon.size());
    return h;
}

std::string ReportHour(std::string_view when) {
    if (!InEnglish()) return std::string(when);
    if (when == "全部时辰") return store::Translated("tail", kWholeDate);
    if (!when.ends_with("时")) return std::string(when);
    when.remove_suffix(std::string_view("时").size());
    // "脾经巳时": the meridian, then the double-hour.
    std::string meridian;
    if (const std::size_t jing = when.find("经"); jing != std::string_view::npos) {
        meridian = LocalValue(when.substr(0, jing + std::string_view("经").size())) + ", ";
        when = when.substr(jing + std::string_view("经").size());
    }
    return meridian + store::Filled(store::Translated("tail", kHourOf), {LocalValue(when)});
}

std::string ReportRole(std::string_view role) {
    const std::size_t equals = role.find('=');
    if (!InEnglish() || equals == std::string_view::npos) return std::string(role);
    return store::Translated("tail", role.substr(0, equals)) + " = " + LocalValue(role.substr(equals + 1));
}

std::string ReportLine(std::string_view line) {
    if (!InEnglish() || line.size() < 10) return std::string(line);
    // date, then "<when>时，<what>=<point>" or "全部时辰，<what>=<point>", then a clock span ("，钟表时间
    // …").
    const std::string_view date = line.substr(0, 10);
    std::string_view rest = line.substr(10);
    const std::size_t comma = rest.find("，");
    const std::size_t equals = rest.find('=');
    if (comma == std::string_view::npos || equals == std::string_view::npos || equals < comma)
        return std::string(line);
    const std::string_view when = rest.substr(0, comma);
    std::string_view role = rest.substr(comma + std::string_view("，").size());
    std::string_view after;
    if (const std::size_t more = role.find("，"); more != std::string_view::npos) {
        after = role.substr(more + std::string_view("，").size());
        role = role.substr(0, more);
    }
    const std::string said = ReportHour(when);
    if (said == when) return std::string(line);
    std::string out = std::string(date) + " " + said + ", " + ReportRole(role);
    if (!after.empty()) {
        std::string span(after);
        const std::string_view clock = kClockTime;
        if (span.starts_with(clock)) span = store::Translated("tail", kClockTime) + span.substr(clock.size());
        out += ", " + span;
    }
    return out;
}

namespace {

// "+14分52秒", "-3分58.6秒", "1时2分3秒" as "+14 min 52 s"; none for any other text.
std::optional<std::string> DurationInEnglish(std::string_view text) {
    if (!text.ends_with("秒")) return std::nullopt;
    std::string out;
    std::string number;
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if ((c >= '0' && c <= '9') || c == '.' || ((c == '+' || c == '-') && i == 0)) {
            number += c;
            ++i;
            continue;
        }
        std::string_view unit;
        for (const auto& [chinese, english] :
             {std::pair{"时", " h"}, std::pair{"分", " min"}, std::pair{"秒", " s"}}) {
            if (text.substr(i).starts_with(chinese)) {
                unit = english;
                i += std::string_view(chinese).size();
                break;
            }
        }
        if (unit.empty() || number.empty() || number == "+" || number == "-") return std::nullopt;
        out += (out.empty() ? "" : " ") + number + std::string(unit);
        number.clear();
    }
    return number.empty() ? std::optional(out) : std::nullopt;
}

// "东经116.28°" as "116.28° E", "西经75°" as "75° W"; the zone's meridian likewise.
std::optional<std::string> LongitudeInEnglish(std::string_view text) {
    std::string prefix;
    if (text.starts_with("时区子午线")) {
        prefix = "the zone's meridian ";
        text.remove_prefix(std::string_view("时区子午线").size());
    }
    for (const auto& [side, letter] : {std::pair{"东经", " E"}, std::pair{"西经", " W"}})
        if (text.starts_with(side))
            return prefix + std::string(text.substr(std::string_view(side).size())) + letter;
    return std::nullopt;
}

std::string StepArgument(const std::string& arg) {
    if (arg == "阴") return "yin";
    if (arg == "阳") return "yang";
    if (const auto duration = DurationInEnglish(arg)) return *duration;
    if (const auto longitude = LongitudeInEnglish(arg)) return *longitude;
    return LocalValue(arg);
}

}  // namespace

std::vector<std::string> StepTexts(const Derivation& steps) {
    if (!InEnglish()) return Texts(steps);
    std::vector<std::string> out;
    out.reserve(steps.size());
    for (const Step& s : steps) {
        if (!s.label) {
            out.emplace_back();
            continue;
        }
        const std::string english = store::Translated("step", s.label->text);
        const StepLabel label{s.label->key, english};
        Step said{&label, {}};
        // A verse quoted (“{n}”) stays as the book gives it.
        for (std::size_t i = 0; i < s.args.size(); ++i) {
            const std::string mark = "“{" + std::to_string(i + 1) + "}”";
            const bool quoted = s.label->text.find(mark) != std::string_view::npos;
            said.args.push_back(quoted ? s.args[i] : StepArgument(s.args[i]));
        }
        out.push_back(said.Text());
    }
    return out;
}

}  // namespace velunar::store
