// Any command line a script might pass (the arguments separated by NUL bytes): the parser of every command
// never fails, refuses with one message naming the command, and what it accepts is in range.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "calendar/numparse.h"
#include "cli/cmd_now.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args;
    std::string current;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            args.push_back(current);
            current.clear();
        } else {
            current += static_cast<char>(data[i]);
        }
    }
    args.push_back(current);
    velunar::NowFlags flags;
    velunar::cli::ArgParser parser("now", "", "");
    velunar::cli::AddNowFlags(parser, flags);
    std::ostringstream out, err;
    const auto exit = parser.Run(args, out, err);
    if (exit && *exit != 0 && *exit != 2) std::abort();
    if (exit == 2 && err.str().rfind("velunar-cli now: ", 0) != 0) std::abort();
    if (!exit) {
        if (flags.longitude && !velunar::ParseLongitude(*flags.longitude)) std::abort();
        if (flags.abroadLongitude && !velunar::ParseLongitude(*flags.abroadLongitude)) std::abort();
        if (flags.summer) {
            const auto minutes = velunar::ParseDecimal(*flags.summer);
            if (!minutes || *minutes < -1440 || *minutes > 1440) std::abort();
        }
    }
    return 0;
}
