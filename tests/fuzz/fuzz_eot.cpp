// Equation-of-time keys and values: lookups and conversions of arbitrary text never fail.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "calendar/eot.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    (void)velunar::EquationOfTimeText(text);
    if (const auto s = velunar::EquationOfTimeSeconds(text); s && *s < 0) std::abort();
    (void)velunar::EquationOfTimeSignedSeconds(text);
    return 0;
}
