#include "SpelTesting.hpp"
#include "game/Meandor.hpp"
#include "wimdows/Wimdows.hpp"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace {

using namespace Meandor;
using SpelTesting::Druk;

constexpr std::uint32_t Rechts = 39, Omlaag = 40;

// A level in progress: the rules of one pass after the key, as the loop calls them.
class Pickups : public ::testing::Test {
  protected:
    void SetUp() override {
        SpelTesting::OpenSpelVenster();
        SpelTesting::BeginLevel(1, SpelTesting::OpenDoolhof());
        for (std::uint32_t i = 1; i <= MaxStrikjes; ++i) {
            strikXArr[i] = 900; // parked out of the way, in column 30
            strikYArr[i] = 60;
        }
    }
    void TearDown() override { Wimdows::KillWindow(); }
    void Stap(std::uint32_t code) {
        Druk(code);
        CheckKey();
        PakkenEnBotsen();
    }
    void Strik(std::uint32_t i, std::uint32_t x, std::uint32_t y) {
        strikXArr[i] = x * 30;
        strikYArr[i] = y * 30;
    }
};

struct Items {
    const char* naam;
    Cel vlag;
    Cel burger;
    bool burgerLigt;
    std::uint32_t levens;
};

class Bonus : public Pickups, public ::testing::WithParamInterface<Items> {};

// Each item is a life, taken once; the flag's check also counts a hamburger cell gone stale.
TEST_P(Bonus, TakenOnceFromTheCellSteppedOnto) {
    const Items& items = GetParam();
    XVlag = items.vlag.x;
    YVlag = items.vlag.y;
    XCheat = items.burger.x;
    YCheat = items.burger.y;
    vlagArr[XVlag][YVlag] = true;
    cheatArr[XCheat][YCheat] = items.burgerLigt;
    Stap(Rechts);
    EXPECT_EQ(levens, items.levens);
    EXPECT_FALSE(vlagArr[3][2]);
    EXPECT_FALSE(cheatArr[3][2]);
    PakkenEnBotsen();
    EXPECT_EQ(levens, items.levens) << "standing on the cell takes nothing more";
}

INSTANTIATE_TEST_SUITE_P(Cases, Bonus,
                         ::testing::Values(Items{"Flag", {3, 2}, {9, 9}, false, 4},
                                           Items{"Hamburger", {9, 9}, {3, 2}, true, 4},
                                           Items{"Stacked", {3, 2}, {3, 2}, true, 5},
                                           Items{"FlagOnStaleHamburgerCell", {3, 2}, {3, 2}, false, 5},
                                           Items{"Elsewhere", {9, 9}, {9, 9}, true, 3}),
                         [](const auto& geval) { return std::string(geval.param.naam); });

// Only the enemies in play catch the player: six in level 1, the sixth as well as the first.
TEST_F(Pickups, EveryActiveEnemyCatchesAndNoOther) {
    for (const std::uint32_t i : {1U, 6U, 7U}) {
        levens = 3;
        Strik(i, zorpX, zorpY);
        PakkenEnBotsen();
        EXPECT_EQ(levens, i <= 6 ? 2U : 3U) << "enemy " << i;
        Strik(i, 30, 2);
        zorpX = StartCel.x;
        zorpY = StartCel.y;
    }
}

TEST_F(Pickups, SteppingOntoAnEnemyIsCaughtInTheSamePass) {
    Strik(1, 3, 2);
    Stap(Rechts);
    EXPECT_EQ(levens, 2U);
    EXPECT_EQ((Cel{zorpX, zorpY}), HerstartCel);
    EXPECT_TRUE(refresh[2][20]);
}

TEST_F(Pickups, AnEnemyArrivingIsCaughtInTheNextPassUnlessThePlayerMovesAway) {
    Strik(1, 2, 2); // stepped onto the player after this pass's collision test
    Stap(Omlaag);
    EXPECT_EQ(levens, 3U) << "the player moved away with the next key";
    Strik(1, 2, 3);
    Stap('X');
    EXPECT_EQ(levens, 2U) << "standing still: caught";
}

TEST_F(Pickups, MovingIntoTheCellTheEnemyCameFromEscapes) {
    Strik(1, 2, 2);
    Stap(Rechts); // the enemy came from (3, 2)
    EXPECT_EQ(levens, 3U);
}

TEST_F(Pickups, FourthCollisionEndsTheGame) {
    SpelTesting::ToetsNeer(13); // Enter held: the game-over picture does not wait
    for (int botsing = 1; botsing <= 3; ++botsing) {
        Strik(1, zorpX, zorpY);
        PakkenEnBotsen();
        EXPECT_EQ(levens, static_cast<std::uint32_t>(3 - botsing));
        EXPECT_FALSE(einde);
    }
    vlagArr[7][7] = true;
    XVlag = 7;
    YVlag = 7;
    countLoop = 12;
    Strik(1, zorpX, zorpY);
    PakkenEnBotsen();
    EXPECT_TRUE(einde);
    EXPECT_TRUE(menuCheck);
    EXPECT_EQ(countLoop, 0U);
    EXPECT_FALSE(vlagArr[7][7]) << "game over takes the flag away";
    std::uint32_t key = 0;
    EXPECT_FALSE(Wimdows::GetKeyPressed(key)) << "keys before Enter are flushed";
}

TEST_F(Pickups, GameOverEndsWhenTheWindowCloses) {
    levens = 0;
    Strik(1, 2, 2);
    std::thread later([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        SpelTesting::SluitMetKruisje();
    });
    PakkenEnBotsen();
    later.join();
    EXPECT_TRUE(einde);
}

} // namespace
