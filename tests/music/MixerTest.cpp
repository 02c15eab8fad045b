// Music on SDL2_mixer with SDL's dummy audio driver and sound files the tests write.
#include "TestKit.hpp"
#include "music/MixerLayer.hpp"
#include "music/Music.hpp"

#include <SDL.h>
#include <SDL_mixer.h>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>
#include <sndfile.h>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <utility>
#include <vector>

namespace {

using namespace std::chrono_literals;
using namespace Music;

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

// Whether within 3 s exactly `channels` play, and still do 0.3 s later.
bool PlayingOn(const std::vector<int>& channels) {
    for (int i = 0; i < 300 && PlayingChannels() != channels; ++i) {
        std::this_thread::sleep_for(10ms);
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
        ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
        SetSoundLayer(MakeMixerLayer());
        EXPECT_FALSE(InitMusic());
        ::setenv("SDL_AUDIODRIVER", "dummy", 1);
        EXPECT_EQ(LoadSound(tone), 0U);
        EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0U);
        ASSERT_TRUE(InitMusic());
    }

    TestKit::TempDir dir;
    const std::string blip = dir / "blip.wav";
    const std::string tone = dir / "tone.wav";
};

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// An ID3v2 tag of `size` bytes after its header; the size is written seven bits a byte.
std::string Id3Tag(std::size_t size) {
    std::string tag("ID3\3\0\0", 6);
    for (int shift = 21; shift >= 0; shift -= 7) {
        tag += static_cast<char>(size >> shift & 0x7FU);
    }
    return tag + std::string(size, 't');
}

// Taggers leave padding between the tag and the first frame, and players skip it. The search
// for the first frame is bounded, and a file without a tag must start with a frame.
TEST_F(MixerTest, Mp3AudioIsFoundBehindPaddingAfterItsTag) {
    WriteTone(dir / "tune.mp3", 0.5, SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III);
    const std::string frames = ReadFile(dir / "tune.mp3");
    const std::string seeds = MEANDOR_SOURCE_DIR "/tests/fuzz/seeds/sound/";
    const std::string tag = Id3Tag(20);
    const std::string zeros(1024, '\0');
    const std::string stray("\xFF\xFB\x90\x00", 4); // a frame header with no frame
    for (const auto& [what, bytes, plays] : {
             std::tuple{"zeros after the tag", tag + zeros + frames, true},
             {"zeros after two tags", tag + tag + zeros + frames, true},
             {"a tag of 16 KB", Id3Tag(16000) + frames, true},
             {"MPEG 2.5 after zeros", tag + zeros + ReadFile(seeds + "mono-8k-cbr.mp3"), true},
             {"a stray header in the padding", tag + zeros + stray + zeros + frames, true},
             {"more than 64 KiB of zeros", tag + std::string(65 * 1024, '\0') + frames, false},
             {"padding and no frames", tag + zeros + stray + zeros, false},
             {"zeros without a tag", std::string(3, '\0') + frames, false},
         }) {
        const std::uint32_t sound = LoadSound(dir.File(std::string(what) + ".mp3", bytes));
        EXPECT_EQ(sound != 0, plays) << what;
        PlaySound(sound, false);
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
    WriteTone(blip, 2.0);
    ASSERT_EQ(LoadSound(blip), before + 1);
    PlaySound(before, false);
    PlaySound(before + 1, false);
    EXPECT_TRUE(PlayingOn({1})) << "only the new, longer content plays on";
}

// A loop plays on, a one-shot ends by itself, and its ended handle does not touch the playback
// that gets its channel next, which starts at full volume.
TEST_F(MixerTest, PlaybacksKeepTheirOwnChannelAndVolume) {
    const std::uint32_t looped = LoadSound(blip);
    const std::uint32_t once = LoadSound(blip);
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
    ASSERT_TRUE(PlayingOn({0})) << "the 0.1 s one-shot ends, the loop plays on";
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
    ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    const bool again = InitMusic();
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_TRUE(again) << "the device was closed and opened anew";
    EXPECT_TRUE(PlayingChannels().empty());
    PlaySound(sound - 1, true);
    EXPECT_EQ(PlayingChannels().size(), 1U);
}

TEST_F(MixerTest, RepeatedLoadsShareTheDecodedSound) {
    ASSERT_NE(LoadSound(tone), 0U); // 2 s decode to 256 KB
    const std::size_t before = TestKit::HeapBytes();
    for (int i = 0; i < 200; ++i) {
        ASSERT_NE(LoadSound(tone), 0U);
    }
    const std::size_t after = TestKit::HeapBytes();
    EXPECT_LT(after > before ? (after - before) / 200 : 0, 4096U);
}

} // namespace
