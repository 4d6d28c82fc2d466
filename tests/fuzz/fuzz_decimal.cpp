// Any text typed into a longitude or summer-time box: the reader never fails, and what it accepts is a
// finite number that reads back the same.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "calendar/numparse.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto v = velunar::ParseDecimal(text);
    if (v && !std::isfinite(*v)) std::abort();
    const auto lon = velunar::ParseLongitude(text);
    if (lon && (*lon < 0.0 || *lon > 180.0)) std::abort();
    if (lon.has_value() && !v.has_value()) std::abort();
    return 0;
}
