// Music's own rules, checked against a layer that records every call it receives.
#include "music/Music.hpp"

#include "music/SoundLayer.hpp"

#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
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
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

std::string Call(const std::string& name, const std::vector<std::string>& args) {
    std::string call = name + "(";
    for (std::size_t i = 0; i < args.size(); ++i) {
        call += (i == 0 ? "" : ",") + args[i];
    }
    return call + ")";
}

std::string Str(auto value) {
    return std::to_string(static_cast<std::int64_t>(value));
}

class RecordingLayer final : public Music::SoundLayer {
  public:
    float version = Music::RequiredVersion;
    bool initSucceeds = true;
    std::set<std::string> unloadable;
    std::int32_t playResult = 0; // 0: hand out channels 40, 41, ...
    std::vector<std::string> calls;

    float GetVersion() override {
        calls.emplace_back("GetVersion()");
        return version;
    }
    bool Init(std::int32_t mixrate, std::int32_t channels, std::uint32_t flags) override {
        calls.push_back(Call("Init", {Str(mixrate), Str(channels), Str(flags)}));
        return initSucceeds;
    }
    Sample SampleLoad(std::int32_t index, const std::string& name, std::uint32_t mode,
                      std::int32_t offset, std::int32_t length) override {
        calls.push_back(Call("Load", {Str(index), name, Str(mode), Str(offset), Str(length)}));
        // Samples numbered apart from handles, to tell the two apart.
        return unloadable.contains(name) ? Sample::None : static_cast<Sample>(nextSample_++);
    }
    void SampleSetMode(Sample sample, std::uint32_t mode) override {
        calls.push_back(Call("SetMode", {Str(sample), Str(mode)}));
    }
    std::int32_t PlaySound(std::int32_t channel, Sample sample) override {
        calls.push_back(Call("Play", {Str(channel), Str(sample)}));
        return playResult != 0 ? playResult : nextChannel_++;
    }
    void StopSound(std::int32_t channel) override { calls.push_back(Call("Stop", {Str(channel)})); }
    void SetVolume(std::int32_t channel, std::int32_t volume) override {
        calls.push_back(Call("Volume", {Str(channel), Str(volume)}));
    }

  private:
    std::uint32_t nextSample_ = 7;
    std::int32_t nextChannel_ = 40;
};

// The sound table outlives every test in this process, so handles are counted from the
// first one a test gets; a refused start makes the module inert whatever the test before did.
class MusicTest : public ::testing::Test {
  protected:
    void SetUp() override {
        auto recording = std::make_unique<RecordingLayer>();
        layer = recording.get();
        Music::SetSoundLayer(std::move(recording));
        layer->version = 0;
        EXPECT_FALSE(InitMusic());
        layer->version = Music::RequiredVersion;
        Calls();
    }

    // The calls since the last look.
    std::vector<std::string> Calls() { return std::exchange(layer->calls, {}); }

    // Initialised, with one sound loaded as sample 7; its handle.
    std::uint32_t Ready() {
        EXPECT_TRUE(InitMusic());
        const std::uint32_t sound = LoadSound("muziek/Friet.wav");
        EXPECT_NE(sound, 0U);
        Calls();
        return sound;
    }

    // Every operation on a loaded sound; none may reach the layer or yield a handle.
    static void TryEverything(std::uint32_t sound) {
        EXPECT_EQ(LoadSound("muziek/Friet.wav"), 0U);
        PlaySound(sound, true);
        SetSoundVolume(sound, 100);
        StopSound(sound);
    }

    RecordingLayer* layer = nullptr;
};

TEST_F(MusicTest, InitOpensOutputAt32000HzWith64ChannelsEachTimeAnew) {
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(InitMusic());
        EXPECT_THAT(Calls(), ElementsAre("GetVersion()", "Init(32000,64,0)"));
    }
}

TEST_F(MusicTest, InertBeforeInitAndAfterARefusedOne) {
    const std::uint32_t earlier = Ready();
    SetUp();
    TryEverything(earlier);
    EXPECT_THAT(Calls(), IsEmpty()) << "after a refused start";

    layer->version = 3.74F;
    EXPECT_FALSE(InitMusic());
    TryEverything(earlier);
    EXPECT_THAT(Calls(), ElementsAre("GetVersion()")) << "an older library is not initialised";

    layer->version = Music::RequiredVersion;
    layer->initSucceeds = false;
    EXPECT_FALSE(InitMusic());
    Calls();
    TryEverything(earlier);
    EXPECT_THAT(Calls(), IsEmpty()) << "the library's initialisation failed";
}

TEST_F(MusicTest, ARestartKeepsTheTableAndThePlayingMark) {
    const std::uint32_t sound = Ready();
    PlaySound(sound, true);
    layer->initSucceeds = false;
    EXPECT_FALSE(InitMusic());
    layer->initSucceeds = true;
    EXPECT_TRUE(InitMusic());
    Calls();
    PlaySound(sound, false);
    EXPECT_THAT(Calls(), ElementsAre("Stop(40)", "SetMode(7,1)", "Play(-1,7)"));
    EXPECT_EQ(LoadSound("muziek/Friet.wav"), sound + 1);
}

