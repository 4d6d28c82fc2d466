#include <exception>
#include <iostream>

#include "cli/commands.h"

int main(int argc, char** argv) {
    velunar::cli::CommandIo io{std::cout, std::cerr};
    try {
        return velunar::cli::RunCli(velunar::cli::CommandArgs(argv + 1, argv + argc), io);
    } catch (const std::exception& e) {
        std::cerr << "velunar-cli: " << e.what() << '\n';
        return velunar::cli::kExitFailure;
    }
}
