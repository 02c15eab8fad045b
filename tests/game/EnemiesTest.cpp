#include "SpelTesting.hpp"
#include "game/Meandor.hpp"

#include <gtest/gtest.h>
#include <vector>

namespace {

using namespace Meandor;

struct Muur {
    Cel cel;
    char teken = '+';
};

// The cell of an enemy at (10, 10) after one step with the player at `speler`.
Cel Stap(Cel speler) {
    zorpX = speler.x, zorpY = speler.y;
    std::uint32_t x = 10 * CelGrootte, y = 10 * CelGrootte;
    strikjes2(x, y);
    return {x / CelGrootte, y / CelGrootte};
}

// One enemy in an open maze, stepped towards (or past) the player: random steps take
// RandomCard(1, 4) (first 3: down) and diagonals RandomCard(1, 2) (2, then 1). How many
// numbers a step draws is pinned by the goldens' seeds.
TEST(Enemies, ChaseOrStepAtRandom) {
    // Walls, then pairs of the player's cell and where the enemy goes.
    const std::tuple<const char*, std::vector<Muur>, std::vector<std::pair<Cel, Cel>>> gevallen[] =
        {
            {"up", {}, {{{10, 7}, {10, 9}}}},
            {"down", {}, {{{10, 12}, {10, 11}}}},
            {"left", {}, {{{7, 10}, {9, 10}}}},
            {"right", {}, {{{13, 10}, {11, 10}}}},
            {"a wall between does not stop it", {{{10, 8}}}, {{{10, 7}, {10, 9}}}},
            {"closed next cell is random", {{{10, 9}}}, {{{10, 7}, {10, 11}}}},
            {"outside the square is random", {}, {{{10, 6}, {10, 11}}}},
            {"inside the square, no case: random", {}, {{{13, 13}, {10, 11}}}},
            {"same cell is random", {}, {{{10, 10}, {10, 11}}}},
            {"diagonal right is up or right", {}, {{{11, 9}, {11, 10}}, {{11, 11}, {10, 9}}}},
            {"diagonal left is left or down", {}, {{{9, 9}, {10, 11}}, {{9, 11}, {9, 10}}}},
            {"walled in stays, draws nothing",
             {{{9, 10}}, {{11, 10}}, {{10, 9}}, {{10, 11}, 'o'}},
             {{{2, 2}, {10, 10}}}},
            {"never enters barriers the player may cross",
             {{{9, 10}, 'o'}, {{11, 10}, 'S'}, {{10, 11}, 'S'}},
             std::vector<std::pair<Cel, Cel>>(20, {{2, 2}, {10, 9}})},
        };
    for (const auto& [naam, muren, zetten] : gevallen) {
        SpelTesting::BeginLevel();
        for (const Muur& muur : muren) {
            doolhof[1][muur.cel.x][muur.cel.y] = muur.teken;
        }
        for (const auto& [speler, naar] : zetten) {
            refresh[10][10] = false;
            EXPECT_EQ(Stap(speler), naar) << naam;
            EXPECT_EQ(refresh[10][10], naar != (Cel{10, 10})) << naam << ": cell left";
        }
    }
}

} // namespace
