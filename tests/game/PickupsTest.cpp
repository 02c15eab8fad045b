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

INSTANTIATE_TEST_SUITE_P(
    Cases, Bonus,
    ::testing::Values(Items{"Flag", {3, 2}, {9, 9}, false, 4},
                      Items{"Hamburger", {9, 9}, {3, 2}, true, 4},
                      Items{"Stacked", {3, 2}, {3, 2}, true, 5},
                      Items{"FlagOnStaleHamburgerCell", {3, 2}, {3, 2}, false, 5},
                      Items{"Elsewhere", {9, 9}, {9, 9}, true, 3}),
    [](const auto& geval) { return std::string(geval.param.naam); });

struct Botsing {
    const char* naam;
    std::uint32_t strik;
    Cel waar;
    std::uint32_t toets;
    std::uint32_t levens;
};

class Collision : public Pickups, public ::testing::WithParamInterface<Botsing> {};

// The collision test comes after the key and before the enemies step, and only the enemies in
// play (six in level 1) catch.
TEST_P(Collision, AfterTheKeyWithEnemiesInPlay) {
    const Botsing& botsing = GetParam();
    Strik(botsing.strik, botsing.waar.x, botsing.waar.y);
    Stap(botsing.toets);
    EXPECT_EQ(levens, botsing.levens);
    if (botsing.levens == 2) {
        EXPECT_EQ((Cel{zorpX, zorpY}), HerstartCel);
        EXPECT_TRUE(refresh[2][20]);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Collision,
                         ::testing::Values(Botsing{"SteppingOntoAnEnemy", 1, {3, 2}, Rechts, 2},
                                           Botsing{"StandingStill", 1, {2, 2}, 'X', 2},
                                           Botsing{"MovingAway", 1, {2, 2}, Omlaag, 3},
                                           Botsing{"IntoTheCellItCameFrom", 1, {2, 2}, Rechts, 3},
                                           Botsing{"TheSixthEnemy", 6, {2, 2}, 'X', 2},
                                           Botsing{"TheSeventhIsNotInPlay", 7, {2, 2}, 'X', 3}),
                         [](const auto& geval) { return std::string(geval.param.naam); });

// The lives counting down to game over are pinned by the game-lost golden.
TEST_F(Pickups, CollisionWithoutLivesEndsTheGame) {
    SpelTesting::ToetsNeer(13); // Enter held: the game-over picture does not wait
    levens = 0;
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
