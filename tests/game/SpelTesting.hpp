#pragma once

#include "TestKit.hpp"
#include "game/GameState.hpp"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string_view>

// Helpers for tests of the game's rules: a real play window on SDL's dummy driver, keys and
// clicks that travel the window thread's real event path, and mazes written as they look.
namespace SpelTesting {

void OpenSpelVenster();

// Key events by Windows key code (arrows, Enter, Escape, letters); each returns once the
// window thread has handled it.
void ToetsNeer(std::uint32_t code);
void ToetsOp(std::uint32_t code);
void Druk(std::uint32_t code);

void Klik(std::int32_t x, std::int32_t y);
void SluitMetKruisje();

// Rows 1..21 of a maze as seen on screen, each 30 cells, column 1 first.
using Rijen = std::array<std::string_view, Meandor::Rijen>;
void ZetDoolhof(std::uint32_t lvl, const Rijen& rijen);

// A maze with walls on its border (entry and exit open) and blank cells inside.
Rijen OpenDoolhof();

// Writes rows as the maze file of a level ("doolhof<lvl>.txt", a line per column) into the
// working directory.
void SchrijfDoolhofBestand(std::uint32_t lvl, const Rijen& rijen);

// Runs the test in a fresh temporary working directory, removed afterwards.
class TijdelijkeMap {
  public:
    TijdelijkeMap();
    ~TijdelijkeMap();
    TijdelijkeMap(const TijdelijkeMap&) = delete;
    TijdelijkeMap& operator=(const TijdelijkeMap&) = delete;
    const TestKit::TempDir& Map() const { return map; }

  private:
    std::filesystem::path vorige;
    TestKit::TempDir map;
};

// The generator as a fresh program has it, also after earlier tests in this process drew
// from it: its states form cycles, so drawing brings the first one round again.
void GeneratorOpBegin();

// Sets the state a level is played in, as the game start does, without any file or picture.
void BeginLevel(std::uint32_t lvl, const Rijen& rijen);

} // namespace SpelTesting
