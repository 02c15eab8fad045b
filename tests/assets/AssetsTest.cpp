// The runtime tree as the game meets it: every file it opens is there under
// its exact name, every picture decodes at the size it is loaded at, masks
// match their sprites, sounds load through the mixer at the length asked for,
// and the generator writes the same bytes every time.

#include <SDL.h>
#include <SDL_mixer.h>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iostream>
#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <stdlib.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kRoot = MEANDOR_RUNTIME_DIR;

// Every file the game opens, with the size each picture is loaded at.
struct PictureFile {
    const char* name;
    int width;
    int height;
};

const std::vector<PictureFile> kPictures{
    {"menu/begincartoon.bmp", 1000, 700},
    {"afbeeldingen/Instructiescherm.bmp", 1000, 700},
    {"afbeeldingen/creditscherm.bmp", 1000, 700},
    {"afbeeldingen/Gameoverscherm.bmp", 1000, 700},
    {"afbeeldingen/eindscherm.bmp", 1000, 700},
    {"menu/Start0.bmp", 250, 75},
    {"menu/Start1.bmp", 250, 75},
    {"menu/Instructions0.bmp", 250, 75},
    {"menu/Instructions1.bmp", 250, 75},
    {"menu/Credits0.bmp", 250, 75},
    {"menu/Credits1.bmp", 250, 75},
    {"menu/Quit0.bmp", 250, 75},
    {"menu/Quit1.bmp", 250, 75},
    {"menu/easy0.bmp", 250, 75},
    {"menu/easy1.bmp", 250, 75},
    {"menu/medium0.bmp", 250, 75},
    {"menu/medium1.bmp", 250, 75},
    {"menu/hard0.bmp", 250, 75},
    {"menu/hard1.bmp", 250, 75},
    {"menu/Back0.bmp", 250, 75},
    {"menu/Back1.bmp", 250, 75},
    {"afbeeldingen/Limburg.bmp", 1000, 700},
    {"afbeeldingen/OostVlaanderen.bmp", 1000, 700},
    {"afbeeldingen/WestVlaanderen.bmp", 1000, 700},
    {"afbeeldingen/Antwerpen.bmp", 1000, 700},
    {"afbeeldingen/VlaamsBrabant.bmp", 1000, 700},
    {"afbeeldingen/gras.bmp", 1000, 800},
    {"afbeeldingen/fire.bmp", 1000, 800},
    {"afbeeldingen/water.bmp", 1000, 800},
    {"afbeeldingen/maan.bmp", 1000, 800},
    {"afbeeldingen/belgie.bmp", 1000, 800},
    {"afbeeldingen/tegel1.bmp", 30, 30},
    {"afbeeldingen/tegel2.bmp", 30, 30},
    {"afbeeldingen/tegel3.bmp", 30, 30},
    {"afbeeldingen/tegel4.bmp", 30, 30},
    {"afbeeldingen/tegel5.bmp", 30, 30},
    // Panels are loaded at 380 x 110, 150 x 90 and 198 x 30; the file holds the largest.
    {"afbeeldingen/rechthoek1.bmp", 380, 110},
    {"afbeeldingen/rechthoek2.bmp", 380, 110},
    {"afbeeldingen/rechthoek3.bmp", 380, 110},
    {"afbeeldingen/rechthoek4.bmp", 380, 110},
    {"afbeeldingen/rechthoek5.bmp", 380, 110},
    {"afbeeldingen/zorpR.bmp", 30, 30},
    {"afbeeldingen/zorpmaskR.bmp", 30, 30},
    {"afbeeldingen/zorpL.bmp", 30, 30},
    {"afbeeldingen/zorpmaskL.bmp", 30, 30},
    {"afbeeldingen/strik.bmp", 30, 30},
    {"afbeeldingen/strikmask.bmp", 30, 30},
    {"afbeeldingen/friet.bmp", 30, 30},
    {"afbeeldingen/frietmask.bmp", 30, 30},
    {"afbeeldingen/hamburger.bmp", 30, 30},
    {"afbeeldingen/hamburgermask.bmp", 30, 30},
    {"afbeeldingen/vlag.bmp", 30, 30},
    {"afbeeldingen/vlagmask.bmp", 30, 30},
    {"afbeeldingen/hart.bmp", 60, 60},
    {"afbeeldingen/hartmask.bmp", 60, 60},
    {"afbeeldingen/DoorOpen.bmp", 30, 30},
    {"afbeeldingen/DoorClosed.bmp", 30, 30},
};

