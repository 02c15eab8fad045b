// The runtime tree as the build writes it: every picture decodes at the size the game loads it
// at and reads well where the game puts it, masks match their sprites, sounds load through the
// mixer at a sensible length and level, and the generator writes the same bytes every time.

#include "TestKit.hpp"

#include <SDL.h>
#include <SDL_mixer.h>
#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <memory>
#include <numbers>
#include <regex>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
const fs::path kRoot = MEANDOR_RUNTIME_DIR;

// The pictures and sounds of a runtime tree, by their names relative to it.
std::vector<std::string> TreeFiles(const fs::path& root) {
    std::vector<std::string> names;
    for (const char* folder : {"afbeeldingen", "menu", "muziek"}) {
        for (const auto& entry : fs::directory_iterator(root / folder)) {
            names.push_back(fs::relative(entry.path(), root).string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

using Rgb = std::array<int, 3>;
constexpr Rgb kWhite{255, 255, 255};

// A picture decoded by SDL, optionally scaled (nearest neighbour, as a plain scaled blit does).
struct Picture {
    int w = 0, h = 0;
    unsigned depth = 0; // depth: of the file
    std::vector<Rgb> pixels;
    Rgb At(int x, int y) const { return pixels.at(static_cast<std::size_t>(y * w + x)); }
    Rgb Mean(int x0, int y0, int x1, int y1) const {
        Rgb sum{};
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                std::transform(sum.begin(), sum.end(), At(x, y).begin(), sum.begin(), std::plus{});
            }
        }
        for (int& v : sum) {
            v /= (x1 - x0) * (y1 - y0);
        }
        return sum;
    }
};

Picture Load(const std::string& name, int width = 0, int height = 0) {
    const std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> raw(
        SDL_LoadBMP((kRoot / name).c_str()), SDL_FreeSurface);
    if (!raw) {
        ADD_FAILURE() << name << ": " << SDL_GetError();
        return {};
    }
    // SDL widens a palette to a byte a pixel; the palette's size tells the file's depth.
    const SDL_Palette* palette = raw->format->palette;
    Picture p{width > 0 ? width : raw->w,
              width > 0 ? height : raw->h,
              palette != nullptr ? std::bit_width(static_cast<unsigned>(palette->ncolors - 1))
                                 : raw->format->BitsPerPixel,
              {}};
    const std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> sized(
        SDL_CreateRGBSurfaceWithFormat(0, p.w, p.h, 32, SDL_PIXELFORMAT_ARGB8888), SDL_FreeSurface);
    SDL_BlitScaled(raw.get(), nullptr, sized.get(), nullptr);
    for (int i = 0; i < p.w * p.h; ++i) {
        const std::uint32_t v = static_cast<const std::uint32_t*>(sized->pixels)[i];
        p.pixels.push_back({static_cast<int>(v >> 16 & 255U), static_cast<int>(v >> 8 & 255U),
                            static_cast<int>(v & 255U)});
    }
    return p;
}

double Luminance(Rgb c) {
    return 0.299 * c[0] + 0.587 * c[1] + 0.114 * c[2];
}

double Distance(Rgb a, Rgb b) {
    return std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]);
}

class Pictures : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError(); }
    void TearDown() override { SDL_Quit(); }
};

