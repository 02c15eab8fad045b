#include "SpelTesting.hpp"
#include "game/Assets.hpp"
#include "game/Meandor.hpp"
#include "music/Music.hpp"
#include "support/GeneralLib.hpp"
#include "tools/replay/Replay.hpp"
#include "wimdows/Wimdows.hpp"
#include "wimdows/WimdowsTesting.hpp"

#include <SDL.h>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <thread>
#include <vector>

namespace {

using namespace Meandor;
using namespace std::chrono_literals;

// The screens in the runtime tree, with a person who clicks one place until the screen has
// been left, on a clock that stands still unless a case moves it.
class Screens : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::current_path(MEANDOR_RUNTIME_DIR);
        Music::Init();
        GeneralLib::SetClock([this] {
            return GeneralLib::TimeOfDay{10, 0, klok / 100, klok % 100};
        });
    }
    void TearDown() override {
        SetWaarnemer({});
        GeneralLib::SetClock({});
        Wimdows::KillWindow();
        // A click that came after its window had gone must not reach the next test's window.
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        std::filesystem::current_path(vorige);
    }
    // Runs the screen while doing `doe` in its window until `klaar` says it was taken.
    template <typename Scherm, typename Doe, typename Klaar>
    auto Terwijl(Scherm scherm, const Doe& doe, const Klaar& klaar) {
        std::atomic<bool> gedaan = false;
        std::thread persoon([&] {
            for (; !gedaan && !klaar(); std::this_thread::sleep_for(30ms)) {
                if (Wimdows::WindowOpen()) {
                    doe();
                    Wimdows::Testing::WaitUntilHandled();
                }
            }
        });
        const auto uitkomst = scherm();
        gedaan = true;
        persoon.join();
        return uitkomst;
    }
    template <typename Scherm, typename Klaar>
    auto KlikOp(Scherm scherm, std::int32_t x, std::int32_t y, const Klaar& klaar) {
        return Terwijl(
            scherm,
            [x, y] {
                for (const auto soort : {SDL_MOUSEMOTION, SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}) {
                    TestKit::PushMouse(soort, x, y);
                }
            },
            klaar);
    }
    // Runs the screen while pressing the keys, again and again, until it is left.
    template <typename Scherm>
    auto DrukOp(Scherm scherm, std::initializer_list<SDL_Scancode> toetsen) {
        return Terwijl(
            scherm,
            [toetsen] {
                for (const SDL_Scancode toets : toetsen) {
                    TestKit::PushKey(true, toets, SDL_GetKeyFromScancode(toets));
                    TestKit::PushKey(false, toets, SDL_GetKeyFromScancode(toets));
                }
            },
            [] { return false; });
    }
    // Pixels across the window.
    static std::vector<std::optional<std::uint32_t>> Monster() {
        std::vector<std::optional<std::uint32_t>> pixels;
        for (std::int32_t i = 0; i < 20; ++i) {
            pixels.push_back(Wimdows::Testing::WindowPixel(25 + 47 * i, 15 + 33 * i));
        }
        return pixels;
    }
    const std::filesystem::path vorige = std::filesystem::current_path();
    std::atomic<std::uint32_t> klok = 0;
};

TEST_F(Screens, QuitOnTheInfoScreensEndsTheProgram) {
    for (const auto scherm : {&Instructions, &Credits}) {
        EXPECT_EQ(KlikOp(scherm, 875, 667, [] { return false; }), Scherm::Einde);
        EXPECT_FALSE(Wimdows::WindowOpen());
    }
}

// Escape goes back where a screen has a Back button; on the main menu it does nothing.
TEST_F(Screens, EscapeIsBackButNotOnTheMainMenu) {
    for (const auto scherm : {&SubMenu, &Instructions, &Credits}) {
        EXPECT_EQ(DrukOp(scherm, {SDL_SCANCODE_ESCAPE}), Scherm::Menu);
    }
    EXPECT_EQ(DrukOp(&Menu, {SDL_SCANCODE_ESCAPE, SDL_SCANCODE_RETURN, SDL_SCANCODE_RETURN}),
              Scherm::SubMenu);
}

