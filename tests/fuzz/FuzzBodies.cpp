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

// Loaded pictures and sounds stay in their tables until the window closes or the sound layer
// goes; starting afresh this often keeps a long run's memory flat. SDL runs on its dummy
// drivers.
bool FreshTable(std::uint32_t& loads) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    return loads++ % 256 == 0;
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
    static std::uint32_t loads = 0;
    if (FreshTable(loads)) {
        Wimdows::Window("fuzz", 200, 200); // closing the previous one empties the table
        [[maybe_unused]] static const bool closeAtExit =
            std::atexit([] { Wimdows::KillWindow(); }) == 0;
    }
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
    static std::uint32_t loads = 0;
    if (FreshTable(loads)) {
        Music::SetSoundLayer(Music::MakeMixerLayer()); // frees every sample loaded so far
        Music::InitMusic();
    }
    const std::string input = Write(data, ".snd");
    const std::uint32_t sound = Music::LoadSound(input);
    std::filesystem::remove(input);
    Music::PlaySound(sound, false);
    Music::SetSoundVolume(sound, 300);
    Music::StopSound(sound);
    return sound;
}

} // namespace Fuzz
