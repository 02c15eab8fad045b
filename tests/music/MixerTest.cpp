// Music on SDL2_mixer with SDL's dummy audio driver and sound files the tests write.
#include "TestKit.hpp"
#include "TestSounds.hpp"
#include "music/MixerLayer.hpp"
#include "music/Music.hpp"

#include <SDL.h>
#include <SDL_mixer.h>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <utility>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Music::InitMusic;
using Music::LoadSound;
using Music::PlaySound;
using Music::SetSoundVolume;
using Music::StopSound;
using TestKit::TempDir;

std::vector<int> PlayingChannels() {
    std::vector<int> playing;
    for (int channel = 0; channel < Mix_AllocateChannels(-1); ++channel) {
        if (Mix_Playing(channel) != 0) {
            playing.push_back(channel);
        }
    }
    return playing;
}

bool Eventually(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + 3s;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

class MixerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        MusicTest::FreshMixer();
        ASSERT_TRUE(MusicTest::WriteWav(blip, 0.1));
        ASSERT_TRUE(MusicTest::WriteWav(tone, 2.0));
    }

    TempDir dir;
    const std::string blip = dir / "blip.wav";
    const std::string tone = dir / "tone.wav";
};

TEST_F(MixerTest, NothingStartsAudioBeforeInitMusicWhichOpensAt32000HzWith64Channels) {
    Music::Init();
    EXPECT_EQ(LoadSound(blip), 0U);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0U);
    ASSERT_TRUE(InitMusic());
    int rate = 0;
    Uint16 format = 0;
    int channels = 0;
    ASSERT_EQ(Mix_QuerySpec(&rate, &format, &channels), 1);
    EXPECT_EQ(rate, 32000);
    EXPECT_EQ(Mix_AllocateChannels(-1), 64);
    EXPECT_GE(Music::MakeMixerLayer()->GetVersion(), 3.75F);
}

const std::string Seeds = MEANDOR_SOURCE_DIR "/tests/fuzz/seeds/sound/";

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// `value` in four bytes of `bits` bits each, most significant first.
std::string BigEndian(std::size_t value, unsigned bits) {
    std::string bytes;
    for (unsigned shift = 4 * bits; shift > 0; shift -= bits) {
        bytes += static_cast<char>((value >> (shift - bits)) & ((1U << bits) - 1));
    }
    return bytes;
}

// An ID3v2.3 tag with one title frame; the tag's size is "synchsafe", seven bits a byte.
std::string Id3Tag(const std::string& title) {
    const std::string frame =
        "TIT2" + BigEndian(title.size() + 1, 8) + std::string(3, '\0') + title;
    return std::string("ID3\3\0\0", 6) + BigEndian(frame.size(), 7) + frame;
}

// Taggers leave padding between the tag and the first frame, and players skip it. The search
// for the first frame is bounded, and a file without a tag must start with a frame (the mixer
// refuses anything else too).
TEST_F(MixerTest, Mp3AudioIsFoundBehindPaddingAfterItsTag) {
    const std::string tune = dir / "tune.mp3";
    ASSERT_TRUE(MusicTest::WriteMp3(tune, 0.5));
    const std::string frames = ReadFile(tune);
    const std::string tag = Id3Tag("Frieten");
    const std::string zeros(1024, '\0');
    const std::string strayHeader("\xFF\xFB\x90\x00", 4);
    struct Case {
        const char* what;
        std::string bytes;
        bool plays;
    };
    const Case cases[] = {
        {"3 zero bytes after the tag", tag + std::string(3, '\0') + frames, true},
        {"1 KiB of zeros after the tag", tag + zeros + frames, true},
        {"1 KiB of text after the tag", tag + std::string(1024, 'x') + frames, true},
        {"zeros after two tags", tag + tag + zeros + frames, true},
        {"a tag of 16 KB", Id3Tag(std::string(16000, 't')) + frames, true},
        {"MPEG 2.5 after zeros", tag + zeros + ReadFile(Seeds + "mono-8k-cbr.mp3"), true},
        {"MPEG 2 after zeros", tag + zeros + ReadFile(Seeds + "stereo-22k-vbr.mp3"), true},
        {"a stray header in the padding", tag + zeros + strayHeader + zeros + frames, true},
        {"more than 64 KiB of zeros", tag + std::string(65 * 1024, '\0') + frames, false},
        {"padding and no frames", tag + zeros + strayHeader + zeros, false},
        {"zeros without a tag", std::string(3, '\0') + frames, false},
    };
    ASSERT_TRUE(InitMusic());
    for (const Case& c : cases) {
        const std::string file = dir.File(std::string(c.what) + ".mp3", c.bytes);
        const std::uint32_t sound = LoadSound(file);
        EXPECT_EQ(sound != 0, c.plays) << c.what;
        PlaySound(sound, false);
        EXPECT_EQ(PlayingChannels().size(), c.plays ? 1U : 0U) << c.what;
        StopSound(sound);
    }
}

