#include "methods/eight_methods.h"

#include "calendar/ganzhi.h"
#include "methods/doctrine_tables.h"

namespace velunar {
namespace {

std::optional<ConfluentOpening> Opening(std::string_view point) {
    if (point.empty()) return std::nullopt;
    return ConfluentOpening{std::string(point), std::string(Partner(point))};
}

}  // namespace

std::optional<ConfluentOpening> LingGui(const Moment& m) {
    const int branch = BranchNumber(m.hourBranch);
    if (branch == kNoBranch) return std::nullopt;
    return Opening(LingGuiPoint(m.dayStem, m.dayBranch, m.hourStem, branch));
}

std::optional<ConfluentOpening> FeiTeng(const Moment& m) {
    if (BranchNumber(m.hourBranch) == kNoBranch) return std::nullopt;
    return Opening(FeiTengPoint(m.hourStem));
}

}  // namespace velunar
