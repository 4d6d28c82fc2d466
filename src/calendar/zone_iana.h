#pragma once
// The IANA time zone each fixed zone label stands for, so the offset a label states can be compared
// with what the tz database says for the moment in question.
#include <string_view>

namespace velunar {

// The IANA id of one of the labels of ZoneTexts(), compared whole ("Europe/Paris"); empty for any
// other text.
std::string_view IanaZoneOfLabel(std::string_view label);

}  // namespace velunar
