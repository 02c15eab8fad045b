#include "SpelTesting.hpp"
#include "game/Meandor.hpp"
#include "music/Music.hpp"
#include "support/GeneralLib.hpp"
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
        vorige = std::filesystem::current_path();
        std::filesystem::current_path(MEANDOR_RUNTIME_DIR);
        Music::Init();
        GeneralLib::SetClock([this] {
            const std::uint32_t nu = klok;
            return GeneralLib::TimeOfDay{10, 0, nu / 100, nu % 100};
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
    // Runs the screen while clicking (x, y) until `klaar` says the click was taken.
    template <typename Scherm, typename Klaar>
    auto KlikOp(Scherm scherm, std::int32_t x, std::int32_t y, const Klaar& klaar) {
        std::atomic<bool> gedaan = false;
        std::thread persoon([&] {
            while (!gedaan && !klaar()) {
                if (Wimdows::WindowOpen()) {
                    SpelTesting::Klik(x, y);
                }
                std::this_thread::sleep_for(30ms);
            }
        });
        const auto uitkomst = scherm();
        gedaan = true;
        persoon.join();
        return uitkomst;
    }
    std::vector<std::optional<std::uint32_t>> Monster() const {
        std::vector<std::optional<std::uint32_t>> pixels;
        for (std::int32_t i = 0; i < 20; ++i) {
            pixels.push_back(Wimdows::Testing::WindowPixel(25 + 47 * i, 15 + 33 * i));
        }
        return pixels;
    }
    std::vector<std::optional<std::uint32_t>> MonsterVan(const char* plaatje) const {
        Wimdows::DrawBitmap(Wimdows::LoadBitmap(plaatje, 1000, 700), 0, 0);
        return Monster();
    }
    std::filesystem::path vorige;
    std::atomic<std::uint32_t> klok = 0;
};

TEST_F(Screens, QuitOnTheInfoScreensEndsTheProgram) {
    for (const auto scherm : {&Instructions, &Credits}) {
        EXPECT_EQ(KlikOp(scherm, 875, 667, [] { return false; }), Scherm::Einde);
        EXPECT_FALSE(Wimdows::WindowOpen());
    }
}

enum class Afloop { GameOver, Eindscherm, Escape, Kruisje };

struct Keuze {
    const char* naam;
    std::int32_t knopY;
    std::uint32_t speed;
    Afloop afloop;
};

class Difficulty : public Screens, public ::testing::WithParamInterface<Keuze> {};

// Each difficulty starts the game at its speed, and whatever ends the game, the main menu comes
// next with the game's window still up for it; only the close box ends the program.
TEST_P(Difficulty, PlaysAtItsSpeedAndReturnsToTheMenu) {
    const Keuze& keuze = GetParam();
    std::atomic<bool> begonnen = false;
    std::optional<bool> opTijd;
    SetWaarnemer([&](Moment moment) {
        begonnen = true;
        if (moment == Moment::Wachten) {
            SpelTesting::ToetsNeer(13);
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
            levens = 0;
            strikXArr[1] = CelNaarPixel(zorpX);
            strikYArr[1] = CelNaarPixel(zorpY);
            break;
        case Afloop::Eindscherm:
            level = 5;
            frietCount = 10;
            zorpX = UitgangCel.x - 1;
            zorpY = UitgangCel.y;
            SpelTesting::Druk(39);
            break;
        case Afloop::Escape:
            SpelTesting::Druk(27);
            break;
        case Afloop::Kruisje:
            SpelTesting::SluitMetKruisje();
            break;
        }
    });
    const bool kruisje = keuze.afloop == Afloop::Kruisje;
    EXPECT_EQ(KlikOp(&SubMenu, 235, keuze.knopY, [&] { return begonnen.load(); }),
              kruisje ? Scherm::Einde : Scherm::Menu);
    EXPECT_EQ(opTijd, true) << "the game timer runs at " << keuze.speed;
    EXPECT_TRUE(einde && menuCheck);
    EXPECT_EQ(Wimdows::WindowOpen(), !kruisje);
    if (keuze.afloop == Afloop::Eindscherm) {
        EXPECT_NE(muziek[1], 0U) << "the final screen's music is loaded";
        const auto getoond = Monster();
        EXPECT_EQ(getoond, MonsterVan("afbeeldingen/eindscherm.bmp"));
    }
    if (keuze.afloop == Afloop::GameOver) {
        const auto getoond = Monster();
        EXPECT_EQ(getoond, MonsterVan("afbeeldingen/Gameoverscherm.bmp"));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Difficulty,
                         ::testing::Values(Keuze{"EasyToGameOver", 87, 100, Afloop::GameOver},
                                           Keuze{"MediumToTheFinalScreen", 237, 75,
                                                 Afloop::Eindscherm},
                                           Keuze{"HardToEscape", 387, 55, Afloop::Escape},
                                           Keuze{"EasyToTheCloseBox", 87, 100, Afloop::Kruisje}),
                         [](const auto& geval) { return std::string(geval.param.naam); });

} // namespace
