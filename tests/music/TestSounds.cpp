#include "TestSounds.hpp"

#include "music/MixerLayer.hpp"
#include "music/Music.hpp"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <numbers>
#include <sndfile.h>
#include <unistd.h>
#include <vector>

namespace MusicTest {
namespace {

constexpr int Rate = 32000;
constexpr double Amplitude = 0.4;
constexpr double Pitch = 440.0;

std::vector<double> Tone(double seconds) {
    std::vector<double> samples(static_cast<std::size_t>(seconds * Rate));
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] =
            Amplitude * std::sin(2.0 * std::numbers::pi * Pitch * static_cast<double>(i) / Rate);
    }
    return samples;
}

void Put(std::ofstream& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.put(static_cast<char>((value >> (8 * i)) & 0xFFU));
    }
}

} // namespace

void WriteWav(const std::string& path, double seconds) {
    const std::vector<double> tone = Tone(seconds);
    const auto dataBytes = static_cast<std::uint32_t>(tone.size() * 2);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write("RIFF", 4);
    Put(out, 36 + dataBytes, 4);
    out.write("WAVEfmt ", 8);
    Put(out, 16, 4);       // format chunk size
    Put(out, 1, 2);        // PCM
    Put(out, 1, 2);        // mono
    Put(out, Rate, 4);     // frames per second
    Put(out, Rate * 2, 4); // bytes per second
    Put(out, 2, 2);        // bytes per frame
    Put(out, 16, 2);       // bits per sample
    out.write("data", 4);
    Put(out, dataBytes, 4);
    for (const double sample : tone) {
        Put(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(sample * 32767.0)), 2);
    }
}

bool WriteMp3(const std::string& path, double seconds) {
    SF_INFO info{};
    info.samplerate = Rate;
    info.channels = 1;
    info.format = SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III;
    const std::unique_ptr<SNDFILE, int (*)(SNDFILE*)> file(sf_open(path.c_str(), SFM_WRITE, &info),
                                                           sf_close);
    if (!file) {
        return false;
    }
    const std::vector<double> tone = Tone(seconds);
    const auto frames = static_cast<sf_count_t>(tone.size());
    return sf_writef_double(file.get(), tone.data(), frames) == frames;
}

void FreshMixer() {
    ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    Music::SetSoundLayer(Music::MakeMixerLayer());
    Music::InitMusic(); // refused: no such driver
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
}

} // namespace MusicTest
