#pragma once

#include "game/GameState.hpp"

#include <cstdint>
#include <optional>
#include <vector>

// The maze on the editor's window, drawn by the game's own drawing as that level starts: its
// background, tiles, fries, door, Zorp and the bow ties at their start cells, with the editor's
// marks over it.
namespace Editor {

struct Marks {
    std::vector<Meandor::Cel> fixed;    // cells that cannot be painted
    std::vector<Meandor::Cel> findings; // cells the checker names
    std::optional<Meandor::Cel> cursor; // the keyboard's cell
};

// The game's sprites and level pictures, for the window just opened.
void LoadMazeArt();

void DrawMaze(std::uint32_t level, const Meandor::DoolhofGrid& grid, const Marks& marks);

// The cell under a point of the window, if it is in the maze.
std::optional<Meandor::Cel> CellAt(std::int32_t x, std::int32_t y);

} // namespace Editor
