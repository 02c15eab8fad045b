// Music's own rules against a layer that records every call it receives, and Music on
// SDL2_mixer with SDL's dummy and disk audio drivers and sound files the tests write.
#include "music/Music.hpp"

#include "TestKit.hpp"
#include "music/MixerLayer.hpp"
#include "music/SoundLayer.hpp"

#include <SDL.h>
#include <SDL_mixer.h>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <optional>
#include <sndfile.h>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using namespace std::chrono_literals;
using namespace Music;
using TestKit::ReadFile;

// A mono square tone of 444 Hz at 32000 Hz through libsndfile.
void WriteTone(const std::string& path, double seconds,
               int format = SF_FORMAT_WAV | SF_FORMAT_PCM_16) {
    SF_INFO info{0, 32000, 1, format, 0, 0}; // frames, rate, channels, format, ...
    const std::unique_ptr<SNDFILE, int (*)(SNDFILE*)> file(sf_open(path.c_str(), SFM_WRITE, &info),
                                                           sf_close);
    ASSERT_TRUE(file) << path;
    std::vector<double> tone(static_cast<std::size_t>(seconds * 32000));
    for (std::size_t i = 0; i < tone.size(); ++i) {
        tone[i] = i / 36 % 2 == 0 ? 0.4 : -0.4;
    }
    sf_writef_double(file.get(), tone.data(), static_cast<sf_count_t>(tone.size()));
}

std::vector<int> PlayingChannels() {
    std::vector<int> playing;
    for (int channel = 0; channel < Mix_AllocateChannels(-1); ++channel) {
        if (Mix_Playing(channel) != 0) {
            playing.push_back(channel);
        }
    }
    return playing;
}

// Whether `condition` holds within `limit`, looked at every 10 ms.
bool Within(std::chrono::seconds limit, const std::function<bool()>& condition) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

// Whether exactly `channels` come to play, and still do 0.3 s later: what plays on must be
// far longer than that, so that a busy machine cannot end it meanwhile.
bool PlayingOn(const std::vector<int>& channels) {
    if (!Within(60s, [&] { return PlayingChannels() == channels; })) {
        return false;
    }
    std::this_thread::sleep_for(300ms);
    return PlayingChannels() == channels;
}

// A fresh layer on SDL's silent dummy device: with no device it stays silent, and nothing opens
// audio before InitMusic.
class MixerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteTone(blip, 0.1);
        WriteTone(tone, 2.0);
        TestKit::SetEnv("SDL_AUDIODRIVER", "no-such-driver");
        SetSoundLayer(MakeMixerLayer());
        EXPECT_FALSE(InitMusic());
        TestKit::SetEnv("SDL_AUDIODRIVER", "dummy");
        EXPECT_EQ(LoadSound(tone), 0U);
        EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0U);
        ASSERT_TRUE(InitMusic());
    }

    TestKit::TempDir dir;
    const std::string blip = dir / "blip.wav";
    const std::string tone = dir / "tone.wav";
};

// An ID3v2 tag of `size` bytes after its header; the size is written seven bits a byte.
std::string Id3Tag(std::size_t size) {
    std::string tag("ID3\3\0\0", 6);
    for (int shift = 21; shift >= 0; shift -= 7) {
        tag += static_cast<char>(size >> shift & 0x7FU);
    }
    return tag + std::string(size, 't');
}