const std::vector<std::array<const char*, 2>> kSprites{
    {"afbeeldingen/zorpR.bmp", "afbeeldingen/zorpmaskR.bmp"},
    {"afbeeldingen/zorpL.bmp", "afbeeldingen/zorpmaskL.bmp"},
    {"afbeeldingen/strik.bmp", "afbeeldingen/strikmask.bmp"},
    {"afbeeldingen/friet.bmp", "afbeeldingen/frietmask.bmp"},
    {"afbeeldingen/hamburger.bmp", "afbeeldingen/hamburgermask.bmp"},
    {"afbeeldingen/vlag.bmp", "afbeeldingen/vlagmask.bmp"},
    {"afbeeldingen/hart.bmp", "afbeeldingen/hartmask.bmp"},
};

struct SoundFile {
    const char* name;
    double minSeconds;
    double maxSeconds;
};

const std::vector<SoundFile> kSounds{
    {"muziek/Menumuziek.MP3", 30, 90},    {"muziek/Levelmuziek.WAV", 90, 150},
    {"muziek/Frietsound.MP3", 0.1, 1},    {"muziek/Levenkwijt.MP3", 0.3, 2},
    {"muziek/Levelvoltooid.MP3", 0.5, 3}, {"muziek/Gameover.MP3", 2, 8},
    {"muziek/vlaamseleeuw.MP3", 30, 120},
};

const std::vector<std::string> kMazes{"doolhof1.txt", "doolhof2.txt", "doolhof3.txt",
                                      "doolhof4.txt", "doolhof5.txt"};

struct SurfaceFree {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceFree>;

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
    bool operator==(const Rgb&) const = default;
    auto operator<=>(const Rgb&) const = default;
};

// A picture decoded by SDL and turned into plain pixels, optionally at
// another size (nearest neighbour, as a plain scaled blit does).
class Picture {
  public:
    explicit Picture(const std::string& name, int width = 0, int height = 0) {
        Surface raw(SDL_LoadBMP((kRoot / name).c_str()));
        if (!raw) {
            ADD_FAILURE() << name << ": " << SDL_GetError();
            return;
        }
        Surface rgb(SDL_ConvertSurfaceFormat(raw.get(), SDL_PIXELFORMAT_ARGB8888, 0));
        fileWidth_ = raw->w;
        fileHeight_ = raw->h;
        width_ = width > 0 ? width : raw->w;
        height_ = height > 0 ? height : raw->h;
        Surface sized(
            SDL_CreateRGBSurfaceWithFormat(0, width_, height_, 32, SDL_PIXELFORMAT_ARGB8888));
        SDL_BlitScaled(rgb.get(), nullptr, sized.get(), nullptr);
        for (int y = 0; y < height_; ++y) {
            const auto* row = reinterpret_cast<const std::uint32_t*>(
                static_cast<const std::uint8_t*>(sized->pixels) + y * sized->pitch);
            for (int x = 0; x < width_; ++x) {
                const std::uint32_t v = row[x];
                pixels_.push_back({static_cast<int>((v >> 16) & 255U),
                                   static_cast<int>((v >> 8) & 255U), static_cast<int>(v & 255U)});
            }
        }
    }
    int FileWidth() const { return fileWidth_; }
    int FileHeight() const { return fileHeight_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    Rgb At(int x, int y) const { return pixels_.at(static_cast<std::size_t>(y * width_ + x)); }

  private:
    int fileWidth_ = 0;
    int fileHeight_ = 0;
    int width_ = 0;
    int height_ = 0;
    std::vector<Rgb> pixels_;
};

double Luminance(Rgb c) {
    return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b;
}

struct Area {
    int x0, y0, x1, y1; // x1, y1 excluded
};

Rgb Mean(const Picture& p, Area a) {
    long r = 0;
    long g = 0;
    long b = 0;
    long n = 0;
    for (int y = a.y0; y < a.y1; ++y) {
        for (int x = a.x0; x < a.x1; ++x) {
            const Rgb c = p.At(x, y);
            r += c.r;
            g += c.g;
            b += c.b;
            ++n;
        }
    }
    return {static_cast<int>(r / n), static_cast<int>(g / n), static_cast<int>(b / n)};
}

double Distance(Rgb a, Rgb b) {
    return std::hypot(a.r - b.r, a.g - b.g, a.b - b.b);
}

// Share of the area's pixels that have its most common colour.
double Uniformity(const Picture& p, Area a) {
    std::map<Rgb, int> counts;
    for (int y = a.y0; y < a.y1; ++y) {
        for (int x = a.x0; x < a.x1; ++x) {
            ++counts[p.At(x, y)];
        }
    }
    int most = 0;
    for (const auto& [colour, count] : counts) {
        most = std::max(most, count);
    }
    return static_cast<double>(most) / ((a.x1 - a.x0) * (a.y1 - a.y0));
}

std::vector<std::uint8_t> Bytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int BitsPerPixel(const std::string& name) {
    const std::vector<std::uint8_t> b = Bytes(kRoot / name);
    return b.size() < 30 ? 0 : b[28] | (b[29] << 8);
}

class SdlVideo : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError(); }
    void TearDown() override { SDL_Quit(); }
};

