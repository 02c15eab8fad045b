#include "TestWindow.hpp"

#include <climits>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

namespace {

using namespace WimdowsTest;
using Wimdows::Testing::BackBufferPixel;

constexpr std::uint32_t Red = 0x000000FF;
constexpr std::uint32_t Blue = 0x00FF0000;
constexpr std::uint32_t White = 0x00FFFFFF;

// Every pixel of the 30 x 30 tile has its own colour.
std::uint32_t Tile(int i, int j) {
    return Wimdows::RGB(static_cast<std::uint8_t>(i * 8), static_cast<std::uint8_t>(j * 8), 100);
}

class BitmapTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        FillWindow(Blue);
        tile = dir.Bmp("tile.bmp", 30, 30, Tile);
    }

    // The back buffer is `expected` wherever it says, blue elsewhere, and the window agrees.
    static void
    ExpectDrawn(const std::function<std::optional<std::uint32_t>(int x, int y)>& expected) {
        const std::vector<std::uint32_t> back = BackBuffer();
        EXPECT_EQ(WindowSurface(), back);
        int wrong = 0;
        for (int y = 0; y < Height; ++y) {
            for (int x = 0; x < Width; ++x) {
                const std::uint32_t want = expected(x, y).value_or(Blue);
                if (back[static_cast<std::size_t>(y * Width + x)] != want && ++wrong <= 5) {
                    ADD_FAILURE() << "pixel (" << x << ", " << y << ")";
                }
            }
        }
        EXPECT_EQ(wrong, 0);
    }

    TempDir dir;
    std::string tile;
};

TEST_F(BitmapTest, HandlesCountFromOneInLoadOrder) {
    EXPECT_EQ(Wimdows::LoadBitmap(tile, 30, 30), 1U);
    EXPECT_EQ(Wimdows::LoadBitmap(tile, 10, 10), 2U);
    EXPECT_EQ(Wimdows::LoadBitmap(dir.Path().string() + "/missing.bmp", 30, 30), 0U);
    EXPECT_EQ(Wimdows::LoadBitmap(tile, 30, 30), 3U) << "a failed load uses up no number";

    Wimdows::KillWindow();
    EXPECT_EQ(Wimdows::LoadBitmap(tile, 30, 30), 1U) << "loading needs no window";
    Wimdows::Window("Again", Width, Height);
    EXPECT_EQ(Wimdows::LoadBitmap(tile, 30, 30), 2U) << "kept until the next window closes";
    Wimdows::Window("Once more", Width, Height);
    EXPECT_EQ(Wimdows::LoadBitmap(tile, 30, 30), 1U);
}

