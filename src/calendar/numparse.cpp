#include "calendar/numparse.h"

#include <charconv>
#include <cmath>

namespace velunar {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsNumberChar(char c) {
    return (c >= '0' && c <= '9') || c == '.' || c == 'e' || c == 'E' || c == '+' || c == '-';
}

}  // namespace

std::optional<double> ParseDecimal(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // from_chars would take "inf", "nan" and hex forms; a box holds plain decimals only.
    if (text.empty() || !(text.front() == '.' || (text.front() >= '0' && text.front() <= '9')))
        return std::nullopt;
    for (char c : text)
        if (!IsNumberChar(c)) return std::nullopt;
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
    return negative ? -value : value;
}

std::optional<int> ReadDigits(std::string_view digits) {
    // Bounded so a long run of digits cannot overflow; no field of the program comes near.
    if (digits.empty() || digits.size() > 6) return std::nullopt;
    int v = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + (c - '0');
    }
    return v;
}

std::optional<double> ParseLongitude(std::string_view text) {
    const auto v = ParseDecimal(text);
    if (!v || *v < 0.0 || *v > 180.0) return std::nullopt;
    return v;
}

}  // namespace velunar
