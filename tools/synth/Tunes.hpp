#pragma once
// The game's music and effects, composed on the voices of Voices.hpp.

#include "tools/synth/Voices.hpp"

namespace Synth {

Track MenuTune();  // loops; starts and ends in silence
Track LevelTune(); // loops seamlessly as PCM
Track Anthem();
Track GameOverPhrase();
Track FriesEffect();
Track LifeLostEffect();
Track LevelDoneEffect();

} // namespace Synth
