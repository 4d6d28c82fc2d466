#include "calendar/renshen.h"

#include <array>
#include <cstdint>

namespace velunar {
namespace {

#include "calendar/renshen.inc"

constexpr std::array<std::string_view, 3> kReadingLabels{kRenShenCommonLabel, "医宗金鉴", "针灸大成"};
constexpr std::string_view kDaySources = "《医宗金鉴》《针灸大成》《神应经》";
constexpr std::string_view kHourSources = "《医宗金鉴》《针灸大成》《类经图翼》";

std::string SourceOf(RenShenReading reading, std::string_view common) {
    if (reading == RenShenReading::Common) return "据" + std::string(common);
    return "《" + std::string(kReadingLabels[static_cast<int>(reading)]) + "》";
}

std::uint32_t MaskOf(const auto& table, std::string_view name) {
    for (const Regions& r : table)
        if (r.name == name) return r.mask;
    return 0;
}

std::uint32_t PlaceMask(std::string_view place) {
    std::uint32_t mask = 0;
    for (std::size_t start = 0; start <= place.size();) {
        std::size_t end = place.find("、", start);
        if (end == std::string_view::npos) end = place.size();
        mask |= MaskOf(kPlaceRegions, place.substr(start, end - start));
        start = end + std::string_view("、").size();
    }
    return mask;
}

}  // namespace

RenShenReading RenShenReadingOfLabel(std::string_view label) {
    for (std::size_t i = 0; i < kReadingLabels.size(); ++i)
        if (label == kReadingLabels[i]) return static_cast<RenShenReading>(i);
    return RenShenReading::Common;
}

std::string_view RenShenReadingLabel(RenShenReading reading) {
    return kReadingLabels[static_cast<int>(reading)];
}

RenShenPlace RenShenOfDay(int lunarDay, RenShenReading reading) {
    if (lunarDay < 1 || lunarDay > 30) return {};
    return {std::string(kDayPlaces[lunarDay - 1][static_cast<int>(reading)]), SourceOf(reading, kDaySources)};
}

RenShenPlace RenShenOfHour(Branch branch, RenShenReading reading) {
    if (branch == Branch::None) return {};
    return {std::string(kHourPlaces[Number(branch) - 1][static_cast<int>(reading)]),
            SourceOf(reading, kHourSources)};
}

RenShenPlace RenShenOfAge(int age) {
    if (age < 1) return {};
    return {std::string(kTwelveParts[(age - 1) % 12]), "《针灸大成》十二部人神"};
}

RenShenPlace KaoShenOfAge(int age) {
    if (age < 1) return {};
    const auto& palace = kNinePalaces[(age - 1) % 9];
    const std::string name(palace[0]);
    return {name + (name.ends_with("宫") ? "：" : "宫：") + std::string(palace[1]), "《针灸大成》九宫尻神"};
}

bool IsKnownPoint(std::string_view point) {
    for (const Regions& r : kPointRegions)
        if (r.name == point) return true;
    return false;
}

bool PointInPlace(std::string_view point, std::string_view place) {
    // A 九宫 text carries its palace before the places.
    if (const std::size_t colon = place.find("："); colon != std::string_view::npos)
        place = place.substr(colon + std::string_view("：").size());
    const std::uint32_t placeMask = PlaceMask(place);
    if (placeMask == kEverywhere) return !point.empty();
    return (placeMask & MaskOf(kPointRegions, point)) != 0;
}

}  // namespace velunar
