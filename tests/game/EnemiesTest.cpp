#include "SpelTesting.hpp"
#include "game/Meandor.hpp"
#include "support/StandardLib.hpp"

#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace {

using namespace Meandor;

constexpr std::uint32_t NietGetrokken = 94; // the generator's state before any number

struct Muur {
    Cel cel;
    char teken = '+';
};
struct Zet {
    Cel speler;
    Cel verwacht;
};
struct Jacht {
    const char* naam;
    std::vector<Muur> muren;
    std::vector<Zet> zetten; // each from (10, 10), the generator going on
    std::optional<std::uint32_t> seed;
};

// One enemy in an open maze, stepped from cell (10, 10) towards (or past) the player.
class EnemyStep : public ::testing::TestWithParam<Jacht> {
  protected:
    void SetUp() override { SpelTesting::BeginLevel(1, SpelTesting::OpenDoolhof()); }
};

TEST_P(EnemyStep, ChasesOrStepsAtRandom) {
    const Jacht& jacht = GetParam();
    for (const Muur& muur : jacht.muren) {
        doolhof[1][muur.cel.x][muur.cel.y] = muur.teken;
    }
    for (const Zet& zet : jacht.zetten) {
        zorpX = zet.speler.x;
        zorpY = zet.speler.y;
        std::uint32_t x = 300;
        std::uint32_t y = 300;
        refresh[10][10] = false;
        strikjes2(x, y);
        EXPECT_EQ((Cel{x / 30, y / 30}), zet.verwacht);
        EXPECT_EQ(refresh[10][10], zet.verwacht != (Cel{10, 10})) << "the cell left is redrawn";
    }
    if (jacht.seed) {
        EXPECT_EQ(StandardLib::Seed(), *jacht.seed);
    }
}

// Random steps take RandomCard(1, 4) (first 3: down) and diagonals RandomCard(1, 2) (2, then 1).
INSTANTIATE_TEST_SUITE_P(
    Cases, EnemyStep,
    ::testing::Values(
        Jacht{"Up", {}, {{{10, 7}, {10, 9}}}, NietGetrokken},
        Jacht{"Down", {}, {{{10, 12}, {10, 11}}}, NietGetrokken},
        Jacht{"Left", {}, {{{7, 10}, {9, 10}}}, NietGetrokken},
        Jacht{"Right", {}, {{{13, 10}, {11, 10}}}, NietGetrokken},
        Jacht{"WallBetweenDoesNotStopIt", {{{10, 8}}}, {{{10, 7}, {10, 9}}}, NietGetrokken},
        Jacht{"ClosedNextCellIsRandom", {{{10, 9}}}, {{{10, 7}, {10, 11}}}, 716},
        Jacht{"OutsideTheSquareIsRandom", {}, {{{10, 6}, {10, 11}}}, 716},
        Jacht{"InsideTheSquareButNoCaseIsRandom", {}, {{{13, 13}, {10, 11}}}, 716},
        Jacht{"SameCellIsRandom", {}, {{{10, 10}, {10, 11}}}, 716},
        Jacht{"DiagonalRightIsUpOrRight", {}, {{{11, 9}, {11, 10}}, {{11, 11}, {10, 9}}}, {}},
        Jacht{"DiagonalLeftIsLeftOrDown", {}, {{{9, 9}, {10, 11}}, {{9, 11}, {9, 10}}}, {}},
        Jacht{"WalledInStaysAndDrawsNothing",
              {{{9, 10}}, {{11, 10}}, {{10, 9}}, {{10, 11}, 'o'}},
              {{{2, 2}, {10, 10}}},
              NietGetrokken},
        Jacht{"NeverEntersBarriersThePlayerMayCross",
              {{{9, 10}, 'o'}, {{11, 10}, 'S'}, {{10, 11}, 'S'}},
              std::vector<Zet>(20, {{2, 2}, {10, 9}}),
              {}}),
    [](const auto& geval) { return std::string(geval.param.naam); });

TEST(EnemyRandomStep, SpendsOneNumberPerClosedDirection) {
    SpelTesting::BeginLevel(1, SpelTesting::OpenDoolhof());
    doolhof[1][9][10] = '+';
    for (int i = 0; i < 42; ++i) {
        StandardLib::RandomCard(1, 4); // the next three numbers are 1, 1, 3
    }
    std::uint32_t x = 300;
    std::uint32_t y = 300;
    strikjes(x, y);
    EXPECT_EQ((Cel{x / 30, y / 30}), (Cel{10, 11}));
    EXPECT_EQ(StandardLib::Seed(), 694U) << "exactly three numbers taken";
}

TEST(EnemyRandomStep, NeighboursOutsideTheGridAreClosed) {
    SpelTesting::BeginLevel(1, SpelTesting::OpenDoolhof());
    doolhof[1][1][5] = doolhof[1][1][6] = ' ';
    doolhof[1][2][5] = doolhof[1][1][4] = '+';
    for (int i = 0; i < 10; ++i) {
        std::uint32_t x = 30;
        std::uint32_t y = 150;
        strikjes(x, y);
        EXPECT_EQ((Cel{x / 30, y / 30}), (Cel{1, 6}));
    }
}

} // namespace
