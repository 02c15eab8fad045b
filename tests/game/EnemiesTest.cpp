#include "SpelTesting.hpp"
#include "game/Meandor.hpp"
#include "support/StandardLib.hpp"

#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace {

using namespace Meandor;

constexpr std::uint32_t NietGetrokken = 94, EenGetrokken = 716; // the generator's states

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
// RandomCard(1, 4) (first 3: down) and diagonals RandomCard(1, 2) (2, then 1).
TEST(Enemies, ChaseOrStepAtRandom) {
    const struct {
        const char* naam;
        std::vector<Muur> muren;
        std::vector<std::pair<Cel, Cel>> zetten; // the player, then where the enemy goes
        std::optional<std::uint32_t> seed;
    } gevallen[] = {
        {"up", {}, {{{10, 7}, {10, 9}}}, NietGetrokken},
        {"down", {}, {{{10, 12}, {10, 11}}}, NietGetrokken},
        {"left", {}, {{{7, 10}, {9, 10}}}, NietGetrokken},
        {"right", {}, {{{13, 10}, {11, 10}}}, NietGetrokken},
        {"a wall between does not stop it", {{{10, 8}}}, {{{10, 7}, {10, 9}}}, NietGetrokken},
        {"closed next cell is random", {{{10, 9}}}, {{{10, 7}, {10, 11}}}, EenGetrokken},
        {"outside the square is random", {}, {{{10, 6}, {10, 11}}}, EenGetrokken},
        {"inside the square, no case: random", {}, {{{13, 13}, {10, 11}}}, EenGetrokken},
        {"same cell is random", {}, {{{10, 10}, {10, 11}}}, EenGetrokken},
        {"diagonal right is up or right", {}, {{{11, 9}, {11, 10}}, {{11, 11}, {10, 9}}}, {}},
        {"diagonal left is left or down", {}, {{{9, 9}, {10, 11}}, {{9, 11}, {9, 10}}}, {}},
        {"walled in stays, draws nothing",
         {{{9, 10}}, {{11, 10}}, {{10, 9}}, {{10, 11}, 'o'}},
         {{{2, 2}, {10, 10}}},
         NietGetrokken},
        {"never enters barriers the player may cross",
         {{{9, 10}, 'o'}, {{11, 10}, 'S'}, {{10, 11}, 'S'}},
         std::vector<std::pair<Cel, Cel>>(20, {{2, 2}, {10, 9}}),
         {}},
    };
    for (const auto& geval : gevallen) {
        SpelTesting::BeginLevel();
        for (const Muur& muur : geval.muren) {
            doolhof[1][muur.cel.x][muur.cel.y] = muur.teken;
        }
        for (const auto& [speler, naar] : geval.zetten) {
            refresh[10][10] = false;
            EXPECT_EQ(Stap(speler), naar) << geval.naam;
            EXPECT_EQ(refresh[10][10], naar != (Cel{10, 10})) << geval.naam << ": cell left";
        }
        EXPECT_TRUE(!geval.seed || StandardLib::Seed() == *geval.seed) << geval.naam;
    }
}

} // namespace
