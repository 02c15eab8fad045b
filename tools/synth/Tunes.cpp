#include "tools/synth/Tunes.hpp"

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace Synth {

namespace {

struct Chord {
    int root = 0; // midi number in octave 3
    bool minor = false;
};

Chord Parse(std::string_view name) {
    const bool minor = name.size() > 1 && name.back() == 'm';
    const std::string_view root = minor ? name.substr(0, name.size() - 1) : name;
    return {Midi(std::string(root) + "3"), minor};
}

std::array<int, 3> Triad(const Chord& c) {
    return {c.root, c.root + (c.minor ? 3 : 4), c.root + 7};
}

// Drum steps of one bar: 'x' a hit, '.' nothing; 16 steps.
void Drums(Track& t, double bar, double sixteenth, std::string_view kick, std::string_view snare,
           std::string_view hat) {
    for (std::size_t step = 0; step < 16; ++step) {
        const double at = bar + static_cast<double>(step) * sixteenth;
        if (step < kick.size() && kick[step] == 'x') {
            Kick(t, at, 0.55);
        }
        if (step < snare.size() && snare[step] == 'x') {
            Snare(t, at, 0.28);
        }
        if (step < hat.size() && hat[step] != '.') {
            Hat(t, at, 0.1, hat[step] == 'o');
        }
    }
}

// Eighth-note bass that jumps to the octave and back.
void PumpingBass(Track& t, double bar, double sixteenth, const Chord& c, int eighths,
                 const Voice& v) {
    for (int i = 0; i < eighths; ++i) {
        Note(t, bar + i * 2 * sixteenth, sixteenth * 1.6, c.root - 12 + (i % 2 == 1 ? 12 : 0), v);
    }
}

void Arpeggio(Track& t, double bar, double sixteenth, const Chord& c, int steps, const Voice& v) {
    const std::array<int, 3> notes = Triad(c);
    constexpr std::array<int, 4> Order{0, 1, 2, 1};
    for (int i = 0; i < steps; ++i) {
        Note(t, bar + i * sixteenth, sixteenth * 0.6,
             notes.at(static_cast<std::size_t>(Order.at(static_cast<std::size_t>(i % 4)))) + 24, v);
    }
}

const Voice Lead{Wave::Pulse, {0.005, 0.12, 0.55, 0.06}, 0.2, -0.15, 0.25, 0, 1};
const Voice Arp{Wave::Square, {0.002, 0.05, 0.3, 0.03}, 0.045, 0.45, 0, 0, 0.6};
const Voice Flute{Wave::Triangle, {0.03, 0.2, 0.7, 0.2}, 0.2, -0.15, 0.3, 0, 1};
const Voice Bass{Wave::Square, {0.003, 0.08, 0.7, 0.03}, 0.3, 0, 0, 0, 0.35};
const Voice SoftBass{Wave::Triangle, {0.02, 0.3, 0.6, 0.2}, 0.2, 0, 0, 0, 1};

// One eight-bar part of the level tune: its chords and melody, and how full
// the band plays under it.
struct Section {
    std::array<std::string_view, 8> chords;
    std::array<std::string_view, 8> melody;
    bool drums;
    bool arpeggio;
    bool doubled; // the melody again an octave lower
};

constexpr Section Verse{{"Am", "F", "C", "G", "Am", "F", "C", "G"},
                        {"A4:2 C5:2 E5:2 A5:2 G5:2 E5:2 C5:2 E5:2", "F5:4 E5:2 C5:2 A4:4 C5:4",
                         "G4:2 C5:2 E5:2 G5:2 E5:2 C5:2 G5:4", "B4:4 D5:4 G5:2 F5:2 E5:2 D5:2",
                         "A4:2 C5:2 E5:2 A5:2 B5:2 A5:2 G5:2 E5:2", "F5:4 A5:4 C6:4 A5:4",
                         "G5:3 E5:1 C5:4 E5:2 G5:2 C6:4", "B5:6 A5:2 G5:4 E5:4"},
                        true,
                        true,
                        false};

constexpr Section Chorus{{"Dm", "Am", "F", "E", "Dm", "Am", "F", "E"},
                         {"D5:4 F5:4 A5:4 F5:2 D5:2", "E5:4 C5:4 A4:8", "F5:2 G5:2 A5:4 C6:4 A5:4",
                          "G#5:8 B5:4 E5:4", "D6:4 C6:2 A5:2 F5:4 A5:4", "C6:4 B5:2 A5:2 E5:8",
                          "F5:2 A5:2 C6:2 F6:2 E6:4 C6:4", "B5:4 G#5:4 E5:4 B4:4"},
                         true,
                         true,
                         false};

// The bridge drops the drums and the arpeggio: long notes over new chords.
constexpr Section Bridge{{"F", "G", "Em", "Am", "Dm", "G", "C", "E"},
                         {"A5:8 G5:8", "B5:8 D6:8", "G5:12 E5:4", "C6:8 A5:8", "F5:8 A5:8",
                          "B5:8 D6:4 B5:4", "E6:8 C6:8", "B5:8 G#5:8"},
                         false,
                         false,
                         false};

constexpr Section VerseDoubled{Verse.chords, Verse.melody, true, true, true};

} // namespace

Track MenuTune() {
    constexpr double Sixteenth = 60.0 / 120 / 4;
    constexpr std::array<std::string_view, 16> Chords{"C", "Am", "F",  "G",  "C", "Am", "F", "G",
                                                      "F", "G",  "Em", "Am", "F", "G",  "C", "C"};
    constexpr std::array<std::string_view, 16> Melody{"E5:4 G5:2 E5:2 C5:4 G4:4",
                                                      "A4:2 C5:2 E5:4 D5:2 C5:2 A4:4",
                                                      "F4:2 A4:2 C5:4 F5:4 E5:2 D5:2",
                                                      "D5:6 B4:2 G4:8",
                                                      "E5:4 G5:2 E5:2 C6:4 B5:2 A5:2",
                                                      "A5:4 E5:4 C5:4 E5:4",
                                                      "F5:2 E5:2 D5:2 C5:2 A4:4 C5:4",
                                                      "B4:4 D5:4 G5:8",
                                                      "A5:3 G5:1 F5:4 C5:4 F5:4",
                                                      "G5:3 F5:1 E5:4 D5:4 B4:4",
                                                      "E5:2 G5:2 B5:4 A5:2 G5:2 E5:4",
                                                      "A5:6 G5:2 E5:8",
                                                      "F5:2 F5:2 A5:4 G5:2 F5:2 E5:4",
                                                      "D5:2 E5:2 F5:2 G5:2 B5:4 D6:4",
                                                      "C6:8 G5:4 E5:4",
                                                      ""};
    Track t(16 * 16 * Sixteenth);
    for (std::size_t bar = 0; bar < Chords.size(); ++bar) {
        const double at = static_cast<double>(bar) * 16 * Sixteenth;
        const Chord c = Parse(Chords.at(bar));
        Play(t, at, Sixteenth, Melody.at(bar), Lead);
        if (bar + 1 == Chords.size()) {
            // The last bar rings out on the home chord and fades into the
            // first, so the loop runs on without a stop.
            Note(t, at, 16 * Sixteenth, Midi("C5"), Lead);
            Note(t, at, 16 * Sixteenth, c.root - 12, Bass);
            Arpeggio(t, at, Sixteenth, c, 12, Arp);
            Drums(t, at, Sixteenth, "x.......", "", "x.x.x.x.x.x.");
            continue;
        }
        PumpingBass(t, at, Sixteenth, c, 8, Bass);
        Arpeggio(t, at, Sixteenth, c, 16, Arp);
        Drums(t, at, Sixteenth, bar % 4 == 3 ? "x.....x.x.x....." : "x.......x.......",
              "....x.......x...", "x.x.x.x.x.x.x.xo");
    }
    t.Finish(0.004, 1.2, false);
    return t;
}

Track LevelTune() {
    constexpr double Sixteenth = 60.0 / 144 / 4;
    constexpr std::array<const Section*, 7> Form{&Verse,  &VerseDoubled, &Chorus,      &Verse,
                                                 &Bridge, &Chorus,       &VerseDoubled};
    const Voice doubling{Wave::Triangle, {0.005, 0.1, 0.6, 0.05}, 0.14, 0.3, 0, 0, 1};
    const Voice pad{Wave::Saw, {0.3, 0.4, 0.7, 0.5}, 0.03, -0.3, 0, 0, 0.3};
    Track t(static_cast<double>(Form.size()) * 8 * 16 * Sixteenth);
    for (std::size_t part = 0; part < Form.size(); ++part) {
        const Section& section = *Form.at(part);
        for (std::size_t i = 0; i < 8; ++i) {
            const double at = static_cast<double>(part * 8 + i) * 16 * Sixteenth;
            const Chord c = Parse(section.chords.at(i));
            Play(t, at, Sixteenth, section.melody.at(i), section.drums ? Lead : Flute);
            if (section.doubled) {
                Play(t, at, Sixteenth, section.melody.at(i), doubling, -12);
            }
            if (!section.drums) {
                Note(t, at, 15 * Sixteenth, c.root - 12, SoftBass);
                for (const int n : Triad(c)) {
                    Note(t, at, 15 * Sixteenth, n + 12, pad);
                }
                Hat(t, at + 8 * Sixteenth, 0.06);
                continue;
            }
            PumpingBass(t, at, Sixteenth, c, 8, Bass);
            if (section.arpeggio) {
                Arpeggio(t, at, Sixteenth, c, 16, Arp);
            }
            Drums(t, at, Sixteenth, i % 4 == 3 ? "x.....x.x.x..x.." : "x.....x.x.......",
                  "....x.......x...", i % 2 == 1 ? "x.x.x.x.x.x.x.xo" : "x.x.x.x.x.x.x.x.");
        }
    }
    t.Wrap();
    return t;
}

Track Anthem() {
    constexpr double Sixteenth = 60.0 / 84 / 4;
    constexpr std::array<std::string_view, 16> Chords{"F",  "C", "Dm", "Bb", "F", "C",  "Bb", "C",
                                                      "Bb", "F", "Gm", "C",  "F", "Bb", "C",  "F"};
    constexpr std::array<std::string_view, 16> Melody{
        "C5:6 C5:2 F5:4 A5:4",  "G5:6 F5:2 E5:4 C5:4",  "D5:6 E5:2 F5:4 A5:4",  "Bb5:8 A5:4 G5:4",
        "A5:6 A5:2 C6:4 A5:4",  "G5:6 E5:2 C5:4 E5:4",  "F5:4 G5:4 A5:4 Bb5:4", "G5:12 r:4",
        "D6:6 C6:2 Bb5:4 D6:4", "C6:6 A5:2 F5:8",       "G5:4 A5:4 Bb5:4 D6:4", "C6:8 E5:4 G5:4",
        "A5:6 Bb5:2 C6:4 F6:4", "D6:6 C6:2 Bb5:4 G5:4", "G5:6 A5:2 Bb5:4 E5:4", "F5:16"};
    const Voice brass{Wave::Saw, {0.04, 0.25, 0.75, 0.18}, 0.16, -0.1, 0.15, 0, 0.55};
    const Voice horn{Wave::Saw, {0.03, 0.2, 0.7, 0.15}, 0.08, 0.2, 0.1, 0, 0.4};
    const Voice pad{Wave::Saw, {0.12, 0.3, 0.8, 0.6}, 0.035, 0.3, 0, 0, 0.3};
    const Voice bass{Wave::Saw, {0.02, 0.2, 0.8, 0.2}, 0.2, 0, 0, 0, 0.3};
    Track t(16 * 16 * Sixteenth, 4.0);
    for (std::size_t bar = 0; bar < Chords.size(); ++bar) {
        const double at = static_cast<double>(bar) * 16 * Sixteenth;
        const bool last = bar + 1 == Chords.size();
        const Chord c = Parse(Chords.at(bar));
        Play(t, at, Sixteenth, Melody.at(bar), brass);
        Play(t, at, Sixteenth, Melody.at(bar), horn, -12);
        const double hold = (last ? 24 : 16) * Sixteenth;
        for (const int n : Triad(c)) {
            Note(t, at, hold * 0.97, n + 12, pad);
        }
        Note(t, at, 8 * Sixteenth * 0.95, c.root - 12, bass);
        Note(t, at + 8 * Sixteenth, (last ? 16 : 8) * Sixteenth * 0.95, c.root - (last ? 12 : 5),
             bass);
        Timpani(t, at, c.root - 12, 0.35);
        if (bar % 4 == 3) {
            for (int roll = 0; roll < 4; ++roll) {
                Timpani(t, at + (12 + roll) * Sixteenth, c.root - 12, 0.15 + roll * 0.05);
            }
        }
        if (bar == 0 || bar == 8 || last) {
            Cymbal(t, at, 0.12);
        }
    }
    t.Finish(0.004, 0.5, true);
    return t;
}

Track GameOverPhrase() {
    constexpr double Sixteenth = 60.0 / 90 / 4;
    const Voice trombone{Wave::Saw, {0.05, 0.2, 0.8, 0.25}, 0.22, 0, 0.45, 0, 0.45};
    Track t(26 * Sixteenth, 1.5);
    Play(t, 0, Sixteenth, "G4:4 F#4:4 F4:4 E4:14", trombone);
    Play(t, 0, Sixteenth, "C4:12 C4:14",
         Voice{Wave::Triangle, {0.05, 0.3, 0.5, 0.3}, 0.12, 0.3, 0, 0, 1});
    Timpani(t, 12 * Sixteenth, Midi("C2"), 0.4);
    t.Finish(0.004, 0.2, true);
    return t;
}

Track FriesEffect() {
    Track t(0.3, 0.2);
    const Voice blip{Wave::Pulse, {0.002, 0.05, 0.6, 0.08}, 0.25, 0, 0, 0, 1};
    Note(t, 0, 0.06, Midi("B5"), blip);
    Note(t, 0.06, 0.16, Midi("E6"), blip);
    Note(t, 0.06, 0.16, Midi("E7"), Voice{Wave::Sine, {0.002, 0.1, 0.3, 0.08}, 0.12, 0, 0, 0, 1});
    t.Finish(0.002, 0.02, true);
    return t;
}

Track LifeLostEffect() {
    Track t(0.9, 0.3);
    const Voice fall{Wave::Square, {0.005, 0.5, 0.45, 0.1}, 0.2, 0, 0.6, -30, 0.8};
    Note(t, 0, 0.55, Midi("A5"), fall);
    Note(t, 0, 0.55, Midi("E5"),
         Voice{Wave::Triangle, {0.005, 0.5, 0.4, 0.1}, 0.15, 0, 0.6, -30, 1});
    Kick(t, 0.6, 0.6);
    t.Finish(0.002, 0.03, true);
    return t;
}

Track LevelDoneEffect() {
    constexpr double Sixteenth = 0.075;
    Track t(1.5, 1.0);
    const Voice fanfare{Wave::Pulse, {0.004, 0.1, 0.7, 0.3}, 0.2, -0.2, 0.3, 0, 1};
    const double end = Play(t, 0, Sixteenth, "C5:1 E5:1 G5:1 C6:1 E6:1 G6:1", fanfare);
    Note(t, end, 0.8, Midi("C7"), fanfare);
    for (const char* n : {"C5", "E5", "G5", "C6"}) {
        Note(t, end, 0.8, Midi(n),
             Voice{Wave::Saw, {0.01, 0.3, 0.6, 0.3}, 0.06, 0.25, 0.2, 0, 0.5});
    }
    Timpani(t, end, Midi("C2"), 0.4);
    Cymbal(t, end, 0.1);
    t.Finish(0.002, 0.3, true);
    return t;
}

} // namespace Synth
