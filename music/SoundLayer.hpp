#pragma once

#include <cstdint>
#include <memory>
#include <string>

// The sound library under Music: seven operations, and a seam through which tests replace it.
// Music calls a layer from one thread at a time.
namespace Music {

// A sample loaded by a sound layer; None when nothing was loaded.
enum class Sample : std::uint32_t { None = 0 };

constexpr float RequiredVersion = 3.75F;
constexpr std::int32_t AnyFreeSample = -1;
constexpr std::int32_t AnyFreeChannel = -1;
constexpr std::int32_t NoChannel = -1;
constexpr std::uint32_t LoopOff = 1;
constexpr std::uint32_t LoopNormal = 2;
constexpr std::int32_t MaxVolume = 255;

class SoundLayer {
  public:
    virtual ~SoundLayer() = default;

    // The interface level the layer implements.
    virtual float GetVersion() = 0;

    // (Re)starts output; true when it is ready.
    virtual bool Init(std::int32_t mixrate, std::int32_t channels, std::uint32_t flags) = 0;

    // Decodes the whole file `name` into a new sample.
    virtual Sample SampleLoad(std::int32_t index, const std::string& name, std::uint32_t mode,
                              std::int32_t offset, std::int32_t length) = 0;

    // LoopNormal: later plays loop; LoopOff: they play once.
    virtual void SampleSetMode(Sample sample, std::uint32_t mode) = 0;

    // Starts the sample at once at `volume` 0..MaxVolume, which it has from its first sound on;
    // the new playback's channel handle, or NoChannel.
    virtual std::int32_t PlaySound(std::int32_t channel, Sample sample, std::int32_t volume) = 0;

    virtual void StopSound(std::int32_t channel) = 0;

    // Volume 0..MaxVolume of the playback `channel` names.
    virtual void SetVolume(std::int32_t channel, std::int32_t volume) = 0;
};

// Replaces the layer Music talks to (SDL2_mixer's by default). Meant for tests, before the first
// InitMusic: samples already in the sound table belong to the layer that loaded them.
void SetSoundLayer(std::unique_ptr<SoundLayer> layer);

} // namespace Music
