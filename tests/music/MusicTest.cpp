// Music's own rules, checked against a layer that records every call it receives.
#include "music/Music.hpp"

#include "music/SoundLayer.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using Music::InitMusic;
using Music::LoadSound;
using Music::PlaySound;
using Music::Sample;
using Music::SetSoundVolume;
using Music::StopSound;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::string Join(const std::string& name, const std::vector<std::string>& args) {
    std::string call = name + "(";
    for (std::size_t i = 0; i < args.size(); ++i) {
        call += (i == 0 ? "" : ",") + args[i];
    }
    return call + ")";
}

std::string Str(Sample sample) {
    return std::to_string(static_cast<std::uint32_t>(sample));
}

class RecordingLayer final : public Music::SoundLayer {
  public:
    float version = 3.75F;
    bool initSucceeds = true;
    std::set<std::string> unloadable;
    std::int32_t playResult = 0; // 0: hand out channels 40, 41, ...
    std::vector<std::string> calls;

    float GetVersion() override {
        calls.emplace_back("GetVersion()");
        return version;
    }
    bool Init(std::int32_t mixrate, std::int32_t channels, std::uint32_t flags) override {
        calls.push_back(Join(
            "Init", {std::to_string(mixrate), std::to_string(channels), std::to_string(flags)}));
        return initSucceeds;
    }
    Sample SampleLoad(std::int32_t index, const std::string& name, std::uint32_t mode,
                      std::int32_t offset, std::int32_t length) override {
        calls.push_back(Join("Load", {std::to_string(index), name, std::to_string(mode),
                                      std::to_string(offset), std::to_string(length)}));
        // Samples numbered apart from handles, to tell the two apart.
        return unloadable.contains(name) ? Sample::None : static_cast<Sample>(nextSample_++);
    }
    void SampleSetMode(Sample sample, std::uint32_t mode) override {
        calls.push_back(Join("SetMode", {Str(sample), std::to_string(mode)}));
    }
    std::int32_t PlaySound(std::int32_t channel, Sample sample) override {
        calls.push_back(Join("Play", {std::to_string(channel), Str(sample)}));
        return playResult != 0 ? playResult : nextChannel_++;
    }
    void StopSound(std::int32_t channel) override {
        calls.push_back(Join("Stop", {std::to_string(channel)}));
    }
    void SetVolume(std::int32_t channel, std::int32_t volume) override {
        calls.push_back(Join("Volume", {std::to_string(channel), std::to_string(volume)}));
    }

  private:
    std::uint32_t nextSample_ = 7;
    std::int32_t nextChannel_ = 40;
};

class MusicTest : public ::testing::Test {
  protected:
    void SetUp() override {
        auto recording = std::make_unique<RecordingLayer>();
        layer = recording.get();
        Music::SetSoundLayer(std::move(recording));
    }

    // The calls since the last look.
    std::vector<std::string> Calls() { return std::exchange(layer->calls, {}); }

    // Initialised, with one sound loaded: handle 1, sample 7.
    std::uint32_t Ready() {
        EXPECT_TRUE(InitMusic());
        const std::uint32_t sound = LoadSound("muziek/Friet.wav");
        EXPECT_EQ(sound, 1U);
        Calls();
        return sound;
    }

    // Every operation on handle 1; none may reach the layer or yield a handle.
    static void TryEverything() {
        EXPECT_EQ(LoadSound("muziek/Friet.wav"), 0U);
        PlaySound(1, true);
        SetSoundVolume(1, 100);
        StopSound(1);
    }

    RecordingLayer* layer = nullptr;
};

TEST_F(MusicTest, InitOpensOutputAt32000HzWith64Channels) {
    EXPECT_TRUE(InitMusic());
    EXPECT_THAT(Calls(), ElementsAre("GetVersion()", "Init(32000,64,0)"));
    EXPECT_TRUE(InitMusic());
    EXPECT_THAT(Calls(), ElementsAre("GetVersion()", "Init(32000,64,0)")) << "each call anew";
}

TEST_F(MusicTest, InertBeforeInitAndAfterARefusedOne) {
    TryEverything();
    EXPECT_THAT(Calls(), IsEmpty()) << "before any InitMusic";

    layer->version = 3.74F;
    EXPECT_FALSE(InitMusic());
    TryEverything();
    EXPECT_THAT(Calls(), ElementsAre("GetVersion()")) << "an older library is not initialised";

    layer->version = 3.75F;
    layer->initSucceeds = false;
    EXPECT_FALSE(InitMusic());
    Calls();
    TryEverything();
    EXPECT_THAT(Calls(), IsEmpty()) << "the library's initialisation failed";
}

TEST_F(MusicTest, LaterFailingInitMakesModuleInertButKeepsTable) {
    const std::uint32_t sound = Ready();
    PlaySound(sound, true);
    Calls();

    layer->initSucceeds = false;
    EXPECT_FALSE(InitMusic());
    Calls();
    TryEverything();
    EXPECT_THAT(Calls(), IsEmpty());

    layer->initSucceeds = true;
    EXPECT_TRUE(InitMusic());
    Calls();
    PlaySound(sound, false);
    EXPECT_THAT(Calls(), ElementsAre("Stop(40)", "SetMode(7,1)", "Play(-1,7)"))
        << "the slot and its playing mark outlive the re-initialisations";
    EXPECT_EQ(LoadSound("muziek/Friet.wav"), 2U);
}

