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
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <memory>
#include <numbers>
#include <regex>
#include <string>
#include <sys/wait.h>
#include <tuple>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kRoot = MEANDOR_RUNTIME_DIR;

// The pictures and sounds of the runtime tree, by their names relative to it.
std::vector<std::string> TreeFiles(const fs::path& root, const std::string& extension) {
    std::vector<std::string> names;
    for (const char* folder : {"afbeeldingen", "menu", "muziek"}) {
        for (const auto& entry : fs::directory_iterator(root / folder)) {
            if (entry.path().extension() == extension) {
                names.push_back(fs::relative(entry.path(), root).string());
            }
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool IsMask(const std::string& name) {
    return name.find("mask") != std::string::npos;
}

// The size the game loads each picture at; panels are loaded at 380 x 110, 150 x 90 and
// 198 x 30, and the file holds the largest.
std::pair<int, int> LoadedSize(const std::string& name) {
    const std::array<std::pair<const char*, std::pair<int, int>>, 5> rules{{
        {"menu/.*[01]\\.bmp", {250, 75}},
        {"menu/.*|afbeeldingen/(.*scherm|Limburg|.*Vlaanderen|Antwerpen|VlaamsBrabant)\\.bmp",
         {1000, 700}},
        {"afbeeldingen/(gras|fire|water|maan|belgie)\\.bmp", {1000, 800}},
        {"afbeeldingen/rechthoek[1-5]\\.bmp", {380, 110}},
        {"afbeeldingen/hart.*", {60, 60}},
    }};
    for (const auto& [pattern, size] : rules) {
        if (std::regex_match(name, std::regex(pattern))) {
            return size;
        }
    }
    return {30, 30};
}

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
    auto operator<=>(const Rgb&) const = default;
};

const Rgb kWhite{255, 255, 255};

struct Area {
    int x0, y0, x1, y1; // x1, y1 excluded
};

// A picture decoded by SDL, optionally at another size (nearest neighbour, as a plain scaled
// blit does), as plain pixels.
class Picture {
  public:
    explicit Picture(const std::string& name, int width = 0, int height = 0) {
        const std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> raw(
            SDL_LoadBMP((kRoot / name).c_str()), SDL_FreeSurface);
        if (!raw) {
            ADD_FAILURE() << name << ": " << SDL_GetError();
            return;
        }
        // SDL widens a palette to a byte a pixel; the palette's size tells the file's depth.
        const SDL_Palette* palette = raw->format->palette;
        bitsPerPixel = palette != nullptr
                           ? std::bit_width(static_cast<unsigned>(palette->ncolors - 1))
                           : raw->format->BitsPerPixel;
        fileSize = {raw->w, raw->h};
        size = width > 0 ? std::pair{width, height} : fileSize;
        const std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> sized(
            SDL_CreateRGBSurfaceWithFormat(0, size.first, size.second, 32,
                                           SDL_PIXELFORMAT_ARGB8888),
            SDL_FreeSurface);
        SDL_BlitScaled(raw.get(), nullptr, sized.get(), nullptr);
        const auto* pixel = static_cast<const std::uint32_t*>(sized->pixels);
        for (int i = 0; i < size.first * size.second; ++i) {
            pixels.push_back({static_cast<int>(pixel[i] >> 16 & 255U),
                              static_cast<int>(pixel[i] >> 8 & 255U),
                              static_cast<int>(pixel[i] & 255U)});
        }
    }
    int Width() const { return size.first; }
    int Height() const { return size.second; }
    Rgb At(int x, int y) const { return pixels.at(static_cast<std::size_t>(y * Width() + x)); }
    Rgb Mean(Area a) const {
        Rgb sum;
        for (int y = a.y0; y < a.y1; ++y) {
            for (int x = a.x0; x < a.x1; ++x) {
                sum = {sum.r + At(x, y).r, sum.g + At(x, y).g, sum.b + At(x, y).b};
            }
        }
        const int n = (a.x1 - a.x0) * (a.y1 - a.y0);
        return {sum.r / n, sum.g / n, sum.b / n};
    }

    int bitsPerPixel = 0;
    std::pair<int, int> fileSize;

  private:
    std::pair<int, int> size;
    std::vector<Rgb> pixels;
};

double Luminance(Rgb c) {
    return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b;
}

double Distance(Rgb a, Rgb b) {
    return std::hypot(a.r - b.r, a.g - b.g, a.b - b.b);
}

// WCAG contrast ratio: what tells walls from floor to every eye, hue aside.
double ContrastRatio(Rgb a, Rgb b) {
    auto relative = [](Rgb c) {
        auto linear = [](int v) {
            const double s = v / 255.0;
            return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b);
    };
    const auto [low, high] = std::minmax(relative(a), relative(b));
    return (high + 0.05) / (low + 0.05);
}

class Pictures : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError(); }
    void TearDown() override { SDL_Quit(); }
};