// Taggers leave padding between the tag and the first frame, and players skip it. The search
// for the first frame is bounded, and a file without a tag must start with a frame. Tags behind
// the audio are cut before the mixer reads them: it drops a file with a damaged one, and with it
// the text of those it read before (the sanitizer build reports that as a leak).
TEST_F(MixerTest, Mp3AudioIsFoundBetweenItsTags) {
    WriteTone(dir / "tune.mp3", 0.5, SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III);
    const std::string frames = ReadFile(dir / "tune.mp3");
    const std::string seeds = MEANDOR_SOURCE_DIR "/tests/fuzz/seeds/sound/";
    const std::string tag = Id3Tag(20);
    const std::string zeros(1024, '\0');
    const std::string stray("\xFF\xFB\x90\x00", 4); // a frame header with no frame
    const std::string id3v1 = "TAGFrite" + std::string(120, '\0');
    for (const auto& [what, bytes, plays] : {
             std::tuple{"zeros after the tag", tag + zeros + frames, true},
             {"a tag of 16 KB", Id3Tag(16000) + frames, true},
             {"MPEG 2.5 after two tags", tag + tag + zeros + ReadFile(seeds + "mono-8k-cbr.mp3"),
              true},
             {"a stray header in the padding", tag + zeros + stray + zeros + frames, true},
             {"more than 64 KiB of zeros", tag + std::string(65 * 1024, '\0') + frames, false},
             {"padding and no frames", tag + zeros + stray + zeros, false},
             {"zeros without a tag", std::string(3, '\0') + frames, false},
             {"Lyrics3 and ID3v1 behind", frames + "LYRICSBEGINla laLYRICSEND" + id3v1, true},
             {"ID3v1 behind a Lyrics3 end without its begin", frames + "LYRICSEND" + id3v1, false},
         }) {
        const std::uint32_t sound = LoadSound(dir.File(std::string(what) + ".mp3", bytes));
        EXPECT_EQ(sound != 0, plays) << what;
        PlaySound(sound, true); // a loop, still playing however long the machine takes to look
        EXPECT_EQ(PlayingChannels().size(), plays ? 1U : 0U) << what;
        StopSound(sound);
    }
}

// Failed loads take no handle; a file changed since its load is decoded anew.
TEST_F(MixerTest, UnreadableFilesGiveZeroAndAChangedFileIsReadAnew) {
    const std::string pipe = dir / "pipe.wav";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const std::uint32_t before = LoadSound(blip);
    for (const std::string& name :
         {dir / "missing.wav", dir.File("short.wav", "RIFF"), dir / "", pipe, std::string()}) {
        EXPECT_EQ(LoadSound(name), 0U) << name;
    }
    WriteTone(blip, 30.0);
    ASSERT_EQ(LoadSound(blip), before + 1);
    PlaySound(before, false);
    PlaySound(before + 1, false);
    EXPECT_TRUE(PlayingOn({1})) << "only the new, longer content plays on";
}

// A loop plays on, a one-shot ends by itself, and its ended handle does not touch the playback
// that gets its channel next, which starts at full volume. The one-shot lasts two seconds, so
// that it still plays while its volume is set, however busy the machine.
TEST_F(MixerTest, PlaybacksKeepTheirOwnChannelAndVolume) {
    const std::uint32_t looped = LoadSound(blip);
    const std::uint32_t once = LoadSound(tone);
    const std::uint32_t newer = LoadSound(tone);
    PlaySound(looped, true);
    PlaySound(once, false);
    EXPECT_EQ(PlayingChannels(), (std::vector<int>{0, 1}));
    for (const auto& [volume, mixer] :
         {std::pair{100, 50}, {1, 1}, {0, 0}, {255, MIX_MAX_VOLUME}}) {
        SetSoundVolume(once, volume);
        EXPECT_EQ(Mix_Volume(1, -1), mixer) << volume;
    }
    SetSoundVolume(once, 20);
    ASSERT_TRUE(PlayingOn({0})) << "the one-shot ends, the loop plays on";
    PlaySound(newer, true);
    ASSERT_EQ(PlayingChannels(), (std::vector<int>{0, 1}));
    EXPECT_EQ(Mix_Volume(1, -1), MIX_MAX_VOLUME) << "no volume left from the channel's last sound";
    SetSoundVolume(once, 0);
    StopSound(once);
    EXPECT_EQ(PlayingChannels(), (std::vector<int>{0, 1}));
    EXPECT_EQ(Mix_Volume(1, -1), MIX_MAX_VOLUME);
}

