#include "methods/english_names.h"

#include <array>
#include <utility>

#include "calendar/utf8.h"
#include "methods/point_index.h"

namespace velunar {
namespace {

// Short name, English name and code, in the order of the flow.
constexpr std::array<std::array<std::string_view, 3>, 12> kMeridians = {{
    {"肺", "Lung", "LU"},
    {"大肠", "Large Intestine", "LI"},
    {"胃", "Stomach", "ST"},
    {"脾", "Spleen", "SP"},
    {"心", "Heart", "HT"},
    {"小肠", "Small Intestine", "SI"},
    {"膀胱", "Bladder", "BL"},
    {"肾", "Kidney", "KI"},
    {"心包", "Pericardium", "PC"},
    {"三焦", "Triple Energizer", "TE"},
    {"胆", "Gallbladder", "GB"},
    {"肝", "Liver", "LR"},
}};

// The stems (the sixth written either way) and the branches, with their pinyin.
constexpr std::array<std::pair<std::string_view, std::string_view>, 23> kGanZhi = {{
    {"甲", "jiǎ"},  {"乙", "yǐ"},   {"丙", "bǐng"}, {"丁", "dīng"}, {"戊", "wù"},  {"己", "jǐ"},
    {"已", "jǐ"},   {"庚", "gēng"}, {"辛", "xīn"},  {"壬", "rén"},  {"癸", "guǐ"}, {"子", "zǐ"},
    {"丑", "chǒu"}, {"寅", "yín"},  {"卯", "mǎo"},  {"辰", "chén"}, {"巳", "sì"},  {"午", "wǔ"},
    {"未", "wèi"},  {"申", "shēn"}, {"酉", "yǒu"},  {"戌", "xū"},   {"亥", "hài"},
}};

constexpr std::array<std::pair<std::string_view, std::string_view>, 12> kTerms = {{
    {"木", "wood"},
    {"火", "fire"},
    {"土", "earth"},
    {"金", "metal"},
    {"水", "water"},
    {"井", "jing-well"},
    {"荥", "ying-spring"},
    {"俞", "shu-stream"},
    {"经", "jing-river"},
    {"合", "he-sea"},
    {"原", "source"},
    {"闭", "closed"},
}};

// The first letter of a pinyin syllable in capitals (toned vowels included).
std::string Capitalised(std::string_view syllable) {
    std::size_t i = 0;
    const char32_t first = NextCodePoint(syllable, i);
    char32_t upper = first;
    if (first >= 'a' && first <= 'z')
        upper = first - 0x20;
    else if (first >= 0xE0 && first <= 0xFE && first != 0xF7)
        upper = first - 0x20;
    else if (((first >= 0x100 && first <= 0x137) || (first >= 0x14A && first <= 0x177)) && first % 2 == 1)
        upper = first - 1;
    else if (first >= 0x1CD && first <= 0x1DC && first % 2 == 0)
        upper = first - 1;
    std::string out;
    AppendCodePoint(out, upper);
    out.append(syllable.substr(i));
    return out;
}

bool BeginsWithVowel(std::string_view syllable) {
    std::size_t i = 0;
    const char32_t c = NextCodePoint(syllable, i);
    for (std::string_view vowels : {"aāáǎà", "eēéěè", "oōóǒò"}) {
        for (std::size_t j = 0; j < vowels.size();)
            if (NextCodePoint(vowels, j) == c) return true;
    }
    return false;
}

std::string JoinedPinyin(std::string_view spaced) {
    std::string out;
    std::size_t from = 0;
    while (from <= spaced.size()) {
        const std::size_t to = std::min(spaced.find(' ', from), spaced.size());
        const std::string_view syllable = spaced.substr(from, to - from);
        if (!syllable.empty()) {
            if (out.empty())
                out = Capitalised(syllable);
            else
                out.append(BeginsWithVowel(syllable) ? "'" : "").append(syllable);
        }
        from = to + 1;
    }
    return out;
}

std::optional<std::string_view> PinyinOfCharacter(std::string_view c) {
    for (const auto& [character, pinyin] : kGanZhi)
        if (character == c) return pinyin;
    return std::nullopt;
}

}  // namespace

std::optional<std::string> PointPinyin(std::string_view name) {
    const std::optional<PointCode> code = CodeOfPoint(name);
    if (!code) return std::nullopt;
    return JoinedPinyin(code->pinyin);
}

std::string PointInStyle(std::string_view name, PointStyle style) {
    const std::optional<PointCode> code = CodeOfPoint(name);
    if (!code || style == PointStyle::Chinese) return std::string(name);
    std::string out = std::string(code->code) + " " + JoinedPinyin(code->pinyin);
    if (style == PointStyle::Both) out.append(" ").append(name);
    return out;
}

std::optional<std::string> MeridianInEnglish(std::string_view name) {
    if (name.ends_with("经")) name.remove_suffix(std::string_view("经").size());
    for (const auto& [shortName, english, code] : kMeridians)
        if (shortName == name) return std::string(english) + " " + std::string(code);
    return std::nullopt;
}

std::optional<std::string> GanZhiInEnglish(std::string_view text) {
    if (text.empty()) return std::nullopt;
    std::string spaced;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t from = i;
        NextCodePoint(text, i);
        const std::optional<std::string_view> pinyin = PinyinOfCharacter(text.substr(from, i - from));
        if (!pinyin) return std::nullopt;
        spaced.append(spaced.empty() ? "" : " ").append(*pinyin);
    }
    // A stem and branch is at most two characters; a longer run of them is no value of the program's.
    if (text.size() > 6) return std::nullopt;
    return std::string(text) + " " + JoinedPinyin(spaced);
}