TEST_F(MixerTest, UnreadableFilesGiveZeroAndTakeNoSlot) {
    dir.File("garbage.wav", "this is not a sound file at all, just text\n");
    dir.File("empty.wav", "");
    dir.File("short.wav", "RIFF");
    const std::string pipe = dir / "pipe.wav";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    ASSERT_TRUE(InitMusic());
    const std::uint32_t before = LoadSound(blip);
    ASSERT_NE(before, 0U);
    for (const std::string& name : {dir / "missing.wav", dir / "garbage.wav", dir / "empty.wav",
                                    dir / "short.wav", dir / "", pipe, std::string()}) {
        EXPECT_EQ(LoadSound(name), 0U) << name;
    }
    EXPECT_EQ(LoadSound(blip), before + 1);
}

TEST_F(MixerTest, LoopPlaysOnAndOneShotEndsByItself) {
    ASSERT_TRUE(InitMusic());
    const std::uint32_t looped = LoadSound(blip);
    const std::uint32_t once = LoadSound(blip);
    PlaySound(looped, true);
    PlaySound(once, false);
    EXPECT_EQ(PlayingChannels(), (std::vector<int>{0, 1}));
    ASSERT_TRUE(Eventually([] { return PlayingChannels() == std::vector<int>{0}; }))
        << "the 0.1 s one-shot ends";
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(PlayingChannels(), (std::vector<int>{0})) << "the loop plays on";
    StopSound(looped);
    EXPECT_TRUE(PlayingChannels().empty());
}

TEST_F(MixerTest, VolumeMapsOntoTheMixerRange) {
    ASSERT_TRUE(InitMusic());
    const std::uint32_t sound = LoadSound(tone);
    SetSoundVolume(sound, 10);
    PlaySound(sound, true);
    ASSERT_EQ(PlayingChannels(), (std::vector<int>{0}));
    EXPECT_EQ(Mix_Volume(0, -1), MIX_MAX_VOLUME) << "no volume remembered from before the play";
    // 1 stays audible; past 255 counts as 255.
    for (const auto& [volume, mixer] :
         {std::pair{100, 50}, {1, 1}, {0, 0}, {1000, MIX_MAX_VOLUME}}) {
        SetSoundVolume(sound, volume);
        EXPECT_EQ(Mix_Volume(0, -1), mixer) << volume;
    }

    SetSoundVolume(sound, 20);
    PlaySound(sound, false);
    EXPECT_EQ(Mix_Volume(0, -1), MIX_MAX_VOLUME) << "a new playback starts at full volume";
}

