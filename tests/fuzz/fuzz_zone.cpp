// A zone box also takes typed text: reading its offset must never fail or read past the text.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "calendar/solar.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const auto z = velunar::ZoneOffsetMinutes(text); z && (*z < -99 * 60 - 99 || *z > 99 * 60 + 99))
        std::abort();
    return 0;
}
