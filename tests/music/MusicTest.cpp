// Music's own rules, checked against a layer that records every call it receives.
#include "music/Music.hpp"

#include "music/SoundLayer.hpp"

#include <gtest/gtest.h>
#include <memory>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>

namespace {

class RecordingLayer final : public Music::SoundLayer {
  public:
    float version = Music::RequiredVersion;
    bool initSucceeds = true;
    std::int32_t playResult = 0; // 0: hand out channels 40, 41, ...
    std::string calls;

    float GetVersion() override { return Note("GetVersion"), version; }
    bool Init(std::int32_t rate, std::int32_t channels, std::uint32_t flags) override {
        return Note("Init", rate, channels, flags), initSucceeds;
    }
    // Samples numbered from 7, to tell them from handles; files named "Ontbreekt" do not load.
    Music::Sample SampleLoad(std::int32_t index, const std::string& name, std::uint32_t mode,
                             std::int32_t offset, std::int32_t length) override {
        Note("Load", index, name, mode, offset, length);
        return name.starts_with("Ontbreekt") ? Music::Sample::None : Music::Sample{nextSample_++};
    }
    void SampleSetMode(Music::Sample s, std::uint32_t mode) override { Note("SetMode", s, mode); }
    std::int32_t PlaySound(std::int32_t channel, Music::Sample sample) override {
        Note("Play", channel, sample);
        return playResult != 0 ? playResult : nextChannel_++;
    }
    void StopSound(std::int32_t channel) override { Note("Stop", channel); }
    void SetVolume(std::int32_t channel, std::int32_t v) override { Note("Volume", channel, v); }

  private:
    static std::string Text(const std::string& text) { return text; }
    static std::string Text(auto value) { return std::to_string(static_cast<std::int64_t>(value)); }
    void Note(const std::string& name, const auto&... args) {
        calls += (calls.empty() ? "" : ", ") + name;
        ((calls += " " + Text(args)), ...);
    }

    std::uint32_t nextSample_ = 7;
    std::int32_t nextChannel_ = 40;
};

using MusicCalls = ::testing::TestWithParam<std::tuple<const char*, const char*, const char*>>;

// Steps: an operation letter, the sound (a digit counts from the test's first handle; z is 0
// and h the largest) and =value. o: play once, l: loop, s: stop, v: volume, d: load the file
// (Friet by default) expecting the sound, f: plays fail from now on, i: initialise with a good
// (0), old (1) or failing (2) library.
TEST_P(MusicCalls, ReachTheLayerAsExpected) {
    const auto [what, steps, calls] = GetParam();
    auto recording = std::make_unique<RecordingLayer>();
    RecordingLayer* layer = recording.get();
    Music::SetSoundLayer(std::move(recording));
    // The sound table outlives every test in this process, so handles are counted from the
    // first one a test gets; a refused start makes the module inert whatever came before.
    layer->version = 0;
    EXPECT_FALSE(Music::InitMusic());
    layer->version = Music::RequiredVersion;
    ASSERT_TRUE(Music::InitMusic());
    const std::uint32_t first = Music::LoadSound("muziek/Friet.wav");
    layer->calls.clear();
    std::istringstream in(steps);
    for (std::string step; in >> step;) {
        const char which = step.size() > 1 ? step[1] : '0';
        const std::uint32_t sound = which == 'z' ? 0U : which == 'h' ? ~0U : first + which - '0';
        const std::string value = step.size() > 3 ? step.substr(3) : "";
        switch (step[0]) {
        case 'o':
        case 'l':
            Music::PlaySound(sound, step[0] == 'l');
            break;
        case 's':
            Music::StopSound(sound);
            break;
        case 'v':
            Music::SetSoundVolume(sound, std::stoul(value));
            break;
        case 'd':
            EXPECT_EQ(Music::LoadSound(value.empty() ? "muziek/Friet.wav" : value), sound) << step;
            break;
        case 'f':
            layer->playResult = Music::NoChannel;
            break;
        default:
            layer->version = which == '1' ? 3.74F : Music::RequiredVersion;
            layer->initSucceeds = which != '2';
            EXPECT_EQ(Music::InitMusic(), which == '0') << step;
        }
    }
    EXPECT_EQ(layer->calls, calls);
}

INSTANTIATE_TEST_SUITE_P(
    Sounds, MusicCalls,
    ::testing::Values(
        std::tuple{"PlayingAgainStopsTheStoredChannelFirst", "l0 l0 s0",
                   "SetMode 7 2, Play -1 7, Stop 40, SetMode 7 2, Play -1 7, Stop 41"},
        std::tuple{"StopAndVolumeActOnlyWhilePlaying", "s0 v0=200 o0 s0 s0 v0=200",
                   "SetMode 7 1, Play -1 7, Stop 40"},
        std::tuple{"FailedPlayIsStoredAndStillStopped", "f o0 v0=10 s0",
                   "SetMode 7 1, Play -1 7, Volume -1 10, Stop -1"},
        std::tuple{"VolumeIsLimitedTo255", "l0 v0=1000 v0=255 v0=0",
                   "SetMode 7 2, Play -1 7, Volume 40 255, Volume 40 255, Volume 40 0"},
        std::tuple{"HandlesOutsideTheTableAreIgnored", "l0 l1 sz vh=9 s1",
                   "SetMode 7 2, Play -1 7"},
        std::tuple{"TheSameFileLoadsAnewAndEachSoundKeepsItsChannel", "d1 l0 o1 v1=30 s0 v0=30",
                   "Load -1 muziek/Friet.wav 1 0 0, SetMode 7 2, Play -1 7, SetMode 8 1, "
                   "Play -1 8, Volume 41 30, Stop 40"},
        std::tuple{"FailedLoadGivesZeroAndTakesNoSlot", "dz=Ontbreekt.wav o1 d1=Dood.wav",
                   "Load -1 Ontbreekt.wav 1 0 0, Load -1 Dood.wav 1 0 0"},
        std::tuple{"InertWithAnOldLibraryOrAFailedInit", "i1 l0 v0=9 s0 dz i2 l0 v0=9 s0 dz",
                   "GetVersion, GetVersion, Init 32000 64 0"},
        std::tuple{"ARestartOpensAnewAndKeepsTheTableAndThePlayingMark", "l0 i2 i0 o0 d1",
                   "SetMode 7 2, Play -1 7, GetVersion, Init 32000 64 0, GetVersion, "
                   "Init 32000 64 0, Stop 40, SetMode 7 1, Play -1 7, "
                   "Load -1 muziek/Friet.wav 1 0 0"}),
    [](const auto& row) { return std::get<0>(row.param); });

} // namespace
