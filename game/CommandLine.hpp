#pragma once

#include "game/Version.hpp"

#include <cstddef>
#include <iostream>
#include <span>
#include <string_view>

// What the game's programs share of their command lines.
namespace Meandor {

inline constexpr int UsageError = 2;

// The arguments after the program's name.
inline std::span<char* const> Arguments(int argc, char** argv) {
    return std::span<char* const>(argv, static_cast<std::size_t>(argc)).subspan(argc > 0 ? 1 : 0);
}

// Answers --help and --version alone, before any module starts, so they need no display;
// anything else gets the usage lines and UsageError.
inline int AnswerInformational(std::string_view program, std::string_view usage,
                               std::string_view help, std::span<char* const> arguments) {
    const std::string_view option = arguments.size() == 1 ? arguments[0] : "";
    if (option == "--help") {
        std::cout << usage << '\n' << help;
        return 0;
    }
    if (option == "--version") {
        std::cout << program << ' ' << Version << '\n';
        return 0;
    }
    std::cerr << usage;
    return UsageError;
}

} // namespace Meandor
