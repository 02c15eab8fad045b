#include "tools/synth/Voices.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string>

namespace Synth {

namespace {

constexpr double TwoPi = 2 * std::numbers::pi;

// Removes the step discontinuities that make naive square and saw waves alias.
double Blep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1;
    }
    if (t > 1 - dt) {
        t = (t - 1) / dt;
        return t * t + t + t + 1;
    }
    return 0;
}

double Oscillator(Wave wave, double phase, double dt) {
    switch (wave) {
    case Wave::Square:
    case Wave::Pulse: {
        const double duty = wave == Wave::Square ? 0.5 : 0.25;
        double v = phase < duty ? 1.0 : -1.0;
        v += Blep(phase, dt);
        v -= Blep(std::fmod(phase + 1 - duty, 1.0), dt);
        return v - (2 * duty - 1); // a narrow pulse sits off centre
    }
    case Wave::Triangle:
        return 4 * std::abs(phase - 0.5) - 1;
    case Wave::Saw:
        return 2 * phase - 1 - Blep(phase, dt);
    case Wave::Sine:
        return std::sin(TwoPi * phase);
    }
    return 0;
}

// A sweeping pitch drags the edge corrections of the oscillators above along
// with it, and what they miss folds back as partials that rise while the
// pitch falls. Sweeps are summed from their partials instead, each faded out
// before it reaches kTop.
double Partials(Wave wave, double phase, double frequency) {
    constexpr double Top = 7000;
    double v = 0;
    for (int k = 1; k * frequency < Top; ++k) {
        const bool odd = k % 2 == 1;
        double amplitude = 0;
        switch (wave) {
        case Wave::Square:
        case Wave::Pulse:
            amplitude = odd ? 4 / (std::numbers::pi * k) : 0;
            break;
        case Wave::Triangle:
            amplitude = odd ? 8 / (std::numbers::pi * std::numbers::pi * k * k) *
                                  ((k / 2) % 2 == 0 ? 1 : -1)
                            : 0;
            break;
        case Wave::Saw:
            amplitude = 2 / (std::numbers::pi * k) * (odd ? 1 : -1);
            break;
        case Wave::Sine:
            amplitude = k == 1 ? 1 : 0;
            break;
        }
        const double fade = std::min(1.0, (Top - k * frequency) / (0.2 * Top));
        v += amplitude * fade * std::sin(TwoPi * k * phase);
    }
    return v;
}

double Level(const Envelope& e, double t, double gate) {
    auto held = [&e](double at) {
        if (at < e.attack) {
            return at / e.attack;
        }
        const double d = at - e.attack;
        return d < e.decay ? 1 - (1 - e.sustain) * d / e.decay : e.sustain;
    };
    if (t < gate) {
        return held(t);
    }
    const double r = t - gate;
    return r < e.release ? held(gate) * (1 - r / e.release) : 0;
}

// Noise from a fixed generator, so every run writes the same bytes.
class Noise {
  public:
    explicit Noise(std::uint32_t seed) : state(seed | 1U) {}
    double Next() {
        state = state * 1664525U + 1013904223U;
        return static_cast<double>(state >> 8) / 8388608.0 - 1.0;
    }

  private:
    std::uint32_t state;
};

std::uint32_t Seed(double start) {
    return static_cast<std::uint32_t>(start * 1000.0) * 2654435761U;
}

std::size_t Index(double seconds) {
    return static_cast<std::size_t>(std::lround(seconds * Rate));
}

} // namespace

Track::Track(double seconds, double tail)
    : loop(Index(seconds)), left(Index(seconds + tail), 0.0), right(left.size(), 0.0) {}

void Track::Add(std::size_t index, double value, double pan) {
    if (index >= left.size()) {
        return;
    }
    left[index] += value * std::sqrt(0.5 * (1 - pan));
    right[index] += value * std::sqrt(0.5 * (1 + pan));
}

void Track::Wrap() {
    for (std::size_t i = loop; i < left.size(); ++i) {
        left[(i - loop) % loop] += left[i];
        right[(i - loop) % loop] += right[i];
    }
    left.resize(loop);
    right.resize(loop);
}

void Track::Finish(double fadeIn, double fadeOut, bool keepTail) {
    std::size_t end = keepTail ? left.size() : loop;
    if (keepTail) {
        while (end > loop && std::abs(left[end - 1]) < 1e-4 && std::abs(right[end - 1]) < 1e-4) {
            --end;
        }
    }
    left.resize(end);
    right.resize(end);
    const std::size_t in = std::min(end, Index(fadeIn));
    for (std::size_t i = 0; i < in; ++i) {
        const double g = static_cast<double>(i) / static_cast<double>(in);
        left[i] *= g;
        right[i] *= g;
    }
    const std::size_t out = std::min(end, Index(fadeOut));
    for (std::size_t i = 0; i < out; ++i) {
        const double g = static_cast<double>(i) / static_cast<double>(out);
        left[end - 1 - i] *= g;
        right[end - 1 - i] *= g;
    }
}