TEST(RuntimeTree, EveryFileTheGameOpensIsThereUnderItsExactName) {
    std::vector<std::string> names;
    for (const PictureFile& p : kPictures) {
        names.emplace_back(p.name);
    }
    for (const SoundFile& s : kSounds) {
        names.emplace_back(s.name);
    }
    names.insert(names.end(), kMazes.begin(), kMazes.end());
    for (const std::string& name : names) {
        const fs::path file = kRoot / name;
        EXPECT_TRUE(fs::is_regular_file(file)) << name;
        const fs::path parent = file.parent_path();
        bool exact = false; // the name as listed, case included
        for (const auto& entry : fs::directory_iterator(parent)) {
            exact = exact || entry.path().filename() == file.filename();
        }
        EXPECT_TRUE(exact) << name;
    }
}

TEST_F(SdlVideo, EveryPictureDecodesAtTheSizeItIsLoadedAt) {
    for (const PictureFile& p : kPictures) {
        const Picture picture(p.name);
        EXPECT_EQ(picture.FileWidth(), p.width) << p.name;
        EXPECT_EQ(picture.FileHeight(), p.height) << p.name;
    }
}

TEST(PictureFormat, ColourPicturesHave24BitsAndMasksOne) {
    std::set<std::string> masks;
    for (const auto& [image, mask] : kSprites) {
        masks.insert(mask);
    }
    for (const PictureFile& p : kPictures) {
        EXPECT_EQ(BitsPerPixel(p.name), masks.contains(p.name) ? 1 : 24) << p.name;
    }
}

TEST_F(SdlVideo, MasksAreWhiteExactlyWhereTheirSpriteShows) {
    for (const auto& [image, mask] : kSprites) {
        const Picture sprite(image);
        const Picture m(mask);
        ASSERT_EQ(sprite.Width(), m.Width()) << mask;
        std::set<Rgb> colours;
        int shown = 0;
        for (int y = 0; y < m.Height(); ++y) {
            for (int x = 0; x < m.Width(); ++x) {
                const Rgb c = m.At(x, y);
                colours.insert(c);
                const bool white = c == Rgb{255, 255, 255};
                const bool background = sprite.At(x, y) == Rgb{0, 0, 0};
                EXPECT_EQ(white, !background) << mask << " at " << x << "," << y;
                shown += white ? 1 : 0;
            }
        }
        EXPECT_EQ(colours, (std::set<Rgb>{{0, 0, 0}, {255, 255, 255}})) << mask;
        // A real silhouette: neither a speck nor the whole square.
        const double cover = static_cast<double>(shown) / (m.Width() * m.Height());
        EXPECT_GT(cover, 0.25) << mask;
        EXPECT_LT(cover, 0.9) << mask;
    }
}

