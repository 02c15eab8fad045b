#pragma once
// Composes and writes every sound the game opens into "muziek/" under the
// given root: two looping tunes, short effects, a game-over phrase and a
// closing anthem, as WAV (16-bit PCM) and MP3 (through LAME) at 32000 Hz.

#include <filesystem>

namespace Synth {

void WriteSounds(const std::filesystem::path& root);

} // namespace Synth
