#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace velunar {

// The one reader of every box the program takes as a decimal number (longitudes, summer time).
// Locale-independent: '.' is the decimal point, an optional '+' or '-' sign, optional exponent,
// surrounding blanks allowed. Empty text, trailing garbage, NaN and infinity are refused.
std::optional<double> ParseDecimal(std::string_view text);

// The shortest decimal text that reads back as `value` (finite), as JSON and the reports write numbers:
// "0.5", "116.28", "1e-07".
std::string ShortestDecimal(double value);

// The one reader of fixed digit fields (dates, zone labels, the equation-of-time table): 1 to 6 ASCII
// digits and nothing else; nothing for any other text.
std::optional<int> ReadDigits(std::string_view digits);

// A longitude box holds a valid value when it reads as a number from 0 to 180 inclusive.
std::optional<double> ParseLongitude(std::string_view text);

}  // namespace velunar
