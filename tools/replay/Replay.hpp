#pragma once

#include "tools/replay/Script.hpp"

#include <cstdint>
#include <ostream>
#include <string>

// Plays a game of Meandor from a script, on a clock the script drives, and reports the game
// state as it goes.
namespace Replay {

// Runs Meandor::Spel at the script's difficulty, the script acting at every moment the game
// gives it, the clock standing still in between. Writes a line to `out` after every tick of
// the game timer and one at the end. A script that runs out while the game goes on closes the
// window, which ends the game; a line of the wrong kind for the moment (a pass where the game
// waits, or the other way round) is reported and ends the script there. The window library
// must be free to open a window; module start-up is the caller's.
void Play(const Script& script, std::ostream& out);

// A key event as a person's would arrive, through SDL's queue to the window thread; returns
// once it is handled. `code` is a Windows key code that scripts can name.
void SendKey(std::uint32_t code, bool down);

// The game state as one line: level, player cell, lives, fries eaten, ticks in this level,
// flag and hamburger cells (with whether they lie in the maze), each active enemy's cell and
// the generator's state.
std::string StateText();

} // namespace Replay