TEST_F(SdlVideo, ZorpFacingLeftMirrorsZorpFacingRight) {
    for (const auto& [right, left] : std::vector<std::array<const char*, 2>>{
             {"afbeeldingen/zorpR.bmp", "afbeeldingen/zorpL.bmp"},
             {"afbeeldingen/zorpmaskR.bmp", "afbeeldingen/zorpmaskL.bmp"}}) {
        const Picture r(right);
        const Picture l(left);
        int asymmetric = 0;
        for (int y = 0; y < r.Height(); ++y) {
            for (int x = 0; x < r.Width(); ++x) {
                EXPECT_EQ(r.At(x, y), l.At(r.Width() - 1 - x, y))
                    << left << " at " << x << "," << y;
                asymmetric += r.At(x, y) == r.At(r.Width() - 1 - x, y) ? 0 : 1;
            }
        }
        EXPECT_GT(asymmetric, 20) << right << " looks the same both ways";
    }
}

TEST_F(SdlVideo, MouseOverButtonsAreLitAndLabelsStandOut) {
    for (const char* name :
         {"Start", "Instructions", "Credits", "Quit", "easy", "medium", "hard", "Back"}) {
        const Picture normal(std::string("menu/") + name + "0.bmp");
        const Picture lit(std::string("menu/") + name + "1.bmp");
        const Area face{20, 15, 230, 60};
        EXPECT_GT(Luminance(Mean(lit, face)), Luminance(Mean(normal, face)) + 40) << name;
        for (const Picture* p : {&normal, &lit}) {
            double darkest = 255;
            double lightest = 0;
            for (int x = 40; x < 210; ++x) { // the label's middle line
                darkest = std::min(darkest, Luminance(p->At(x, 40)));
                lightest = std::max(lightest, Luminance(p->At(x, 40)));
            }
            EXPECT_GT(lightest - darkest, 150) << name;
        }
    }
}

TEST_F(SdlVideo, BlackTextReadsOnEveryPanelAtEverySize) {
    struct Use {
        int width, height;
        Area text; // where the game writes, relative to the panel
    };
    const std::array<Use, 3> uses{{{198, 30, {3, 10, 150, 24}},      // "Press 'p' to pause"
                                   {150, 90, {10, 20, 130, 34}},     // "Friet" and the count
                                   {380, 110, {10, 10, 370, 100}}}}; // behind the hearts
    for (int level = 1; level <= 5; ++level) {
        const std::string name = "afbeeldingen/rechthoek" + std::to_string(level) + ".bmp";
        for (const Use& u : uses) {
            const Picture panel(name, u.width, u.height);
            EXPECT_GT(Luminance(Mean(panel, u.text)), 180)
                << name << " at " << u.width << "x" << u.height;
            // Framed: the edge differs from the face.
            EXPECT_GT(Distance(panel.At(0, u.height / 2), panel.At(u.width / 2, u.height / 2)), 60)
                << name;
        }
    }
}

// WCAG relative luminance and contrast ratio: what tells walls from floor to
// every eye, hue aside.
double RelativeLuminance(Rgb c) {
    auto linear = [](int v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b);
}

