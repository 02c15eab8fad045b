#include "music/MixerLayer.hpp"

#include "music/EndTags.hpp"

#include <SDL.h>
#include <SDL_mixer.h>
#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <limits>
#include <map>
#include <optional>
#include <string_view>
#include <system_error>
#include <vector>

namespace Music {
namespace {

namespace fs = std::filesystem;

constexpr float LayerVersion = 3.75F;
constexpr int OutputChannels = 2;
constexpr int BufferFrames = 1024;
// How far past its ID3v2 tags an MP3 file's first frame is looked for.
constexpr std::size_t PaddingLimit = 64 * 1024;

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

using Bytes = std::vector<std::uint8_t>;

struct RWopsCloser {
    void operator()(SDL_RWops* source) const { SDL_RWclose(source); }
};

// In one read: a byte at a time through a stream iterator takes a good part of a second for the
// level music, and the game does not look at its window meanwhile. The mixer takes no more
// than an int can count.
std::optional<Bytes> ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = in ? static_cast<std::streamoff>(in.tellg()) : -1;
    if (size < 0 || size > std::numeric_limits<int>::max()) {
        return std::nullopt;
    }
    Bytes bytes(static_cast<std::size_t>(size));
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), size)) {
        return std::nullopt;
    }
    return bytes;
}

std::uint32_t Little32(const Bytes& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8U |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16U |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24U;
}

void PutLittle32(Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8U * i));
    }
}

bool StartsWith(const Bytes& bytes, std::size_t at, std::string_view text) {
    return bytes.size() >= at + text.size() &&
           std::equal(text.begin(), text.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at),
                      [](char c, std::uint8_t b) { return static_cast<std::uint8_t>(c) == b; });
}

bool IsWav(const Bytes& bytes) {
    return StartsWith(bytes, 0, "RIFF") && StartsWith(bytes, 8, "WAVE");
}

// What an MPEG audio frame header says, as far as finding the next frame needs.
struct MpegFrame {
    unsigned version = 0; // 0 MPEG 2.5, 2 MPEG 2, 3 MPEG 1
    unsigned layer = 0;   // 1 layer III, 2 layer II, 3 layer I
    unsigned bitrate = 0;
    unsigned rate = 0;
    unsigned padding = 0;

    bool SameStream(const MpegFrame& other) const {
        return version == other.version && layer == other.layer && rate == other.rate;
    }
};

// The frame header at `at`: sync bits, a known version and layer, a bit rate other than "free"
// or "bad" and a known sampling rate.
std::optional<MpegFrame> MpegFrameAt(const Bytes& bytes, std::size_t at) {
    if (bytes.size() < 4 || at > bytes.size() - 4 || bytes[at] != 0xFF ||
        (bytes[at + 1] & 0xE0U) != 0xE0U) {
        return std::nullopt;
    }
    const unsigned second = bytes[at + 1];
    const unsigned third = bytes[at + 2];
    const MpegFrame frame{.version = (second >> 3U) & 3U,
                          .layer = (second >> 1U) & 3U,
                          .bitrate = third >> 4U,
                          .rate = (third >> 2U) & 3U,
                          .padding = (third >> 1U) & 1U};
    if (frame.version == 1 || frame.layer == 0 || frame.bitrate == 0 || frame.bitrate == 15 ||
        frame.rate == 3) {
        return std::nullopt;
    }
    return frame;
}

// The length of a frame in bytes, header included.
std::size_t FrameLength(const MpegFrame& frame) {
    // Kilobits a second by layer I, II, III; MPEG 1 first, then MPEG 2 and 2.5.
    constexpr std::array<std::array<std::array<unsigned, 15>, 3>, 2> Bitrates{{
        {{{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},
          {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},
          {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320}}},
        {{{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},
          {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},
          {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160}}},
    }};
    constexpr std::array<std::array<unsigned, 3>, 4> Rates{
        {{11025, 12000, 8000}, {}, {22050, 24000, 16000}, {44100, 48000, 32000}}};
    const bool mpeg1 = frame.version == 3;
    const unsigned layer = 4 - frame.layer;
    const std::size_t bitsPerSecond = 1000U * Bitrates[mpeg1 ? 0 : 1][layer - 1][frame.bitrate];
    const std::size_t rate = Rates[frame.version][frame.rate];
    if (layer == 1) {
        return (12 * bitsPerSecond / rate + frame.padding) * 4; // in slots of four bytes
    }
    const std::size_t samples = layer == 3 && !mpeg1 ? 576 : 1152;
    return samples / 8 * bitsPerSecond / rate + frame.padding;
}

// A frame header at `at` with another of the same stream right after it: padding and junk
// can hold a sync pattern, but hardly two a frame apart.
bool ConfirmedFrameAt(const Bytes& bytes, std::size_t at) {
    const std::optional<MpegFrame> frame = MpegFrameAt(bytes, at);
    if (!frame) {
        return false;
    }
    const std::optional<MpegFrame> next = MpegFrameAt(bytes, at + FrameLength(*frame));
    return next && next->SameStream(*frame);
}

