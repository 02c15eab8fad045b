#include "game/GameState.hpp"

#include <gtest/gtest.h>

namespace {

using namespace Meandor;

// Every table of the game is indexed from its first index; one past either end is a bug.
TEST(GameStateTabel, IndexOutsideTheRangeIsCaught) {
#ifdef NDEBUG
    GTEST_SKIP() << "asserts are compiled out";
#else
    EXPECT_DEATH(doolhof[0][1][1] = 'x', "");
    EXPECT_DEATH(strikXArr[11] = 1, "");
    EXPECT_DEATH(figuur[11].beeld = 1, "");
    EXPECT_DEATH(doolhof[1][1][22] = 'x', "");
#endif
}

TEST(GameStateLookup, CharactersAndTheGridsEdgeDecidePlayerAndEnemies) {
    DoolhofGrid grid{}; // all NUL: floor everywhere inside
    const std::pair<char, int> tekens[] = {{'|', 0}, {'+', 0}, {'-', 0}, {'o', 1}, {'S', 1},
                                           {'f', 2}, {' ', 2}, {'O', 2}, {'s', 2}, {'\xE9', 2}};
    for (const auto& [teken, open] : tekens) { // 0 a wall, 1 closed to enemies only, 2 open
        grid[7][9] = teken;
        EXPECT_EQ(IsMuur(grid, 7, 9), open == 0) << static_cast<int>(teken);
        EXPECT_EQ(IsOpenVoorStrik(grid, 7, 9), open == 2) << static_cast<int>(teken);
    }
    // An unsigned step left from column 0 wraps round; it must still be outside.
    const std::int64_t buiten[][2] = {
        {0, 5}, {31, 5}, {5, 0}, {5, 22}, {std::int64_t{std::uint32_t{0} - 1}, 5}};
    for (const auto& [x, y] : buiten) {
        EXPECT_TRUE(IsMuur(grid, x, y) && !IsOpenVoorStrik(grid, x, y)) << x << "," << y;
    }
    EXPECT_FALSE(IsMuur(grid, 1, 1) || IsMuur(grid, Kolommen, Rijen));
    EXPECT_TRUE(IsOpenVoorStrik(grid, 1, 1) && IsOpenVoorStrik(grid, Kolommen, Rijen));
}

} // namespace
