#include "SpelTesting.hpp"
#include "game/Meandor.hpp"
#include "support/StandardLib.hpp"
#include "wimdows/Wimdows.hpp"

#include <gtest/gtest.h>
#include <thread>

namespace {

using namespace Meandor;
using SpelTesting::Druk;

constexpr std::uint32_t Links = 37, Omhoog = 38, Rechts = 39, Omlaag = 40;

class Keys : public ::testing::Test {
  protected:
    void SetUp() override {
        SpelTesting::OpenSpelVenster();
        SpelTesting::BeginLevel(1, SpelTesting::OpenDoolhof());
        figuur[1] = {11, 12};
        figuur[2] = {21, 22};
        figuur[0] = figuur[1];
    }
    void TearDown() override { Wimdows::KillWindow(); }
    void Toets(std::uint32_t code) {
        Druk(code);
        CheckKey();
    }
    Cel Zorp() const { return {zorpX, zorpY}; }
};

TEST_F(Keys, EmptyQueueChangesAndMarksNothing) {
    CheckKey();
    EXPECT_EQ(Zorp(), StartCel);
    EXPECT_FALSE(refresh[2][2]);
}

TEST_F(Keys, ArrowsMoveOneCellAndMarkOldAndNewCell) {
    Toets(Rechts);
    EXPECT_EQ(Zorp(), (Cel{3, 2}));
    EXPECT_TRUE(refresh[2][2]);
    EXPECT_TRUE(refresh[3][2]);
    Toets(Omlaag);
    Toets(Omlaag);
    Toets(Links);
    Toets(Omhoog);
    EXPECT_EQ(Zorp(), (Cel{2, 3}));
}

TEST_F(Keys, WallRefusesTheMoveAndKeepsTheFacing) {
    figuur[0] = figuur[2];
    doolhof[1][3][2] = '|';
    Toets(Rechts);
    EXPECT_EQ(Zorp(), StartCel);
    EXPECT_EQ(figuur[0].beeld, 22U) << "still facing left";
    EXPECT_TRUE(refresh[2][2]) << "a refused key still redraws the player";
    doolhof[1][2][1] = '-';
    Toets(Omhoog);
    EXPECT_EQ(Zorp(), StartCel);
}

TEST_F(Keys, LeftAndRightTurnTheSpriteUpAndDownDoNot) {
    Toets(Rechts);
    Toets(Links);
    EXPECT_EQ(figuur[0].beeld, 22U);
    EXPECT_EQ(figuur[0].masker, 21U);
    Toets(Omlaag);
    Toets(Omhoog);
    EXPECT_EQ(figuur[0].beeld, 22U);
    Toets(Rechts);
    EXPECT_EQ(figuur[0].beeld, 12U);
}

TEST_F(Keys, UpIsRefusedInColumnOne) {
    zorpX = 1;
    zorpY = 20;
    doolhof[1][1][19] = ' ';
    Toets(Omhoog);
    EXPECT_EQ(Zorp(), (Cel{1, 20}));
    Toets(Omlaag);
    EXPECT_EQ(Zorp(), (Cel{1, 20})) << "row 21 is wall";
}

TEST_F(Keys, BarriersAndFriesCanBeEntered) {
    doolhof[1][3][2] = 'o';
    doolhof[1][4][2] = 'f';
    Toets(Rechts);
    Toets(Rechts);
    EXPECT_EQ(Zorp(), (Cel{4, 2}));
}

TEST_F(Keys, MovesOffTheGridAreRefused) {
    doolhof[1][30][5] = ' ';
    zorpX = 30;
    zorpY = 5;
    Toets(Rechts);
    EXPECT_EQ(Zorp(), (Cel{30, 5}));
}

TEST_F(Keys, OneKeyPerCall) {
    Druk(Rechts);
    Druk(Rechts);
    CheckKey();
    EXPECT_EQ(Zorp(), (Cel{3, 2}));
    CheckKey();
    EXPECT_EQ(Zorp(), (Cel{4, 2}));
}

TEST_F(Keys, HamburgerOncePerLevelOnABlankCellWithoutFries) {
    for (std::uint32_t x = 2; x <= 29; ++x) {
        for (std::uint32_t y = 2; y <= 20; ++y) {
            doolhof[1][x][y] = (x + y) % 2 ? 'f' : 'x';
        }
    }
    doolhof[1][7][4] = ' ';
    doolhof[1][8][4] = ' ';
    frietArr[8][4] = true;
    Toets('H');
    EXPECT_EQ((Cel{XCheat, YCheat}), (Cel{7, 4})) << "the only blank cell free of fries";
    EXPECT_TRUE(cheatArr[7][4]);
    EXPECT_TRUE(refresh[7][4]);
    EXPECT_EQ(countCheat, 1U);
    const std::uint32_t seed = StandardLib::Seed();
    Toets('H');
    EXPECT_EQ(StandardLib::Seed(), seed) << "a second H does nothing";
}

TEST_F(Keys, HamburgerWithNowhereToGoIsSkipped) {
    for (std::uint32_t x = 1; x <= 30; ++x) {
        for (std::uint32_t y = 1; y <= 20; ++y) {
            doolhof[1][x][y] = '+';
        }
    }
    Toets('H');
    EXPECT_EQ(countCheat, 0U);
    EXPECT_EQ(StandardLib::Seed(), 94U);
}

TEST_F(Keys, EscapeEndsTheGameAndAsksForAFreshMenu) {
    Toets(27);
    EXPECT_TRUE(einde);
    EXPECT_TRUE(menuCheck);
}

TEST_F(Keys, PauseIgnoresEverythingButS) {
    Druk('P');
    Druk(27);
    Druk(Rechts);
    Druk('S');
    Druk(Omlaag);
    CheckKey();
    EXPECT_FALSE(einde) << "Escape was dropped during the pause";
    EXPECT_EQ(Zorp(), StartCel);
    CheckKey();
    EXPECT_EQ(Zorp(), (Cel{2, 3})) << "keys after S are handled again";
}

TEST_F(Keys, PauseWaitsForSOnTheQueue) {
    Druk('P');
    std::thread later([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        Druk('S');
    });
    CheckKey();
    later.join();
    std::uint32_t rest = 0;
    EXPECT_FALSE(Wimdows::GetKeyPressed(rest));
}

TEST_F(Keys, PauseEndsWhenTheWindowCloses) {
    Druk('P');
    std::thread later([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        SpelTesting::SluitMetKruisje();
    });
    CheckKey();
    later.join();
    EXPECT_FALSE(Wimdows::WindowOpen());
}

} // namespace