// The size the game loads each kind at (panels are drawn at three sizes; the file holds the
// largest), colour or one bit for a mask, and each mask white exactly where its sprite shows.
TEST_F(Pictures, EachHasItsSizeAndDepthAndMasksMatchTheirSprites) {
    const std::array<std::pair<const char*, std::pair<int, int>>, 6> sizes{{
        {"menu/.*[01]\\.bmp", {250, 75}},
        {"menu/.*|afbeeldingen/(.*scherm|Limburg|.*Vlaanderen|Antwerpen|VlaamsBrabant)\\.bmp",
         {1000, 700}},
        {"afbeeldingen/(gras|fire|water|maan|belgie)\\.bmp", {1000, 800}},
        {"afbeeldingen/rechthoek[1-5]\\.bmp", {380, 110}},
        {"afbeeldingen/hart.*", {60, 60}},
        {"afbeeldingen/.*", {30, 30}},
    }};
    int pictures = 0;
    for (const std::string& name : TreeFiles(kRoot)) {
        if (!name.ends_with(".bmp")) {
            continue;
        }
        ++pictures;
        const Picture p = Load(name);
        const auto rule = std::find_if(sizes.begin(), sizes.end(), [&name](const auto& r) {
            return std::regex_match(name, std::regex(r.first));
        });
        EXPECT_EQ(std::pair(p.w, p.h), rule->second) << name;
        const bool mask = name.find("mask") != std::string::npos;
        EXPECT_EQ(p.depth, mask ? 1U : 24U) << name;
        if (mask) {
            const Picture sprite = Load(std::regex_replace(name, std::regex("mask"), ""));
            ASSERT_EQ(sprite.pixels.size(), p.pixels.size()) << name;
            std::size_t shown = 0;
            for (std::size_t i = 0; i < p.pixels.size(); ++i) {
                EXPECT_TRUE(p.pixels[i] == kWhite || p.pixels[i] == Rgb{})
                    << name << " pixel " << i;
                EXPECT_EQ(p.pixels[i] == kWhite, sprite.pixels[i] != Rgb{})
                    << name << " pixel " << i;
                shown += p.pixels[i] == kWhite ? 1 : 0;
            }
            // A real silhouette: neither a speck nor the whole square.
            EXPECT_GT(shown * 4, p.pixels.size()) << name;
            EXPECT_LT(shown * 10, p.pixels.size() * 9) << name;
        }
    }
    EXPECT_EQ(pictures, 57);
}

TEST_F(Pictures, ZorpFacingLeftMirrorsZorpFacingRightAndTheHeartKeepsInsideTheWindow) {
    const Picture r = Load("afbeeldingen/zorpR.bmp");
    const Picture l = Load("afbeeldingen/zorpL.bmp");
    int unmirrored = 0;
    int asymmetric = 0;
    for (int y = 0; y < r.h; ++y) {
        for (int x = 0; x < r.w; ++x) {
            unmirrored += r.At(x, y) == l.At(r.w - 1 - x, y) ? 0 : 1;
            asymmetric += r.At(x, y) == r.At(r.w - 1 - x, y) ? 0 : 1;
        }
    }
    EXPECT_EQ(unmirrored, 0);
    EXPECT_GT(asymmetric, 20) << "zorp looks the same both ways";
    const Picture heart = Load("afbeeldingen/hartmask.bmp"); // drawn at y = 650
    const auto last = std::find(heart.pixels.rbegin(), heart.pixels.rend(), kWhite);
    EXPECT_LT(650 + (heart.pixels.rend() - last - 1) / heart.w, 700) << "the heart's lowest row";
}

TEST_F(Pictures, MouseOverButtonsAreLitAndLabelsStandOut) {
    for (const char* name :
         {"Start", "Instructions", "Credits", "Quit", "easy", "medium", "hard", "Back"}) {
        const Picture normal = Load(std::string("menu/") + name + "0.bmp");
        const Picture lit = Load(std::string("menu/") + name + "1.bmp");
        EXPECT_GT(Luminance(lit.Mean(20, 15, 230, 60)),
                  Luminance(normal.Mean(20, 15, 230, 60)) + 40)
            << name;
        for (const Picture* p : {&normal, &lit}) {
            std::vector<double> line; // the label's middle line
            for (int x = 40; x < 210; ++x) {
                line.push_back(Luminance(p->At(x, 40)));
            }
            const auto [darkest, lightest] = std::minmax_element(line.begin(), line.end());
            EXPECT_GT(*lightest - *darkest, 150) << name;
        }
    }
}

// Black text reads on each panel at each size the game draws it, its top and side are framed,
// and below the window edge it runs on without a border the edge would cut.
TEST_F(Pictures, PanelsReadFramedAtEverySizeAndRunOnBelowTheWindowEdge) {
    struct Use {
        int width, height, y;
        std::array<int, 4> text; // where the game writes, relative to the panel
    };
    for (int level = 1; level <= 5; ++level) {
        for (const Use& u :
             {Use{198, 30, 20, {3, 10, 150, 24}}, Use{150, 90, 660, {10, 20, 130, 34}},
              Use{380, 110, 640, {10, 10, 370, 100}}}) {
            const std::string at =
                "rechthoek" + std::to_string(level) + " " + std::to_string(u.width);
            const Picture panel =
                Load("afbeeldingen/rechthoek" + std::to_string(level) + ".bmp", u.width, u.height);
            EXPECT_GT(Luminance(panel.Mean(u.text[0], u.text[1], u.text[2], u.text[3])), 180) << at;
            const int shown = std::min(u.height, 700 - u.y);
            const int mid = u.width / 2;
            const Rgb face = panel.At(mid, shown / 2);
            EXPECT_GT(Distance(panel.At(0, u.height / 2), face), 60) << at << ": no side border";
            EXPECT_GT(Distance(panel.At(mid, 1), face), 60) << at << ": no top border";
            int y = shown / 2;
            while (y < u.height && Distance(panel.At(mid, y), face) < 40) {
                ++y;
            }
            EXPECT_EQ(y, u.height) << at << " has a lower border at row " << y;
        }
    }
}