// No 65th channel: the failed play's handle touches none of the others. The device opens once:
// a repeated initialisation stops what plays and keeps the device, whatever has become of the
// driver since.
TEST_F(MixerTest, SixtyFourChannelsAt32000HzAndAReinitKeepsTheDevice) {
    int rate = 0;
    ASSERT_EQ(Mix_QuerySpec(&rate, nullptr, nullptr), 1);
    EXPECT_EQ(rate, 32000);
    std::uint32_t sound = 0;
    for (int i = 0; i < 65; ++i) {
        PlaySound(sound = LoadSound(tone), true);
    }
    ASSERT_EQ(PlayingChannels().size(), 64U);
    SetSoundVolume(sound, 0);
    StopSound(sound);
    EXPECT_EQ(PlayingChannels().size(), 64U);
    EXPECT_EQ(Mix_Volume(-1, -1), MIX_MAX_VOLUME);
    TestKit::SetEnv("SDL_AUDIODRIVER", "no-such-driver");
    const bool again = InitMusic();
    TestKit::SetEnv("SDL_AUDIODRIVER", "dummy");
    ASSERT_TRUE(again) << "the device was closed and opened anew";
    EXPECT_TRUE(PlayingChannels().empty());
    PlaySound(sound - 1, true);
    EXPECT_EQ(PlayingChannels().size(), 1U);
}

// A mono ramp of 30 s at 32000 Hz rising by one every millisecond: a sample tells where in the
// sound it is.
void WriteRamp(const std::string& path) {
    SF_INFO info{0, 32000, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 0, 0};
    const std::unique_ptr<SNDFILE, int (*)(SNDFILE*)> file(sf_open(path.c_str(), SFM_WRITE, &info),
                                                           sf_close);
    ASSERT_TRUE(file) << path;
    std::vector<short> ramp(30 * 32000);
    for (std::size_t i = 0; i < ramp.size(); ++i) {
        ramp[i] = static_cast<short>(i / 32);
    }
    sf_writef_short(file.get(), ramp.data(), static_cast<sf_count_t>(ramp.size()));
}

// The first sample of 16-bit output that is not silence.
std::optional<short> FirstSound(const std::string& output) {
    for (std::size_t at = 0; at + 2 <= output.size(); at += 2) {
        const auto sample = static_cast<short>(static_cast<unsigned char>(output[at]) |
                                               static_cast<unsigned char>(output[at + 1]) << 8U);
        if (sample != 0) {
            return sample;
        }
    }
    return std::nullopt;
}

void LimitFileSize(rlim_t bytes) {
    rlimit limit{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &limit), 0);
    limit.rlim_cur = std::min(bytes, limit.rlim_max);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
}

// Music on SDL's disk driver, which gives up its device when a write to its file comes up short:
// here at the process's file size limit. While the device's folder is gone no opening succeeds.
class LostDeviceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteRamp(ramp);
        WriteTone(tone, 2.0);
        std::filesystem::create_directory(device);
        TestKit::SetEnv("SDL_AUDIODRIVER", "disk");
        TestKit::SetEnv("SDL_DISKAUDIOFILE", output.c_str());
        std::signal(SIGXFSZ, SIG_IGN); // a short write rather than the end of the process
    }

    void TearDown() override {
        SetSoundLayer(nullptr);
        LimitFileSize(RLIM_INFINITY);
        std::signal(SIGXFSZ, SIG_DFL);
        TestKit::SetEnv("SDL_AUDIODRIVER", "dummy");
        SetVolumes(100, 100);
    }

    // Loops the ramp on mixer channel 0 and the tone on 1, with music at 50 %, and loses the
    // device; back once the output is down after a failed reopening. Only then does a load fail:
    // the ramp's decoded data is shared, but the mixer must be open.
    void PlayAndLose(std::chrono::milliseconds retry) {
        SetSoundLayer(MakeMixerLayer(retry));
        SetVolumes(50, 100);
        ASSERT_TRUE(InitMusic());
        PlaySound(looped = LoadSound(ramp), true);
        PlaySound(stopped = LoadSound(tone), true);
        ASSERT_EQ(PlayingChannels(), (std::vector<int>{0, 1}));
        EXPECT_EQ(Mix_Volume(0, -1), 64) << "a start at 255 × 50 %";
        std::filesystem::rename(device, dir / "gone");
        LimitFileSize(128 * 1024 + 2); // a second of sound, ending inside a write
        ASSERT_TRUE(Within(60s, [this] { return LoadSound(ramp) == 0; }));
    }

    TestKit::TempDir dir;
    const std::string ramp = dir / "ramp.wav";
    const std::string tone = dir / "tone.wav";
    const std::filesystem::path device = dir / "device";
    const std::string output = device / "out.raw";
    std::uint32_t looped = 0;
    std::uint32_t stopped = 0;
};

