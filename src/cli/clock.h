#pragma once
#include "calendar/datetime.h"

namespace velunar::cli {

// The machine's local wall-clock time with milliseconds, as a civil date-time (no zone).
DateTime LocalClockNow();

}  // namespace velunar::cli