// The sounds through the mixer at the game's own format.
class Sounds : public ::testing::Test {
  protected:
    void SetUp() override {
        // gtest discovery carries only the first entry of the runner's environment list.
        ASSERT_EQ(::setenv("SDL_AUDIODRIVER", "dummy", 1), 0);
        ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
        Mix_Init(MIX_INIT_MP3);
        ASSERT_EQ(Mix_OpenAudio(32000, AUDIO_S16SYS, 2, 1024), 0) << Mix_GetError();
    }
    void TearDown() override {
        Mix_CloseAudio();
        Mix_Quit();
        SDL_Quit();
    }
};

// Decoded samples, both channels interleaved, in full-scale units.
std::vector<double> Decode(const std::string& name) {
    const std::unique_ptr<Mix_Chunk, decltype(&Mix_FreeChunk)> chunk(
        Mix_LoadWAV((kRoot / name).c_str()), Mix_FreeChunk);
    EXPECT_TRUE(chunk) << name << ": " << Mix_GetError();
    const auto* samples = reinterpret_cast<const std::int16_t*>(chunk ? chunk->abuf : nullptr);
    std::vector<double> s(chunk ? chunk->alen / 2 : 0);
    std::transform(samples, samples + s.size(), s.begin(), [](int v) { return v / 32768.0; });
    return s;
}

std::size_t Samples(double seconds) {
    return 2 * static_cast<std::size_t>(seconds * 32000);
}

// Level in dB of full scale, of [from, to) or all.
double Db(const std::vector<double>& s, std::size_t from = 0, std::size_t to = SIZE_MAX) {
    to = std::min(to, s.size());
    double sum = 0;
    for (std::size_t i = from; i < to; ++i) {
        sum += s[i] * s[i];
    }
    return 10 * std::log10(std::max(sum / static_cast<double>(std::max(to - from, std::size_t{1})),
                                    1e-18));
}

double Peak(const std::vector<double>& s) {
    const auto [low, high] = std::minmax_element(s.begin(), s.end());
    return s.empty() ? 0 : std::max(-*low, *high);
}

TEST_F(Sounds, EachHasItsLengthAndIsHeardWithoutClippingOrOffset) {
    const std::map<std::string, std::pair<double, double>> seconds{
        {"muziek/Menumuziek.MP3", {30, 90}},    {"muziek/Levelmuziek.WAV", {90, 150}},
        {"muziek/Frietsound.MP3", {0.1, 1}},    {"muziek/Levenkwijt.MP3", {0.3, 2}},
        {"muziek/Levelvoltooid.MP3", {0.5, 3}}, {"muziek/Gameover.MP3", {2, 8}},
        {"muziek/vlaamseleeuw.MP3", {30, 120}},
    };
    std::vector<std::string> names = TreeFiles(kRoot);
    std::erase_if(names, [](const std::string& name) { return name.ends_with(".bmp"); });
    ASSERT_EQ(names.size(), seconds.size());
    for (const std::string& name : names) {
        const std::vector<double> s = Decode(name);
        EXPECT_GE(s.size(), Samples(seconds.at(name).first)) << name;
        EXPECT_LE(s.size(), Samples(seconds.at(name).second)) << name;
        EXPECT_GT(Peak(s), 8000 / 32768.0) << name << " is too quiet to hear";
        EXPECT_LT(Peak(s), 32767 / 32768.0) << name << " clips";
        for (std::size_t channel = 0; channel < 2; ++channel) {
            double sum = 0;
            for (std::size_t i = channel; i < s.size(); i += 2) {
                sum += s[i];
            }
            EXPECT_LE(std::abs(sum / static_cast<double>(s.size() / 2)), 0.01 * Peak(s))
                << name << " carries a DC offset on channel " << channel;
        }
    }
}

