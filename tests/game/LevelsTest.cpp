#include "SpelTesting.hpp"
#include "game/Meandor.hpp"
#include "wimdows/Wimdows.hpp"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace {

using namespace Meandor;

class Levels : public ::testing::Test {
  protected:
    void SetUp() override {
        SpelTesting::OpenSpelVenster();
        SpelTesting::BeginLevel(1, SpelTesting::OpenDoolhof());
        SpelTesting::ToetsNeer(13); // Enter held: the province picture does not wait
    }
    void TearDown() override { Wimdows::KillWindow(); }
    void OpDeUitgang(std::uint32_t friet) {
        zorpX = UitgangCel.x;
        zorpY = UitgangCel.y;
        frietCount = friet;
    }
};

TEST_F(Levels, ClosedDoorPutsThePlayerBeforeIt) {
    OpDeUitgang(9);
    VeranderDoolhof();
    EXPECT_EQ((Cel{zorpX, zorpY}), VoorDeDeurCel);
    EXPECT_EQ(level, 1U);
    OpDeUitgang(11);
    VeranderDoolhof();
    EXPECT_EQ((Cel{zorpX, zorpY}), VoorDeDeurCel) << "more than ten closes the door again";
}

TEST_F(Levels, TenFriesOpenTheNextLevel) {
    levens = 6;
    countCheat = 1;
    cheatArr[4][4] = true;
    XCheat = YCheat = 4;
    vlagArr[5][5] = true;
    XVlag = YVlag = 5;
    SpelTesting::Druk(39);
    OpDeUitgang(10);
    VeranderDoolhof();
    EXPECT_EQ(levens, 3U) << "back to three, from more too";
    EXPECT_EQ(countCheat, 0U);
    EXPECT_FALSE(cheatArr[4][4]);
    EXPECT_FALSE(vlagArr[5][5]);
    EXPECT_TRUE(checkFriet);
    EXPECT_TRUE(checkAchtergrondTekenen);
    EXPECT_TRUE(refresh[30][20]);
    std::uint32_t key = 0;
    EXPECT_FALSE(Wimdows::GetKeyPressed(key)) << "keys pressed before Enter are flushed";
}

TEST_F(Levels, TheEntryCellSendsThePlayerBackAndRedraws) {
    zorpX = IngangCel.x;
    zorpY = IngangCel.y;
    VeranderDoolhof();
    EXPECT_EQ((Cel{zorpX, zorpY}), HerstartCel);
    EXPECT_TRUE(refresh[1][1]);
    EXPECT_TRUE(refresh[30][20]);
}

TEST_F(Levels, ProvincePictureWaitEndsWhenTheWindowCloses) {
    SpelTesting::ToetsOp(13);
    std::thread later([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        SpelTesting::SluitMetKruisje();
    });
    OpDeUitgang(10);
    VeranderDoolhof();
    later.join();
    EXPECT_EQ(level, 2U);
}

} // namespace
