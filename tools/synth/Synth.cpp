#include "tools/synth/Synth.hpp"

#include "tools/synth/Tunes.hpp"

#include <algorithm>
#include <cmath>
#include <memory>
#include <sndfile.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace synth {

namespace {

struct FileCloser {
    void operator()(SNDFILE* f) const { sf_close(f); }
};

// MP3 decoders overshoot the encoded wave a little; the headroom keeps them
// below full scale.
constexpr double kPeak = 0.7;

std::vector<float> Interleave(const Track& track) {
    double peak = 1e-9;
    for (std::size_t i = 0; i < track.Left().size(); ++i) {
        peak = std::max({peak, std::abs(track.Left()[i]), std::abs(track.Right()[i])});
    }
    const double gain = kPeak / peak;
    std::vector<float> out;
    out.reserve(track.Left().size() * 2);
    for (std::size_t i = 0; i < track.Left().size(); ++i) {
        out.push_back(static_cast<float>(track.Left()[i] * gain));
        out.push_back(static_cast<float>(track.Right()[i] * gain));
    }
    return out;
}

void Write(const Track& track, const std::filesystem::path& file) {
    const bool mp3 = file.extension() == ".MP3";
    SF_INFO info{};
    info.samplerate = kRate;
    info.channels = 2;
    info.format =
        mp3 ? (SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III) : (SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    std::unique_ptr<SNDFILE, FileCloser> out(sf_open(file.c_str(), SFM_WRITE, &info));
    if (!out) {
        throw std::runtime_error("cannot write " + file.string() + ": " + sf_strerror(nullptr));
    }
    if (mp3) {
        // Fixed encoder settings: constant bit rate, so every run writes the same bytes.
        int mode = SF_BITRATE_MODE_CONSTANT;
        double level = 0.4;
        sf_command(out.get(), SFC_SET_BITRATE_MODE, &mode, sizeof mode);
        sf_command(out.get(), SFC_SET_COMPRESSION_LEVEL, &level, sizeof level);
    }
    const std::vector<float> samples = Interleave(track);
    const auto frames = static_cast<sf_count_t>(samples.size() / 2);
    if (sf_writef_float(out.get(), samples.data(), frames) != frames) {
        throw std::runtime_error("cannot write " + file.string() + ": " + sf_strerror(out.get()));
    }
}

} // namespace

void WriteSounds(const std::filesystem::path& root) {
    const std::filesystem::path music = root / "muziek";
    std::filesystem::create_directories(music);
    Write(MenuTune(), music / "Menumuziek.MP3");
    Write(LevelTune(), music / "Levelmuziek.WAV");
    Write(FriesEffect(), music / "Frietsound.MP3");
    Write(LifeLostEffect(), music / "Levenkwijt.MP3");
    Write(LevelDoneEffect(), music / "Levelvoltooid.MP3");
    Write(GameOverPhrase(), music / "Gameover.MP3");
    Write(Anthem(), music / "vlaamseleeuw.MP3");
}

} // namespace synth
