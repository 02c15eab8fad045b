#include "music/MixerLayer.hpp"

#include <SDL.h>
#include <SDL_mixer.h>
#include <algorithm>
#include <array>
#include <filesystem>
#include <map>
#include <optional>
#include <system_error>
#include <vector>

namespace Music {
namespace {

namespace fs = std::filesystem;

constexpr float LayerVersion = 3.75F;
constexpr int OutputChannels = 2;
constexpr int BufferFrames = 1024;

// A channel handle is generation << ChannelBits | mixer channel: always positive, never NoChannel.
constexpr int ChannelBits = 8;
constexpr std::int32_t MaxChannels = 1 << ChannelBits;
constexpr std::uint32_t ChannelMask = MaxChannels - 1;
constexpr std::uint32_t GenerationLimit = 1U << (31 - ChannelBits);

using Chunk = std::shared_ptr<Mix_Chunk>;

// SDL's audio subsystem, the mixer's decoders and the open device, released in reverse order.
class AudioOutput {
  public:
    AudioOutput(int rate, int channels) {
        subsystem_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
        if (!subsystem_) {
            return;
        }
        // Without the MP3 decoder, WAV files still load; MP3 files then give no sound.
        Mix_Init(MIX_INIT_MP3);
        decoders_ = true;
        // No changes allowed: samples are decoded to this exact format, so they stay playable
        // on every later opening.
        open_ =
            Mix_OpenAudioDevice(rate, AUDIO_S16SYS, OutputChannels, BufferFrames, nullptr, 0) == 0;
        ready_ = open_ && Mix_AllocateChannels(channels) == channels;
    }

    ~AudioOutput() {
        if (open_) {
            Mix_CloseAudio();
        }
        if (decoders_) {
            Mix_Quit();
        }
        if (subsystem_) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
        }
    }

    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;

    bool Ready() const { return ready_; }

  private:
    bool subsystem_ = false;
    bool decoders_ = false;
    bool open_ = false;
    bool ready_ = false;
};

// What identifies the content of a file: where it really is, how long and when last written.
struct FileId {
    fs::path path;
    std::uintmax_t size = 0;
    fs::file_time_type modified;
};

// Only regular files: reading a pipe or a device could block or never end.
std::optional<FileId> Identify(const std::string& name) {
    std::error_code error;
    FileId id;
    id.path = fs::canonical(name, error);
    if (error || !fs::is_regular_file(id.path, error)) {
        return std::nullopt;
    }
    id.size = fs::file_size(id.path, error);
    if (error) {
        return std::nullopt;
    }
    id.modified = fs::last_write_time(id.path, error);
    if (error) {
        return std::nullopt;
    }
    return id;
}

// The whole file decoded to the output format; empty when it holds no sound.
Chunk Decode(const fs::path& path) {
    Mix_Chunk* decoded = Mix_LoadWAV_RW(SDL_RWFromFile(path.c_str(), "rb"), 1);
    if (decoded == nullptr) {
        return {};
    }
    Chunk chunk(decoded, Mix_FreeChunk);
    return chunk->alen == 0 ? Chunk{} : chunk;
}

std::int32_t MixerVolume(std::int32_t volume) {
    const std::int32_t limited = std::clamp(volume, 0, MaxVolume);
    return (limited * MIX_MAX_VOLUME + MaxVolume / 2) / MaxVolume;
}

class MixerLayer final : public SoundLayer {
  public:
    float GetVersion() override { return LayerVersion; }

    // Each call starts from scratch: the device closes, so everything playing stops, and
    // SDL's audio is set up anew. Samples are plain memory and survive it.
    bool Init(std::int32_t mixrate, std::int32_t channels, std::uint32_t /*flags*/) override {
        output_.reset();
        if (mixrate <= 0 || channels <= 0 || channels > MaxChannels) {
            return false;
        }
        auto output = std::make_unique<AudioOutput>(mixrate, channels);
        if (!output->Ready()) {
            return false;
        }
        output_ = std::move(output);
        channelCount_ = channels;
        return true;
    }

    // Only whole files into a new sample; other index, offset or length load nothing.
    Sample SampleLoad(std::int32_t index, const std::string& name, std::uint32_t mode,
                      std::int32_t offset, std::int32_t length) override {
        if (!Ready() || index != AnyFreeSample || offset != 0 || length != 0) {
            return Sample::None;
        }
        Chunk chunk = Load(name);
        if (!chunk) {
            return Sample::None;
        }
        samples_.push_back({std::move(chunk), Loops(mode)});
        return static_cast<Sample>(samples_.size());
    }

