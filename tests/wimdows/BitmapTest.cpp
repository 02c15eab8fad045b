#include "TestWindow.hpp"

#include <algorithm>
#include <climits>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

namespace {

using namespace WimdowsTest;

constexpr std::uint32_t Red = 0x000000FF;
constexpr std::uint32_t Green = 0x0000FF00;
constexpr std::uint32_t Blue = 0x00FF0000;
constexpr std::uint32_t White = 0x00FFFFFF;
constexpr std::uint32_t Grey = 0x00808080;

// Every pixel of the 30 x 30 tile has its own colour.
std::uint32_t Tile(int i, int j) {
    return Wimdows::RGB(static_cast<std::uint8_t>(i * 8), static_cast<std::uint8_t>(j * 8), 100);
}

// The tile with its top left corner at (x0, y0), where `shown` holds.
Expected TileAt(int x0, int y0, std::function<bool(int i, int j)> shown = {}) {
    return [=](int x, int y) -> std::optional<std::uint32_t> {
        const int i = x - x0;
        const int j = y - y0;
        if (i < 0 || i >= 30 || j < 0 || j >= 30 || (shown && !shown(i, j))) {
            return std::nullopt;
        }
        return Tile(i, j);
    };
}

// Red, green, white and grey quadrants, as a picture of `w` by `h`.
std::uint32_t Quadrant(int i, int j, int w, int h) {
    return i < w / 2 ? (j < h / 2 ? Red : White) : (j < h / 2 ? Green : Grey);
}

// The 10 x 10 quadrants file loaded at `w` by `h` and drawn at the origin.
Drawing Scaled(const std::string& file, int w, int h) {
    return {"scaled", [=] { Wimdows::DrawBitmap(Wimdows::LoadBitmap(file, w, h), 0, 0); },
            [=](int x, int y) {
                return x < w && y < h ? std::optional(Quadrant(x, y, w, h)) : std::nullopt;
            }};
}

class BitmapTest : public WindowTest {
  protected:
    std::uint32_t Load(const char* name, int side, const TestKit::Picture& picture) const {
        return Wimdows::LoadBitmap(dir.Bmp(name, side, side, picture), side, side);
    }
    TempDir dir;
    std::string tile = dir.Bmp("tile.bmp", 30, 30, Tile);
};

TEST_F(BitmapTest, HandlesCountFromOneInLoadOrderUntilTheWindowCloses) {
    EXPECT_EQ(Wimdows::LoadBitmap(tile, 30, 30), 1U);
    EXPECT_EQ(Wimdows::LoadBitmap(dir / "missing.bmp", 30, 30), 0U);
    EXPECT_EQ(Wimdows::LoadBitmap(tile, 10, 10), 2U) << "a failed load uses up no number";
    Wimdows::KillWindow();
    EXPECT_EQ(Wimdows::LoadBitmap(tile, 30, 30), 1U) << "loading needs no window";
    Wimdows::Window("Again", Width, Height);
    EXPECT_EQ(Wimdows::LoadBitmap(tile, 30, 30), 2U) << "kept until the next window closes";
}

TEST_F(BitmapTest, BadFilesAndSizesGiveHandleZero) {
    std::ifstream in(tile, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    // The tile's header made to declare 2000000 x 2000000 pixels.
    std::string huge = bytes;
    for (const std::size_t at : {18U, 22U}) {
        huge.replace(at, 4, std::string("\x80\x84\x1e\x00", 4));
    }
    ASSERT_EQ(mkfifo((dir / "fifo.bmp").c_str(), 0600), 0);
    for (const std::string& file :
         {dir.File("text.bmp", "This is not a bitmap, just some text.\n"),
          dir.File("empty.bmp", ""), dir.File("truncated.bmp", bytes.substr(0, 80)),
          dir.File("header.bmp", bytes.substr(0, 54)), dir.File("huge.bmp", huge),
          dir.Path().string(), dir / "fifo.bmp", std::string()}) {
        EXPECT_EQ(Wimdows::LoadBitmap(file, 30, 30), 0U) << file;
    }
    const std::pair<std::uint32_t, std::uint32_t> sizes[] = {
        {0, 30}, {30, 0}, {100000, 100000}, {2147483647, 1}, {5000, 5000}, {0xFFFFFFFFU, 2}};
    for (const auto& [width, height] : sizes) {
        EXPECT_EQ(Wimdows::LoadBitmap(tile, width, height), 0U) << width << " x " << height;
    }
    EXPECT_EQ(Wimdows::LoadBitmap(std::string_view(tile + '\0' + "junk"), 30, 30), 1U)
        << "the name ends at its NUL, and nothing before used a number";
}

// Handle 1 is the tile; masks are white where the picture shows; a picture is drawn at the
// size it was loaded at, also when only one side differs from the file's.
TEST_F(BitmapTest, DrawingPicturesAndMasks) {
    ASSERT_EQ(Wimdows::LoadBitmap(tile, 30, 30), 1U);
    const std::uint32_t white = Load("white.bmp", 30, [](int, int) { return White; });
    const std::uint32_t black = Load("black.bmp", 30, [](int, int) { return 0U; });
    const std::uint32_t diagonal =
        Load("diagonal.bmp", 30, [](int i, int j) { return i > j ? White : 0U; });
    const std::uint32_t small = Load("small.bmp", 10, [](int, int) { return White; });
    const std::string quadrants =
        dir.Bmp("quadrants.bmp", 10, 10, [](int i, int j) { return Quadrant(i, j, 10, 10); });
    const Drawing drawings[] = {
        {"exactly its cells", [] { Wimdows::DrawBitmap(1, 60, 90); }, TileAt(60, 90)},
        {"clipped at the top left", [] { Wimdows::DrawBitmap(1, -10, -5); }, TileAt(-10, -5)},
        {"clipped at the bottom right", [] { Wimdows::DrawBitmap(1, Width - 10, Height - 10); },
         TileAt(Width - 10, Height - 10)},
        {"far outside",
         [] { Wimdows::DrawBitmap(1, INT_MAX, INT_MIN), Wimdows::DrawBitmap(1, INT_MIN, 0); },
         Nothing},
        {"unknown handles",
         [=] { Wimdows::DrawBitmap(small + 1, 0, 0), Wimdows::DrawMaskBitmap(0, 1, 0, 0); },
         Nothing},
        {"unknown mask", [=] { Wimdows::DrawMaskBitmap(1, small + 1, 0, 0); }, Nothing},
        {"white mask", [=] { Wimdows::DrawMaskBitmap(1, white, 40, 0); }, TileAt(40, 0)},
        {"black mask", [=] { Wimdows::DrawMaskBitmap(1, black, 40, 0); }, Nothing},
        {"diagonal mask", [=] { Wimdows::DrawMaskBitmap(1, diagonal, 120, 0); },
         TileAt(120, 0, [](int i, int j) { return i > j; })},
        {"masked and clipped", [=] { Wimdows::DrawMaskBitmap(1, white, Width - 10, Height - 10); },
         TileAt(Width - 10, Height - 10)},
        {"a smaller mask hides the rest", [=] { Wimdows::DrawMaskBitmap(1, small, 5, 5); },
         TileAt(5, 5, [](int i, int j) { return i < 10 && j < 10; })},
        Scaled(quadrants, 30, 20),
        Scaled(quadrants, 10, 20),
        Scaled(quadrants, 20, 10),
    };
    ExpectDrawings(drawings, Blue);
}

// A two-colour file says by its palette which index is white: pal1.bmp and pal1wb.bmp are the
// same picture with their palettes swapped.
TEST_F(BitmapTest, TwoColourMaskGoesByColourNotIndex) {
    const std::filesystem::path suite = BmpSuite();
    if (suite.empty()) {
        GTEST_SKIP() << "no BMP corpus beside the repository";
    }
    const std::uint32_t red =
        Wimdows::LoadBitmap(dir.Bmp("red.bmp", 127, 64, [](int, int) { return Red; }), 127, 64);
    Wimdows::DrawBitmap(Wimdows::LoadBitmap((suite / "g/pal1.bmp").string(), 127, 64), 0, 0);
    const std::vector<std::uint32_t> mask = BackBuffer();
    ASSERT_NE(std::ranges::count(mask, White), 0);
    const auto masked = [&](const char* file) {
        return Drawing{file,
                       [=] {
                           Wimdows::DrawMaskBitmap(
                               red, Wimdows::LoadBitmap((suite / file).string(), 127, 64), 0, 0);
                       },
                       [&mask](int x, int y) {
                           return mask[static_cast<std::size_t>(y * Width + x)] == White
                                      ? std::optional(Red)
                                      : std::nullopt;
                       }};
    };
    const Drawing drawings[] = {masked("g/pal1.bmp"), masked("g/pal1wb.bmp")};
    ExpectDrawings(drawings, Blue);
}

} // namespace
