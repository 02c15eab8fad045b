#include "SpelTesting.hpp"
#include "game/Meandor.hpp"
#include "tools/replay/Replay.hpp"
#include "wimdows/Wimdows.hpp"

#include <gtest/gtest.h>

namespace {

using namespace Meandor;

class Levels : public SpelTesting::Spel {
  protected:
    void SetUp() override {
        Spel::SetUp();
        Replay::SendKey(13, true); // Enter held: the province picture does not wait
    }
    void Naar(Cel cel, std::uint32_t friet = 0) {
        zorpX = cel.x, zorpY = cel.y, frietCount = friet;
        VeranderDoolhof();
    }
};

TEST_F(Levels, ClosedDoorAndTheEntrySendThePlayerBack) {
    Naar(UitgangCel, 9);
    EXPECT_EQ((Cel{zorpX, zorpY}), VoorDeDeurCel);
    Naar(UitgangCel, 11);
    EXPECT_EQ((Cel{zorpX, zorpY}), VoorDeDeurCel) << "more than ten closes the door again";
    EXPECT_EQ(level, 1U);
    Naar(IngangCel);
    EXPECT_EQ((Cel{zorpX, zorpY}), HerstartCel);
    EXPECT_TRUE(refresh[1][1] && refresh[30][20]);
}

TEST_F(Levels, TenFriesOpenTheNextLevel) {
    levens = 6, countCheat = 1;
    cheatArr[4][4] = vlagArr[5][5] = true;
    XCheat = YCheat = 4, XVlag = YVlag = 5;
    SpelTesting::Druk(39);
    Naar(UitgangCel, 10);
    EXPECT_EQ(levens, 3U) << "back to three, from more too";
    EXPECT_EQ(countCheat, 0U);
    EXPECT_FALSE(cheatArr[4][4] || vlagArr[5][5]);
    EXPECT_TRUE(checkFriet && checkAchtergrondTekenen && refresh[30][20]);
    std::uint32_t key = 0;
    EXPECT_FALSE(Wimdows::GetKeyPressed(key)) << "keys pressed before Enter are flushed";
}

} // namespace
