#include "music/MixerLayer.hpp"

#include "music/SoundFile.hpp"

#include <SDL.h>
#include <SDL_mixer.h>
#include <algorithm>
#include <array>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <limits>
#include <map>
#include <mutex>
#include <optional>
#include <string_view>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace Music {
namespace {

namespace fs = std::filesystem;

constexpr float LayerVersion = 3.75F;
constexpr int OutputChannels = 2;
constexpr Uint32 FrameBytes = 2 * OutputChannels; // AUDIO_S16SYS
constexpr int BufferFrames = 1024;

// A channel handle is generation << ChannelBits | mixer channel: always positive, never NoChannel.
constexpr int ChannelBits = 8;
constexpr std::int32_t MaxChannels = 1 << ChannelBits;
constexpr std::uint32_t ChannelMask = MaxChannels - 1;
constexpr std::uint32_t GenerationLimit = 1U << (31 - ChannelBits);

using Chunk = std::shared_ptr<Mix_Chunk>;
using Clock = std::chrono::steady_clock;

// Raised on SDL's audio thread when the open device is lost, awaited by the layer's recovery
// thread. Its lock guards the flags alone, so raising never waits for anything else. It stops
// the wait itself, not by a stop token: GCC 12's library on Windows wakes a stop token's waiter
// through the atomic wait that can miss its wake-up (wimdows/Waitable.hpp).
class LossSignal {
  public:
    void Raise() {
        {
            const std::scoped_lock lock(mutex);
            lost = true;
        }
        raised.notify_all();
    }

    // Whether a loss was raised since the last call.
    bool Take() {
        const std::scoped_lock lock(mutex);
        return std::exchange(lost, false);
    }

    // Until a loss is raised and `notBefore` has come; false once stopped.
    bool Await(Clock::time_point notBefore) {
        std::unique_lock lock(mutex);
        raised.wait(lock, [this] { return lost || stopped; });
        raised.wait_until(lock, notBefore, [this] { return stopped; });
        return !stopped;
    }

    // Ends the wait under way and every later one.
    void Stop() {
        {
            const std::scoped_lock lock(mutex);
            stopped = true;
        }
        raised.notify_all();
    }

  private:
    std::mutex mutex;
    std::condition_variable raised;
    bool lost = false;
    bool stopped = false;
};

// The thread that reopens the output after a loss, stopped and joined with its owner.
class Recovery {
  public:
    explicit Recovery(LossSignal& awaited) : signal(awaited) {}
    ~Recovery() {
        if (thread.joinable()) {
            signal.Stop();
            thread.join();
        }
    }
    Recovery(const Recovery&) = delete;
    Recovery& operator=(const Recovery&) = delete;

    bool Started() const { return thread.joinable(); }
    template <typename Body> void Start(Body body) { thread = std::thread(std::move(body)); }

  private:
    LossSignal& signal;
    std::thread thread;
};

// Called on the thread that pushes the event, under SDL's lock of its watchers: it only raises.
// SDL names an opened device (which != 0), and the mixer's is the only one this program opens.
int SDLCALL WatchLoss(void* signal, SDL_Event* event) {
    if (event->type == SDL_AUDIODEVICEREMOVED && event->adevice.which != 0 &&
        event->adevice.iscapture == 0) {
        static_cast<LossSignal*>(signal)->Raise();
    }
    return 0;
}

// SDL's audio subsystem, the mixer's decoders, the watch for a lost device and the open device,
// released in reverse order.
class AudioOutput {
  public:
    AudioOutput(int rate, int channels, LossSignal& signal) {
        subsystem = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
        if (!subsystem) {
            return;
        }
        // Without the MP3 decoder, WAV files still load; MP3 files then give no sound.
        Mix_Init(MIX_INIT_MP3);
        decoders = true;
        // Before the opening, so a device lost at once is seen too.
        SDL_AddEventWatch(WatchLoss, &signal);
        lossSignal = &signal;
        // No changes allowed: samples are decoded to this exact format, so they stay playable
        // on every later opening.
        open =
            Mix_OpenAudioDevice(rate, AUDIO_S16SYS, OutputChannels, BufferFrames, nullptr, 0) == 0;
        ready = open && Mix_AllocateChannels(channels) == channels;
    }

    ~AudioOutput() {
        if (lossSignal != nullptr) {
            SDL_DelEventWatch(WatchLoss, lossSignal);
        }
        if (open) {
            Mix_CloseAudio();
        }
        if (decoders) {
            Mix_Quit();
        }
        if (subsystem) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
        }
    }

    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;

    bool Ready() const { return ready; }

