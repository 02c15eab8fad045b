#include "game/GameState.hpp"

#include <gtest/gtest.h>

namespace {

using namespace Meandor;

TEST(GameStateTabel, IndexesFromItsFirstIndex) {
    Tabel<int, 1, 5> perLevel{};
    perLevel[1] = 11;
    perLevel[5] = 55;
    EXPECT_EQ(perLevel.items.front(), 11);
    EXPECT_EQ(perLevel.items.back(), 55);

    Tabel<int, 0, 3> slots{};
    slots[0] = 7;
    EXPECT_EQ(slots.items.front(), 7);
    EXPECT_EQ(slots.grootte, 4U);
}

TEST(GameStateTabel, IndexOutsideTheRangeIsCaught) {
#ifdef NDEBUG
    GTEST_SKIP() << "asserts are compiled out";
#else
    EXPECT_DEATH(doolhof[0][1][1] = 'x', "");
    EXPECT_DEATH(strikXArr[11] = 1, "");
    EXPECT_DEATH(figuur[11].beeld = 1, "");
    EXPECT_DEATH(doolhof[1][31][1] = 'x', "");
    EXPECT_DEATH(doolhof[1][1][22] = 'x', "");
#endif
}

TEST(GameStateLookup, CharactersDecidePlayerAndEnemies) {
    struct Geval {
        char teken;
        bool muur;
        bool openVoorStrik;
    };
    const Geval gevallen[] = {
        {'|', true, false},  {'+', true, false}, {'-', true, false},    {'o', false, false},
        {'S', false, false}, {'f', false, true}, {' ', false, true},    {'\0', false, true},
        {'O', false, true},  {'s', false, true}, {'\xE9', false, true},
    };
    DoolhofGrid grid{};
    for (const Geval& geval : gevallen) {
        grid[7][9] = geval.teken;
        EXPECT_EQ(IsMuur(grid, 7, 9), geval.muur) << static_cast<int>(geval.teken);
        EXPECT_EQ(IsOpenVoorStrik(grid, 7, 9), geval.openVoorStrik)
            << static_cast<int>(geval.teken);
    }
}

TEST(GameStateLookup, OutsideTheGridIsWallAndClosed) {
    const DoolhofGrid open{}; // all NUL: floor everywhere inside
    const std::int64_t buiten[][2] = {{0, 5},  {31, 5}, {5, 0},      {5, 22},
                                      {-1, 5}, {5, -1}, {1000, 1000}};
    for (const auto& cel : buiten) {
        EXPECT_TRUE(IsMuur(open, cel[0], cel[1])) << cel[0] << "," << cel[1];
        EXPECT_FALSE(IsOpenVoorStrik(open, cel[0], cel[1])) << cel[0] << "," << cel[1];
    }
    // An unsigned step left from column 0 wraps round; it must still be outside.
    const std::uint32_t links = std::uint32_t{0} - 1;
    EXPECT_TRUE(IsMuur(open, links, 5));
    EXPECT_FALSE(IsOpenVoorStrik(open, 5, links));
    EXPECT_FALSE(IsMuur(open, 1, 1));
    EXPECT_FALSE(IsMuur(open, Kolommen, Rijen));
    EXPECT_TRUE(IsOpenVoorStrik(open, Kolommen, Rijen));
}

} // namespace
