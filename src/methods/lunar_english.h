#pragma once
// The lunar calendar, the moon and the 人神 in English: the same facts LunarView says in Chinese, with the
// Chinese terms kept beside their English (a practitioner checks a 人神 place against the books, which name
// it in Chinese). A warning that a point lies where the 人神 dwells must be read by whoever needles: in
// English it is a whole English sentence.
#include <string>
#include <string_view>
#include <vector>

#include "methods/english_names.h"
#include "methods/lunar_view.h"

namespace velunar {

// A 人神 place as the books name it, in English with the Chinese after it: "足大趾" → "big toe 足大趾",
// "乳、肩" → "breast, shoulder 乳、肩". A term without an English name stays as it is.
std::string PlaceInEnglish(std::string_view place);
// The books a reading is drawn from ("据《医宗金鉴》…" or "《针灸大成》十二部人神") with their English
// titles.
std::string SourceInEnglish(std::string_view source);
// "大雪" → "大雪 Major Snow".
std::string SolarTermInEnglish(std::string_view term);
// "month 11 (冬月)", "leap month 4 (闰四月)"; "day 1 (初一)".
std::string LunarMonthInEnglish(int month, bool leap);
std::string LunarDayInEnglish(int day);
// "new moon 朔 (the moon's disc is empty: no treatment, 月郭空无治)".
std::string MoonPhaseInEnglish(const LunarView& view);
// The line of the time area: "Lunar 丙午 Bǐngwǔ year, month 11 (冬月), day 1 (初一) · 大雪 Major Snow ·
// moon 0.4 days · 人神 at big toe 足大趾".
std::string LunarLineInEnglish(const LunarView& view);
// The 开穴表's 人神 cell (RenShenScheduleCell) in English: "初一足大趾 · 午时胸胁" as "day 1: big toe 足大趾
// · 午 Wǔ hour: chest and flanks 胸胁". A text of another form comes back as it is.
std::string RenShenCellInEnglish(std::string_view cell);
// FindingTabooWarnings in English, the points written in the style.
std::vector<std::string> FindingTabooWarningsInEnglish(const LunarView& view, const Finding& finding,
                                                       PointStyle style);

}  // namespace velunar
