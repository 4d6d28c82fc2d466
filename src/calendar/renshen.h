#pragma once
// The 人神: where the spirit of the body dwells on a lunar day (逐日人神), in a double-hour (十二时人神) and
// in a year of life (行年人神 by the twelve parts, 九宫尻神 by the nine palaces); the classical texts forbid
// needling and moxibustion there at that time. The lists are the project's own from the classical texts, in
// data/ (renshen-day.tsv, renshen-hour.tsv, renshen-age.tsv), compiled by data/gen_renshen.py.
#include <optional>
#include <string>
#include <string_view>

#include "calendar/ganzhi.h"

namespace velunar {

// Where the sources differ, which one is read: the reading most of them share (the default), or one book.
enum class RenShenReading { Common, JinJian, DaCheng };
inline constexpr std::string_view kRenShenCommonLabel = "通行";
// The stored label read back; anything unknown is the common reading.
RenShenReading RenShenReadingOfLabel(std::string_view label);
std::string_view RenShenReadingLabel(RenShenReading reading);

struct RenShenPlace {
    std::string place;  // "足大趾", "手、膊"; empty when there is none
    std::string
        source;  // the book it is read from: "《医宗金鉴》", or the books the common reading is drawn from
};

// 逐日人神 on lunar day 1..30.
RenShenPlace RenShenOfDay(int lunarDay, RenShenReading reading);
// 十二时人神 in a double-hour.
RenShenPlace RenShenOfHour(Branch branch, RenShenReading reading);
// 行年人神 (《针灸大成》 十二部: one year old in the heart, one part a year) for an age in years, counted the
// traditional way (虚岁); nothing for an age under 1.
RenShenPlace RenShenOfAge(int age);
// 九宫尻神 for an age: the palace and its places, "坤宫：踝"; nothing for an age under 1.
RenShenPlace KaoShenOfAge(int age);

// The user's choices about the taboos: whether they are shown at all, which reading, and the patient's age
// (never stored unless the user asks).
struct TabooOptions {
    bool shown = true;
    RenShenReading reading = RenShenReading::Common;
    std::optional<int> age;
};

// Whether a point lies in a place of the lists (a place written "乳、肩" is each of its parts). 遍身 holds
// every point; a point the regions table does not know lies in no other place.
bool PointInPlace(std::string_view point, std::string_view place);

// Whether the regions table knows the point (the points the doctrines open); other texts of a schedule's
// cells, meridians and phases, are no points.
bool IsKnownPoint(std::string_view point);

}  // namespace velunar
