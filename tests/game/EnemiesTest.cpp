#include "SpelTesting.hpp"
#include "game/Meandor.hpp"
#include "support/StandardLib.hpp"

#include <gtest/gtest.h>

namespace {

using namespace Meandor;

// One enemy at cell (10, 10) in an open maze; the player placed per case.
class EnemyStep : public ::testing::Test {
  protected:
    void SetUp() override { SpelTesting::BeginLevel(1, SpelTesting::OpenDoolhof()); }
    void Speler(std::uint32_t x, std::uint32_t y) {
        zorpX = x;
        zorpY = y;
    }
    void Muur(std::uint32_t x, std::uint32_t y, char c = '+') { doolhof[1][x][y] = c; }
    Cel Stap() {
        strikjes2(X, Y);
        return {X / 30, Y / 30};
    }
    void Trek(int n) {
        for (int i = 0; i < n; ++i) {
            StandardLib::RandomCard(1, 4);
        }
    }
    std::uint32_t X = 300;
    std::uint32_t Y = 300;
};

TEST_F(EnemyStep, ChasesStraightUpWithoutRandomNumbers) {
    Speler(10, 7);
    EXPECT_EQ(Stap(), (Cel{10, 9}));
    EXPECT_EQ(StandardLib::Seed(), 94U);
    EXPECT_TRUE(refresh[10][10]) << "the cell left behind is redrawn";
}

TEST_F(EnemyStep, ChasesInEachStraightDirection) {
    Speler(10, 12);
    EXPECT_EQ(Stap(), (Cel{10, 11}));
    Speler(7, 11);
    EXPECT_EQ(Stap(), (Cel{9, 11}));
    Speler(12, 11);
    EXPECT_EQ(Stap(), (Cel{10, 11}));
    EXPECT_EQ(StandardLib::Seed(), 94U);
}

TEST_F(EnemyStep, ClosedNextCellTurnsChaseIntoRandomStep) {
    Speler(10, 7);
    Muur(10, 9);
    EXPECT_EQ(Stap(), (Cel{10, 11})) << "the first number, 3, is down";
    EXPECT_EQ(StandardLib::Seed(), 716U) << "one number taken";
}

TEST_F(EnemyStep, WallsBetweenDoNotStopAChase) {
    Speler(10, 7);
    Muur(10, 8);
    EXPECT_EQ(Stap(), (Cel{10, 9}));
}

TEST_F(EnemyStep, OutsideTheSquareIsRandom) {
    Speler(10, 6);
    EXPECT_EQ(Stap(), (Cel{10, 11}));
    Speler(13, 13);
    EXPECT_EQ(Stap(), (Cel{9, 11})) << "inside the square but no case: random, second number 1";
}

TEST_F(EnemyStep, SameCellIsRandom) {
    Speler(10, 10);
    EXPECT_EQ(Stap(), (Cel{10, 11}));
}

TEST_F(EnemyStep, DiagonalRightChoosesUpOrRight) {
    Speler(11, 9);
    EXPECT_EQ(Stap(), (Cel{11, 10})) << "RandomCard(1, 2) = 2: right";
    X = 300;
    Y = 300;
    Speler(11, 11);
    EXPECT_EQ(Stap(), (Cel{10, 9})) << "then 1: up, away from a player below";
}

TEST_F(EnemyStep, DiagonalLeftChoosesLeftOrDown) {
    Speler(9, 9);
    EXPECT_EQ(Stap(), (Cel{10, 11})) << "RandomCard(1, 2) = 2: down, away from a player above";
    X = 300;
    Y = 300;
    Speler(9, 11);
    EXPECT_EQ(Stap(), (Cel{9, 10})) << "then 1: left";
}

TEST_F(EnemyStep, RandomStepSpendsOneNumberPerClosedDirection) {
    Muur(9, 10);
    Trek(42); // the next three numbers are 1, 1, 3
    strikjes(X, Y);
    EXPECT_EQ((Cel{X / 30, Y / 30}), (Cel{10, 11}));
    EXPECT_EQ(StandardLib::Seed(), 694U) << "exactly three numbers taken";
}

TEST_F(EnemyStep, NeverEntersBarriersThePlayerMayCross) {
    Muur(9, 10, 'o');
    Muur(11, 10, 'S');
    Muur(10, 11, 'S');
    for (int i = 0; i < 20; ++i) {
        X = 300;
        Y = 300;
        EXPECT_EQ(Stap().y, 9U);
    }
}

TEST_F(EnemyStep, WalledInEnemyStaysAndDrawsNoNumbers) {
    Muur(9, 10);
    Muur(11, 10);
    Muur(10, 9);
    Muur(10, 11, 'o');
    EXPECT_EQ(Stap(), (Cel{10, 10}));
    EXPECT_EQ(StandardLib::Seed(), 94U);
}

TEST_F(EnemyStep, BorderNeighboursOutsideTheGridAreClosed) {
    Muur(1, 5, ' ');
    Muur(1, 6, ' ');
    Muur(2, 5);
    Muur(1, 4);
    for (int i = 0; i < 10; ++i) {
        X = 30;
        Y = 150;
        strikjes(X, Y);
        EXPECT_EQ((Cel{X / 30, Y / 30}), (Cel{1, 6}));
    }
}

TEST_F(EnemyStep, FriesStayWhereAnEnemyWalks) {
    frietArr[10][11] = true;
    Speler(10, 13);
    EXPECT_EQ(Stap(), (Cel{10, 11}));
    EXPECT_TRUE(frietArr[10][11]);
}

} // namespace
