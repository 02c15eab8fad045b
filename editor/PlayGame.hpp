#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

// Trying a pack out in the game itself: the game program beside the editor's, on the pack, at
// one level, while the editor waits.
namespace Editor {

struct GameRun {
    bool started = false;
    int status = 0;    // the game's exit status, or 128 + the signal that ended it
    std::string fault; // why it did not start
};

// Runs `meandor --mazes FOLDER --level LEVEL` and waits for it to end. A stopping signal that
// comes meanwhile ends the editor at once, and the game with it.
GameRun PlayGame(const std::filesystem::path& folder, std::uint32_t level);

// Has every child the process forks end when the thread that forked it does: neither a game
// nor a message box outlives an editor ended by a signal.
void ChildrenEndWithEditor();

} // namespace Editor