TEST_F(Pictures, EachDecodesAtItsLoadedSizeInColourOrOneBitForAMask) {
    const std::vector<std::string> names = TreeFiles(kRoot, ".bmp");
    ASSERT_EQ(names.size(), 57U);
    for (const std::string& name : names) {
        const Picture picture(name);
        EXPECT_EQ(picture.fileSize, LoadedSize(name)) << name;
        EXPECT_EQ(picture.bitsPerPixel, IsMask(name) ? 1 : 24) << name;
    }
}

TEST_F(Pictures, MasksAreWhiteExactlyWhereTheirSpriteShows) {
    for (const std::string& mask : TreeFiles(kRoot, ".bmp")) {
        if (!IsMask(mask)) {
            continue;
        }
        const Picture m(mask);
        const Picture sprite(std::regex_replace(mask, std::regex("mask"), ""));
        ASSERT_EQ(sprite.Width(), m.Width()) << mask;
        int shown = 0;
        for (int y = 0; y < m.Height(); ++y) {
            for (int x = 0; x < m.Width(); ++x) {
                const bool white = m.At(x, y) == kWhite;
                EXPECT_TRUE(white || m.At(x, y) == Rgb{}) << mask << " at " << x << "," << y;
                EXPECT_EQ(white, sprite.At(x, y) != Rgb{}) << mask << " at " << x << "," << y;
                shown += white ? 1 : 0;
            }
        }
        // A real silhouette: neither a speck nor the whole square.
        const double cover = static_cast<double>(shown) / (m.Width() * m.Height());
        EXPECT_GT(cover, 0.25) << mask;
        EXPECT_LT(cover, 0.9) << mask;
    }
}

TEST_F(Pictures, ZorpFacingLeftMirrorsZorpFacingRight) {
    for (const char* kind : {"zorp", "zorpmask"}) {
        const Picture r(std::string("afbeeldingen/") + kind + "R.bmp");
        const Picture l(std::string("afbeeldingen/") + kind + "L.bmp");
        int asymmetric = 0;
        for (int y = 0; y < r.Height(); ++y) {
            for (int x = 0; x < r.Width(); ++x) {
                const int mirrored = r.Width() - 1 - x;
                EXPECT_EQ(r.At(x, y), l.At(mirrored, y)) << kind << " at " << x << "," << y;
                asymmetric += r.At(x, y) == r.At(mirrored, y) ? 0 : 1;
            }
        }
        EXPECT_GT(asymmetric, 20) << kind << " looks the same both ways";
    }
}

