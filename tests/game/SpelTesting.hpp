#pragma once

#include "TestKit.hpp"
#include "game/GameState.hpp"

#include <cstdint>
#include <gtest/gtest.h>

// Helpers for tests of the game's rules: a real play window on SDL's dummy driver, keys that
// travel the window thread's real event path, and an open maze to play in.
namespace SpelTesting {

// A key by Windows key code, pressed and released; returns once the window thread has it.
void Druk(std::uint32_t code);

// Level 1 of a game in progress on a maze walled on its border (entry and exit open) and blank
// inside, the enemies at their starts, as the game start sets it, without any file or picture.
void BeginLevel();

// Writes that maze as the files of all five levels into the working directory.
void SchrijfDoolhofBestanden();

// The generator as a fresh program has it, also after earlier tests in this process drew
// from it: its states form cycles, so drawing brings the first one round again.
void GeneratorOpBegin();

// Every case starts in that level, in a real play window, which it leaves closed.
class Spel : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
};

} // namespace SpelTesting