// Once the device can be opened again, the loops play on from where they would be by now, at
// the volume set meanwhile, and their handles act on them; one stopped meanwhile stays stopped.
TEST_F(LostDeviceTest, LoopsPlayOnWhereTheyWereOnceTheDeviceIsBack) {
    ASSERT_NO_FATAL_FAILURE(PlayAndLose(1s));
    SetSoundVolume(looped, 200);
    StopSound(stopped);
    LimitFileSize(RLIM_INFINITY);
    std::filesystem::create_directory(device);
    ASSERT_TRUE(Within(60s, [this] { return LoadSound(ramp) != 0; })) << "the output is back";
    EXPECT_EQ(PlayingChannels(), (std::vector<int>{0}));
    EXPECT_EQ(Mix_Volume(0, -1), 50) << "200 × 50 %";
    // A loaded machine may write silence for a while before the loops are back.
    std::optional<short> first;
    ASSERT_TRUE(Within(60s, [&] { return (first = FirstSound(ReadFile(output))).has_value(); }))
        << "it sounds";
    // The loss came a second after the start, the return a second or more after the loss; a
    // restart from the beginning would begin near 0.
    EXPECT_GT(*first, 1000 * 50 / 128) << "the ramp at " << *first * 128 / 50 << " ms";
    SetSoundVolume(looped, 100);
    EXPECT_EQ(Mix_Volume(0, -1), 25);
    StopSound(looped);
    EXPECT_TRUE(PlayingChannels().empty());
}

// While no reopening can succeed, the layer goes at once: its recovery thread stops in the
// middle of an hour's wait for the next try (a destructor that waited it out would hang here),
// and leaves no SDL audio behind.
TEST_F(LostDeviceTest, TheLayerGoesAtOnceWhileTheDeviceStaysLost) {
    ASSERT_NO_FATAL_FAILURE(PlayAndLose(std::chrono::hours(1)));
    SetSoundLayer(nullptr);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0U);
}

class RecordingLayer final : public SoundLayer {
  public:
    float version = RequiredVersion;
    bool initSucceeds = true;
    std::int32_t playResult = 0; // 0: hand out channels 40, 41, ...
    std::string calls;
    // The volume each playing channel was last given, and how many volumes (all asked above 0)
    // were 0 when not muted or more when muted.
    std::map<std::int32_t, std::int32_t> heard;
    int misheard = 0;

    float GetVersion() override { return Note("GetVersion"), version; }
    bool Init(std::int32_t rate, std::int32_t channels, std::uint32_t flags) override {
        return Note("Init", rate, channels, flags), initSucceeds;
    }
    // Samples numbered from 7, to tell them from handles; files named "Ontbreekt" do not load.
    Sample SampleLoad(std::int32_t index, const std::string& name, std::uint32_t mode,
                      std::int32_t offset, std::int32_t length) override {
        Note("Load", index, name, mode, offset, length);
        return name.starts_with("Ontbreekt") ? Sample::None : Sample{nextSample++};
    }
    void SampleSetMode(Sample s, std::uint32_t mode) override { Note("SetMode", s, mode); }
    std::int32_t PlaySound(std::int32_t channel, Sample sample, std::int32_t v) override {
        Note("Play", channel, sample, v);
        const std::int32_t played = playResult != 0 ? playResult : nextChannel++;
        Hear(played, v);
        return played;
    }
    void StopSound(std::int32_t channel) override {
        Note("Stop", channel);
        heard.erase(channel);
    }
    void SetVolume(std::int32_t channel, std::int32_t v) override {
        Note("Volume", channel, v);
        Hear(channel, v);
    }

  private:
    // Music calls the layer under the lock SetMute takes, so Muted holds still meanwhile.
    void Hear(std::int32_t channel, std::int32_t v) {
        heard[channel] = v;
        misheard += (v == 0) != Muted() ? 1 : 0;
    }

    static std::string Text(const std::string& text) { return text; }
    static std::string Text(auto value) { return std::to_string(static_cast<std::int64_t>(value)); }
    void Note(const std::string& name, const auto&... args) {
        calls += (calls.empty() ? "" : ", ") + name;
        ((calls += " " + Text(args)), ...);
    }

