#include "music/Music.hpp"

#include "music/MixerLayer.hpp"
#include "music/SoundLayer.hpp"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <vector>

namespace Music {
namespace {

constexpr std::int32_t MixRate = 32000;
constexpr std::int32_t SoftwareChannels = 64;
constexpr std::uint32_t InitFlags = 0;
constexpr std::uint32_t FullFactor = 100;

struct SndStruct {
    Sample snd = Sample::None;
    std::int32_t channel = 0;
    bool playing = false;
    bool repeat = false;
    // What the game asked for, and what the layer was last given after factor and mute.
    std::int32_t volume = MaxVolume;
    std::int32_t heard = MaxVolume;
};

// Held by every operation: SetMute comes from another thread than the rest.
std::mutex guard;
bool init = false;
std::vector<SndStruct> snd;
std::uint32_t sndlen = 0;
std::uint32_t musicFactor = FullFactor;
std::uint32_t effectsFactor = FullFactor;
// Written under the guard; read without it, so Muted never waits for a start of the output.
std::atomic<bool> muted = false;

std::unique_ptr<SoundLayer>& InstalledLayer() {
    static std::unique_ptr<SoundLayer> layer;
    return layer;
}

SoundLayer& Library() {
    std::unique_ptr<SoundLayer>& layer = InstalledLayer();
    if (!layer) {
        layer = MakeMixerLayer();
    }
    return *layer;
}

// The slot `sound` names, provided the module is live and the slot holds a sample.
SndStruct* Slot(std::uint32_t sound) {
    if (!init || sound == 0 || sound > sndlen) {
        return nullptr;
    }
    SndStruct& slot = snd[sound - 1];
    return slot.snd == Sample::None ? nullptr : &slot;
}

void Stop(SndStruct& slot) {
    Library().StopSound(slot.channel);
    slot.playing = false;
}

// Slots are never freed, so the new sample always goes into a new last slot.
std::uint32_t AddSound(Sample add) {
    snd.push_back({.snd = add});
    sndlen = static_cast<std::uint32_t>(snd.size());
    return sndlen;
}

std::int32_t Heard(const SndStruct& slot) {
    if (muted) {
        return 0;
    }
    const std::uint32_t factor = slot.repeat ? musicFactor : effectsFactor;
    return static_cast<std::int32_t>(
        (static_cast<std::uint32_t>(slot.volume) * factor + FullFactor / 2) / FullFactor);
}

// Only what changes reaches the layer, so settings at their defaults add no calls.
void ApplyVolumes() {
    if (!init) {
        return;
    }
    for (SndStruct& slot : snd) {
        if (!slot.playing || Heard(slot) == slot.heard) {
            continue;
        }
        slot.heard = Heard(slot);
        Library().SetVolume(slot.channel, slot.heard);
    }
}

} // namespace

void Init() {}

bool InitMusic() {
    const std::scoped_lock lock(guard);
    init = false;
    SoundLayer& library = Library();
    if (library.GetVersion() >= RequiredVersion) {
        init = library.Init(MixRate, SoftwareChannels, InitFlags);
    }
    return init;
}

std::uint32_t LoadSound(std::string file) {
    const std::scoped_lock lock(guard);
    if (!init) {
        return 0;
    }
    const Sample sample = Library().SampleLoad(AnyFreeSample, file, LoopOff, 0, 0);
    return sample == Sample::None ? 0 : AddSound(sample);
}

void PlaySound(std::uint32_t sound, bool repeat) {
    const std::scoped_lock lock(guard);
    SndStruct* slot = Slot(sound);
    if (slot == nullptr) {
        return;
    }
    if (slot->playing) {
        Stop(*slot);
    }
    SoundLayer& library = Library();
    library.SampleSetMode(slot->snd, repeat ? LoopNormal : LoopOff);
    slot->repeat = repeat;
    slot->volume = MaxVolume;
    slot->heard = Heard(*slot);
    slot->channel = library.PlaySound(AnyFreeChannel, slot->snd, slot->heard);
    slot->playing = true;
}

void StopSound(std::uint32_t sound) {
    const std::scoped_lock lock(guard);
    SndStruct* slot = Slot(sound);
    if (slot != nullptr && slot->playing) {
        Stop(*slot);
    }
}

void SetSoundVolume(std::uint32_t sound, std::uint32_t volume) {
    const std::scoped_lock lock(guard);
    SndStruct* slot = Slot(sound);
    if (slot == nullptr || !slot->playing) {
        return;
    }
    slot->volume = static_cast<std::int32_t>(std::min<std::uint32_t>(volume, MaxVolume));
    slot->heard = Heard(*slot);
    Library().SetVolume(slot->channel, slot->heard);
}

void SetVolumes(std::uint32_t musicPercent, std::uint32_t effectsPercent) {
    const std::scoped_lock lock(guard);
    musicFactor = std::min(musicPercent, FullFactor);
    effectsFactor = std::min(effectsPercent, FullFactor);
    ApplyVolumes();
}

void SetMute(bool mute) {
    const std::scoped_lock lock(guard);
    muted = mute;
    ApplyVolumes();
}

bool Muted() {
    return muted;
}

void SetSoundLayer(std::unique_ptr<SoundLayer> layer) {
    const std::scoped_lock lock(guard);
    InstalledLayer() = std::move(layer);
}

} // namespace Music