double Frequency(double midi) {
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

int Midi(std::string_view name) {
    static constexpr std::string_view Letters = "C D EF G A B";
    if (name.empty() || Letters.find(name[0]) == std::string_view::npos) {
        throw std::invalid_argument("bad note " + std::string(name));
    }
    int semitone = static_cast<int>(Letters.find(name[0]));
    std::size_t i = 1;
    if (i < name.size() && name[i] == '#') {
        ++semitone;
        ++i;
    } else if (i < name.size() && name[i] == 'b') {
        --semitone;
        ++i;
    }
    if (i >= name.size()) {
        throw std::invalid_argument("note without octave " + std::string(name));
    }
    const int octave = name[i] - '0';
    return 12 * (octave + 1) + semitone;
}

void Note(Track& track, double start, double length, double midi, const Voice& voice) {
    const std::size_t first = Index(start);
    const double total = length + voice.envelope.release;
    const std::size_t count = Index(total);
    const double base = Frequency(midi);
    const double cutoff = std::min(0.99, 1 - std::exp(-TwoPi * base * 8 * voice.brightness / Rate));
    double phase = 0;
    double filtered = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / Rate;
        const double wobble =
            voice.vibrato * std::sin(TwoPi * 5.5 * t) * std::min(1.0, std::max(0.0, t - 0.12) * 4);
        const double f = base * std::pow(2.0, (wobble + voice.glide * t) / 12.0);
        const double dt = f / Rate;
        double v =
            voice.glide == 0 ? Oscillator(voice.wave, phase, dt) : Partials(voice.wave, phase, f);
        if (voice.brightness < 1) {
            filtered += cutoff * (v - filtered);
            v = filtered;
        }
        track.Add(first + i, v * Level(voice.envelope, t, length) * voice.volume, voice.pan);
        phase = std::fmod(phase + dt, 1.0);
    }
}

void Kick(Track& track, double start, double volume) {
    const std::size_t first = Index(start);
    double phase = 0;
    for (std::size_t i = 0; i < Index(0.3); ++i) {
        const double t = static_cast<double>(i) / Rate;
        const double f = 45 + 110 * std::exp(-t * 30);
        phase += f / Rate;
        const double click = std::min(1.0, t * 2000);
        track.Add(first + i, std::sin(TwoPi * phase) * std::exp(-t * 12) * click * volume, 0);
    }
}

void Snare(Track& track, double start, double volume) {
    Noise noise(Seed(start) + 1U);
    const std::size_t first = Index(start);
    double low = 0;
    for (std::size_t i = 0; i < Index(0.22); ++i) {
        const double t = static_cast<double>(i) / Rate;
        const double n = noise.Next();
        low += 0.35 * (n - low);
        const double body = std::sin(TwoPi * 185 * t) * std::exp(-t * 30);
        const double attack = std::min(1.0, t * 3000);
        track.Add(first + i, ((n - low) * 0.8 * std::exp(-t * 18) + body * 0.6) * attack * volume,
                  0.1);
    }
}

void Hat(Track& track, double start, double volume, bool open) {
    Noise noise(Seed(start) + 2U);
    const std::size_t first = Index(start);
    const double decay = open ? 14 : 60;
    double previous = 0;
    for (std::size_t i = 0; i < Index(open ? 0.3 : 0.08); ++i) {
        const double t = static_cast<double>(i) / Rate;
        const double n = noise.Next();
        const double high = n - previous; // crude high-pass: only the hiss is left
        previous = n;
        const double attack = std::min(1.0, t * 4000);
        track.Add(first + i, high * std::exp(-t * decay) * attack * volume, -0.3);
    }
}

void Timpani(Track& track, double start, double midi, double volume) {
    const std::size_t first = Index(start);
    const double f = Frequency(midi);
    for (std::size_t i = 0; i < Index(1.6); ++i) {
        const double t = static_cast<double>(i) / Rate;
        const double drop = 1 + 0.04 * std::exp(-t * 20);
        const double v = std::sin(TwoPi * f * drop * t) +
                         0.35 * std::sin(TwoPi * f * 1.5 * drop * t) * std::exp(-t * 4);
        const double attack = std::min(1.0, t * 1500);
        track.Add(first + i, v * std::exp(-t * 2.6) * attack * volume, 0);
    }
}

void Cymbal(Track& track, double start, double volume) {
    Noise noise(Seed(start) + 3U);
    const std::size_t first = Index(start);
    double previous = 0;
    for (std::size_t i = 0; i < Index(2.2); ++i) {
        const double t = static_cast<double>(i) / Rate;
        const double n = noise.Next();
        const double attack = std::min(1.0, t * 300);
        track.Add(first + i, (n - previous) * std::exp(-t * 2.2) * attack * volume, 0.35);
        previous = n;
    }
}

double Play(Track& track, double start, double sixteenth, std::string_view score,
            const Voice& voice, int transpose) {
    double at = start;
    while (!score.empty()) {
        const std::size_t space = score.find(' ');
        const std::string_view token = score.substr(0, space);
        score = space == std::string_view::npos ? std::string_view{} : score.substr(space + 1);
        if (token.empty()) {
            continue;
        }
        const std::size_t colon = token.find(':');
        if (colon == std::string_view::npos) {
            throw std::invalid_argument("note without length " + std::string(token));
        }
        const double length = std::stod(std::string(token.substr(colon + 1))) * sixteenth;
        const std::string_view pitch = token.substr(0, colon);
        if (pitch != "r") {
            Note(track, at, length * 0.92, Midi(pitch) + transpose, voice);
        }
        at += length;
    }
    return at;
}

} // namespace Synth
