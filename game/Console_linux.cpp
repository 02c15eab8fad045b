#include "game/Console.hpp"

#include <iostream>

namespace Meandor {

// The installed launcher starts the game inside its runtime tree.
void MeetConsole() {}

void TellPlayer(std::string_view error) {
    std::cerr << error << '\n';
}

} // namespace Meandor
