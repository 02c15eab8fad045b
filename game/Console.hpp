#pragma once

#include <string_view>

// How the program meets whoever started it: the console, and the player who may have none.
namespace Meandor {

// First thing in main. On Windows the game is a windowed program, which has no console of its
// own: its output goes to the console it was started from, if any, and its files are found
// beside it, whatever the working directory.
void MeetConsole();

// An error that ends the program: a line on standard error, and on Windows, where a player
// who started the game from the Start menu sees no console, a message box too.
void TellPlayer(std::string_view error);

} // namespace Meandor