// Where the audio starts: at once, or else the first confirmed frame before `searchEnd`.
std::optional<std::size_t> FirstFrame(const Bytes& bytes, std::size_t searchEnd) {
    if (MpegFrameAt(bytes, 0)) {
        return 0;
    }
    for (std::size_t at = 1; at < std::min(searchEnd, bytes.size()); ++at) {
        if (ConfirmedFrameAt(bytes, at)) {
            return at;
        }
    }
    return std::nullopt;
}

// The length of the ID3v2 tag at the start, header and footer included; 0 without one.
std::size_t Id3v2Length(const Bytes& bytes) {
    constexpr std::size_t HeaderSize = 10;
    if (!StartsWith(bytes, 0, "ID3") || bytes.size() < HeaderSize) {
        return 0;
    }
    std::size_t length = 0;
    for (std::size_t i = 6; i < HeaderSize; ++i) {
        length = length << 7U | (bytes[i] & 0x7FU); // "synchsafe": seven bits a byte
    }
    const bool footer = (bytes[5] & 0x10U) != 0;
    return HeaderSize + length + (footer ? HeaderSize : 0);
}

// SDL allocates each WAV chunk at the length its header declares, gigabytes for a file of a
// few bytes. A length that runs past the end of the file is cut to what the file holds: all
// that the decoder could read of it anyway.
void CutChunksToFile(Bytes& bytes) {
    constexpr std::size_t HeaderSize = 8;
    std::size_t at = 12; // after "RIFF", its size and "WAVE"
    while (at + HeaderSize <= bytes.size()) {
        const std::size_t left = bytes.size() - at - HeaderSize;
        const std::uint32_t length = Little32(bytes, at + 4);
        if (length > left) {
            PutLittle32(bytes, at + 4, static_cast<std::uint32_t>(left));
            return;
        }
        at += HeaderSize + length + (length & 1U);
    }
}

// What the mixer is given of a file: a WAV file with its chunks cut to the file, or an MPEG
// audio stream from its first frame to the tags behind it, without the ID3v2 tags in front of
// it (the mixer allocates whatever length a tag's frames declare, and loses the text of tags
// it read before a damaged one; a sound needs no tags). Nothing else: the mixer would hand it
// to some decoder of its own (its module player takes whatever it cannot name), with no bound
// on what comes out.
std::optional<Bytes> Decodable(Bytes bytes) {
    if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        return std::nullopt;
    }
    if (IsWav(bytes)) {
        CutChunksToFile(bytes);
        return bytes;
    }
    const bool tagged = Id3v2Length(bytes) > 0;
    for (std::size_t tag = Id3v2Length(bytes); tag > 0; tag = Id3v2Length(bytes)) {
        if (tag >= bytes.size()) {
            return std::nullopt;
        }
        bytes.erase(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(tag));
    }
    // Taggers leave padding between the tag and the audio, which players (and the mixer) skip.
    // Without a tag the audio must start at once: the mixer recognises MP3 by its first bytes.
    const std::optional<std::size_t> audio = FirstFrame(bytes, tagged ? PaddingLimit : 0);
    if (!audio) {
        return std::nullopt;
    }
    bytes.erase(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(*audio));
    const std::optional<std::size_t> end = EndOfAudio(bytes);
    if (!end) {
        return std::nullopt;
    }
    bytes.resize(*end);
    return bytes;
}

// The whole file decoded to the output format; empty when it holds no sound.
Chunk Decode(const fs::path& path) {
    std::optional<Bytes> file = ReadAll(path);
    const std::optional<Bytes> bytes = file ? Decodable(std::move(*file)) : std::nullopt;
    if (!bytes) {
        return {};
    }
    // Closed here, not by the mixer: on files of 4 to 11 bytes it forgets to.
    const std::unique_ptr<SDL_RWops, RWopsCloser> source{
        SDL_RWFromConstMem(bytes->data(), static_cast<int>(bytes->size()))};
    Mix_Chunk* decoded = Mix_LoadWAV_RW(source.get(), 0);
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

    // The device opens once; a later call stops everything playing and keeps it open, so a
    // screen change costs no reopening. Samples are plain memory and stay valid either way.
    bool Init(std::int32_t mixrate, std::int32_t channels, std::uint32_t /*flags*/) override {
        if (mixrate <= 0 || channels <= 0 || channels > MaxChannels) {
            output_.reset();
            return false;
        }
        if (Ready() && mixrate == mixrate_) {
            Mix_HaltChannel(-1);
            return Channels(channels);
        }
        output_.reset();
        auto output = std::make_unique<AudioOutput>(mixrate, channels);
        if (!output->Ready()) {
            return false;
        }
        output_ = std::move(output);
        mixrate_ = mixrate;
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

    std::int32_t PlaySound(std::int32_t channel, Sample sample, std::int32_t volume) override {
        const SampleSlot* slot = Find(sample);
        if (!Ready() || slot == nullptr || channel != AnyFreeChannel) {
            return NoChannel;
        }
        const int target = FreeMixerChannel();
        if (target < 0) {
            return NoChannel;
        }
        // The channel keeps the volume of its previous playback, and the mixer's thread may
        // mix it the moment it plays.
        Mix_Volume(target, MixerVolume(volume));
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

    bool Channels(int channels) {
        if (channels != channelCount_ && Mix_AllocateChannels(channels) != channels) {
            output_.reset();
            return false;
        }
        channelCount_ = channels;
        return true;
    }

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
    int mixrate_ = 0;
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