TEST_F(BitmapTest, BadInputGivesHandleZero) {
    std::ifstream in(tile, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    // The tile's header made to declare 2000000 x 2000000 pixels.
    std::string huge = bytes;
    for (const std::size_t at : {18U, 22U}) {
        huge.replace(at, 4, std::string("\x80\x84\x1e\x00", 4));
    }
    const std::string fifo = dir.Path().string() + "/fifo.bmp";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string bad[] = {
        dir.Path().string() + "/missing.bmp",
        dir.File("text.bmp", "This is not a bitmap at all, just some text.\n"),
        dir.File("empty.bmp", ""),
        dir.File("truncated.bmp", bytes.substr(0, 80)),
        dir.File("header-only.bmp", bytes.substr(0, 54)),
        dir.File("huge.bmp", huge),
        dir.Path().string(),
        fifo,
        "",
    };
    for (const std::string& file : bad) {
        EXPECT_EQ(Wimdows::LoadBitmap(file, 30, 30), 0U) << file;
    }
    const std::pair<std::uint32_t, std::uint32_t> sizes[] = {
        {0, 30},         {30, 0},      {0, 0},          {100000, 100000},
        {2147483647, 1}, {5000, 5000}, {0xFFFFFFFFU, 2}};
    for (const auto& [width, height] : sizes) {
        EXPECT_EQ(Wimdows::LoadBitmap(tile, width, height), 0U) << width << " x " << height;
    }
    EXPECT_EQ(Wimdows::LoadBitmap(std::string_view(tile + '\0' + "junk"), 30, 30), 1U)
        << "the name ends at its NUL, and nothing before used a number";
}

TEST_F(BitmapTest, TileCoversExactlyItsCells) {
    const std::uint32_t handle = Wimdows::LoadBitmap(tile, 30, 30);
    Wimdows::DrawBitmap(handle, 60, 90);
    ExpectDrawn([](int x, int y) -> std::optional<std::uint32_t> {
        if (x >= 60 && x <= 89 && y >= 90 && y <= 119) {
            return Tile(x - 60, y - 90);
        }
        return std::nullopt;
    });
}

TEST_F(BitmapTest, UnknownHandlesDrawNothing) {
    const std::uint32_t handle = Wimdows::LoadBitmap(tile, 30, 30);
    Wimdows::DrawBitmap(0, 0, 0);
    Wimdows::DrawBitmap(handle + 1, 0, 0);
    Wimdows::DrawMaskBitmap(handle, handle + 1, 0, 0);
    Wimdows::DrawMaskBitmap(0, handle, 0, 0);
    ExpectDrawn([](int, int) { return std::nullopt; });
}

TEST_F(BitmapTest, PartsOutsideTheWindowAreClipped) {
    const std::uint32_t handle = Wimdows::LoadBitmap(tile, 30, 30);
    Wimdows::DrawBitmap(handle, -10, -5);
    Wimdows::DrawBitmap(handle, Width - 10, Height - 10);
    Wimdows::DrawBitmap(handle, INT_MAX, INT_MIN);
    Wimdows::DrawBitmap(handle, INT_MIN, 0);
    ExpectDrawn([](int x, int y) -> std::optional<std::uint32_t> {
        if (x < 20 && y < 25) {
            return Tile(x + 10, y + 5);
        }
        if (x >= Width - 10 && y >= Height - 10) {
            return Tile(x - (Width - 10), y - (Height - 10));
        }
        return std::nullopt;
    });
}

TEST_F(BitmapTest, LoadedSizeWinsOverTheFileSize) {
    // Quadrants of a 10 x 10 file, loaded at 30 x 20.
    const std::string file = dir.Bmp("quadrants.bmp", 10, 10, [](int i, int j) {
        return i < 5 ? (j < 5 ? Red : White) : (j < 5 ? 0x0000FF00U : 0x00808080U);
    });
    Wimdows::DrawBitmap(Wimdows::LoadBitmap(file, 30, 20), 0, 0);
    ExpectDrawn([](int x, int y) -> std::optional<std::uint32_t> {
        if (x >= 30 || y >= 20) {
            return std::nullopt;
        }
        return x < 15 ? (y < 10 ? Red : White) : (y < 10 ? 0x0000FF00U : 0x00808080U);
    });
}

TEST_F(BitmapTest, MaskShowsThePictureWhereWhite) {
    const std::uint32_t picture = Wimdows::LoadBitmap(tile, 30, 30);
    const std::uint32_t white =
        Wimdows::LoadBitmap(dir.Bmp("white.bmp", 30, 30, [](int, int) { return White; }), 30, 30);
    const std::uint32_t black =
        Wimdows::LoadBitmap(dir.Bmp("black.bmp", 30, 30, [](int, int) { return 0U; }), 30, 30);
    const std::uint32_t diagonal = Wimdows::LoadBitmap(
        dir.Bmp("diagonal.bmp", 30, 30, [](int i, int j) { return i > j ? White : 0U; }), 30, 30);

    Wimdows::DrawMaskBitmap(picture, black, 0, 0);
    Wimdows::DrawMaskBitmap(picture, white, 40, 0);
    Wimdows::DrawBitmap(picture, 80, 0);
    Wimdows::DrawMaskBitmap(picture, diagonal, 120, 0);
    ExpectDrawn([](int x, int y) -> std::optional<std::uint32_t> {
        if (y >= 30) {
            return std::nullopt;
        }
        if ((x >= 40 && x < 70) || (x >= 80 && x < 110)) {
            return Tile(x % 40, y);
        }
        if (x >= 120 && x < 150 && x - 120 > y) {
            return Tile(x - 120, y);
        }
        return std::nullopt;
    });
}

TEST_F(BitmapTest, MaskSmallerThanThePictureHidesTheRest) {
    const std::uint32_t picture = Wimdows::LoadBitmap(tile, 30, 30);
    const std::uint32_t small =
        Wimdows::LoadBitmap(dir.Bmp("small.bmp", 10, 10, [](int, int) { return White; }), 10, 10);
    Wimdows::DrawMaskBitmap(picture, small, 5, 5);
    ExpectDrawn([](int x, int y) -> std::optional<std::uint32_t> {
        if (x >= 5 && x < 15 && y >= 5 && y < 15) {
            return Tile(x - 5, y - 5);
        }
        return std::nullopt;
    });
}

// A two-colour file says by its palette which index is white.
TEST_F(BitmapTest, TwoColourMaskGoesByColourNotIndex) {
    const std::filesystem::path suite = BmpSuite();
    if (suite.empty()) {
        GTEST_SKIP() << "no BMP corpus beside the repository";
    }
    const std::string red = dir.Bmp("red.bmp", 127, 64, [](int, int) { return Red; });
    const std::uint32_t picture = Wimdows::LoadBitmap(red, 127, 64);
    const std::uint32_t blackWhite = Wimdows::LoadBitmap((suite / "g/pal1.bmp").string(), 127, 64);
    const std::uint32_t whiteBlack =
        Wimdows::LoadBitmap((suite / "g/pal1wb.bmp").string(), 127, 64);
    ASSERT_NE(blackWhite, 0U);
    ASSERT_NE(whiteBlack, 0U);

    Wimdows::DrawBitmap(blackWhite, 0, 0);
    const std::vector<std::uint32_t> mask = BackBuffer();
    for (const std::uint32_t m : {blackWhite, whiteBlack}) {
        FillWindow(Blue);
        Wimdows::DrawMaskBitmap(picture, m, 0, 0);
        ExpectDrawn([&mask](int x, int y) -> std::optional<std::uint32_t> {
            if (x < 127 && y < 64 && mask[static_cast<std::size_t>(y * Width + x)] == White) {
                return Red;
            }
            return std::nullopt;
        });
    }
}

// Every file of the corpus, good, questionable or bad, under the sanitizers too: nothing
// crashes, and every good file loads except g/rgb32bf.bmp, whose pixel format SDL rejects.
TEST_F(BitmapTest, CorpusFilesLoadOrFailCleanly) {
    const std::filesystem::path suite = BmpSuite();
    if (suite.empty()) {
        GTEST_SKIP() << "no BMP corpus beside the repository";
    }
    int files = 0;
    for (const char* set : {"g", "q", "b"}) {
        for (const auto& entry : std::filesystem::directory_iterator(suite / set)) {
            const std::string file = entry.path().string();
            ++files;
            for (const auto& [width, height] : {std::pair{32U, 32U}, std::pair{200U, 150U}}) {
                const std::uint32_t handle = Wimdows::LoadBitmap(file, width, height);
                if (std::string(set) == "g" && entry.path().filename() != "rgb32bf.bmp") {
                    EXPECT_NE(handle, 0U) << file;
                }
                Wimdows::DrawBitmap(handle, -3, -3);
                Wimdows::DrawMaskBitmap(handle, handle, 5, 5);
            }
        }
    }
    EXPECT_GT(files, 60);
    EXPECT_EQ(WindowSurface(), BackBuffer());
}

} // namespace
