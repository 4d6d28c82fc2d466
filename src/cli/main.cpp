#include <exception>
#include <iostream>

#include "cli/commands.h"
#include "store/translation.h"

int main(int argc, char** argv) {
    velunar::cli::CommandIo io{std::cout, std::cerr};
    // The system's language unless --lang says otherwise; without its catalogue the program stays in Chinese.
    velunar::store::SetLanguage(velunar::store::SystemLanguage());
    try {
        return velunar::cli::RunCli(velunar::cli::CommandArgs(argv + 1, argv + argc), io);
    } catch (const std::exception& e) {
        std::cerr << "velunar-cli: " << e.what() << '\n';
        return velunar::cli::kExitFailure;
    }
}
