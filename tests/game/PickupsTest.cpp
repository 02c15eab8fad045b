#include "SpelTesting.hpp"
#include "game/Meandor.hpp"
#include "tools/replay/Replay.hpp"
#include "wimdows/Wimdows.hpp"
#include "wimdows/WimdowsTesting.hpp"

#include <gtest/gtest.h>

namespace {

using namespace Meandor;

constexpr std::uint32_t Rechts = 39, Omlaag = 40, Niets = 'X';

// A level in progress: the rules of one pass after the key, as the loop calls them.
class Pickups : public SpelTesting::Spel {
  protected:
    void Stap(std::uint32_t code) {
        SpelTesting::Druk(code);
        CheckKey();
        PakkenEnBotsen();
    }
    void Strik(std::uint32_t i, Cel cel) {
        strikXArr[i] = CelNaarPixel(cel.x), strikYArr[i] = CelNaarPixel(cel.y);
    }
};

// Each item is a life, taken once; the flag's check also counts a hamburger cell gone stale.
TEST_F(Pickups, ItemsAreTakenOnceFromTheCellSteppedOnto) {
    const std::tuple<const char*, Cel, Cel, bool, std::uint32_t> gevallen[] = {
        {"flag", {3, 2}, {9, 9}, false, 4},
        {"hamburger", {9, 9}, {3, 2}, true, 4},
        {"stacked", {3, 2}, {3, 2}, true, 5},
        {"flag on a stale hamburger cell", {3, 2}, {3, 2}, false, 5},
        {"elsewhere", {9, 9}, {9, 9}, true, 3}};
    for (const auto& [naam, vlag, burger, burgerLigt, meer] : gevallen) {
        SpelTesting::BeginLevel();
        XVlag = vlag.x, YVlag = vlag.y, XCheat = burger.x, YCheat = burger.y;
        vlagArr[XVlag][YVlag] = true;
        cheatArr[XCheat][YCheat] = burgerLigt;
        Stap(Rechts);
        EXPECT_EQ(levens, meer) << naam;
        EXPECT_FALSE(vlagArr[3][2] || cheatArr[3][2]) << naam;
        PakkenEnBotsen();
        EXPECT_EQ(levens, meer) << naam << ": standing on it takes nothing more";
    }
}

// The collision test comes after the key and before the enemies step, and only the enemies in
// play (six in level 1) catch.
TEST_F(Pickups, CollisionAfterTheKeyWithEnemiesInPlay) {
    const std::tuple<const char*, std::uint32_t, Cel, std::uint32_t, std::uint32_t> gevallen[] = {
        {"stepping onto an enemy", 1, {3, 2}, Rechts, 2},
        {"standing still", 1, {2, 2}, Niets, 2},
        {"moving away", 1, {2, 2}, Omlaag, 3},
        {"into the cell it came from", 1, {2, 2}, Rechts, 3},
        {"the sixth enemy", 6, {2, 2}, Niets, 2},
        {"the seventh is not in play", 7, {2, 2}, Niets, 3}};
    for (const auto& [naam, strik, waar, toets, over] : gevallen) {
        SpelTesting::BeginLevel();
        Strik(strik, waar);
        Stap(toets);
        EXPECT_EQ(levens, over) << naam;
        const bool herstart = Cel{zorpX, zorpY} == HerstartCel && refresh[2][20];
        EXPECT_EQ(herstart, over == 2) << naam << ": back at the restart cell";
    }
}

TEST_F(Pickups, FriesCountAndRedrawTheScore) {
    const TestKit::TempDir plaatjes;
    rechthoekScore = Wimdows::LoadBitmap(
        plaatjes.Bmp("score.bmp", 2, 2, [](int, int) { return Wimdows::RGB(0, 90, 0); }), 2, 2);
    frietArr[3][2] = true;
    Stap(Rechts);
    EXPECT_EQ(frietCount, 1U);
    EXPECT_EQ(Wimdows::Testing::WindowPixel(801, 661), Wimdows::RGB(0, 90, 0));
}

// The lives counting down to game over are pinned by the game-lost golden; the wait for Enter
// is the one the level test checks.
TEST_F(Pickups, CollisionWithoutLivesEndsTheGame) {
    Replay::SendKey(13, true); // Enter held: the game-over picture does not wait
    levens = 0;
    vlagArr[7][7] = true;
    XVlag = YVlag = 7;
    countLoop = 12;
    Strik(1, StartCel);
    PakkenEnBotsen();
    EXPECT_TRUE(einde && menuCheck);
    EXPECT_EQ(countLoop, 0U);
    EXPECT_FALSE(vlagArr[7][7]) << "game over takes the flag away";
}

} // namespace
