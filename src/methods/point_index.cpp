#include "methods/point_index.h"

#include <algorithm>
#include <array>
#include <unordered_map>

#include "calendar/utf8.h"
#include "methods/point_aliases.h"

namespace velunar {
namespace {

struct CodedPoint {
    std::string_view name, code, pinyin, traditional;
};

constexpr CodedPoint kCodedPoints[] = {
#include "methods/point_codes.inc"
};

// Traditional character -> simplified, in code point order.
constexpr std::pair<char32_t, char32_t> kTraditional[] = {
#include "methods/point_traditional.inc"
};

char32_t SimplifiedOf(char32_t c) {
    const auto* at = std::lower_bound(std::begin(kTraditional), std::end(kTraditional), c,
                                      [](const auto& pair, char32_t v) { return pair.first < v; });
    return at != std::end(kTraditional) && at->first == c ? at->second : c;
}

// Name -> position in kCodedPoints.
const std::unordered_map<std::string_view, std::size_t>& PositionOfName() {
    static const std::unordered_map<std::string_view, std::size_t> positions = [] {
        std::unordered_map<std::string_view, std::size_t> m;
        for (std::size_t i = 0; i < std::size(kCodedPoints); ++i) m.emplace(kCodedPoints[i].name, i);
        return m;
    }();
    return positions;
}

std::optional<std::size_t> PositionOf(std::string_view name) {
    const auto& positions = PositionOfName();
    auto at = positions.find(name);
    if (at == positions.end()) at = positions.find(CanonicalPointName(name));
    if (at == positions.end()) return std::nullopt;
    return at->second;
}

// The lower-case form of the Latin letters pinyin is written with (capital toned vowels included).
char32_t Lower(char32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 0x20;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
    if (((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) && c % 2 == 0) return c + 1;
    if (c >= 0x1CD && c <= 0x1DC && c % 2 == 1) return c + 1;
    return c;
}

// Each vowel of pinyin and its four toned forms; ü keeps its dots without a tone.
constexpr std::array<std::pair<char32_t, std::array<char32_t, 4>>, 6> kTones = {{
    {'a', {0x101, 0xE1, 0x1CE, 0xE0}},
    {'e', {0x113, 0xE9, 0x11B, 0xE8}},
    {'i', {0x12B, 0xED, 0x1D0, 0xEC}},
    {'o', {0x14D, 0xF3, 0x1D2, 0xF2}},
    {'u', {0x16B, 0xFA, 0x1D4, 0xF9}},
    {0xFC, {0x1D6, 0x1D8, 0x1DA, 0x1DC}},
}};

std::optional<char32_t> Untoned(char32_t c) {
    for (const auto& [plain, toned] : kTones)
        if (std::find(toned.begin(), toned.end(), c) != toned.end()) return plain;
    return std::nullopt;
}

bool IsCombiningTone(char32_t c) {
    return c >= 0x300 && c <= 0x30C;
}

bool IsSeparator(char32_t c) {
    return c == ' ' || c == '\t' || c == '\'' || c == 0x2019 || c == 0x3000;
}

// Pinyin as compared: lower case, without separators; without tones unless `toned`, and then ü, v and u
// are one letter.
std::string PinyinKey(std::string_view text, bool toned) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        char32_t c = Lower(NextCodePoint(text, i));
        if (IsSeparator(c)) continue;
        if (!toned) {
            if (IsCombiningTone(c)) continue;
            c = Untoned(c).value_or(c);
            if (c == 0xFC || c == 'v') c = 'u';
        }
        AppendCodePoint(out, c);
    }
    return out;
}

bool CarriesTone(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const char32_t c = Lower(NextCodePoint(text, i));
        if (Untoned(c) || IsCombiningTone(c)) return true;
    }
    return false;
}

// A typed code in upper case without spaces or hyphens; empty when text cannot be a code.
std::string CodeKey(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == ' ' || c == '-') continue;
        if (c >= 'a' && c <= 'z') {
            out += static_cast<char>(c - 0x20);
        } else if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
            out += c;
        } else {
            return {};
        }
    }
    return out;
}

std::string_view Trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

std::optional<PointCode> CodeOfPoint(std::string_view name) {
    const std::optional<std::size_t> at = PositionOf(name);
    if (!at) return std::nullopt;
    return PointCode{kCodedPoints[*at].code, kCodedPoints[*at].pinyin};
}

std::string SimplifiedSpelling(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) AppendCodePoint(out, SimplifiedOf(NextCodePoint(text, i)));
    return out;
}

std::string TraditionalSpelling(std::string_view name) {
    const std::optional<std::size_t> at = PositionOf(name);
    return std::string(at ? kCodedPoints[*at].traditional : name);
}

