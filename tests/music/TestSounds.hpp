#pragma once

#include <string>

namespace MusicTest {

// A mono sine tone at 32000 Hz through libsndfile, as 16-bit PCM WAV or as MPEG layer III;
// false if it could not be written.
bool WriteWav(const std::string& path, double seconds);
bool WriteMp3(const std::string& path, double seconds);

// A new SDL2_mixer layer under Music, not yet started, on SDL's silent dummy device whatever
// the host has; the module is left inert as before its first InitMusic.
void FreshMixer();

} // namespace MusicTest
