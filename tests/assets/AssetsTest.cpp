// The runtime tree as the build writes it: every picture decodes at the size the game loads it
// at and reads well where the game puts it, masks match their sprites, sounds load through the
// mixer at a sensible length and level, and the generator writes the same bytes every time.

#include "game/Assets.hpp"

#include "TestKit.hpp"
#include "game/Doolhof.hpp"
#include "game/GameState.hpp"
#include "game/Layout.hpp"
#include "wimdows/Sdl.hpp"

#include <SDL.h>
#include <SDL_mixer.h>
#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <numbers>
#include <regex>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
const fs::path Root = MEANDOR_RUNTIME_DIR;

// The pictures and sounds of a runtime tree, by their names relative to it.
std::vector<std::string> TreeFiles(const fs::path& root) {
    std::vector<std::string> names;
    for (const char* folder : {"afbeeldingen", "menu", "muziek", "bewerker"}) {
        for (const auto& entry : fs::directory_iterator(root / folder)) {
            names.push_back(fs::relative(entry.path(), root).string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

constexpr std::uint32_t White = 0xFFFFFF;

double Luminance(std::uint32_t c) {
    return 0.299 * (c >> 16 & 255U) + 0.587 * (c >> 8 & 255U) + 0.114 * (c & 255U);
}

// WCAG relative luminance: it tells walls from floor to every eye, hue aside.
double RelativeLuminance(std::uint32_t c) {
    double sum = 0;
    for (const auto& [shift, weight] : {std::pair{16, 0.2126}, {8, 0.7152}, {0, 0.0722}}) {
        const double v = (c >> shift & 255U) / 255.0;
        sum += weight * (v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4));
    }
    return sum;
}

// A picture decoded by SDL as 0xRRGGBB, optionally scaled (nearest neighbour, as a plain scaled
// blit does); its depth is the file's.
struct Picture {
    int w = 0, h = 0;
    unsigned depth = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t At(int x, int y) const { return pixels.at(y * w + x) & White; }
    // The mean of `f` over [x0, x1) x [y0, y1).
    double Mean(int x0, int y0, int x1, int y1, double (*f)(std::uint32_t) = ::Luminance) const {
        double sum = 0;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                sum += f(At(x, y)) / ((x1 - x0) * (y1 - y0));
            }
        }
        return sum;
    }
};

Picture Load(const std::string& name, int width = 0, int height = 0) {
    const Wimdows::SurfacePtr raw(SDL_LoadBMP((Root / name).c_str()));
    if (!raw) {
        ADD_FAILURE() << name << ": " << SDL_GetError();
        return {};
    }
    // SDL widens a palette to a byte a pixel; the palette's size tells the file's depth.
    const SDL_Palette* palette = raw->format->palette;
    Picture p{width > 0 ? width : raw->w,
              width > 0 ? height : raw->h,
              palette != nullptr ? std::bit_width(palette->ncolors - 1U)
                                 : raw->format->BitsPerPixel,
              {}};
    const Wimdows::SurfacePtr sized(
        SDL_CreateRGBSurfaceWithFormat(0, p.w, p.h, 32, SDL_PIXELFORMAT_ARGB8888));
    SDL_BlitScaled(raw.get(), nullptr, sized.get(), nullptr);
    const auto* pixels = static_cast<const std::uint32_t*>(sized->pixels);
    p.pixels.assign(pixels, pixels + p.w * p.h);
    std::for_each(p.pixels.begin(), p.pixels.end(), [](std::uint32_t& v) { v &= White; });
    return p;
}

// The size the game loads each kind at (panels are drawn at three sizes; the file holds the
// largest), colour or one bit for a mask, and each mask white exactly where its sprite shows.
TEST(Pictures, EachHasItsSizeAndDepthAndMasksMatchTheirSprites) {
    const std::vector<std::pair<std::regex, std::pair<int, int>>> sizes{
        {std::regex("menu/.*[01]\\.bmp"), {250, 75}},
        {std::regex("bewerker/.*[01]\\.bmp"), {135, 40}},
        {std::regex(
             "menu/.*|afbeeldingen/(.*scherm|Limburg|.*Vlaanderen|Antwerpen|VlaamsBrabant)\\.bmp"),
         {1000, 700}},
        {std::regex("afbeeldingen/(gras|fire|water|maan|belgie)\\.bmp"), {1000, 800}},
        {std::regex("afbeeldingen/rechthoek[1-5]\\.bmp"), {380, 110}},
        {std::regex("afbeeldingen/hart.*"), {60, 60}},
        {std::regex(".*"), {30, 30}}};
    int pictures = 0;
    for (const std::string& name : TreeFiles(Root)) {
        if (!name.ends_with(".bmp")) {
            continue;
        }
        ++pictures;
        const Picture p = Load(name);
        const auto size = std::find_if(sizes.begin(), sizes.end(), [&name](const auto& s) {
            return std::regex_match(name, s.first);
        });
        EXPECT_EQ(std::pair(p.w, p.h), size->second) << name;
        const bool mask = name.find("mask") != std::string::npos;
        EXPECT_EQ(p.depth, mask ? 1U : 24U) << name;
        const Picture sprite = mask ? Load(std::regex_replace(name, std::regex("mask"), "")) : p;
        ASSERT_EQ(sprite.pixels.size(), p.pixels.size()) << name;
        const auto white =
            static_cast<std::size_t>(std::count(p.pixels.begin(), p.pixels.end(), White));
        for (std::size_t i = 0; mask && i < p.pixels.size(); ++i) {
            EXPECT_EQ(p.pixels[i], sprite.pixels[i] != 0 ? White : 0) << name << " pixel " << i;
        }
        // A real silhouette: neither a speck nor the whole square.
        EXPECT_TRUE(!mask || (white * 4 > p.pixels.size() && white * 10 < p.pixels.size() * 9))
            << name;
    }
    EXPECT_EQ(pictures, 73);
}

// The game and the generator name their files from one table: a file of the tree the table
// lacks, or a name of the table no file has, is a picture or sound one of them cannot find.
TEST(Pictures, TheTreeHoldsEveryFileOfTheTableAndNoOther) {
    const auto table = Meandor::AlleBeeldEnGeluid();
    std::vector<std::string> names(table.begin(), table.end());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(TreeFiles(Root), names);
}

TEST(Pictures, TheHeartKeepsInsideTheWindow) {
    const Picture heart = Load(Meandor::HartBestand.masker); // drawn at y = 650
    const auto last = std::find(heart.pixels.rbegin(), heart.pixels.rend(), White);
    EXPECT_LT(650 + (heart.pixels.rend() - last - 1) / heart.w, 700) << "the heart's lowest row";
}

TEST(Pictures, MouseOverButtonsAreLit) {
    for (const Meandor::KnopBestand& button : Meandor::knopBestanden) {
        EXPECT_GT(Load(button.aan).Mean(20, 15, 230, 60),
                  Load(button.uit).Mean(20, 15, 230, 60) + 40)
            << button.uit;
    }
    for (const Meandor::KnopBestand& button : Meandor::bewerkerKnopBestanden) {
        const Picture lit = Load(button.aan);
        EXPECT_EQ(lit.w, Meandor::BewerkerKnopMaat.breedte) << button.aan;
        EXPECT_GT(lit.Mean(11, 8, 124, 32), Load(button.uit).Mean(11, 8, 124, 32) + 40)
            << button.uit;
    }
}

// Black text reads on each panel at each size the game draws it (width, height, where the text
// goes), and its top is framed.
TEST(Pictures, PanelsReadFramedAtEverySize) {
    for (int level = 1; level <= 5; ++level) {
        for (const auto& [w, h, x0, y0, x1, y1] : {std::tuple{198, 30, 3, 10, 150, 24},
                                                   {150, 90, 10, 20, 130, 34},
                                                   {380, 110, 10, 10, 370, 100}}) {
            const std::string name = Meandor::LevelBestand(level).rechthoek;
            const Picture panel = Load(name, w, h);
            EXPECT_GT(panel.Mean(x0, y0, x1, y1), 180) << name << " at " << w;
            EXPECT_GT(std::abs(Luminance(panel.At(w / 2, 1)) - Luminance(panel.At(w / 2, 15))), 40)
                << name << " at " << w << ": no top border";
        }
    }
}

// Nearly every wall cell beside a path stands at 1.5:1 or more against the floor tile.
TEST(Pictures, WallsBesideAPathReadAgainstTheFloor) {
    for (std::uint32_t level = 1; level <= Meandor::Levels; ++level) {
        const Meandor::LevelBestanden& files = Meandor::LevelBestand(level);
        const Picture background = Load(files.achtergrond);
        const double floor = Load(files.tegel).Mean(0, 0, 30, 30, RelativeLuminance);
        Meandor::DoolhofGrid grid{};
        Meandor::LaadDoolhofBestand(Root / files.doolhof, grid);
        const auto wall = [&grid](int x, int y) { return Meandor::IsMuur(grid, x, y); };
        int cells = 0;
        int clear = 0;
        for (int x = 1; x <= 30; ++x) {
            for (int y = 1; y <= 21; ++y) {
                if (!wall(x, y) ||
                    (wall(x - 1, y) && wall(x + 1, y) && wall(x, y - 1) && wall(x, y + 1))) {
                    continue;
                }
                const double cell =
                    background.Mean(30 * x, 30 * y, 30 * x + 30, 30 * y + 30, RelativeLuminance);
                ++cells;
                clear += (std::max(cell, floor) + 0.05) / (std::min(cell, floor) + 0.05) >= 1.5;
            }
        }
        EXPECT_GT(cells, 100) << "level " << level;
        EXPECT_GE(clear * 20, cells * 19) << "level " << level << ": " << clear << " of " << cells;
    }
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

// A sound as the game hears it: decoded by the mixer at the game's format, both channels
// interleaved, in full-scale units. The mixer stays open until the program ends.
std::vector<double> Decode(const std::string& name) {
    static const bool open = [] {
        // gtest discovery carries only the first entry of the runner's environment list.
        TestKit::SetEnv("SDL_AUDIODRIVER", "dummy");
        return SDL_Init(SDL_INIT_AUDIO) == 0 && Mix_Init(MIX_INIT_MP3) != 0 &&
               Mix_OpenAudio(32000, AUDIO_S16SYS, 2, 1024) == 0;
    }();
    EXPECT_TRUE(open) << Mix_GetError();
    const std::unique_ptr<Mix_Chunk, decltype(&Mix_FreeChunk)> chunk(
        Mix_LoadWAV((Root / name).c_str()), Mix_FreeChunk);
    EXPECT_TRUE(chunk) << name << ": " << Mix_GetError();
    const auto* samples = reinterpret_cast<const std::int16_t*>(chunk ? chunk->abuf : nullptr);
    std::vector<double> s(chunk ? chunk->alen / 2 : 0);
    std::transform(samples, samples + s.size(), s.begin(), [](int v) { return v / 32768.0; });
    return s;
}

TEST(Sounds, EachHasItsLengthAndIsHeardWithoutClippingOrOffset) {
    using namespace Meandor;
    const std::map<std::string, std::pair<double, double>> seconds{
        {MenuMuziekBestand, {30, 90}},    {LevelMuziekBestand, {90, 150}},
        {FrietGeluidBestand, {0.1, 1}},   {LevenKwijtBestand, {0.3, 2}},
        {LevelVoltooidBestand, {0.5, 3}}, {GameOverMuziekBestand, {2, 8}},
        {VolksliedBestand, {30, 120}}};
    std::vector<std::string> names = TreeFiles(Root);
    std::erase_if(names, [](const std::string& name) { return name.ends_with(".bmp"); });
    ASSERT_EQ(names.size(), seconds.size());
    for (const std::string& name : names) {
        const std::vector<double> s = Decode(name);
        EXPECT_GE(s.size(), Samples(seconds.at(name).first)) << name;
        EXPECT_LE(s.size(), Samples(seconds.at(name).second)) << name;
        EXPECT_GT(Peak(s), 8000 / 32768.0) << name << " is too quiet to hear";
        EXPECT_LT(Peak(s), 32767 / 32768.0) << name << " clips";
        std::array<double, 2> mean{}; // of each channel
        for (std::size_t i = 0; i < s.size(); ++i) {
            mean.at(i % 2) += s[i] / static_cast<double>(s.size() / 2);
        }
        EXPECT_LE(std::max(std::abs(mean[0]), std::abs(mean[1])), 0.01 * Peak(s))
            << name << ": DC offset";
    }
}

// The menu tune ends softly; the effects stand a little above the level tune without clipping:
// the game plays it at 100 of 255 and them at full volume, through the mixer's 0..128.
TEST(Sounds, TheMenuTuneFadesAndEffectsStandALittleAboveTheLevelTune) {
    const std::vector<double> menu = Decode(Meandor::MenuMuziekBestand);
    const auto end = static_cast<std::size_t>(
        menu.rend() -
        std::find_if(menu.rbegin(), menu.rend(), [](double v) { return std::abs(v) >= 0.001; }));
    EXPECT_LE(Db(menu, end - std::min(end, Samples(0.25)), end) - Db(menu), -10)
        << "the last 0.25 s";
    const std::vector<double> music = Decode(Meandor::LevelMuziekBestand);
    const double gain = static_cast<double>((100 * 128 + 127) / 255) / 128;
    for (const char* effect :
         {Meandor::FrietGeluidBestand, Meandor::LevenKwijtBestand, Meandor::LevelVoltooidBestand}) {
        const std::vector<double> s = Decode(effect);
        double level = Db(s); // its loudest 0.4 s
        for (std::size_t at = 0; at + Samples(0.4) <= s.size(); at += Samples(0.05)) {
            level = std::max(level, Db(s, at, at + Samples(0.4)));
        }
        const double above = level - Db(music) - 20 * std::log10(gain);
        EXPECT_TRUE(above >= 3 && above <= 6) << effect << " stands " << above << " dB above";
        EXPECT_LE(Peak(s) + Peak(music) * gain, 0.89) << effect << " clips over the music";
    }
}

// Partials folded back from above half the rate would rise while the pitch falls, spread over
// the band above 8 kHz; a clean sweep leaves it empty. A Hann-windowed DFT of the left channel.
TEST(Sounds, TheFallingSweepKeepsItsPartialsInBand) {
    const std::vector<double> s = Decode(Meandor::LevenKwijtBestand);
    constexpr std::size_t N = 1024;
    constexpr double Tau = 2 * std::numbers::pi;
    for (std::size_t frame = 1024; frame < 16000; frame += 2048) {
        double top = 0;
        double total = 0;
        for (std::size_t k = 1; k < N / 2; ++k) {
            double re = 0;
            double im = 0;
            for (std::size_t n = 0; n < N; ++n) {
                const double v = s.at(2 * (frame + n)) * (0.5 - 0.5 * std::cos(Tau * n / N));
                re += v * std::cos(Tau * k * n / N);
                im -= v * std::sin(Tau * k * n / N);
            }
            total += re * re + im * im;
            top += k * 32000 / N >= 8000 ? re * re + im * im : 0;
        }
        EXPECT_LT(top / std::max(total, 1e-18), 1e-4) << frame / 32 << " ms";
    }
}

int RunGenerator(const std::string& arguments) {
    const int status = std::system(
        (std::string(MEANDOR_ASSETS_GENERATOR) + " " + arguments + " 2>/dev/null").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(Generator, WritesTheSameFilesToTheByteEveryRunAndRefusesBadArguments) {
    const TestKit::TempDir again;
    ASSERT_EQ(RunGenerator(again.Path().string()), 0);
    ASSERT_EQ(TreeFiles(again.Path()), TreeFiles(Root));
    for (const std::string& name : TreeFiles(Root)) {
        EXPECT_TRUE(TestKit::ReadFile(again.Path() / name) == TestKit::ReadFile(Root / name))
            << name;
    }
    EXPECT_EQ(RunGenerator(""), 2);
    EXPECT_EQ(RunGenerator("one two"), 2);
    EXPECT_EQ(RunGenerator("/dev/null/cannot-be-a-directory"), 1);
}

} // namespace
