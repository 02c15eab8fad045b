#include "game/Doolhof.hpp"
#include "game/DoolhofCheck.hpp"
#include "game/Meandor.hpp"
#include "support/GeneralLib.hpp"
#include "support/StandardLib.hpp"
#include "wimdows/Wimdows.hpp"
#include "wimdows/WimdowsTesting.hpp"

#include <SDL.h>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <vector>

// The game loop on a dummy-driver window with the real mazes and artwork, on a clock that
// stands still, so that no enemy steps and no flag comes: what is left is the pass itself.
namespace {

constexpr std::uint32_t Speed = 100;

void PassWithNothingToDo(benchmark::State& state) {
    Meandor::SpelRonde(Speed);
    for (auto _ : state) {
        Meandor::SpelRonde(Speed);
    }
}
BENCHMARK(PassWithNothingToDo);

// The first pass of a level: background, panels and all 600 cells of rows 1 to 20.
void FirstPassOfALevel(benchmark::State& state) {
    for (auto _ : state) {
        Meandor::MarkeerRijen1Tot20();
        Meandor::checkAchtergrondTekenen = true;
        Meandor::checkFriet = true;
        Meandor::SpelRonde(Speed);
    }
}
BENCHMARK(FirstPassOfALevel);

void PushKey(SDL_Scancode scancode, Uint32 type) {
    SDL_Event event{};
    event.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.scancode = scancode;
    event.key.keysym.sym = SDL_SCANCODE_TO_KEYCODE(scancode);
    SDL_PushEvent(&event);
}

// From the key event entering the window thread to the player's sprite on the window
// surface: the pass that reads the key moves the player, the next one draws it.
void KeyPressToSprite(benchmark::State& state) {
    bool right = true;
    for (auto _ : state) {
        const SDL_Scancode arrow = right ? SDL_SCANCODE_RIGHT : SDL_SCANCODE_LEFT;
        PushKey(arrow, SDL_KEYDOWN);
        Wimdows::Testing::WaitUntilHandled();
        Meandor::SpelRonde(Speed);
        Meandor::SpelRonde(Speed);
        state.PauseTiming();
        PushKey(arrow, SDL_KEYUP);
        Wimdows::Testing::WaitUntilHandled();
        right = !right;
        state.ResumeTiming();
    }
}
BENCHMARK(KeyPressToSprite);

void DoolhofladenOneMaze(benchmark::State& state) {
    for (auto _ : state) {
        Meandor::Doolhofladen();
    }
}
BENCHMARK(DoolhofladenOneMaze);

void CheckTheFiveMazes(benchmark::State& state) {
    std::vector<Meandor::DoolhofLevel> levels(Meandor::Levels);
    for (std::uint32_t lvl = 1; lvl <= Meandor::Levels; ++lvl) {
        levels[lvl - 1].bestand = Meandor::DoolhofBestandsnaam(lvl);
        Meandor::LaadDoolhofBestand(levels[lvl - 1].bestand, levels[lvl - 1].grid);
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(Meandor::ControleerDoolhoven(levels));
    }
}
BENCHMARK(CheckTheFiveMazes);

} // namespace

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    std::filesystem::current_path(MEANDOR_RUNTIME_DIR);
    GeneralLib::SetClock([] { return GeneralLib::TimeOfDay{12, 0, 0, 0}; });
    StandardLib::Init();
    Wimdows::Window("Spel", 1000, 700);
    if (!Wimdows::WindowOpen()) {
        return 1;
    }
    Meandor::BeginWaarden(Speed);
    Meandor::SpelRonde(Speed);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Wimdows::KillWindow();
    return 0;
}