// What a sequence of operations on a freshly loaded sound sends to the layer.
struct Sequence {
    const char* what;
    std::function<void(RecordingLayer&, std::uint32_t)> act;
    std::vector<std::string> calls;
    friend void PrintTo(const Sequence& sequence, std::ostream* out) { *out << sequence.what; }
};

class MusicCalls : public MusicTest, public ::testing::WithParamInterface<Sequence> {};

TEST_P(MusicCalls, ReachTheLayerAsExpected) {
    const std::uint32_t sound = Ready();
    GetParam().act(*layer, sound);
    EXPECT_THAT(Calls(), ElementsAreArray(GetParam().calls));
}

INSTANTIATE_TEST_SUITE_P(
    Sounds, MusicCalls,
    ::testing::Values(Sequence{"OneShotOnAnyFreeChannel",
                               [](RecordingLayer&, std::uint32_t s) { PlaySound(s, false); },
                               {"SetMode(7,1)", "Play(-1,7)"}},
                      Sequence{"PlayingAgainStopsTheStoredChannelFirst",
                               [](RecordingLayer&, std::uint32_t s) {
                                   PlaySound(s, true);
                                   PlaySound(s, true);
                                   StopSound(s);
                               },
                               {"SetMode(7,2)", "Play(-1,7)", "Stop(40)", "SetMode(7,2)",
                                "Play(-1,7)", "Stop(41)"}},
                      Sequence{"StopActsOnlyOnAPlayingSound",
                               [](RecordingLayer&, std::uint32_t s) {
                                   StopSound(s);
                                   PlaySound(s, false);
                                   StopSound(s);
                                   StopSound(s);
                               },
                               {"SetMode(7,1)", "Play(-1,7)", "Stop(40)"}},
                      Sequence{"FailedPlayIsStoredAndStillStopped",
                               [](RecordingLayer& layer, std::uint32_t s) {
                                   layer.playResult = Music::NoChannel;
                                   PlaySound(s, false);
                                   SetSoundVolume(s, 10);
                                   StopSound(s);
                               },
                               {"SetMode(7,1)", "Play(-1,7)", "Volume(-1,10)", "Stop(-1)"}},
                      Sequence{
                          "VolumeIsLimitedTo255",
                          [](RecordingLayer&, std::uint32_t s) {
                              PlaySound(s, true);
                              for (const std::uint32_t volume : {1000U, 256U, 255U, 200U, 0U}) {
                                  SetSoundVolume(s, volume);
                              }
                          },
                          {"SetMode(7,2)", "Play(-1,7)", "Volume(40,255)", "Volume(40,255)",
                           "Volume(40,255)", "Volume(40,200)", "Volume(40,0)"}},
                      Sequence{"VolumeActsOnlyWhilePlaying",
                               [](RecordingLayer&, std::uint32_t s) {
                                   SetSoundVolume(s, 200);
                                   PlaySound(s, false);
                                   StopSound(s);
                                   SetSoundVolume(s, 200);
                               },
                               {"SetMode(7,1)", "Play(-1,7)", "Stop(40)"}},
                      Sequence{"HandlesOutsideTheTableAreIgnored",
                               [](RecordingLayer&, std::uint32_t s) {
                                   PlaySound(s, true);
                                   for (const std::uint32_t bad : {0U, s + 1, 0xFFFFFFFFU}) {
                                       PlaySound(bad, true);
                                       StopSound(bad);
                                       SetSoundVolume(bad, 100);
                                   }
                               },
                               {"SetMode(7,2)", "Play(-1,7)"}},
                      Sequence{"EachSoundKeepsItsOwnChannel",
                               [](RecordingLayer&, std::uint32_t s) {
                                   const std::uint32_t second = LoadSound("muziek/Dood.wav");
                                   PlaySound(s, true);
                                   PlaySound(second, false);
                                   SetSoundVolume(second, 30);
                                   StopSound(s);
                                   SetSoundVolume(s, 30);
                               },
                               {"Load(-1,muziek/Dood.wav,1,0,0)", "SetMode(7,2)", "Play(-1,7)",
                                "SetMode(8,1)", "Play(-1,8)", "Volume(41,30)", "Stop(40)"}},
                      Sequence{"TheSameFileIsLoadedAnewIntoTheNextHandle",
                               [](RecordingLayer&, std::uint32_t s) {
                                   EXPECT_EQ(LoadSound("muziek/Friet.wav"), s + 1);
                                   PlaySound(s + 1, false);
                               },
                               {"Load(-1,muziek/Friet.wav,1,0,0)", "SetMode(8,1)", "Play(-1,8)"}},
                      Sequence{"FailedLoadGivesZeroAndTakesNoSlot",
                               [](RecordingLayer& layer, std::uint32_t s) {
                                   layer.unloadable = {"muziek/Ontbreekt.wav", ""};
                                   EXPECT_EQ(LoadSound("muziek/Ontbreekt.wav"), 0U);
                                   EXPECT_EQ(LoadSound(""), 0U);
                                   PlaySound(s + 1, false);
                                   EXPECT_EQ(LoadSound("muziek/Dood.wav"), s + 1);
                               },
                               {"Load(-1,muziek/Ontbreekt.wav,1,0,0)", "Load(-1,,1,0,0)",
                                "Load(-1,muziek/Dood.wav,1,0,0)"}}),
    [](const ::testing::TestParamInfo<Sequence>& sequence) { return sequence.param.what; });

} // namespace