// A game from a later level skips the menus, opens on that level's province picture, and its
// end is the program's.
TEST_F(Screens, AGameFromALevelStartsOnItsProvinceAndEndsTheProgram) {
    std::optional<bool> provincie;
    std::optional<std::uint32_t> gespeeld;
    SetWaarnemer([&](Moment moment) {
        if (moment == Moment::Wachten) {
            if (!provincie) {
                const auto getoond = Monster();
                Wimdows::DrawBitmap(Wimdows::LoadBitmap(LevelBestand(3).provincie, 1000, 700), 0,
                                    0);
                provincie = getoond == Monster();
            }
            Replay::SendKey(13, true);
            return;
        }
        Replay::SendKey(13, false);
        gespeeld = level;
        SpelTesting::Druk(27);
    });
    EXPECT_EQ(StartOpLevel(3), 0);
    EXPECT_EQ(provincie, true);
    EXPECT_EQ(gespeeld, 3U);
    EXPECT_FALSE(Wimdows::WindowOpen());
}

enum class Afloop { GameOver, Eindscherm, Kruisje };

struct Keuze {
    const char* naam;
    std::int32_t knopY;
    std::uint32_t speed;
    Afloop afloop;
    const char* plaatje; // shown at the end
};

class Difficulty : public Screens, public ::testing::WithParamInterface<Keuze> {};

// Each difficulty starts the game at its speed, and whatever ends the game, the main menu comes
// next with the game's window still up for it; only the close box ends the program.
TEST_P(Difficulty, PlaysAtItsSpeedAndReturnsToTheMenu) {
    const Keuze& keuze = GetParam();
    muziek[1] = 0;
    std::atomic<bool> begonnen = false;
    std::optional<bool> opTijd;
    SetWaarnemer([&](Moment moment) {
        begonnen = true;
        if (moment == Moment::Wachten) {
            Replay::SendKey(13, true);
            return;
        }
        if (opTijd) {
            return;
        }
        klok = keuze.speed - 1;
        const bool teVroeg = GeneralLib::TimerReached(0);
        klok = keuze.speed;
        opTijd = !teVroeg && GeneralLib::TimerReached(0);
        klok = 0;
        switch (keuze.afloop) {
        case Afloop::GameOver:
            levens = 0, strikXArr[1] = CelNaarPixel(zorpX), strikYArr[1] = CelNaarPixel(zorpY);
            break;
        case Afloop::Eindscherm:
            level = 5, frietCount = 10, zorpX = UitgangCel.x - 1, zorpY = UitgangCel.y;
            SpelTesting::Druk(39);
            break;
        case Afloop::Kruisje:
            TestKit::PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
            break;
        }
    });
    const bool kruisje = keuze.afloop == Afloop::Kruisje;
    EXPECT_EQ(KlikOp(&SubMenu, 235, keuze.knopY, [&] { return begonnen.load(); }),
              kruisje ? Scherm::Einde : Scherm::Menu);
    EXPECT_EQ(opTijd, true) << "the game timer runs at " << keuze.speed;
    EXPECT_TRUE(einde && menuCheck);
    EXPECT_EQ(Wimdows::WindowOpen(), !kruisje);
    if (keuze.plaatje != nullptr) {
        const auto getoond = Monster();
        Wimdows::DrawBitmap(Wimdows::LoadBitmap(keuze.plaatje, 1000, 700), 0, 0);
        EXPECT_EQ(getoond, Monster());
    }
    EXPECT_EQ(muziek[1] != 0, keuze.afloop == Afloop::Eindscherm) << "the final screen's music";
}

INSTANTIATE_TEST_SUITE_P(Cases, Difficulty,
                         ::testing::Values(Keuze{"EasyToGameOver", 87, 100, Afloop::GameOver,
                                                 "afbeeldingen/Gameoverscherm.bmp"},
                                           Keuze{"MediumToTheFinalScreen", 237, 75,
                                                 Afloop::Eindscherm, "afbeeldingen/eindscherm.bmp"},
                                           Keuze{"HardToTheCloseBox", 387, 55, Afloop::Kruisje,
                                                 nullptr}),
                         [](const auto& geval) { return std::string(geval.param.naam); });

} // namespace