    std::uint32_t nextSample = 7;
    std::int32_t nextChannel = 40;
};

// Earlier cases in this process leave sounds marked as playing, which a change of factor or mute
// would reach; stopped, they are left alone.
void StopEarlierSounds(std::uint32_t first) {
    for (std::uint32_t sound = 1; sound < first; ++sound) {
        StopSound(sound);
    }
}

using MusicCalls = ::testing::TestWithParam<std::tuple<const char*, const char*, const char*>>;

// Steps: an operation letter, the sound (a digit counts from the test's first handle; z is 0
// and h the largest) and =value. o: play once, l: loop, s: stop, v: volume, d: load the file
// (Friet by default) expecting the sound, f: plays fail from now on, i: initialise with a good
// (0), old (1) or failing (2) library, m: mute (1) or not (0), g=M/E: music and effects factors.
TEST_P(MusicCalls, ReachTheLayerAsExpected) {
    const auto [what, steps, calls] = GetParam();
    auto recording = std::make_unique<RecordingLayer>();
    RecordingLayer* layer = recording.get();
    SetSoundLayer(std::move(recording));
    // The sound table outlives every test in this process, so handles are counted from the
    // first one a test gets; a refused start makes the module inert whatever came before.
    SetVolumes(100, 100);
    SetMute(false);
    layer->version = 0;
    EXPECT_FALSE(InitMusic());
    layer->version = RequiredVersion;
    ASSERT_TRUE(InitMusic());
    const std::uint32_t first = LoadSound("muziek/Friet.wav");
    StopEarlierSounds(first);
    layer->calls.clear();
    std::istringstream in(steps);
    for (std::string step; in >> step;) {
        const char which = step.size() > 1 ? step[1] : '0';
        const std::uint32_t sound = which == 'z' ? 0U : which == 'h' ? ~0U : first + which - '0';
        const std::size_t equals = step.find('=');
        const std::string value = equals == std::string::npos ? "" : step.substr(equals + 1);
        switch (step[0]) {
        case 'o':
        case 'l':
            PlaySound(sound, step[0] == 'l');
            break;
        case 's':
            StopSound(sound);
            break;
        case 'v':
            SetSoundVolume(sound, std::stoul(value));
            break;
        case 'd':
            EXPECT_EQ(LoadSound(value.empty() ? "muziek/Friet.wav" : value), sound) << step;
            break;
        case 'f':
            layer->playResult = NoChannel;
            break;
        case 'm':
            SetMute(which == '1');
            break;
        case 'g':
            SetVolumes(std::stoul(value), std::stoul(value.substr(value.find('/') + 1)));
            break;
        default:
            layer->version = which == '1' ? 3.74F : RequiredVersion;
            layer->initSucceeds = which != '2';
            EXPECT_EQ(InitMusic(), which == '0') << step;
        }
    }
    EXPECT_EQ(layer->calls, calls);
}

