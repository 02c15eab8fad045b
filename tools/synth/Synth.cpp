#include "tools/synth/Synth.hpp"

#include "game/Assets.hpp"
#include "tools/synth/Tunes.hpp"

#include <algorithm>
#include <cmath>
#include <memory>
#include <sndfile.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace Synth {

namespace {

struct FileCloser {
    void operator()(SNDFILE* f) const { sf_close(f); }
};

// How loud each file is made, in dBFS RMS: music over its whole length,
// effects over their loudest 0.4 s. The game plays the level music at 100 of
// 255 (-8.2 dB) and effects at full volume, so effects come out 4.5 dB above
// the music under them; the menu tune and the anthem play at 200 of 255.
constexpr double LevelMusic = -16;
constexpr double Effect = LevelMusic - 8.2 + 4.5;
constexpr double MenuMusic = -17;

// MP3 decoders overshoot the encoded wave a little; the headroom keeps them
// below full scale.
constexpr double MaxPeak = 0.8;

enum class Measure { WholeTrack, LoudestMoment };

double Rms(const Track& track, std::size_t from, std::size_t to) {
    double sum = 0;
    for (std::size_t i = from; i < to; ++i) {
        sum += track.Left()[i] * track.Left()[i] + track.Right()[i] * track.Right()[i];
    }
    return std::sqrt(sum / static_cast<double>(2 * std::max<std::size_t>(1, to - from)));
}

double Loudness(const Track& track, Measure measure) {
    const std::size_t size = track.Left().size();
    const double whole = Rms(track, 0, size);
    if (measure == Measure::WholeTrack) {
        return whole;
    }
    constexpr std::size_t Window = Rate * 2 / 5;
    constexpr std::size_t Step = Rate / 20;
    double loudest = whole;
    for (std::size_t at = 0; at + Window <= size; at += Step) {
        loudest = std::max(loudest, Rms(track, at, at + Window));
    }
    return loudest;
}

std::vector<float> Interleave(const Track& track, double level, Measure measure) {
    double peak = 1e-9;
    for (std::size_t i = 0; i < track.Left().size(); ++i) {
        peak = std::max({peak, std::abs(track.Left()[i]), std::abs(track.Right()[i])});
    }
    const double wanted = std::pow(10.0, level / 20) / std::max(1e-9, Loudness(track, measure));
    const double gain = std::min(wanted, MaxPeak / peak);
    std::vector<float> out;
    out.reserve(track.Left().size() * 2);
    for (std::size_t i = 0; i < track.Left().size(); ++i) {
        out.push_back(static_cast<float>(track.Left()[i] * gain));
        out.push_back(static_cast<float>(track.Right()[i] * gain));
    }
    return out;
}

void Write(const Track& track, const std::filesystem::path& file, double loudness,
           Measure measure) {
    std::filesystem::create_directories(file.parent_path());
    const bool mp3 = file.extension() == ".MP3";
    SF_INFO info{};
    info.samplerate = Rate;
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
    const std::vector<float> samples = Interleave(track, loudness, measure);
    const auto frames = static_cast<sf_count_t>(samples.size() / 2);
    if (sf_writef_float(out.get(), samples.data(), frames) != frames) {
        throw std::runtime_error("cannot write " + file.string() + ": " + sf_strerror(out.get()));
    }
}

} // namespace

void WriteSounds(const std::filesystem::path& root) {
    using namespace Meandor;
    Write(MenuTune(), root / MenuMuziekBestand, MenuMusic, Measure::WholeTrack);
    Write(LevelTune(), root / LevelMuziekBestand, LevelMusic, Measure::WholeTrack);
    Write(FriesEffect(), root / FrietGeluidBestand, Effect, Measure::LoudestMoment);
    Write(LifeLostEffect(), root / LevenKwijtBestand, Effect, Measure::LoudestMoment);
    Write(LevelDoneEffect(), root / LevelVoltooidBestand, Effect, Measure::LoudestMoment);
    // It replaces the level music, and stands as far above it as an effect.
    Write(GameOverPhrase(), root / GameOverMuziekBestand, Effect, Measure::LoudestMoment);
    Write(Anthem(), root / VolksliedBestand, MenuMusic, Measure::WholeTrack);
}

} // namespace Synth
