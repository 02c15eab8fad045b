#include "tools/replay/ScriptedPlayer.hpp"

#include "game/GameState.hpp"
#include "game/Meandor.hpp"
#include "support/GeneralLib.hpp"
#include "support/StandardLib.hpp"
#include "wimdows/Wimdows.hpp"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

namespace {

using namespace Meandor;

class ScriptedPlayer : public ::testing::TestWithParam<std::uint32_t> {
  protected:
    void SetUp() override {
        vorige = std::filesystem::current_path();
        std::filesystem::current_path(MEANDOR_RUNTIME_DIR);
        GeneralLib::SetClock([this] { return klok; });
    }
    void TearDown() override {
        SetWaarnemer({});
        GeneralLib::SetClock({});
        Wimdows::KillWindow();
        std::filesystem::current_path(vorige);
    }
    std::filesystem::path vorige;
    GeneralLib::TimeOfDay klok{10, 0, 0, 0};
};

TEST_P(ScriptedPlayer, PlaysAllFiveProvincesToTheFinalScreen) {
    StandardLib::Init();
    Replay::Speler speler(klok, GetParam());
    SetWaarnemer(std::ref(speler));
    Spel(GetParam());
    EXPECT_TRUE(einde);
    EXPECT_TRUE(menuCheck);
    EXPECT_EQ(level, 5U);
    EXPECT_EQ(frietCount, 10U);
    EXPECT_EQ((Cel{zorpX, zorpY}), UitgangCel) << "ended on the open door of the fifth maze";
}

INSTANTIATE_TEST_SUITE_P(Difficulties, ScriptedPlayer, ::testing::Values(100U, 75U, 55U));

} // namespace
