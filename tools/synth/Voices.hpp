#pragma once
// A small stereo synthesiser: band-limited oscillators with envelopes, a few
// drums, and a score reader for melodies written as "E5:4 G5:2 r:2".

#include <cstdint>
#include <string_view>
#include <vector>

namespace Synth {

inline constexpr int Rate = 32000;

enum class Wave { Square, Pulse, Triangle, Saw, Sine };

struct Envelope {
    double attack = 0.005;
    double decay = 0.1;
    double sustain = 0.7;
    double release = 0.05;
};

struct Voice {
    Wave wave = Wave::Square;
    Envelope envelope{};
    double volume = 0.2;
    double pan = 0;        // -1 left .. 1 right
    double vibrato = 0;    // depth in semitones, after a short delay
    double glide = 0;      // semitones per second
    double brightness = 1; // 1: open; lower values close a low-pass filter
};

class Track {
  public:
    explicit Track(double seconds, double tail = 2.0);
    void Add(std::size_t index, double value, double pan);
    std::size_t Size() const { return loop; }
    // A loop: what rings on past the end is added to the start, so the seam
    // is as smooth as any other point.
    void Wrap();
    // A one-shot (or a loop that must start and end in silence): keeps the
    // ringing tail, trims trailing silence and fades the very edges.
    void Finish(double fadeIn, double fadeOut, bool keepTail);
    const std::vector<double>& Left() const { return left; }
    const std::vector<double>& Right() const { return right; }

  private:
    std::size_t loop;
    std::vector<double> left;
    std::vector<double> right;
};

double Frequency(double midi);
int Midi(std::string_view name); // "C5", "F#4", "Bb3"

void Note(Track& track, double start, double length, double midi, const Voice& voice);
void Kick(Track& track, double start, double volume);
void Snare(Track& track, double start, double volume);
void Hat(Track& track, double start, double volume, bool open = false);
void Timpani(Track& track, double start, double midi, double volume);
void Cymbal(Track& track, double start, double volume);

// Plays a score of "pitch:sixteenths" tokens ("r" rests) from `start`;
// returns the time after its last note.
double Play(Track& track, double start, double sixteenth, std::string_view score,
            const Voice& voice, int transpose = 0);

} // namespace Synth
