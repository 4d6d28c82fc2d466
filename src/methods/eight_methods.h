#pragma once
// The two eight-method doctrines of the confluent points: pure arithmetic on the Moment, no tables.
#include <optional>
#include <string>

#include "calendar/moment.h"

namespace velunar {

struct ConfluentOpening {
    std::string point;    // the opened point (灵龟 Edit8, 飞腾 Edit10)
    std::string partner;  // its confluent partner (灵龟 Edit6, 飞腾 Edit11)
};

// Both read the Moment's hourStem, so the late-Zi rule of the time mode acts on the hour stem only;
// the day stem, its yin or yang and the day branch stay the Moment's own.
// std::nullopt while the hour-branch text is no branch (placeholder or longitude message) or the
// hour stem is undefined: the page then keeps the texts it shows.
std::optional<ConfluentOpening> LingGui(const Moment& m);
std::optional<ConfluentOpening> FeiTeng(const Moment& m);

}  // namespace velunar
