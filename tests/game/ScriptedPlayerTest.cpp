#include "tools/replay/ScriptedPlayer.hpp"

#include "SpelTesting.hpp"
#include "game/GameState.hpp"
#include "game/Meandor.hpp"
#include "support/GeneralLib.hpp"
#include "wimdows/Wimdows.hpp"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

namespace {

using namespace Meandor;

// Hard only: the finale golden plays easy already, and at the fastest enemies a maze too tight
// for the scripted route or a slip in the timer catches the player.
TEST(ScriptedPlayer, PlaysAllFiveProvincesToTheFinalScreen) {
    constexpr std::uint32_t Hard = 55;
    const std::filesystem::path vorige = std::filesystem::current_path();
    std::filesystem::current_path(MEANDOR_RUNTIME_DIR);
    GeneralLib::TimeOfDay klok{10, 0, 0, 0};
    GeneralLib::SetClock([&klok] { return klok; });
    SpelTesting::GeneratorOpBegin();
    Replay::Speler speler(klok, Hard);
    SetWaarnemer(std::ref(speler));
    Spel(Hard);
    EXPECT_TRUE(einde && menuCheck);
    EXPECT_EQ(level, 5U);
    EXPECT_EQ(frietCount, 10U);
    EXPECT_EQ((Cel{zorpX, zorpY}), UitgangCel) << "ended on the open door of the fifth maze";
    SetWaarnemer({});
    GeneralLib::SetClock({});
    Wimdows::KillWindow();
    std::filesystem::current_path(vorige);
}

} // namespace
