#pragma once

#include "TestKit.hpp"
#include "game/Doolhof.hpp"

#include <string>

// Shared by the game's tests: maze files and their grids.
namespace MazeTest {

using TestKit::TempDir;

inline std::string BronMaze(int lvl) {
    return std::string(MEANDOR_SOURCE_DIR) + "/assets/doolhof" + std::to_string(lvl) + ".txt";
}

inline Meandor::DoolhofGrid Laad(const std::string& pad) {
    Meandor::DoolhofGrid grid{};
    Meandor::LaadDoolhofBestand(pad, grid);
    return grid;
}

} // namespace MazeTest
