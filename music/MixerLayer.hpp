#pragma once

#include "music/SoundLayer.hpp"

#include <memory>

namespace Music {

// The sound layer on SDL2_mixer. It touches no SDL state until Init.
std::unique_ptr<SoundLayer> MakeMixerLayer();

} // namespace Music
