#pragma once
// The equation-of-time table: one almanac value per calendar day, the same for every year, looked up by
// a text key "M月D日". Values read "+12分3秒" (true solar time ahead of mean time) or "－3分9秒" (behind).
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "calendar/datetime.h"

namespace velunar {

struct EotRow {
    std::string_view key;
    std::string_view value;
};

// The 366 rows, 1月1日 to 12月31日 of a leap year, in calendar order.
std::span<const EotRow> EquationOfTimeTable();

// The key of the calendar day of t: month and day without leading zeros ("3月5日", "12月31日").
std::string EquationOfTimeKey(DateTime t);

// The value of a key, compared whole; the empty text for a key that is not in the table.
std::string EquationOfTimeText(std::string_view key);

// The size of a value in whole seconds, without its sign: blanks, "+" and "－" are dropped, then the
// minutes before "分" and the seconds between "分" and "秒" are read ("+14分60秒" is 900).
// Nothing for a text that does not read that way (the empty text of an unknown key, for one).
std::optional<int> EquationOfTimeSeconds(std::string_view value);

// Signed seconds of a value: its size, negative when the text holds "－"; 0 when it holds no sign.
int EquationOfTimeSignedSeconds(std::string_view value);

// Signed seconds of the table's row for a calendar day; 0 for a day that has no row.
int EquationOfTimeOfDay(int month, int day);

// Local mean time corrected to local true solar time by the value of its own calendar day.
DateTime ApplyEquationOfTime(DateTime localMeanTime);

}  // namespace velunar
