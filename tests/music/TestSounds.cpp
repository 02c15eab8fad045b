#include "TestSounds.hpp"

#include "music/MixerLayer.hpp"
#include "music/Music.hpp"

#include <cmath>
#include <cstdlib>
#include <memory>
#include <numbers>
#include <sndfile.h>
#include <vector>

namespace MusicTest {
namespace {

constexpr int Rate = 32000;

bool WriteTone(const std::string& path, double seconds, int format) {
    SF_INFO info{};
    info.samplerate = Rate;
    info.channels = 1;
    info.format = format;
    const std::unique_ptr<SNDFILE, int (*)(SNDFILE*)> file(sf_open(path.c_str(), SFM_WRITE, &info),
                                                           sf_close);
    if (!file) {
        return false;
    }
    std::vector<double> tone(static_cast<std::size_t>(seconds * Rate));
    for (std::size_t i = 0; i < tone.size(); ++i) {
        tone[i] = 0.4 * std::sin(2.0 * std::numbers::pi * 440.0 * static_cast<double>(i) / Rate);
    }
    const auto frames = static_cast<sf_count_t>(tone.size());
    return sf_writef_double(file.get(), tone.data(), frames) == frames;
}

} // namespace

bool WriteWav(const std::string& path, double seconds) {
    return WriteTone(path, seconds, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
}

bool WriteMp3(const std::string& path, double seconds) {
    return WriteTone(path, seconds, SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III);
}

void FreshMixer() {
    ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    Music::SetSoundLayer(Music::MakeMixerLayer());
    Music::InitMusic(); // refused: no such driver
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
}

} // namespace MusicTest
