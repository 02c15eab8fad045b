#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// What each fuzz target does with one input, shared by the libFuzzer entry points and the plain
// tests that replay the seed corpora and every input a fuzzer once found a fault with.
namespace Fuzz {

using Bytes = std::span<const std::uint8_t>;

// Reads mazes from the bytes one after another, as many as the bytes hold (one to five), with
// the game's loader, and checks them as consecutive levels; also dumps every grid. The number
// of violations found.
std::size_t DoolhofBytes(Bytes data);

// The bytes as a bitmap file through Wimdows::LoadBitmap, at a size of 1 to 64 a side taken
// from the input's length, then drawn plain and through itself as a mask into a dummy window.
// The handle LoadBitmap gave.
std::uint32_t BitmapBytes(Bytes data);

// The bytes as a sound file through Music::LoadSound on SDL's dummy audio driver, then played
// and stopped. The handle LoadSound gave.
std::uint32_t SoundBytes(Bytes data);

} // namespace Fuzz
