#include "methods/preloaded_tables.h"

namespace velunar {
namespace {

// Day stem and the branch character; the tab cannot occur in either (the data format forbids it).
std::string DayHourKey(std::string_view day, std::string_view branch) {
    std::string key(day);
    key += '\t';
    key += branch;
    return key;
}

template <typename Entries, typename KeyOf>
std::unordered_map<std::string, std::size_t> IndexFirst(const Entries& entries, KeyOf keyOf) {
    std::unordered_map<std::string, std::size_t> index;
    for (std::size_t i = 0; i < entries.size(); ++i) index.emplace(keyOf(entries[i]), i);
    return index;
}

template <typename Entries>
auto Lookup(const Entries& entries, const std::unordered_map<std::string, std::size_t>& index,
            const std::string& key) -> std::optional<decltype(entries.front().row)> {
    const auto it = index.find(key);
    if (it == index.end()) return std::nullopt;
    return entries[it->second].row;
}

}  // namespace

std::string_view LastCharacter(std::string_view text) {
    if (text.empty()) return text;
    std::size_t start = text.size() - 1;
    // Step back over continuation bytes (10xxxxxx), at most three of them.
    while (start > 0 && text.size() - start < 4 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80)
        --start;
    return text.substr(start);
}

PreloadedTables::PreloadedTables(MethodTables& source)
    : source_(source),
      naGan_(source.AllNaGan()),
      supplementary_(source.AllSupplementary()),
      naZhi_(source.AllNaZhi()) {
    naGanIndex_ =
        IndexFirst(naGan_, [](const NaGanEntry& e) { return DayHourKey(e.day, LastCharacter(e.hour)); });
    supplementaryIndex_ = IndexFirst(
        supplementary_, [](const SupplementaryEntry& e) { return DayHourKey(e.day, LastCharacter(e.hour)); });
    naZhiIndex_ = IndexFirst(naZhi_, [](const NaZhiEntry& e) { return e.branch; });
}

std::optional<NaGanRow> PreloadedTables::NaGan(std::string_view dayStem, std::string_view hourBranch) {
    return Lookup(naGan_, naGanIndex_, DayHourKey(dayStem, hourBranch));
}

std::optional<SupplementaryRow> PreloadedTables::Supplementary(std::string_view dayStem,
                                                               std::string_view hourBranch) {
    return Lookup(supplementary_, supplementaryIndex_, DayHourKey(dayStem, hourBranch));
}

std::optional<NaZhiRow> PreloadedTables::NaZhi(std::string_view hourBranch) {
    return Lookup(naZhi_, naZhiIndex_, std::string(hourBranch));
}

std::optional<TransportRow> PreloadedTables::Transport(std::string_view longMeridian) {
    return source_.Transport(longMeridian);
}

std::vector<std::string> PreloadedTables::MeridianPoints(std::string_view shortMeridian) {
    return source_.MeridianPoints(shortMeridian);
}

std::optional<DescriptionRow> PreloadedTables::Description(std::string_view point) {
    return source_.Description(point);
}

std::optional<std::string> PreloadedTables::MeridianOfPoint(std::string_view point) {
    return source_.MeridianOfPoint(point);
}

void PreloadedTables::StorePicturePath(std::int64_t rowKey, std::string_view path) {
    source_.StorePicturePath(rowKey, path);
}

std::vector<NaGanEntry> PreloadedTables::AllNaGan() {
    return naGan_;
}
std::vector<SupplementaryEntry> PreloadedTables::AllSupplementary() {
    return supplementary_;
}
std::vector<NaZhiEntry> PreloadedTables::AllNaZhi() {
    return naZhi_;
}

}  // namespace velunar