  private:
    bool subsystem = false;
    bool decoders = false;
    LossSignal* lossSignal = nullptr;
    bool open = false;
    bool ready = false;
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

// The chunk turned round to begin `frames` in: looping it carries on a loop begun that long ago.
Chunk Turned(const Chunk& chunk, std::int64_t frames) {
    const Uint32 length = chunk->alen / FrameBytes;
    const auto offset = length == 0 ? 0 : static_cast<Uint32>(frames % length) * FrameBytes;
    if (offset == 0) {
        return chunk;
    }
    auto bytes = std::make_shared<Bytes>(chunk->abuf + offset, chunk->abuf + chunk->alen);
    bytes->insert(bytes->end(), chunk->abuf, chunk->abuf + offset);
    Mix_Chunk* turned = Mix_QuickLoad_RAW(bytes->data(), chunk->alen);
    if (turned == nullptr) {
        return chunk;
    }
    // Freeing stops any channel that plays it, and only then are its bytes released.
    return {turned, [bytes](Mix_Chunk* mixed) { Mix_FreeChunk(mixed); }};
}

std::int32_t MixerVolume(std::int32_t volume) {
    const std::int32_t limited = std::clamp(volume, 0, MaxVolume);
    return (limited * MIX_MAX_VOLUME + MaxVolume / 2) / MaxVolume;
}

class MixerLayer final : public SoundLayer {
  public:
    explicit MixerLayer(std::chrono::milliseconds retry) : retryAfter(retry) {}

    float GetVersion() override { return LayerVersion; }

    // The device opens once; a later call stops everything playing and keeps it open, so a
    // screen change costs no reopening. Samples are plain memory and stay valid either way.
    bool Init(std::int32_t mixrate, std::int32_t channels, std::uint32_t /*flags*/) override {
        const std::scoped_lock lock(mutex);
        live = false;
        loops = {};
        if (mixrate <= 0 || channels <= 0 || channels > MaxChannels) {
            output.reset();
            return false;
        }
        if (Ready() && mixrate == openRate) {
            Mix_HaltChannel(-1);
            live = Channels(channels);
            return live;
        }
        openRate = mixrate;
        channelCount = channels;
        Open();
        live = Ready();
        if (live && !recovery.Started()) {
            recovery.Start([this] { Recover(); });
        }
        return live;
    }

    // Only whole files into a new sample; other index, offset or length load nothing.
    Sample SampleLoad(std::int32_t index, const std::string& name, std::uint32_t mode,
                      std::int32_t offset, std::int32_t length) override {
        const std::scoped_lock lock(mutex);
        if (!Ready() || index != AnyFreeSample || offset != 0 || length != 0) {
            return Sample::None;
        }
        Chunk chunk = Load(name);
        if (!chunk) {
            return Sample::None;
        }
        samples.push_back({std::move(chunk), Loops(mode)});
        return static_cast<Sample>(samples.size());
    }

    void SampleSetMode(Sample sample, std::uint32_t mode) override {
        const std::scoped_lock lock(mutex);
        if (SampleSlot* slot = Find(sample)) {
            slot->loop = Loops(mode);
        }
    }

    std::int32_t PlaySound(std::int32_t channel, Sample sample, std::int32_t volume) override {
        const std::scoped_lock lock(mutex);
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
        loops[Index(target)].reset();
        if (slot->loop) {
            loops[Index(target)] = Loop{slot->chunk, Clock::now(), MixerVolume(volume), {}};
        }
        return NewHandle(target);
    }

    // While the output is down, a loop's record still follows, so it comes back as left.
    void StopSound(std::int32_t channel) override {
        const std::scoped_lock lock(mutex);
        const int target = LiveChannel(channel);
        if (target < 0) {
            return;
        }
        if (Ready()) {
            Mix_HaltChannel(target);
        }
        loops[Index(target)].reset();
    }

