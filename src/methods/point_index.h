#pragma once
// Finding a point by what a practitioner types, and the order point lists are shown in. A point is typed as
// its Chinese name, simplified or traditional (公孙, 公孫), or a superseded spelling of it, its pinyin with
// or without tones ("gōngsūn", "Gong Sun", "gongsun"), or its international code in any case, with or without
// a hyphen or blank ("SP4", "sp4", "SP-4", "SP 4"); lists run along the meridians in their standard order
// (LU, LI, ST, SP, HT, SI, BL, KI, PC, TE, GB, LR) and by point number along each.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velunar {

struct PointCode {
    std::string_view code;    // "SP4"
    std::string_view pinyin;  // "gōng sūn": one toned syllable per character
};

// The code and pinyin of a point name, a superseded spelling taking its standard name's; none for a name
// that is not one of the meridians' points.
std::optional<PointCode> CodeOfPoint(std::string_view name);

// The heading of a point's description: "公孙 · SP4", or the name alone when it has no code.
std::string PointHeading(std::string_view name);

// The text with every traditional character of the point names replaced by its simplified one (公孫 → 公孙,
// 太沖 and 太衝 → 太冲); any other character stays.
std::string SimplifiedSpelling(std::string_view text);

// The traditional spelling of a listed point name (公孫); the name itself when it has none of its own.
std::string TraditionalSpelling(std::string_view name);

// A list of point names to choose from: the names as given (duplicates dropped, no text changed).
class PointIndex {
  public:
    PointIndex() = default;
    explicit PointIndex(const std::vector<std::string>& names);

    // Points of the meridians in meridian order and by number (a second name of a point right after its
    // standard name), then every other name in code point order.
    const std::vector<std::string>& Ordered() const { return ordered_; }

    // The names text matches, best first: whole name, code or pinyin; then names, codes and pinyin that
    // begin with it; then names and pinyin that contain it. Within each, in list order. Pinyin is matched
    // without spaces or apostrophes, with tones only when text carries any (v and ü stand for u), codes
    // without regard to case. An empty text matches every name.
    std::vector<std::string> Find(std::string_view text) const;

    // The one name text stands for: text itself when it is a listed name or a superseded spelling of one,
    // else the name whose traditional spelling, code or whole pinyin it is. None when it stands for no point
    // of the list, or for several (toneless pinyin shared by two points).
    std::optional<std::string> NameFor(std::string_view text) const;
    // Every point text stands for, one name each (a point's first name when the list has two): one for a
    // name NameFor finds, several for pinyin two points share ("yangjiao": 阳交 and 阳角 would be), none for
    // text that names no point of the list.
    std::vector<std::string> NamesFor(std::string_view text) const;

  private:
    struct Entry {
        std::string name;
        std::vector<std::string_view> otherSpellings;
        std::string code;
        std::string toned, toneless;  // pinyin keys without spaces
        std::size_t rank = 0;         // position in meridian order; past the end for a name without a code
    };
    enum class Match { None, Contains, Prefix, Whole };
    static Match MatchOf(const Entry& e, std::string_view name, std::string_view code,
                         std::string_view pinyin, bool toned);

    std::vector<std::string> ordered_;
    std::vector<Entry> entries_;  // parallel to ordered_
};

}  // namespace velunar
