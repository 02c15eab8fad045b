#include "FuzzBodies.hpp"

#include "TestKit.hpp"
#include "game/Doolhof.hpp"
#include "game/DoolhofCheck.hpp"
#include "music/MixerLayer.hpp"
#include "music/Music.hpp"
#include "wimdows/Wimdows.hpp"

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace Fuzz {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t MaxLevels = 5;
constexpr std::uint32_t MaxSide = 64;
// Loaded pictures and sounds stay in their tables until the window closes or the sound layer
// goes; starting afresh this often keeps a long run's memory flat.
constexpr std::uint32_t LoadsPerTable = 256;

void UseDummyDrivers() {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
}

// A new file name for every input, in a directory of this process's own removed at exit: the
// sound layer recognises a file it decoded before by its name, size and time of change, which a
// rewrite within one clock tick would not alter. The caller removes the file after use.
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
        Meandor::DoolhofLevel& lvl = levels.emplace_back();
        lvl.bestand = "doolhof" + std::to_string(levels.size()) + ".txt";
        Meandor::LeesDoolhof(in, lvl.grid);
    } while (levels.size() < MaxLevels && in.peek() != std::char_traits<char>::eof());
    const std::vector<Meandor::Overtreding> overtredingen = Meandor::ControleerDoolhoven(levels);
    for (const Meandor::Overtreding& overtreding : overtredingen) {
        static_cast<void>(Meandor::Beschrijf(overtreding));
    }
    for (const Meandor::DoolhofLevel& lvl : levels) {
        static_cast<void>(Meandor::DumpDoolhof(lvl.grid));
    }
    return overtredingen.size();
}

std::uint32_t BitmapBytes(Bytes data) {
    static std::uint32_t loads = 0;
    if (loads == 0) {
        UseDummyDrivers();
        std::atexit([] { Wimdows::KillWindow(); });
    }
    if (loads++ % LoadsPerTable == 0) {
        Wimdows::Window("fuzz", 200, 200); // closing the previous one empties the table
    }
    const auto width = static_cast<std::uint32_t>(1 + data.size() % MaxSide);
    const auto height = static_cast<std::uint32_t>(1 + data.size() / MaxSide % MaxSide);
    const std::string input = Write(data, ".bmp");
    const std::uint32_t bitmap = Wimdows::LoadBitmap(input, width, height);
    fs::remove(input);
    Wimdows::DrawBitmap(bitmap, -7, 150);
    Wimdows::DrawMaskBitmap(bitmap, bitmap, 180, -5);
    return bitmap;
}

std::uint32_t SoundBytes(Bytes data) {
    static std::uint32_t loads = 0;
    if (loads == 0) {
        UseDummyDrivers();
    }
    if (loads++ % LoadsPerTable == 0) {
        Music::SetSoundLayer(Music::MakeMixerLayer()); // frees every sample loaded so far
        Music::InitMusic();
    }
    const std::string input = Write(data, ".snd");
    const std::uint32_t sound = Music::LoadSound(input);
    fs::remove(input);
    Music::PlaySound(sound, false);
    Music::SetSoundVolume(sound, 300);
    Music::StopSound(sound);
    return sound;
}

} // namespace Fuzz