    void SampleSetMode(Sample sample, std::uint32_t mode) override {
        if (SampleSlot* slot = Find(sample)) {
            slot->loop = Loops(mode);
        }
    }

    std::int32_t PlaySound(std::int32_t channel, Sample sample) override {
        const SampleSlot* slot = Find(sample);
        if (!Ready() || slot == nullptr || channel != AnyFreeChannel) {
            return NoChannel;
        }
        const int target = FreeMixerChannel();
        if (target < 0) {
            return NoChannel;
        }
        // The channel keeps the volume of its previous playback; a new one starts at full.
        Mix_Volume(target, MIX_MAX_VOLUME);
        if (Mix_PlayChannel(target, slot->chunk.get(), slot->loop ? -1 : 0) != target) {
            return NoChannel;
        }
        return NewHandle(target);
    }

    void StopSound(std::int32_t channel) override {
        const int target = LiveChannel(channel);
        if (target >= 0) {
            Mix_HaltChannel(target);
        }
    }

    void SetVolume(std::int32_t channel, std::int32_t volume) override {
        const int target = LiveChannel(channel);
        if (target >= 0) {
            Mix_Volume(target, MixerVolume(volume));
        }
    }

  private:
    struct SampleSlot {
        Chunk chunk;
        bool loop = false;
    };

    struct CacheEntry {
        std::uintmax_t size = 0;
        fs::file_time_type modified;
        std::weak_ptr<Mix_Chunk> chunk;
    };

    static bool Loops(std::uint32_t mode) { return (mode & LoopNormal) != 0; }

    bool Ready() const { return output_ && output_->Ready(); }

    SampleSlot* Find(Sample sample) {
        const auto index = static_cast<std::size_t>(sample);
        return index == 0 || index > samples_.size() ? nullptr : &samples_[index - 1];
    }

    // Loads of an unchanged file share its decoded data.
    Chunk Load(const std::string& name) {
        const std::optional<FileId> id = Identify(name);
        if (!id) {
            return {};
        }
        CacheEntry& entry = cache_[id->path];
        if (entry.size == id->size && entry.modified == id->modified) {
            if (Chunk shared = entry.chunk.lock()) {
                return shared;
            }
        }
        Chunk chunk = Decode(id->path);
        if (!chunk) {
            cache_.erase(id->path);
            return {};
        }
        entry = {id->size, id->modified, chunk};
        return chunk;
    }

    // Only this thread starts playbacks, so a channel found free stays free until we use it.
    int FreeMixerChannel() const {
        for (int channel = 0; channel < channelCount_; ++channel) {
            if (Mix_Playing(channel) == 0) {
                return channel;
            }
        }
        return -1;
    }

    std::int32_t NewHandle(int channel) {
        std::uint32_t& generation = generations_[static_cast<std::size_t>(channel)];
        generation = generation + 1 < GenerationLimit ? generation + 1 : 1;
        return static_cast<std::int32_t>(generation << ChannelBits |
                                         static_cast<std::uint32_t>(channel));
    }

    // The mixer channel of the newest playback, or -1 for a handle of an older or failed one.
    int LiveChannel(std::int32_t handle) const {
        if (!Ready() || handle <= 0) {
            return -1;
        }
        const auto bits = static_cast<std::uint32_t>(handle);
        const auto channel = static_cast<int>(bits & ChannelMask);
        if (channel >= channelCount_ ||
            generations_[static_cast<std::size_t>(channel)] != bits >> ChannelBits) {
            return -1;
        }
        return channel;
    }

    // Declared first so it closes last, after every chunk is freed.
    std::unique_ptr<AudioOutput> output_;
    int channelCount_ = 0;
    std::vector<SampleSlot> samples_;
    std::map<fs::path, CacheEntry> cache_;
    // Kept across restarts, so handles from before one never match a newer playback.
    std::array<std::uint32_t, MaxChannels> generations_{};
};

} // namespace

std::unique_ptr<SoundLayer> MakeMixerLayer() {
    return std::make_unique<MixerLayer>();
}

} // namespace Music
