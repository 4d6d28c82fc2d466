#pragma once
#include <string>

#include "calendar/datetime.h"

namespace velunar {

// Placeholder text of the hour-branch box before the first double-hour has been found.
inline constexpr const char* kHourBranchPlaceholder = "Edit4";

// The result of one tick's time computation, read by every method step.
struct Moment {
    DateTime effectiveTime = 0.0;  // the zero date-time until the first time step succeeds
    DateTime dayDate = 0.0;
    int dayStem = 0;
    int dayBranch = 0;
    std::string dayGanZhi;
    // The text of the hour-branch box: a branch, the placeholder, or the longitude message.
    std::string hourBranch = kHourBranchPlaceholder;
    std::string timeMode;
    // 0 while hourBranch is no branch: the hour stem is then undefined and never shown as a stem.
    int hourStemBase = 0;
    int hourStem = 0;
    std::string hourGanZhi;
};

}  // namespace velunar
