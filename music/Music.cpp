#include "music/Music.hpp"

#include "music/MixerLayer.hpp"
#include "music/SoundLayer.hpp"

#include <algorithm>
#include <vector>

namespace Music {
namespace {

constexpr std::int32_t MixRate = 32000;
constexpr std::int32_t SoftwareChannels = 64;
constexpr std::uint32_t InitFlags = 0;

struct SndStruct {
    Sample snd = Sample::None;
    std::int32_t channel = 0;
    bool playing = false;
};

bool init = false;
std::vector<SndStruct> snd;
std::uint32_t sndlen = 0;

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
    snd.push_back({add, 0, false});
    sndlen = static_cast<std::uint32_t>(snd.size());
    return sndlen;
}

} // namespace

void Init() {}

bool InitMusic() {
    init = false;
    SoundLayer& library = Library();
    if (library.GetVersion() >= RequiredVersion) {
        init = library.Init(MixRate, SoftwareChannels, InitFlags);
    }
    return init;
}

std::uint32_t LoadSound(std::string file) {
    if (!init) {
        return 0;
    }
    const Sample sample = Library().SampleLoad(AnyFreeSample, file, LoopOff, 0, 0);
    return sample == Sample::None ? 0 : AddSound(sample);
}

void PlaySound(std::uint32_t sound, bool repeat) {
    SndStruct* slot = Slot(sound);
    if (slot == nullptr) {
        return;
    }
    if (slot->playing) {
        Stop(*slot);
    }
    SoundLayer& library = Library();
    library.SampleSetMode(slot->snd, repeat ? LoopNormal : LoopOff);
    slot->channel = library.PlaySound(AnyFreeChannel, slot->snd);
    slot->playing = true;
}

void StopSound(std::uint32_t sound) {
    SndStruct* slot = Slot(sound);
    if (slot != nullptr && slot->playing) {
        Stop(*slot);
    }
}

void SetSoundVolume(std::uint32_t sound, std::uint32_t volume) {
    const SndStruct* slot = Slot(sound);
    if (slot == nullptr || !slot->playing) {
        return;
    }
    const auto limited = static_cast<std::int32_t>(std::min<std::uint32_t>(volume, MaxVolume));
    Library().SetVolume(slot->channel, limited);
}

void SetSoundLayer(std::unique_ptr<SoundLayer> layer) {
    InstalledLayer() = std::move(layer);
}

} // namespace Music
