#include "calendar/zone_iana.h"

#include <utility>

namespace velunar {
namespace {

constexpr std::pair<std::string_view, std::string_view> kZones[] = {
#include "calendar/zone_iana.inc"
};

}  // namespace

std::string_view IanaZoneOfLabel(std::string_view label) {
    for (const auto& [text, id] : kZones)
        if (text == label) return id;
    return {};
}

}  // namespace velunar
