#pragma once

#include "game/DoolhofCheck.hpp"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// The maze checker's findings on one level, told as a player would say them.
namespace Editor {

struct Finding {
    std::string words;
    std::vector<Meandor::Cel> cells; // where it is seen on the maze; none for the whole maze
};

// One finding for each kind of fault the checker found in level `level`, in the order it found
// them; `grid` is that level's maze.
std::vector<Finding> InWords(std::span<const Meandor::Overtreding> all, std::uint32_t level,
                             const Meandor::DoolhofGrid& grid);

} // namespace Editor