INSTANTIATE_TEST_SUITE_P(
    Sounds, MusicCalls,
    ::testing::Values(
        std::tuple{"PlayingAgainStopsTheStoredChannelFirst", "l0 l0 s0",
                   "SetMode 7 2, Play -1 7 255, Stop 40, SetMode 7 2, Play -1 7 255, Stop 41"},
        std::tuple{"StopAndVolumeActOnlyWhilePlaying", "s0 v0=200 o0 s0 s0 v0=200",
                   "SetMode 7 1, Play -1 7 255, Stop 40"},
        std::tuple{"FailedPlayIsStoredAndStillStopped", "f o0 v0=10 s0",
                   "SetMode 7 1, Play -1 7 255, Volume -1 10, Stop -1"},
        std::tuple{"VolumeIsLimitedTo255", "l0 v0=1000 v0=255 v0=0",
                   "SetMode 7 2, Play -1 7 255, Volume 40 255, Volume 40 255, Volume 40 0"},
        std::tuple{"HandlesOutsideTheTableAreIgnored", "l0 l1 sz vh=9 s1",
                   "SetMode 7 2, Play -1 7 255"},
        std::tuple{"TheSameFileLoadsAnewAndEachSoundKeepsItsChannel", "d1 l0 o1 v1=30 s0 v0=30",
                   "Load -1 muziek/Friet.wav 1 0 0, SetMode 7 2, Play -1 7 255, SetMode 8 1, "
                   "Play -1 8 255, Volume 41 30, Stop 40"},
        std::tuple{"FailedLoadGivesZeroAndTakesNoSlot", "dz=Ontbreekt.wav o1 d1=Dood.wav",
                   "Load -1 Ontbreekt.wav 1 0 0, Load -1 Dood.wav 1 0 0"},
        std::tuple{"InertWithAnOldLibraryOrAFailedInit", "i1 l0 v0=9 s0 dz i2 l0 v0=9 s0 dz",
                   "GetVersion, GetVersion, Init 32000 64 0"},
        std::tuple{"ARestartOpensAnewAndKeepsTheTableAndThePlayingMark", "l0 i2 i0 o0 d1",
                   "SetMode 7 2, Play -1 7 255, GetVersion, Init 32000 64 0, GetVersion, "
                   "Init 32000 64 0, Stop 40, SetMode 7 1, Play -1 7 255, "
                   "Load -1 muziek/Friet.wav 1 0 0"},
        std::tuple{"FactorsOfAHundredAndNoMuteAddNoCalls",
                   "d1 g=100/100 m0 l0 o1 g=100/100 m0 v0=9 g=200/300",
                   "Load -1 muziek/Friet.wav 1 0 0, SetMode 7 2, Play -1 7 255, SetMode 8 1, "
                   "Play -1 8 255, Volume 40 9"},
        std::tuple{"EachKindStartsAndChangesAtItsFactor",
                   "g=50/20 d1 l0 o1 v0=100 v1=1000 g=50/0 s0 g=100/100",
                   "Load -1 muziek/Friet.wav 1 0 0, SetMode 7 2, Play -1 7 128, SetMode 8 1, "
                   "Play -1 8 51, Volume 40 50, Volume 41 51, Volume 41 0, Stop 40, Volume 41 255"},
        std::tuple{
            "MuteSilencesWhatPlaysAndStartsAndHoldsAcrossARestart",
            "d1 g=50/100 l0 m1 o1 v0=200 v1=30 m1 m0 s1 m1 i0 l0",
            "Load -1 muziek/Friet.wav 1 0 0, SetMode 7 2, Play -1 7 128, Volume 40 0, "
            "SetMode 8 1, Play -1 8 0, Volume 40 0, Volume 41 0, Volume 40 100, Volume 41 30, "
            "Stop 41, Volume 40 0, GetVersion, Init 32000 64 0, Stop 40, SetMode 7 2, "
            "Play -1 7 0"}),
    [](const auto& row) { return std::get<0>(row.param); });

// The window thread toggles the mute while the game thread plays and sets volumes: whatever the
// interleaving, nothing is audible while muted and nothing silent while not, then or after.
TEST(MusicMute, FromAnotherThreadWhileTheGamePlays) {
    auto recording = std::make_unique<RecordingLayer>();
    RecordingLayer* layer = recording.get();
    SetSoundLayer(std::move(recording));
    SetVolumes(100, 100);
    SetMute(false);
    ASSERT_TRUE(InitMusic());
    std::vector<std::uint32_t> sounds(8);
    for (std::uint32_t& sound : sounds) {
        sound = LoadSound("muziek/Friet.wav");
    }
    StopEarlierSounds(sounds.front());
    std::thread window([] {
        for (int i = 0; i < 2000; ++i) {
            SetMute(i % 2 == 0);
        }
    });
    for (std::uint32_t round = 1; round <= 300; ++round) {
        for (const std::uint32_t sound : sounds) {
            PlaySound(sound, sound % 2 == 0);
            SetSoundVolume(sound, round);
        }
    }
    window.join();
    EXPECT_EQ(layer->misheard, 0);
    for (const bool mute : {true, false}) {
        SetMute(mute);
        ASSERT_EQ(layer->heard.size(), sounds.size());
        for (const auto& [channel, volume] : layer->heard) {
            EXPECT_EQ(volume == 0, mute) << channel;
        }
    }
}

} // namespace
