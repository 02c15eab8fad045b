#pragma once

#include <string>

namespace MusicTest {

// A 16-bit mono PCM sine tone at 32000 Hz, header written byte by byte.
void WriteWav(const std::string& path, double seconds);

// An MPEG layer III sine tone through libsndfile; false if it could not be written.
bool WriteMp3(const std::string& path, double seconds);

// A new SDL2_mixer layer under Music, not yet started, on SDL's silent dummy device whatever
// the host has; the module is left inert as before its first InitMusic.
void FreshMixer();

} // namespace MusicTest
