#pragma once
// Which texts name a point, and which known names come close to one that does not: for telling a user who
// typed a name that opens nowhere whether it is a point at all.
#include <string>
#include <string_view>
#include <vector>

#include "methods/reference_tables.h"

namespace velunar {

// Every point any reference table names, sorted, each once.
std::vector<std::string> PointNamesOf(const ReferenceTables& tables);

// Up to `max` candidates closest to text: fewest character edits first, then most characters in common.
// With `related` only candidates sharing a character with text or one edit away count.
std::vector<std::string> ClosestTexts(std::string_view text, const std::vector<std::string>& candidates,
                                      std::size_t max, bool related);

}  // namespace velunar