double ContrastRatio(Rgb a, Rgb b) {
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
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

bool IsWall(char c) {
    return c == '-' || c == '+' || c == '|';
}

TEST_F(SdlVideo, WallsBesideAPathReadAgainstTheFloorByLuminance) {
    const std::array<const char*, 5> backgrounds{"gras", "fire", "water", "maan", "belgie"};
    for (int level = 1; level <= 5; ++level) {
        const std::string n = std::to_string(level);
        const Picture background(std::string("afbeeldingen/") +
                                 backgrounds.at(static_cast<std::size_t>(level - 1)) + ".bmp");
        const Rgb floor = Mean(Picture("afbeeldingen/tegel" + n + ".bmp"), {0, 0, 30, 30});
        const std::vector<std::string> maze = ReadMaze("doolhof" + n + ".txt");
        ASSERT_EQ(maze.size(), 31U) << "level " << level;
        auto open = [&maze](int x, int y) {
            return x >= 1 && x <= 30 && y >= 1 && y <= 21 &&
                   !IsWall(maze.at(static_cast<std::size_t>(x)).at(static_cast<std::size_t>(y)));
        };
        int boundary = 0;
        int clear = 0;
        double weakest = 21;
        for (int x = 1; x <= 30; ++x) {
            for (int y = 1; y <= 21; ++y) {
                if (open(x, y) ||
                    !(open(x - 1, y) || open(x + 1, y) || open(x, y - 1) || open(x, y + 1))) {
                    continue;
                }
                const double ratio = ContrastRatio(
                    Mean(background, {30 * x, 30 * y, 30 * x + 30, 30 * y + 30}), floor);
                ++boundary;
                clear += ratio >= 1.5 ? 1 : 0;
                weakest = std::min(weakest, ratio);
            }
        }
        ASSERT_GT(boundary, 100) << "level " << level;
        const double share = 100.0 * clear / boundary;
        std::cout << "level " << level << ": " << share << " % of " << boundary
                  << " wall cells at 1.5:1 or more, weakest " << weakest << ":1\n";
        EXPECT_GE(share, 95) << "level " << level;
    }
}

TEST_F(SdlVideo, TheHeartLiesWhollyAboveTheWindowEdge) {
    constexpr int kDrawnAt = 650;
    const Picture mask("afbeeldingen/hartmask.bmp");
    int lowest = -1;
    for (int y = 0; y < mask.Height(); ++y) {
        for (int x = 0; x < mask.Width(); ++x) {
            lowest = mask.At(x, y) == Rgb{255, 255, 255} ? y : lowest;
        }
    }
    std::cout << "heart: lowest row " << lowest << ", drawn down to y " << kDrawnAt + lowest
              << "\n";
    EXPECT_LT(kDrawnAt + lowest, 700);
}

// Below the window edge lies the rest of each panel: its visible top must be
// framed and nothing below the face may be a border that the edge cuts.
TEST_F(SdlVideo, PanelsAreFramedAtTheTopAndRunOnBelowTheWindowEdge) {
    struct Use {
        int width, height, y;
    };
    for (const Use& u : {Use{380, 110, 640}, Use{150, 90, 660}, Use{198, 30, 20}}) {
        for (int level = 1; level <= 5; ++level) {
            const std::string name = "afbeeldingen/rechthoek" + std::to_string(level) + ".bmp";
            const Picture panel(name, u.width, u.height);
            const int shown = std::min(u.height, 700 - u.y);
            const int mid = u.width / 2;
            const Rgb face = panel.At(mid, shown / 2);
            EXPECT_GT(Distance(panel.At(mid, 1), face), 60) << name << " has no top border";
            int y = shown / 2;
            while (y < u.height && Distance(panel.At(mid, y), face) < 40) {
                ++y;
            }
            EXPECT_EQ(y, u.height) << name << " at " << u.width << "x" << u.height
                                   << " has a lower border at row " << y;
        }
    }
}

TEST_F(SdlVideo, BackAndQuitKeepClearOfTheWindowEdges) {
    constexpr int kMargin = 6;
    struct Placed {
        const char* name;
        int x, y;
    };
    for (const Placed& b : {Placed{"Back0", 750, 550}, Placed{"Back1", 750, 550},
                            Placed{"Quit0", 750, 630}, Placed{"Quit1", 750, 630}}) {
        const Picture button(std::string("menu/") + b.name + ".bmp");
        const Rgb bed = button.At(0, 0);
        int nearest = 1000;
        for (int y = 0; y < button.Height() && b.y + y < 700; ++y) {
            for (int x = 0; x < button.Width() && b.x + x < 1000; ++x) {
                if (Distance(button.At(x, y), bed) > 24) {
                    nearest = std::min({nearest, b.x + x, b.y + y, 999 - b.x - x, 699 - b.y - y});
                }
            }
        }
        std::cout << b.name << ": " << nearest << " px from the window edge\n";
        EXPECT_GE(nearest, kMargin) << b.name;
    }
}

TEST_F(SdlVideo, ButtonPlacesAreLeftClear) {
    // The buttons' column on the menu picture, the corner on the two
    // information screens: one plain colour, nothing drawn there to clash.
    EXPECT_GT(Uniformity(Picture("menu/begincartoon.bmp"), {110, 50, 360, 575}), 0.99);
    EXPECT_GT(Uniformity(Picture("afbeeldingen/Instructiescherm.bmp"), {750, 550, 1000, 700}),
              0.95);
    EXPECT_GT(Uniformity(Picture("afbeeldingen/creditscherm.bmp"), {750, 550, 1000, 700}), 0.95);
}

// The sounds through the mixer, as the game's sound layer opens it.
class Mixer : public ::testing::Test {
  protected:
    void SetUp() override {
        // The test runner's environment list only carries its first entry
        // through gtest discovery, so the dummy device is asked for here.
        ASSERT_EQ(::setenv("SDL_AUDIODRIVER", "dummy", 1), 0);
        ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
        Mix_Init(MIX_INIT_MP3);
        ASSERT_EQ(Mix_OpenAudio(kRate, AUDIO_S16SYS, 2, 1024), 0) << Mix_GetError();
        int frequency = 0;
        Uint16 format = 0;
        int channels = 0;
        Mix_QuerySpec(&frequency, &format, &channels);
        ASSERT_EQ(frequency, kRate);
        ASSERT_EQ(format, AUDIO_S16SYS);
        ASSERT_EQ(channels, 2);
    }
    void TearDown() override {
        Mix_CloseAudio();
        Mix_Quit();
        SDL_Quit();
    }
    struct ChunkFree {
        void operator()(Mix_Chunk* c) const { Mix_FreeChunk(c); }
    };
    // Decoded samples, both channels interleaved.
    static std::vector<std::int16_t> Decode(const std::string& name) {
        std::unique_ptr<Mix_Chunk, ChunkFree> chunk(Mix_LoadWAV((kRoot / name).c_str()));
        if (!chunk) {
            ADD_FAILURE() << name << ": " << Mix_GetError();
            return {};
        }
        std::vector<std::int16_t> samples(chunk->alen / 2);
        std::copy_n(chunk->abuf, samples.size() * 2,
                    reinterpret_cast<std::uint8_t*>(samples.data()));
        return samples;
    }
    static constexpr int kRate = 32000;
};

TEST_F(Mixer, EverySoundLoadsWithTheLengthAskedFor) {
    for (const SoundFile& s : kSounds) {
        const std::vector<std::int16_t> samples = Decode(s.name);
        const double seconds = static_cast<double>(samples.size()) / 2 / kRate;
        EXPECT_GE(seconds, s.minSeconds) << s.name;
        EXPECT_LE(seconds, s.maxSeconds) << s.name;
    }
}

TEST_F(Mixer, NoSampleClipsAndNoSoundIsSilent) {
    for (const SoundFile& s : kSounds) {
        const std::vector<std::int16_t> samples = Decode(s.name);
        const auto clipped = std::count_if(samples.begin(), samples.end(), [](std::int16_t v) {
            return v >= 32767 || v <= -32767;
        });
        EXPECT_EQ(clipped, 0) << s.name;
        const auto loudest =
            std::max_element(samples.begin(), samples.end(), [](std::int16_t a, std::int16_t b) {
                return std::abs(a) < std::abs(b);
            });
        ASSERT_NE(loudest, samples.end()) << s.name;
        EXPECT_GT(std::abs(*loudest), 8000) << s.name << " is too quiet to hear";
    }
}

TEST_F(Mixer, TunesLoopWithoutAClick) {
    // The MP3 tune cannot rely on exact encoder padding: it starts and ends
    // in silence. The WAV tune loops sample-exactly: its seam must be no
    // rougher than the music itself.
    const std::vector<std::int16_t> menu = Decode("muziek/Menumuziek.MP3");
    ASSERT_GT(menu.size(), 2000U);
    const std::size_t edge = 2 * kRate / 4000; // 0.25 ms of both channels
    for (std::size_t i = 0; i < edge; ++i) {
        EXPECT_LT(std::abs(menu[i]), 600) << "start, sample " << i;
        EXPECT_LT(std::abs(menu[menu.size() - 1 - i]), 600) << "end, sample " << i;
    }
    const std::vector<std::int16_t> level = Decode("muziek/Levelmuziek.WAV");
    ASSERT_GT(level.size(), 4U);
    std::vector<int> steps;
    for (std::size_t i = 2; i < level.size(); ++i) {
        steps.push_back(std::abs(level[i] - level[i - 2]));
    }
    std::nth_element(steps.begin(), steps.begin() + static_cast<long>(steps.size() * 99 / 100),
                     steps.end());
    const int rough = std::max(300, steps[steps.size() * 99 / 100]);
    for (std::size_t channel = 0; channel < 2; ++channel) {
        const int seam = std::abs(level[channel] - level[level.size() - 2 + channel]);
        EXPECT_LE(seam, rough) << "channel " << channel;
    }
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
    int peak = 0;
    for (const std::int16_t v : s) {
        peak = std::max(peak, std::abs(static_cast<int>(v)));
    }
    return peak / 32768.0;
}

double Db(double level) {
    return 20 * std::log10(std::max(level, 1e-9));
}

// The mixer's gain for a volume the game sets, 0..255 onto 0..128.
double Gain(int volume) {
    return static_cast<double>((volume * 128 + 127) / 255) / 128;
}

std::size_t Samples(double seconds) {
    return 2 * static_cast<std::size_t>(seconds * 32000);
}

// How loud an effect sounds: its loudest 0.4 s.
double EffectLevel(const std::vector<std::int16_t>& s) {
    double loudest = Rms(s);
    for (std::size_t at = 0; at + Samples(0.4) <= s.size(); at += Samples(0.05)) {
        loudest = std::max(loudest, Rms(s, at, at + Samples(0.4)));
    }
    return loudest;
}

TEST_F(Mixer, EffectsStandALittleAboveTheLevelMusicAndNothingClips) {
    constexpr int kLevelMusicVolume = 100; // effects play at full volume
    const std::vector<std::int16_t> music = Decode("muziek/Levelmuziek.WAV");
    const double musicDb = Db(Rms(music) * Gain(kLevelMusicVolume));
    for (const char* effect : {"Frietsound", "Levenkwijt", "Levelvoltooid"}) {
        const std::vector<std::int16_t> s = Decode(std::string("muziek/") + effect + ".MP3");
        const double above = Db(EffectLevel(s)) - musicDb;
        const double mixedPeak = Db(Peak(s) + Peak(music) * Gain(kLevelMusicVolume));
        std::cout << effect << ": " << above << " dB above the music, " << mixedPeak
                  << " dBFS peak over it\n";
        EXPECT_GE(above, 3) << effect;
        EXPECT_LE(above, 6) << effect;
        EXPECT_LE(mixedPeak, -1) << effect;
    }
}

TEST_F(Mixer, NoSoundCarriesADcOffset) {
    for (const SoundFile& f : kSounds) {
        const std::vector<std::int16_t> s = Decode(f.name);
        for (std::size_t channel = 0; channel < 2; ++channel) {
            double sum = 0;
            for (std::size_t i = channel; i < s.size(); i += 2) {
                sum += s[i] / 32768.0;
            }
            const double offset = sum / static_cast<double>(s.size() / 2) / Peak(s);
            std::cout << f.name << " channel " << channel << ": DC " << 100 * offset
                      << " % of peak, peak " << Db(Peak(s)) << " dBFS\n";
            EXPECT_LE(std::abs(offset), 0.01) << f.name << " channel " << channel;
        }
    }
}

// Share of a frame's energy above 8 kHz, by a Hann-windowed DFT of the left channel.
double TopBandShare(const std::vector<std::int16_t>& s, std::size_t frame) {
    constexpr std::size_t kN = 1024;
    double top = 0;
    double total = 0;
    for (std::size_t k = 1; k < kN / 2; ++k) {
        double re = 0;
        double im = 0;
        for (std::size_t n = 0; n < kN; ++n) {
            const double v = s.at(2 * (frame + n)) * (0.5 - 0.5 * std::cos(2 * M_PI * n / kN));
            re += v * std::cos(2 * M_PI * k * n / kN);
            im -= v * std::sin(2 * M_PI * k * n / kN);
        }
        total += re * re + im * im;
        top += k * 32000 / kN >= 8000 ? re * re + im * im : 0;
    }
    return top / std::max(total, 1e-9);
}

TEST_F(Mixer, TheFallingSweepKeepsItsPartialsInBand) {
    // Partials folded back from above half the rate would rise while the
    // pitch falls, spread over the top band; a clean sweep leaves it empty.
    const std::vector<std::int16_t> s = Decode("muziek/Levenkwijt.MP3");
    for (std::size_t frame = 1024; frame < 16000; frame += 2048) {
        std::cout << "Levenkwijt at " << frame / 32 << " ms: " << 100 * TopBandShare(s, frame)
                  << " % above 8 kHz\n";
        EXPECT_LT(TopBandShare(s, frame), 1e-4) << frame / 32 << " ms";
    }
}

TEST_F(Mixer, TheLevelTuneIsLongAndVariedAndTheMenuTuneEndsSoftly) {
    const std::vector<std::int16_t> level = Decode("muziek/Levelmuziek.WAV");
    const double seconds = static_cast<double>(level.size()) / Samples(1);
    double quietest = 0;
    double loudest = -200;
    for (std::size_t at = 0; at + Samples(8) <= level.size(); at += Samples(8)) {
        quietest = std::min(quietest, Db(Rms(level, at, at + Samples(8))));
        loudest = std::max(loudest, Db(Rms(level, at, at + Samples(8))));
    }
    std::cout << "level tune: " << seconds << " s, sections " << loudest - quietest
              << " dB apart\n";
    EXPECT_GE(seconds, 90);
    EXPECT_GE(loudest - quietest, 3);

    const std::vector<std::int16_t> menu = Decode("muziek/Menumuziek.MP3");
    std::size_t end = menu.size();
    while (end > 0 && std::abs(menu[end - 1]) < 33) {
        --end;
    }
    std::size_t start = 0;
    while (start < end && std::abs(menu[start]) < 33) {
        ++start;
    }
    const double tail = Db(Rms(menu, end - std::min(end, Samples(0.25)), end)) - Db(Rms(menu));
    std::cout << "menu tune: " << static_cast<double>(menu.size()) / Samples(1) << " s, "
              << static_cast<double>(menu.size() - end + start) / Samples(1)
              << " s of silence at the seam, last 0.25 s at " << tail << " dB\n";
    EXPECT_LE(menu.size() - end + start, Samples(0.1));
    EXPECT_LE(tail, -10);
}

TEST(SoundFormat, FilesAreRealMp3AndWavAtAGameRate) {
    for (const SoundFile& s : kSounds) {
        const std::vector<std::uint8_t> b = Bytes(kRoot / s.name);
        ASSERT_GT(b.size(), 64U) << s.name;
        if (fs::path(s.name).extension() == ".WAV") {
            EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF") << s.name;
            EXPECT_EQ(std::string(b.begin() + 8, b.begin() + 12), "WAVE") << s.name;
            const int rate = b[24] | (b[25] << 8) | (b[26] << 16) | (b[27] << 24);
            EXPECT_TRUE(rate == 32000 || rate == 44100) << s.name << " at " << rate;
            continue;
        }
        std::size_t at = 0;
        if (std::string(b.begin(), b.begin() + 3) == "ID3") { // skip a tag
            at = 10 + ((b[6] & 0x7FU) << 21 | (b[7] & 0x7FU) << 14 | (b[8] & 0x7FU) << 7 |
                       (b[9] & 0x7FU));
        }
        ASSERT_LT(at + 3, b.size()) << s.name;
        EXPECT_EQ(b[at], 0xFF) << s.name << " has no MPEG frame";
        EXPECT_EQ(b[at + 1] & 0xFE, 0xFA) << s.name << " is not MPEG-1 layer III";
        const int rateIndex = (b[at + 2] >> 2) & 3;
        EXPECT_TRUE(rateIndex == 0 || rateIndex == 2) << s.name; // 44100 or 32000 Hz
    }
}

int RunGenerator(const std::string& arguments) {
    const std::string command =
        std::string(MEANDOR_ASSETS_GENERATOR) + " " + arguments + " 2>/dev/null";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(Generator, WritesTheSameBytesEveryRun) {
    const fs::path again =
        fs::temp_directory_path() / ("meandor-assets-" + std::to_string(::getpid()));
    ASSERT_EQ(RunGenerator(again.string()), 0);
    std::set<std::string> generated;
    for (const auto& entry : fs::recursive_directory_iterator(again)) {
        if (entry.is_regular_file()) {
            const std::string name = fs::relative(entry.path(), again).string();
            generated.insert(name);
            EXPECT_TRUE(Bytes(entry.path()) == Bytes(kRoot / name))
                << name << " differs between runs";
        }
    }
    std::set<std::string> expected;
    for (const PictureFile& p : kPictures) {
        expected.insert(p.name);
    }
    for (const SoundFile& s : kSounds) {
        expected.insert(s.name);
    }
    EXPECT_EQ(generated, expected);
    fs::remove_all(again);
}

TEST(Generator, RefusesBadArgumentsWithAClearExitCode) {
    EXPECT_EQ(RunGenerator(""), 2);
    EXPECT_EQ(RunGenerator("one two"), 2);
    EXPECT_EQ(RunGenerator("/dev/null/cannot-be-a-directory"), 1);
}

} // namespace