TEST_F(MusicTest, EveryLoadTakesTheNextHandleEvenForTheSameFile) {
    ASSERT_TRUE(InitMusic());
    Calls();
    EXPECT_EQ(LoadSound("muziek/Levelmuziek.WAV"), 1U);
    EXPECT_THAT(Calls(), ElementsAre("Load(-1,muziek/Levelmuziek.WAV,1,0,0)"));
    EXPECT_EQ(LoadSound("muziek/Friet.wav"), 2U);
    EXPECT_EQ(LoadSound("muziek/Friet.wav"), 3U);
    EXPECT_EQ(Calls().size(), 2U) << "the file is loaded anew each time";

    PlaySound(2, false);
    EXPECT_THAT(Calls(), ElementsAre("SetMode(8,1)", "Play(-1,8)"));
}

TEST_F(MusicTest, FailedLoadGivesZeroAndTakesNoSlot) {
    layer->unloadable = {"muziek/Ontbreekt.wav", ""};
    ASSERT_TRUE(InitMusic());
    EXPECT_EQ(LoadSound("muziek/Friet.wav"), 1U);
    EXPECT_EQ(LoadSound("muziek/Ontbreekt.wav"), 0U);
    EXPECT_EQ(LoadSound(""), 0U);
    Calls();
    PlaySound(2, false);
    PlaySound(0, false);
    EXPECT_THAT(Calls(), IsEmpty());
    EXPECT_EQ(LoadSound("muziek/Dood.wav"), 2U);
}

TEST_F(MusicTest, PlaySetsLoopModeAndStartsOnAnyFreeChannel) {
    const std::uint32_t sound = Ready();
    PlaySound(sound, false);
    EXPECT_THAT(Calls(), ElementsAre("SetMode(7,1)", "Play(-1,7)"));
    StopSound(sound);
    PlaySound(sound, true);
    EXPECT_THAT(Calls(), ElementsAre("Stop(40)", "SetMode(7,2)", "Play(-1,7)"));
}

TEST_F(MusicTest, PlayingAgainStopsTheStoredChannelFirst) {
    const std::uint32_t sound = Ready();
    PlaySound(sound, true);
    PlaySound(sound, true);
    EXPECT_THAT(Calls(), ElementsAre("SetMode(7,2)", "Play(-1,7)", "Stop(40)", "SetMode(7,2)",
                                     "Play(-1,7)"));
    StopSound(sound);
    EXPECT_THAT(Calls(), ElementsAre("Stop(41)")) << "the newest channel is the stored one";
}

TEST_F(MusicTest, StopActsOnlyOnAPlayingSound) {
    const std::uint32_t sound = Ready();
    StopSound(sound);
    EXPECT_THAT(Calls(), IsEmpty()) << "never played";

    PlaySound(sound, false);
    Calls();
    StopSound(sound);
    StopSound(sound);
    EXPECT_THAT(Calls(), ElementsAre("Stop(40)")) << "a one-shot counts as playing until stopped";
}

TEST_F(MusicTest, FailedPlayIsStoredAndStillStopped) {
    const std::uint32_t sound = Ready();
    layer->playResult = -1;
    PlaySound(sound, false);
    SetSoundVolume(sound, 10);
    StopSound(sound);
    EXPECT_THAT(Calls(), ElementsAre("SetMode(7,1)", "Play(-1,7)", "Volume(-1,10)", "Stop(-1)"));
}

TEST_F(MusicTest, VolumeIsLimitedTo255) {
    const std::uint32_t sound = Ready();
    PlaySound(sound, true);
    Calls();
    SetSoundVolume(sound, 1000);
    SetSoundVolume(sound, 256);
    SetSoundVolume(sound, 255);
    SetSoundVolume(sound, 200);
    SetSoundVolume(sound, 0);
    EXPECT_THAT(Calls(), ElementsAre("Volume(40,255)", "Volume(40,255)", "Volume(40,255)",
                                     "Volume(40,200)", "Volume(40,0)"));
}

TEST_F(MusicTest, VolumeActsOnlyWhilePlaying) {
    const std::uint32_t sound = Ready();
    SetSoundVolume(sound, 200);
    EXPECT_THAT(Calls(), IsEmpty()) << "before the first play";
    PlaySound(sound, false);
    StopSound(sound);
    Calls();
    SetSoundVolume(sound, 200);
    EXPECT_THAT(Calls(), IsEmpty()) << "after stop";
}

TEST_F(MusicTest, HandlesOutsideTheTableAreIgnored) {
    const std::uint32_t sound = Ready();
    PlaySound(sound, true);
    Calls();
    for (const std::uint32_t bad : {0U, 2U, 0xFFFFFFFFU}) {
        PlaySound(bad, true);
        StopSound(bad);
        SetSoundVolume(bad, 100);
    }
    EXPECT_THAT(Calls(), IsEmpty());
}

TEST_F(MusicTest, EachSoundKeepsItsOwnChannel) {
    const std::uint32_t first = Ready();
    const std::uint32_t second = LoadSound("muziek/Dood.wav");
    PlaySound(first, true);
    PlaySound(second, false);
    Calls();
    SetSoundVolume(second, 30);
    StopSound(first);
    SetSoundVolume(first, 30);
    EXPECT_THAT(Calls(), ElementsAre("Volume(41,30)", "Stop(40)"));
}

} // namespace
