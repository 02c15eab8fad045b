#include "game/PlayerSettings.hpp"

#include "TestKit.hpp"
#include "music/Music.hpp"
#include "wimdows/Wimdows.hpp"
#include "wimdows/WimdowsTesting.hpp"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

using Meandor::Display;
using Meandor::PlayerSettings;
using TestKit::PushKey;
using Wimdows::Testing::WaitUntilHandled;

// The player's settings in a folder of the test's own.
class PlayerSettingsTest : public ::testing::Test {
  protected:
    void SetUp() override { TestKit::SetEnv("XDG_CONFIG_HOME", dir.Path().string().c_str()); }
    void TearDown() override { Wimdows::KillWindow(); }

    Settings::Values Saved() const {
        return Settings::Load(dir.Path() / "meandor" / "settings").values;
    }
    void Save(const std::string& text) const {
        std::filesystem::create_directories(dir.Path() / "meandor");
        dir.File("meandor/settings", text);
    }

    TestKit::TempDir dir;
};

void Press(SDL_Scancode scancode, SDL_Keycode sym, Uint16 mod) {
    PushKey(true, scancode, sym, mod);
    PushKey(false, scancode, sym, mod);
    WaitUntilHandled();
}

// --windowed holds for the run, and a size chosen in it is saved without touching full screen;
// M mutes the sound and is saved.
TEST_F(PlayerSettingsTest, OnlyWhatThePlayerChangedIsSaved) {
    Save("full-screen = yes\nmusic-volume = 40\nwindow-size = 200x150\n");
    {
        const PlayerSettings settings(Display::Windowed);
        Wimdows::Window("Settings", 200, 150);
        ASSERT_TRUE(Wimdows::WindowOpen());
        EXPECT_FALSE(Music::Muted());
        Press(SDL_SCANCODE_EQUALS, SDLK_EQUALS, KMOD_LALT);
        Press(SDL_SCANCODE_M, SDLK_m, KMOD_NONE);
        EXPECT_TRUE(Music::Muted());
        Wimdows::KillWindow();
    }
    Settings::Values expected;
    expected.fullScreen = true;
    expected.musicVolume = 40;
    expected.windowWidth = 300;
    expected.windowHeight = 225;
    expected.mute = true;
    EXPECT_EQ(Saved(), expected);
}

// Nothing changed, nothing written: a missing file stays missing.
TEST_F(PlayerSettingsTest, ARunThatChangesNothingWritesNothing) {
    {
        const PlayerSettings settings(Display::FullScreen);
        Wimdows::Window("Settings", 200, 150);
        ASSERT_TRUE(Wimdows::WindowOpen());
        Wimdows::KillWindow();
    }
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "meandor"));
}

} // namespace
