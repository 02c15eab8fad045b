#pragma once

#include "music/SoundLayer.hpp"

#include <chrono>
#include <memory>

namespace Music {

// The sound layer on SDL2_mixer. It touches no SDL state until Init. When the open device is
// lost, a thread of its own opens the output anew, at once and then every `retry` while that
// fails, and starts the loops that played again; one-shots are dropped.
std::unique_ptr<SoundLayer>
MakeMixerLayer(std::chrono::milliseconds retry = std::chrono::seconds(1));

} // namespace Music
