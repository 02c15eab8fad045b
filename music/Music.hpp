#pragma once

#include <cstdint>
#include <string>

// The game's sounds: a table of loaded samples handed out as small numbers, 0 meaning no sound.
// Every operation is silent about failure and does nothing until InitMusic has succeeded.
namespace Music {

// Module initialisation; starts nothing.
void Init();

// Starts (or restarts) sound output; TRUE when it is ready. A failure makes the module inert.
bool InitMusic();

// Loads the whole file anew into a new slot; its handle, or 0 on any failure.
std::uint32_t LoadSound(std::string file);

// Plays the sound from the start, endlessly when `repeat`; stops its previous playback first.
void PlaySound(std::uint32_t sound, bool repeat);

void StopSound(std::uint32_t sound);

// Volume 0..255 (more counts as 255) of the sound's current playback.
void SetSoundVolume(std::uint32_t sound, std::uint32_t volume);

} // namespace Music
