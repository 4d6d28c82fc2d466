#include "calendar/numparse.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <version>

namespace velunar {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsNumberChar(char c) {
    return (c >= '0' && c <= '9') || c == '.' || c == 'e' || c == 'E' || c == '+' || c == '-';
}

// The text is checked to be plain decimal digits by then. The browser build's C++ library has no
// floating-point from_chars or to_chars; its C library runs in the "C" locale alone, where strtod and printf
// use '.', so there they stand in.
#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L
bool ReadDouble(std::string_view text, double& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc{} && end == text.data() + text.size();
}

std::string Shortest(double value) {
    char buf[32];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, ec == std::errc{} ? static_cast<std::size_t>(end - buf) : 0);
}
#else
bool ReadDouble(std::string_view text, double& value) {
    const std::string copy(text);
    char* end = nullptr;
    value = std::strtod(copy.c_str(), &end);
    return end == copy.c_str() + copy.size() && std::isfinite(value);
}

// As to_chars: the fewest significant digits that read back, in fixed or exponent notation, whichever is
// shorter (fixed on a tie).
std::string Shortest(double value) {
    char buf[400];
    std::string exponent, fixed;
    for (int digits = 0; digits <= 17 && exponent.empty(); ++digits) {
        std::snprintf(buf, sizeof buf, "%.*e", digits, value);
        if (std::strtod(buf, nullptr) == value) exponent = buf;
    }
    for (int decimals = 0; decimals <= 30 && fixed.empty(); ++decimals) {
        std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
        if (std::strtod(buf, nullptr) == value) fixed = buf;
    }
    return !fixed.empty() && fixed.size() <= exponent.size() ? fixed : exponent;
}
#endif

}  // namespace

std::string ShortestDecimal(double value) {
    return Shortest(value);
}

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
    if (!ReadDouble(text, value) || !std::isfinite(value)) return std::nullopt;
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
