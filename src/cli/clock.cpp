#include "cli/clock.h"

#include <chrono>
#include <ctime>

namespace velunar::cli {

DateTime LocalClockNow() {
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    const auto floorSeconds = ms >= 0 ? ms / 1000 : (ms - 999) / 1000;
    const std::time_t seconds = static_cast<std::time_t>(floorSeconds);
    std::tm tm{};
    localtime_r(&seconds, &tm);
    // The wall clock's fields, not an instant: the time boxes show what the machine's clock shows.
    const int second = tm.tm_sec > 59 ? 59 : tm.tm_sec;  // a leap second reads as :59
    return MakeDateTime(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, second,
                        static_cast<int>(ms - floorSeconds * 1000));
}

}  // namespace velunar::cli