std::string PointHeading(std::string_view name) {
    const std::optional<PointCode> code = CodeOfPoint(name);
    return code ? std::string(name) + " · " + std::string(code->code) : std::string(name);
}

PointIndex::PointIndex(const std::vector<std::string>& names) {
    constexpr std::size_t kUncoded = std::size(kCodedPoints);
    for (const std::string& name : names) {
        if (std::any_of(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.name == name; }))
            continue;
        Entry e;
        e.name = name;
        e.otherSpellings = SupersededSpellingsOf(name);
        const std::optional<std::size_t> at = PositionOf(name);
        e.rank = at.value_or(kUncoded);
        if (at) {
            e.code = kCodedPoints[*at].code;
            e.toned = PinyinKey(kCodedPoints[*at].pinyin, true);
            e.toneless = PinyinKey(kCodedPoints[*at].pinyin, false);
        }
        entries_.push_back(std::move(e));
    }
    // A superseded spelling listed beside its standard name comes after it.
    std::stable_sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
        if (a.rank != b.rank) return a.rank < b.rank;
        if (a.rank != kUncoded) return PositionOfName().count(a.name) > PositionOfName().count(b.name);
        return a.name < b.name;
    });
    for (const Entry& e : entries_) ordered_.push_back(e.name);
}

PointIndex::Match PointIndex::MatchOf(const Entry& e, std::string_view name, std::string_view code,
                                      std::string_view pinyin, bool toned) {
    const std::string_view key = toned ? e.toned : e.toneless;
    const bool hasCode = !code.empty() && !e.code.empty();
    const bool hasPinyin = !pinyin.empty() && !key.empty();
    std::vector<std::string_view> spellings{e.name};
    spellings.insert(spellings.end(), e.otherSpellings.begin(), e.otherSpellings.end());
    const auto anySpelling = [&](auto test) { return std::any_of(spellings.begin(), spellings.end(), test); };

    if (anySpelling([&](std::string_view s) { return s == name; }) || (hasCode && e.code == code) ||
        (hasPinyin && key == pinyin))
        return Match::Whole;
    if (anySpelling([&](std::string_view s) { return s.starts_with(name); }) ||
        (hasCode && std::string_view(e.code).starts_with(code)) || (hasPinyin && key.starts_with(pinyin)))
        return Match::Prefix;
    if (anySpelling([&](std::string_view s) { return s.find(name) != std::string_view::npos; }) ||
        (hasPinyin && key.find(pinyin) != std::string_view::npos))
        return Match::Contains;
    return Match::None;
}

std::vector<std::string> PointIndex::Find(std::string_view text) const {
    const std::string_view trimmed = Trimmed(text);
    if (trimmed.empty()) return ordered_;
    const std::string name = SimplifiedSpelling(trimmed);
    const bool toned = CarriesTone(name);
    const std::string code = CodeKey(name), pinyin = PinyinKey(name, toned);
    std::vector<std::string> out;
    for (const Match wanted : {Match::Whole, Match::Prefix, Match::Contains})
        for (const Entry& e : entries_)
            if (MatchOf(e, name, code, pinyin, toned) == wanted) out.push_back(e.name);
    return out;
}

std::optional<std::string> PointIndex::NameFor(std::string_view text) const {
    std::vector<std::string> names = NamesFor(text);
    if (names.size() != 1) return std::nullopt;
    return std::move(names.front());
}

std::vector<std::string> PointIndex::NamesFor(std::string_view text) const {
    const auto spelled = [this](std::string_view t) {
        return std::any_of(entries_.begin(), entries_.end(), [t](const Entry& e) {
            return e.name == t ||
                   std::find(e.otherSpellings.begin(), e.otherSpellings.end(), t) != e.otherSpellings.end();
        });
    };
    // A listed name is itself, blanks and all: a user's own description may be named so.
    if (spelled(text)) return {std::string(text)};
    const std::string_view trimmed = Trimmed(text);
    if (trimmed.empty()) return {};
    if (spelled(trimmed)) return {std::string(trimmed)};
    const std::string simplified = SimplifiedSpelling(trimmed);
    if (spelled(simplified)) return {simplified};
    const bool toned = CarriesTone(trimmed);
    const std::string code = CodeKey(trimmed), pinyin = PinyinKey(trimmed, toned);
    std::vector<std::string> out;
    std::vector<std::string_view> codes;
    for (const Entry& e : entries_) {
        if (e.code.empty() || MatchOf(e, {}, code, pinyin, toned) != Match::Whole) continue;
        // Two names of one point (临泣 beside 足临泣) stand for its first.
        if (std::find(codes.begin(), codes.end(), e.code) != codes.end()) continue;
        codes.push_back(e.code);
        out.push_back(e.name);
    }
    return out;
}

}  // namespace velunar
