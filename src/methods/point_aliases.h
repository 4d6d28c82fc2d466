#pragma once
// Point names that changed spelling. The shipped tables use the standard names only, but a name the
// user types, or one stored in an older database, may still carry a superseded spelling.
#include <string_view>
#include <vector>

namespace velunar {

// The standard spelling of a point name: a superseded spelling gives its replacement, any other text
// (standard names, unknown names, the empty string) comes back unchanged.
std::string_view CanonicalPointName(std::string_view name);

// The superseded spellings whose standard name is `standard` (none for most names).
std::vector<std::string_view> SupersededSpellingsOf(std::string_view standard);

}  // namespace velunar
