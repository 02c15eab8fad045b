#pragma once

#include <cstdint>
#include <string>

// The game's sounds: a table of loaded samples handed out as small numbers, 0 meaning no sound.
// Every operation is silent about failure and does nothing until InitMusic has succeeded.
// The game calls these from its game thread only; SetMute and Muted from any thread.
namespace Music {

// Module initialisation; starts nothing.
void Init();

// Starts (or restarts) sound output; TRUE when it is ready. A failure makes the module inert.
bool InitMusic();

// Loads the whole file anew into a new slot; its handle, or 0 on any failure.
std::uint32_t LoadSound(std::string file);

// Plays the sound from the start, endlessly when `repeat`; stops its previous playback first.
// The playback starts at the volume 255 would give under SetVolumes and SetMute.
void PlaySound(std::uint32_t sound, bool repeat);

void StopSound(std::uint32_t sound);

// Volume 0..255 (more counts as 255) of the sound's current playback, before the factor of its
// kind and the mute.
void SetSoundVolume(std::uint32_t sound, std::uint32_t volume);

// Factors in percent (more than 100 counts as 100) on the volumes of music, the sounds played
// with `repeat`, and of effects, those played once. They act at once on what plays; both start
// at 100, which leaves every volume as the game asks.
void SetVolumes(std::uint32_t musicPercent, std::uint32_t effectsPercent);

// Silences every sound at once, new playbacks too, and brings back the volumes when lifted.
// What plays keeps playing: a loop goes on unheard. Holds across InitMusic.
void SetMute(bool muted);

bool Muted();

} // namespace Music
