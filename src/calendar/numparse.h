#pragma once
#include <optional>
#include <string_view>

namespace velunar {

// The one reader of every box the program takes as a decimal number (longitudes, summer time).
// Locale-independent: '.' is the decimal point, an optional '+' or '-' sign, optional exponent,
// surrounding blanks allowed. Empty text, trailing garbage, NaN and infinity are refused.
std::optional<double> ParseDecimal(std::string_view text);

// A longitude box holds a valid value when it reads as a number from 0 to 180 inclusive.
std::optional<double> ParseLongitude(std::string_view text);

}  // namespace velunar