TEST_F(Pictures, MouseOverButtonsAreLitAndLabelsStandOut) {
    for (const char* name :
         {"Start", "Instructions", "Credits", "Quit", "easy", "medium", "hard", "Back"}) {
        const Picture normal(std::string("menu/") + name + "0.bmp");
        const Picture lit(std::string("menu/") + name + "1.bmp");
        const Area face{20, 15, 230, 60};
        EXPECT_GT(Luminance(lit.Mean(face)), Luminance(normal.Mean(face)) + 40) << name;
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

// Black text reads on each panel at each size the game draws it, its top is framed, and below
// the window edge it runs on without a border the edge would cut.
TEST_F(Pictures, PanelsReadFramedAtEverySizeAndRunOnBelowTheWindowEdge) {
    struct Use {
        int width, height, y;
        Area text; // where the game writes, relative to the panel
    };
    const std::array<Use, 3> uses{{{198, 30, 20, {3, 10, 150, 24}},       // "Press 'p' to pause"
                                   {150, 90, 660, {10, 20, 130, 34}},     // "Friet" and the count
                                   {380, 110, 640, {10, 10, 370, 100}}}}; // behind the hearts
    for (int level = 1; level <= 5; ++level) {
        const std::string name = "afbeeldingen/rechthoek" + std::to_string(level) + ".bmp";
        for (const Use& u : uses) {
            const std::string at =
                name + " at " + std::to_string(u.width) + "x" + std::to_string(u.height);
            const Picture panel(name, u.width, u.height);
            EXPECT_GT(Luminance(panel.Mean(u.text)), 180) << at;
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

// maze[x][y] for columns 1..30 and rows 1..21, as the game reads its files.
std::vector<std::string> ReadMaze(const std::string& name) {
    std::ifstream in(kRoot / name);
    std::vector<std::string> maze{""};
    for (std::string line; maze.size() <= 30 && std::getline(in, line);) {
        maze.push_back(" " + line.substr(0, line.find('\r')));
        maze.back().resize(22, ' ');
    }
    return maze;
}

TEST_F(Pictures, WallsBesideAPathReadAgainstTheFloorByLuminance) {
    const std::array<const char*, 5> backgrounds{"gras", "fire", "water", "maan", "belgie"};
    for (int level = 1; level <= 5; ++level) {
        const std::string n = std::to_string(level);
        const Picture background(std::string("afbeeldingen/") + backgrounds.at(level - 1) + ".bmp");
        const Rgb floor = Picture("afbeeldingen/tegel" + n + ".bmp").Mean({0, 0, 30, 30});
        const std::vector<std::string> maze = ReadMaze("doolhof" + n + ".txt");
        ASSERT_EQ(maze.size(), 31U) << "level " << level;
        auto open = [&maze](int x, int y) {
            return x >= 1 && x <= 30 && y >= 1 && y <= 21 &&
                   std::string("-+|").find(maze.at(x).at(y)) == std::string::npos;
        };
        int boundary = 0;
        int clear = 0;
        for (int x = 1; x <= 30; ++x) {
            for (int y = 1; y <= 21; ++y) {
                if (open(x, y) ||
                    !(open(x - 1, y) || open(x + 1, y) || open(x, y - 1) || open(x, y + 1))) {
                    continue;
                }
                const Rgb wall = background.Mean({30 * x, 30 * y, 30 * x + 30, 30 * y + 30});
                ++boundary;
                clear += ContrastRatio(wall, floor) >= 1.5 ? 1 : 0;
            }
        }
        ASSERT_GT(boundary, 100) << "level " << level;
        EXPECT_GE(100.0 * clear / boundary, 95) << "level " << level;
    }
}

// Where the game draws them, the heart and the Back and Quit buttons keep inside the window,
// and the places the buttons go on the menu and the two information screens are left plain.
TEST_F(Pictures, DrawnThingsKeepInsideTheWindowAndButtonPlacesAreLeftClear) {
    const Picture heart("afbeeldingen/hartmask.bmp");
    int lowest = -1;
    for (int y = 0; y < heart.Height(); ++y) {
        for (int x = 0; x < heart.Width(); ++x) {
            lowest = heart.At(x, y) == kWhite ? y : lowest;
        }
    }
    EXPECT_LT(650 + lowest, 700) << "the heart's lowest row";

    constexpr int kMargin = 6;
    for (const auto& [name, bx, by] : {std::tuple{"Back0", 750, 550},
                                       {"Back1", 750, 550},
                                       {"Quit0", 750, 630},
                                       {"Quit1", 750, 630}}) {
        const Picture button(std::string("menu/") + name + ".bmp");
        const Rgb bed = button.At(0, 0);
        int nearest = 1000;
        for (int y = 0; y < button.Height() && by + y < 700; ++y) {
            for (int x = 0; x < button.Width() && bx + x < 1000; ++x) {
                if (Distance(button.At(x, y), bed) > 24) {
                    nearest = std::min({nearest, bx + x, by + y, 999 - bx - x, 699 - by - y});
                }
            }
        }
        EXPECT_GE(nearest, kMargin) << name << " from the window edge";
    }

    for (const auto& [name, area, share] :
         {std::tuple{"menu/begincartoon.bmp", Area{110, 50, 360, 575}, 0.99},
          {"afbeeldingen/Instructiescherm.bmp", Area{750, 550, 1000, 700}, 0.95},
          {"afbeeldingen/creditscherm.bmp", Area{750, 550, 1000, 700}, 0.95}}) {
        const Picture picture(name);
        std::map<Rgb, int> counts;
        for (int y = area.y0; y < area.y1; ++y) {
            for (int x = area.x0; x < area.x1; ++x) {
                ++counts[picture.At(x, y)];
            }
        }
        int most = 0;
        for (const auto& [colour, count] : counts) {
            most = std::max(most, count);
        }
        EXPECT_GT(static_cast<double>(most) / ((area.x1 - area.x0) * (area.y1 - area.y0)), share)
            << name << ": one plain colour where the buttons go";
    }
}

// The sounds through the mixer at the game's own format.
class Sounds : public ::testing::Test {
  protected:
    static constexpr int kRate = 32000;

    void SetUp() override {
        // The test runner's environment list only carries its first entry through gtest
        // discovery, so the dummy device is asked for here.
        ASSERT_EQ(::setenv("SDL_AUDIODRIVER", "dummy", 1), 0);
        ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
        Mix_Init(MIX_INIT_MP3);
        ASSERT_EQ(Mix_OpenAudio(kRate, AUDIO_S16SYS, 2, 1024), 0) << Mix_GetError();
    }
    void TearDown() override {
        Mix_CloseAudio();
        Mix_Quit();
        SDL_Quit();
    }

    // Decoded samples, both channels interleaved.
    static std::vector<std::int16_t> Decode(const std::string& name) {
        const std::unique_ptr<Mix_Chunk, decltype(&Mix_FreeChunk)> chunk(
            Mix_LoadWAV((kRoot / name).c_str()), Mix_FreeChunk);
        if (!chunk) {
            ADD_FAILURE() << name << ": " << Mix_GetError();
            return {};
        }
        const auto* samples = reinterpret_cast<const std::int16_t*>(chunk->abuf);
        return {samples, samples + chunk->alen / 2};
    }
};

std::size_t Samples(double seconds) {
    return 2 * static_cast<std::size_t>(seconds * 32000);
}

// Levels of decoded sound, both channels together, in full-scale units.
double Rms(const std::vector<std::int16_t>& s, std::size_t from = 0, std::size_t to = SIZE_MAX) {
    to = std::min(to, s.size());
    double sum = 0;
    for (std::size_t i = from; i < to; ++i) {
        sum += (s[i] / 32768.0) * (s[i] / 32768.0);
    }
    return to > from ? std::sqrt(sum / static_cast<double>(to - from)) : 0;
}

double Peak(const std::vector<std::int16_t>& s) {
    const auto [low, high] = std::minmax_element(s.begin(), s.end());
    return s.empty() ? 0 : std::max(-*low, static_cast<int>(*high)) / 32768.0;
}

double Db(double level) {
    return 20 * std::log10(std::max(level, 1e-9));
}

TEST_F(Sounds, EachHasItsLengthAndIsHeardWithoutClippingOrOffset) {
    const std::map<std::string, std::pair<double, double>> seconds{
        {"muziek/Menumuziek.MP3", {30, 90}},    {"muziek/Levelmuziek.WAV", {90, 150}},
        {"muziek/Frietsound.MP3", {0.1, 1}},    {"muziek/Levenkwijt.MP3", {0.3, 2}},
        {"muziek/Levelvoltooid.MP3", {0.5, 3}}, {"muziek/Gameover.MP3", {2, 8}},
        {"muziek/vlaamseleeuw.MP3", {30, 120}},
    };
    std::vector<std::string> names = TreeFiles(kRoot, ".MP3");
    names.push_back("muziek/Levelmuziek.WAV");
    EXPECT_EQ(names.size(), seconds.size());
    for (const std::string& name : names) {
        const std::vector<std::int16_t> s = Decode(name);
        ASSERT_TRUE(seconds.contains(name)) << name;
        const auto [shortest, longest] = seconds.at(name);
        EXPECT_GE(s.size(), Samples(shortest)) << name;
        EXPECT_LE(s.size(), Samples(longest)) << name;
        EXPECT_GT(Peak(s), 8000 / 32768.0) << name << " is too quiet to hear";
        EXPECT_LT(Peak(s), 32767 / 32768.0) << name << " clips";
        for (std::size_t channel = 0; channel < 2; ++channel) {
            double sum = 0;
            for (std::size_t i = channel; i < s.size(); i += 2) {
                sum += s[i] / 32768.0;
            }
            EXPECT_LE(std::abs(sum / static_cast<double>(s.size() / 2)), 0.01 * Peak(s))
                << name << " carries a DC offset on channel " << channel;
        }
    }
}

TEST_F(Sounds, TunesLoopWithoutAClickAndTheMenuTuneEndsSoftly) {
    // The MP3 tune cannot rely on exact encoder padding: it starts and ends in silence, with
    // little of it. The WAV tune loops sample-exactly: its seam must be no rougher than the
    // music itself.
    const std::vector<std::int16_t> menu = Decode("muziek/Menumuziek.MP3");
    ASSERT_GT(menu.size(), Samples(1));
    for (std::size_t i = 0; i < Samples(0.25 / 1000); ++i) {
        EXPECT_LT(std::abs(menu[i]), 600) << "start, sample " << i;
        EXPECT_LT(std::abs(menu[menu.size() - 1 - i]), 600) << "end, sample " << i;
    }
    auto audible = [](std::int16_t v) { return std::abs(v) >= 33; };
    const auto start = std::find_if(menu.begin(), menu.end(), audible) - menu.begin();
    const auto end = menu.rend() - std::find_if(menu.rbegin(), menu.rend(), audible);
    EXPECT_LE(menu.size() - static_cast<std::size_t>(end - start), Samples(0.1));
    const auto last = static_cast<std::size_t>(end);
    EXPECT_LE(Db(Rms(menu, last - std::min(last, Samples(0.25)), last)) - Db(Rms(menu)), -10)
        << "the menu tune's last 0.25 s";

    const std::vector<std::int16_t> level = Decode("muziek/Levelmuziek.WAV");
    ASSERT_GT(level.size(), Samples(1));
    std::vector<int> steps;
    for (std::size_t i = 2; i < level.size(); ++i) {
        steps.push_back(std::abs(level[i] - level[i - 2]));
    }
    const auto percentile = steps.begin() + static_cast<long>(steps.size() * 99 / 100);
    std::nth_element(steps.begin(), percentile, steps.end());
    for (std::size_t channel = 0; channel < 2; ++channel) {
        EXPECT_LE(std::abs(level[channel] - level[level.size() - 2 + channel]),
                  std::max(300, *percentile))
            << "channel " << channel;
    }
}

TEST_F(Sounds, TheLevelTuneVariesAndEffectsStandALittleAboveItWithoutClipping) {
    const std::vector<std::int16_t> music = Decode("muziek/Levelmuziek.WAV");
    std::vector<double> sections;
    for (std::size_t at = 0; at + Samples(8) <= music.size(); at += Samples(8)) {
        sections.push_back(Db(Rms(music, at, at + Samples(8))));
    }
    ASSERT_FALSE(sections.empty());
    const auto [quietest, loudest] = std::minmax_element(sections.begin(), sections.end());
    EXPECT_GE(*loudest - *quietest, 3) << "sections of 8 s, in dB";

    // The game plays the level music at 100 of 255, the effects at full volume, through the
    // mixer's 0..128.
    const double gain = static_cast<double>((100 * 128 + 127) / 255) / 128;
    const double musicDb = Db(Rms(music) * gain);
    for (const char* effect : {"Frietsound", "Levenkwijt", "Levelvoltooid"}) {
        const std::vector<std::int16_t> s = Decode(std::string("muziek/") + effect + ".MP3");
        double level = Rms(s); // its loudest 0.4 s
        for (std::size_t at = 0; at + Samples(0.4) <= s.size(); at += Samples(0.05)) {
            level = std::max(level, Rms(s, at, at + Samples(0.4)));
        }
        EXPECT_GE(Db(level) - musicDb, 3) << effect;
        EXPECT_LE(Db(level) - musicDb, 6) << effect;
        EXPECT_LE(Db(Peak(s) + Peak(music) * gain), -1) << effect << " clips over the music";
    }
}

// Share of a frame's energy above 8 kHz, by a Hann-windowed DFT of the left channel.
double TopBandShare(const std::vector<std::int16_t>& s, std::size_t frame) {
    constexpr std::size_t kN = 1024;
    constexpr double kTau = 2 * std::numbers::pi;
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
    return top / std::max(total, 1e-9);
}

TEST_F(Sounds, TheFallingSweepKeepsItsPartialsInBand) {
    // Partials folded back from above half the rate would rise while the pitch falls, spread
    // over the top band; a clean sweep leaves it empty.
    const std::vector<std::int16_t> s = Decode("muziek/Levenkwijt.MP3");
    for (std::size_t frame = 1024; frame < 16000; frame += 2048) {
        EXPECT_LT(TopBandShare(s, frame), 1e-4) << frame / 32 << " ms";
    }
}

int RunGenerator(const std::string& arguments) {
    const int status = std::system(
        (std::string(MEANDOR_ASSETS_GENERATOR) + " " + arguments + " 2>/dev/null").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::uint8_t> Bytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(Generator, WritesTheSameFilesToTheByteEveryRun) {
    const TestKit::TempDir again;
    ASSERT_EQ(RunGenerator(again.Path().string()), 0);
    for (const char* extension : {".bmp", ".MP3", ".WAV"}) {
        const std::vector<std::string> names = TreeFiles(again.Path(), extension);
        EXPECT_EQ(names, TreeFiles(kRoot, extension));
        for (const std::string& name : names) {
            EXPECT_TRUE(Bytes(again.Path() / name) == Bytes(kRoot / name)) << name;
        }
    }
}

TEST(Generator, RefusesBadArgumentsWithAClearExitCode) {
    EXPECT_EQ(RunGenerator(""), 2);
    EXPECT_EQ(RunGenerator("one two"), 2);
    EXPECT_EQ(RunGenerator("/dev/null/cannot-be-a-directory"), 1);
}

} // namespace
