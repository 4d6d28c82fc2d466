#pragma once
// The outputs in the language in force: the command line's, the reverse lookup's lines and calendar files.
// Chinese is the program's own and passes unchanged; in English a field's label is said in words ("Najia —
// point") and a value is named as the English nomenclature names it (methods/english_names.h), or as the
// catalogue translates a fixed text of the program's (a time mode). JSON never goes through here: its keys
// and values are the same in every language.
#include <string>
#include <string_view>
#include <vector>

#include "methods/derivation.h"
#include "methods/english_names.h"

namespace velunar::store {

bool InEnglish();
// How points are written in English output: code, pinyin and the Chinese name.
inline constexpr PointStyle kEnglishPoints = PointStyle::Both;

// A dotted field name ("nagan.值日经") as the plain output labels it.
std::string FieldLabel(std::string_view name);
// A value as the plain output, the tables and the CSV write it.
std::string LocalValue(std::string_view value);
// A column title of the schedule or the reverse lookup's table ("纳干穴位", "日期").
std::string ColumnTitle(std::string_view title);
// A doctrine's heading in the reverse lookup's report ("纳干法（徐氏）："), and its name without the colon.
std::string ReportHeading(std::string_view heading);
std::string DoctrineName(std::string_view heading);
// A line of the reverse lookup's report ("2026-01-01丑时，灵龟穴位=公孙"): in English "2026-01-01 Chǒu
// hour, Linggui point = SP4 Gōngsūn 公孙"; its clock span, if it has one, follows as it is.
std::string ReportLine(std::string_view line);
// Its parts, as the reverse lookup window's columns show them: the double-hour ("丑时", "脾经巳时",
// "全部时辰") and the role ("灵龟穴位=公孙").
std::string ReportHour(std::string_view when);
std::string ReportRole(std::string_view role);
// The steps of a derivation as the plain output and the window say them: in English each label's English
// (by its text, the catalogue's context "step") with the values named in English; the verses quoted stay
// as the books give them.
std::vector<std::string> StepTexts(const Derivation& steps);

}  // namespace velunar::store
