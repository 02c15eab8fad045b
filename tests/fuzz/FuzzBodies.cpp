#include "FuzzBodies.hpp"

#include "TestKit.hpp"
#include "game/Doolhof.hpp"
#include "game/DoolhofCheck.hpp"
#include "music/MixerLayer.hpp"
#include "music/Music.hpp"
#include "wimdows/Wimdows.hpp"

#include <SDL.h>
#include <SDL_mixer.h>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace Fuzz {
namespace {

// Every input starts on an empty table, a new window or sound layer, so it frees all it
// allocates unless it leaks. libFuzzer looks for a leak after each input that frees less than it
// allocates and stops looking after a thousand that leaked nothing: with tables kept across
// inputs it stopped within seconds, and a leak then showed only at exit, without its input.
void DummyDrivers() {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
}

// The mixer counts the openings of its device: with one held here for the whole run, a sound
// layer for every input opens and closes nothing. In the layer's own format, so it is shared.
bool HoldAudioDevice() {
    return SDL_InitSubSystem(SDL_INIT_AUDIO) == 0 &&
           Mix_OpenAudioDevice(32000, AUDIO_S16SYS, 2, 1024, nullptr, 0) == 0;
}

// A new file name for every input: the sound layer knows a file it decoded before by its name,
// size and time of change, which a rewrite within one clock tick would not alter.
std::string Write(Bytes data, const char* extension) {
    static const TestKit::TempDir scratch;
    static std::uint64_t count = 0;
    return scratch.File("input-" + std::to_string(++count) + extension,
                        {reinterpret_cast<const char*>(data.data()), data.size()});
}

} // namespace

std::size_t DoolhofBytes(Bytes data) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data.data()), data.size()));
    std::vector<Meandor::DoolhofLevel> levels;
    do {
        Meandor::DoolhofLevel& level = levels.emplace_back();
        level.bestand = "doolhof" + std::to_string(levels.size()) + ".txt";
        Meandor::LeesDoolhof(in, level.grid);
        static_cast<void>(Meandor::DumpDoolhof(level.grid));
    } while (levels.size() < 5 && in.peek() != std::char_traits<char>::eof());
    const std::vector<Meandor::Overtreding> overtredingen = Meandor::ControleerDoolhoven(levels);
    for (const Meandor::Overtreding& overtreding : overtredingen) {
        static_cast<void>(Meandor::Beschrijf(overtreding));
    }
    return overtredingen.size();
}

std::uint32_t BitmapBytes(Bytes data) {
    DummyDrivers();
    Wimdows::Window("fuzz", 200, 200); // closing the previous one empties the table
    [[maybe_unused]] static const bool closeAtExit =
        std::atexit([] { Wimdows::KillWindow(); }) == 0;
    const std::string input = Write(data, ".bmp");
    const auto side = [](std::size_t n) { return static_cast<std::uint32_t>(1 + n % 64); };
    const std::uint32_t bitmap =
        Wimdows::LoadBitmap(input, side(data.size()), side(data.size() / 64));
    std::filesystem::remove(input);
    Wimdows::DrawBitmap(bitmap, -7, 150);
    Wimdows::DrawMaskBitmap(bitmap, bitmap, 180, -5);
    return bitmap;
}

std::uint32_t SoundBytes(Bytes data) {
    DummyDrivers();
    [[maybe_unused]] static const bool held = HoldAudioDevice();
    Music::SetSoundLayer(Music::MakeMixerLayer()); // frees the last input's sample
    Music::InitMusic();
    const std::string input = Write(data, ".snd");
    const std::uint32_t sound = Music::LoadSound(input);
    std::filesystem::remove(input);
    Music::PlaySound(sound, false);
    Music::SetSoundVolume(sound, 300);
    Music::StopSound(sound);
    return sound;
}

} // namespace Fuzz