    void SetVolume(std::int32_t channel, std::int32_t volume) override {
        const std::scoped_lock lock(mutex);
        const int target = LiveChannel(channel);
        if (target < 0) {
            return;
        }
        if (std::optional<Loop>& loop = loops[Index(target)]) {
            loop->volume = MixerVolume(volume);
        }
        if (Ready()) {
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

    // A looping playback, as much as starting it again on a new device takes.
    struct Loop {
        Chunk sound;
        Clock::time_point start;
        int volume = MIX_MAX_VOLUME;
        Chunk turned; // what the mixer plays since a restart
    };

    static bool Loops(std::uint32_t mode) { return (mode & LoopNormal) != 0; }

    static std::size_t Index(int channel) { return static_cast<std::size_t>(channel); }

    // A new start of SDL's audio as a whole: a restarted sound server is reached no other way.
    void Open() {
        lossSignal.Take(); // a loss of the output closed here needs no recovery
        output.reset();
        output = std::make_unique<AudioOutput>(openRate, channelCount, lossSignal);
        if (!output->Ready()) {
            output.reset();
        }
    }

    // After a loss, a reopening at once and then one a retry interval, until one succeeds or
    // Init has opened anew or failed.
    void Recover() {
        Clock::time_point next = Clock::now();
        while (lossSignal.Await(next)) {
            next = Clock::now() + retryAfter;
            Reopen();
        }
        // SDL frees what it keeps per thread (the text of its last error) only on its own threads.
        SDL_TLSCleanup();
    }

    void Reopen() {
        const std::scoped_lock lock(mutex);
        if (!lossSignal.Take() || !live) {
            return;
        }
        Open();
        if (!Ready()) {
            lossSignal.Raise();
            return;
        }
        RestartLoops();
    }

    // Each loop on its old channel, so its handle holds, from about where it would be by now
    // (SDL mixes on while the device is lost). One-shots are not worth bringing back.
    void RestartLoops() {
        const Clock::time_point now = Clock::now();
        for (int channel = 0; channel < channelCount; ++channel) {
            std::optional<Loop>& loop = loops[Index(channel)];
            if (!loop) {
                continue;
            }
            const auto played =
                std::chrono::duration_cast<std::chrono::microseconds>(now - loop->start);
            loop->turned = Turned(loop->sound, played.count() * openRate / 1'000'000);
            Mix_Volume(channel, loop->volume);
            if (Mix_PlayChannel(channel, loop->turned.get(), -1) != channel) {
                loop.reset();
            }
        }
    }

    bool Channels(int channels) {
        if (channels != channelCount && Mix_AllocateChannels(channels) != channels) {
            output.reset();
            return false;
        }
        channelCount = channels;
        return true;
    }

    bool Ready() const { return output && output->Ready(); }

    SampleSlot* Find(Sample sample) {
        const auto index = static_cast<std::size_t>(sample);
        return index == 0 || index > samples.size() ? nullptr : &samples[index - 1];
    }

    // Loads of an unchanged file share its decoded data.
    Chunk Load(const std::string& name) {
        const std::optional<FileId> id = Identify(name);
        if (!id) {
            return {};
        }
        CacheEntry& entry = cache[id->path];
        if (entry.size == id->size && entry.modified == id->modified) {
            if (Chunk shared = entry.chunk.lock()) {
                return shared;
            }
        }
        Chunk chunk = Decode(id->path);
        if (!chunk) {
            cache.erase(id->path);
            return {};
        }
        entry = {id->size, id->modified, chunk};
        return chunk;
    }

    // Playbacks start only under the lock, so a channel found free stays free until we use it.
    int FreeMixerChannel() const {
        for (int channel = 0; channel < channelCount; ++channel) {
            if (Mix_Playing(channel) == 0) {
                return channel;
            }
        }
        return -1;
    }

    std::int32_t NewHandle(int channel) {
        std::uint32_t& generation = generations[Index(channel)];
        generation = generation + 1 < GenerationLimit ? generation + 1 : 1;
        return static_cast<std::int32_t>(generation << ChannelBits |
                                         static_cast<std::uint32_t>(channel));
    }

    // The mixer channel of the newest playback, or -1 for a handle of an older or failed one.
    int LiveChannel(std::int32_t handle) const {
        if (!live || handle <= 0) {
            return -1;
        }
        const auto bits = static_cast<std::uint32_t>(handle);
        const auto channel = static_cast<int>(bits & ChannelMask);
        if (channel >= channelCount || generations[Index(channel)] != bits >> ChannelBits) {
            return -1;
        }
        return channel;
    }

    // Outlives the output, whose watch raises it.
    LossSignal lossSignal;
    // Declared early so it closes late, after every chunk is freed.
    std::unique_ptr<AudioOutput> output;
    int openRate = 0;
    int channelCount = 0;
    // Since the last Init succeeded: the output is open, or lost and being reopened.
    bool live = false;
    std::vector<SampleSlot> samples;
    std::map<fs::path, CacheEntry> cache;
    // Kept across restarts, so handles from before one never match a newer playback.
    std::array<std::uint32_t, MaxChannels> generations{};
    std::array<std::optional<Loop>, MaxChannels> loops;
    const std::chrono::milliseconds retryAfter;
    // Everything above is shared by the calling thread and the recovery thread.
    std::mutex mutex;
    // Last, so it stops and joins before anything it uses goes.
    Recovery recovery{lossSignal};
};

} // namespace

std::unique_ptr<SoundLayer> MakeMixerLayer(std::chrono::milliseconds retry) {
    return std::make_unique<MixerLayer>(retry);
}

} // namespace Music