std::string ValueInEnglish(std::string_view text, PointStyle style) {
    for (const auto& [chinese, english] : kTerms)
        if (chinese == text) return std::string(english);
    if (CodeOfPoint(text)) return PointInStyle(text, style);
    if (auto meridian = MeridianInEnglish(text)) return *meridian;
    if (auto ganzhi = GanZhiInEnglish(text)) return *ganzhi;
    return std::string(text);
}

std::string TimeTextInEnglish(std::string_view text) {
    std::string out(text);
    const auto replaceAll = [&out](std::string_view from, std::string_view to) {
        for (std::size_t at = out.find(from); at != std::string::npos; at = out.find(from, at + to.size()))
            out.replace(at, from.size(), to);
    };
    // A date written 1949年10月01日: the digits before each mark.
    for (const auto& [mark, next] : {std::pair{"年", "-"}, std::pair{"月", "-"}, std::pair{"日", ""}}) {
        for (std::size_t at = out.find(mark); at != std::string::npos; at = out.find(mark, at)) {
            if (at == 0 || out[at - 1] < '0' || out[at - 1] > '9') {
                at += std::string_view(mark).size();
                continue;
            }
            out.replace(at, std::string_view(mark).size(), next);
        }
    }
    for (const auto& [chinese, english] :
         {std::pair{"真太阳时", "true solar time"}, std::pair{"北京时间", "Beijing time"},
          std::pair{"机器时间", "machine time"}, std::pair{"本机时间", "machine time"},
          std::pair{"钟表时间", "clock time"}, std::pair{"(夏令时)", "(summer time)"},
          std::pair{"(标准时间)", "(standard time)"}, std::pair{"夜子时", "late Zi hour"},
          std::pair{"早子时", "early Zi hour"}}) {
        replaceAll(chinese, english);
    }
    // A double-hour named by its branch: "巳时" as "巳 Sì hour".
    for (std::size_t i = 0; i + 3 < out.size();) {
        const std::size_t from = i;
        NextCodePoint(out, i);
        const std::string_view ch = std::string_view(out).substr(from, i - from);
        if (std::string_view(out).substr(i).starts_with("时")) {
            if (const std::optional<std::string> said = GanZhiInEnglish(ch)) {
                const std::string english = *said + " hour";
                out.replace(from, ch.size() + std::string_view("时").size(), english);
                i = from + english.size();
            }
        }
    }
    return out;
}

std::string ValueShown(std::string_view text, bool english, PointStyle style) {
    if (CodeOfPoint(text)) return PointInStyle(text, style);
    return english ? ValueInEnglish(text, style) : std::string(text);
}

PointStyle PointStyleOf(std::string_view setting, bool english) {
    if (setting == "中文") return PointStyle::Chinese;
    if (setting == "代码拼音") return PointStyle::CodePinyin;
    if (setting == "两者") return PointStyle::Both;
    return english ? PointStyle::Both : PointStyle::Chinese;
}

}  // namespace velunar
