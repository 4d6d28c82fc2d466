#pragma once
// The one reader of UTF-8 in the program: the core keeps all text as UTF-8 std::string.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velunar {

// Length of the valid UTF-8 sequence starting at text[i], or 0 when it is not one (overlong forms,
// surrogates and code points past U+10FFFF are not UTF-8).
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i);

// Decodes the character at text[i] and advances i past it; an invalid byte reads as U+FFFD and is passed
// over alone.
char32_t NextCodePoint(std::string_view text, std::size_t& i);

// Appends the UTF-8 form of a code point.
void AppendCodePoint(std::string& out, char32_t c);

// The characters of a text, each a view of its bytes (an invalid byte stands alone).
std::vector<std::string_view> Utf8Characters(std::string_view text);

// The last character of a text (the whole text if it is not valid UTF-8 at its end).
std::string_view LastCharacter(std::string_view text);

}  // namespace velunar

namespace velunar {

// Levenshtein distance counted in characters.
std::size_t EditDistance(std::string_view a, std::string_view b);
// How many of a's characters occur in b.
std::size_t SharedCharacters(std::string_view a, std::string_view b);

}  // namespace velunar
