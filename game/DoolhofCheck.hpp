#pragma once

#include "game/GameState.hpp"

#include <optional>
#include <span>
#include <string>
#include <vector>

// Proves that maze files meet what the game demands of them, so that no move leaves the grid,
// no enemy gets stuck and every level can be finished. Works on grids as the game's loader
// reads them, so any bytes at all can be checked.
namespace Meandor {

enum class Eis {
    Rand = 1,          // every border cell but the entry and the exit is a wall
    IngangUitgang = 2, // entry and exit closed to enemies, the exit open to the player
    Friet = 3,         // exactly ten fries, they and the exit reachable by the player
    Strikjes = 4,      // every cell an enemy can stand on has a neighbour open to enemies
    Plaatsing = 5,     // enough blank cells for the flag and the hamburger to land on
};

// Which finding of its demand, for words of one's own.
enum class Soort {
    RandOpen,
    IngangOpenVoorStrik,
    UitgangOpenVoorStrik,
    UitgangMuur,
    FrietAantal,
    FrietOnbereikbaar,
    UitgangOnbereikbaar,
    StrikStartDicht,
    StrikVast,
    TeWeinigLeeg,
};

struct Overtreding {
    std::string bestand;
    std::optional<Cel> cel;
    Eis eis = Eis::Rand;
    std::string uitleg;
    Soort soort = Soort::RandOpen;
};

// One line: "<file>: cell (x, y): <what is wrong> (demand n)".
std::string Beschrijf(const Overtreding& overtreding);

struct DoolhofLevel {
    std::string bestand;
    DoolhofGrid grid;
};

// Checks the mazes as levels 1, 2, ... in the order given, enemies carried from one level to
// the next as the game carries them. Empty when every demand is met.
std::vector<Overtreding> ControleerDoolhoven(std::span<const DoolhofLevel> levels);

// The grid as 21 lines of 30 characters, screen orientation, row 1 first; bytes outside
// printable ASCII shown as '?'.
std::string DumpDoolhof(const DoolhofGrid& grid);

} // namespace Meandor
