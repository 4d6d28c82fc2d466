#include "calendar/utf8.h"

#include <algorithm>
#include <cstdint>

namespace velunar {

std::size_t Utf8SequenceLength(std::string_view text, std::size_t i) {
    const auto c = static_cast<unsigned char>(text[i]);
    std::size_t n = 0;
    std::uint32_t min = 0, code = 0;
    if (c < 0x80) return 1;
    if (c >= 0xC2 && c <= 0xDF)
        n = 2, min = 0x80, code = c & 0x1F;
    else if (c >= 0xE0 && c <= 0xEF)
        n = 3, min = 0x800, code = c & 0x0F;
    else if (c >= 0xF0 && c <= 0xF4)
        n = 4, min = 0x10000, code = c & 0x07;
    else
        return 0;
    if (i + n > text.size()) return 0;
    for (std::size_t k = 1; k < n; ++k) {
        const auto d = static_cast<unsigned char>(text[i + k]);
        if ((d & 0xC0) != 0x80) return 0;
        code = (code << 6) | (d & 0x3F);
    }
    if (code < min || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return 0;
    return n;
}

char32_t NextCodePoint(std::string_view text, std::size_t& i) {
    const std::size_t n = Utf8SequenceLength(text, i);
    if (n == 0) {
        ++i;
        return 0xFFFD;
    }
    const auto b = static_cast<unsigned char>(text[i]);
    char32_t c = n == 1 ? b : b & (0x7F >> n);
    for (std::size_t k = 1; k < n; ++k) c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    i += n;
    return c;
}

void AppendCodePoint(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::vector<std::string_view> Utf8Characters(std::string_view text) {
    std::vector<std::string_view> out;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = Utf8SequenceLength(text, i);
        out.push_back(text.substr(i, n == 0 ? 1 : n));
        i += n == 0 ? 1 : n;
    }
    return out;
}

std::string_view LastCharacter(std::string_view text) {
    if (text.empty()) return text;
    std::size_t start = text.size() - 1;
    // Step back over continuation bytes (10xxxxxx), at most three of them.
    while (start > 0 && text.size() - start < 4 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80)
        --start;
    return text.substr(start);
}

}  // namespace velunar

namespace velunar {

std::size_t EditDistance(std::string_view a, std::string_view b) {
    const auto x = Utf8Characters(a), y = Utf8Characters(b);
    std::vector<std::size_t> row(y.size() + 1);
    for (std::size_t j = 0; j <= y.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= x.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= y.size(); ++j) {
            const std::size_t up = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (x[i - 1] == y[j - 1] ? 0 : 1)});
            diagonal = up;
        }
    }
    return row[y.size()];
}

std::size_t SharedCharacters(std::string_view a, std::string_view b) {
    std::size_t n = 0;
    const auto y = Utf8Characters(b);
    for (std::string_view c : Utf8Characters(a))
        if (std::find(y.begin(), y.end(), c) != y.end()) ++n;
    return n;
}

}  // namespace velunar