TEST_F(MixerTest, EndedPlaybackHandleDoesNotTouchNewerPlayback) {
    ASSERT_TRUE(InitMusic());
    const std::uint32_t ended = LoadSound(blip);
    const std::uint32_t newer = LoadSound(tone);
    PlaySound(ended, false);
    ASSERT_EQ(PlayingChannels(), (std::vector<int>{0}));
    ASSERT_TRUE(Eventually([] { return PlayingChannels().empty(); }));

    PlaySound(newer, true);
    ASSERT_EQ(PlayingChannels(), (std::vector<int>{0})) << "the same mixer channel again";
    SetSoundVolume(ended, 0);
    StopSound(ended);
    EXPECT_EQ(PlayingChannels(), (std::vector<int>{0}));
    EXPECT_EQ(Mix_Volume(0, -1), MIX_MAX_VOLUME);
    StopSound(newer);
    EXPECT_TRUE(PlayingChannels().empty());
}

TEST_F(MixerTest, FailedPlayDoesNotStopOtherPlaybacks) {
    ASSERT_TRUE(InitMusic());
    std::vector<std::uint32_t> sounds;
    for (int i = 0; i < 65; ++i) {
        sounds.push_back(LoadSound(tone));
        PlaySound(sounds.back(), true);
    }
    ASSERT_EQ(PlayingChannels().size(), 64U) << "no 65th channel";
    SetSoundVolume(sounds.back(), 0);
    StopSound(sounds.back());
    EXPECT_EQ(PlayingChannels().size(), 64U);
    EXPECT_EQ(Mix_Volume(-1, -1), MIX_MAX_VOLUME);
}

// The device opens once: a repeated initialisation stops what plays and keeps the device,
// whatever has become of the driver since.
TEST_F(MixerTest, ReinitStopsEverythingAndKeepsDeviceAndSamples) {
    ASSERT_TRUE(InitMusic());
    const std::uint32_t sound = LoadSound(tone);
    PlaySound(sound, true);
    ASSERT_EQ(PlayingChannels().size(), 1U);
    ASSERT_EQ(::setenv("SDL_AUDIODRIVER", "no-such-driver", 1), 0);
    const bool again = InitMusic();
    ASSERT_EQ(::setenv("SDL_AUDIODRIVER", "dummy", 1), 0);
    ASSERT_TRUE(again) << "the device was closed and opened anew";
    EXPECT_TRUE(PlayingChannels().empty());
    PlaySound(sound, true);
    EXPECT_EQ(PlayingChannels().size(), 1U);
    EXPECT_EQ(LoadSound(tone), sound + 1);
}

TEST_F(MixerTest, NoAudioDeviceMeansSilence) {
    ASSERT_EQ(::setenv("SDL_AUDIODRIVER", "no-such-driver", 1), 0);
    EXPECT_FALSE(InitMusic());
    ASSERT_EQ(::setenv("SDL_AUDIODRIVER", "dummy", 1), 0);
    EXPECT_EQ(LoadSound(tone), 0U);
}

TEST_F(MixerTest, RepeatedLoadsShareTheDecodedSound) {
    ASSERT_TRUE(InitMusic());
    const std::uint32_t first = LoadSound(tone); // 2 s decode to 256 KB
    ASSERT_NE(first, 0U);
    const std::size_t before = TestKit::HeapBytes();
    for (std::uint32_t expected = first + 1; expected <= first + 200; ++expected) {
        ASSERT_EQ(LoadSound(tone), expected);
    }
    const std::size_t after = TestKit::HeapBytes();
    const std::size_t perLoad = after > before ? (after - before) / 200 : 0;
    RecordProperty("bytes_per_load", std::to_string(perLoad));
    EXPECT_LT(perLoad, 4096U);
}

TEST_F(MixerTest, ChangedFileIsDecodedAnew) {
    ASSERT_TRUE(InitMusic());
    const std::uint32_t before = LoadSound(blip);
    ASSERT_TRUE(MusicTest::WriteWav(blip, 2.0));
    const std::uint32_t after = LoadSound(blip);
    PlaySound(before, false);
    PlaySound(after, false);
    ASSERT_TRUE(Eventually([] { return PlayingChannels() == std::vector<int>{1}; }));
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(PlayingChannels(), (std::vector<int>{1})) << "only the new, longer content plays on";
}

} // namespace