// The menu tune ends softly; the level tune varies, and the effects stand a little above it
// without clipping: the game plays it at 100 of 255 and them at full volume, through 0..128.
TEST_F(Sounds, TheMenuTuneFadesAndEffectsStandALittleAboveTheLevelTune) {
    const std::vector<double> menu = Decode("muziek/Menumuziek.MP3");
    const auto end = static_cast<std::size_t>(
        menu.rend() - std::find_if(menu.rbegin(), menu.rend(),
                                   [](double v) { return std::abs(v) >= 33 / 32768.0; }));
    EXPECT_LE(Db(menu, end - std::min(end, Samples(0.25)), end) - Db(menu), -10)
        << "the last 0.25 s";

    const std::vector<double> music = Decode("muziek/Levelmuziek.WAV");
    std::vector<double> sections;
    for (std::size_t at = 0; at + Samples(8) <= music.size(); at += Samples(8)) {
        sections.push_back(Db(music, at, at + Samples(8)));
    }
    const auto [quietest, loudest] = std::minmax_element(sections.begin(), sections.end());
    EXPECT_GE(*loudest - *quietest, 3) << "sections of 8 s, in dB";
    const double gain = static_cast<double>((100 * 128 + 127) / 255) / 128;
    const double musicDb = Db(music) + 20 * std::log10(gain);
    for (const char* effect : {"Frietsound", "Levenkwijt", "Levelvoltooid"}) {
        const std::vector<double> s = Decode(std::string("muziek/") + effect + ".MP3");
        double level = Db(s); // its loudest 0.4 s
        for (std::size_t at = 0; at + Samples(0.4) <= s.size(); at += Samples(0.05)) {
            level = std::max(level, Db(s, at, at + Samples(0.4)));
        }
        EXPECT_GE(level - musicDb, 3) << effect;
        EXPECT_LE(level - musicDb, 6) << effect;
        EXPECT_LE(Peak(s) + Peak(music) * gain, std::pow(10, -0.05))
            << effect << " clips over the music";
    }
}

// Partials folded back from above half the rate would rise while the pitch falls, spread over
// the band above 8 kHz; a clean sweep leaves it empty. A Hann-windowed DFT of the left channel.
TEST_F(Sounds, TheFallingSweepKeepsItsPartialsInBand) {
    const std::vector<double> s = Decode("muziek/Levenkwijt.MP3");
    constexpr std::size_t kN = 1024;
    constexpr double kTau = 2 * std::numbers::pi;
    for (std::size_t frame = 1024; frame < 16000; frame += 2048) {
        double top = 0;
        double total = 0;
        for (std::size_t k = 1; k < kN / 2; ++k) {
            double re = 0;
            double im = 0;
            for (std::size_t n = 0; n < kN; ++n) {
                const double v = s.at(2 * (frame + n)) * (0.5 - 0.5 * std::cos(kTau * n / kN));
                re += v * std::cos(kTau * k * n / kN);
                im -= v * std::sin(kTau * k * n / kN);
            }
            total += re * re + im * im;
            top += k * 32000 / kN >= 8000 ? re * re + im * im : 0;
        }
        EXPECT_LT(top / std::max(total, 1e-18), 1e-4) << frame / 32 << " ms";
    }
}

int RunGenerator(const std::string& arguments) {
    const int status = std::system(
        (std::string(MEANDOR_ASSETS_GENERATOR) + " " + arguments + " 2>/dev/null").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Bytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(Generator, WritesTheSameFilesToTheByteEveryRunAndRefusesBadArguments) {
    const TestKit::TempDir again;
    ASSERT_EQ(RunGenerator(again.Path().string()), 0);
    ASSERT_EQ(TreeFiles(again.Path()), TreeFiles(kRoot));
    for (const std::string& name : TreeFiles(kRoot)) {
        EXPECT_TRUE(Bytes(again.Path() / name) == Bytes(kRoot / name)) << name;
    }
    EXPECT_EQ(RunGenerator(""), 2);
    EXPECT_EQ(RunGenerator("one two"), 2);
    EXPECT_EQ(RunGenerator("/dev/null/cannot-be-a-directory"), 1);
}

} // namespace
