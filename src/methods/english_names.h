#pragma once
// The names the program's values are written with in English, after the WHO standard nomenclature: a point
// as its code and pinyin with tone marks ("SP4 Gōngsūn"), a meridian as its English name and code ("Spleen
// SP"), stems and branches in characters with their pinyin ("甲子 Jiǎzǐ"), the five phases and the transport
// points by their English terms. These are facts about the names, like the codes, and compiled in; which form
// a user sees (中文, code and pinyin, or both) is chosen at the edge.
#include <optional>
#include <string>
#include <string_view>

namespace velunar {

// How a point is written: its Chinese name (the program's own way), code and pinyin, or both, the Chinese
// last.
enum class PointStyle { Chinese, CodePinyin, Both };

// "Gōngsūn": the toned pinyin of a coded point as one word, capitalised, an apostrophe where a syllable
// beginning with a, e or o would run into the one before (Jiān'ǎo). None for a name without a code.
std::optional<std::string> PointPinyin(std::string_view name);

// A point in the style: "公孙", "SP4 Gōngsūn" or "SP4 Gōngsūn 公孙"; a name without a code stays as it is.
std::string PointInStyle(std::string_view name, PointStyle style);

// A meridian, in its short form (脾, 心包) or with 经 (脾经): "Spleen SP". None for any other text.
std::optional<std::string> MeridianInEnglish(std::string_view name);

// "甲子 Jiǎzǐ", "巳 Sì": a stem, a branch or a stem and branch (the sixth stem written 己 or 已), characters
// first; none for any other text.
std::optional<std::string> GanZhiInEnglish(std::string_view text);

// One value of the outputs in English: a point (in the style), a meridian, stems and branches, a phase
// (木 → wood), a transport point (井 → jing-well … 原 → source), 闭 (closed). Any other text comes back as
// it is, so a value the program does not name (a user's own point) is never lost.
std::string ValueInEnglish(std::string_view text, PointStyle style);

// A time text of the pages and the outputs in English: "1949年10月01日  23:25:54" as 1949-10-01 23:25:54,
// "巳时 09:00–10:59 真太阳时" as "巳 Sì hour 09:00–10:59 true solar time", "北京时间 …" as "Beijing time …",
// the marks (夏令时) and (标准时间) as (summer time) and (standard time). Other text passes unchanged.
std::string TimeTextInEnglish(std::string_view text);

// A value as a page shows it: a point in the style, in either language; any other value named in English
// when `english`, else as it is.
std::string ValueShown(std::string_view text, bool english, PointStyle style);

// The style a settings text asks for ("中文", "代码拼音", "两者"); "" or any other text: the language's own
// (Chinese in Chinese, both in English).
PointStyle PointStyleOf(std::string_view setting, bool english);

}  // namespace velunar
