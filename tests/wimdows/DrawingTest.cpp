#include "TestWindow.hpp"

#include <algorithm>
#include <climits>
#include <sys/stat.h>

namespace {

using namespace WimdowsTest;

constexpr std::uint32_t Red = 0x000000FF;
constexpr std::uint32_t Green = 0x0000FF00;
constexpr std::uint32_t Blue = 0x00FF0000;
constexpr std::uint32_t White = 0x00FFFFFF;
constexpr std::uint32_t Grey = 0x00808080;

// `color` on the pixels where `inside` holds.
Expected Where(std::function<bool(int x, int y)> inside, std::uint32_t color) {
    return [=](int x, int y) { return inside(x, y) ? std::optional(color) : std::nullopt; };
}

bool InSquare(int x, int y) {
    return x >= 5 && x <= 10 && y >= 5 && y <= 10;
}

using DrawingTest = WindowTest;

TEST_F(DrawingTest, RectanglesAndClearScreen) {
    const auto rectangle = [](int x0, int y0, int x1, int y1, std::uint32_t color, bool fill) {
        return [=] { Wimdows::Rectangle(x0, y0, x1, y1, color, fill); };
    };
    const Drawing drawings[] = {
        {"corners in any order", rectangle(10, 10, 5, 5, Red, true), Where(InSquare, Red)},
        {"a frame is the outermost pixels", rectangle(5, 10, 10, 5, Red, false),
         Where([](int x, int y) { return InSquare(x, y) && (x % 5 == 0 || y % 5 == 0); }, Red)},
        {"clipped at the top left", rectangle(-5, -5, 3, 3, Red, true),
         Where([](int x, int y) { return x <= 3 && y <= 3; }, Red)},
        {"clipped at the bottom right",
         rectangle(Width - 2, Height - 2, Width + 9, Height + 9, Red, true),
         Where([](int x, int y) { return x >= Width - 2 && y >= Height - 2; }, Red)},
        {"beside the window", rectangle(-20, 20, -10, 30, Red, true), Nothing},
        {"a frame round everything, far outside",
         rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX, Red, false), Nothing},
        {"filled from the extremes", rectangle(INT_MAX, INT_MAX, INT_MIN, INT_MIN, Green, true),
         Where([](int, int) { return true; }, Green)},
        {"ClearScreen", [] { Wimdows::ClearScreen(); }, Where([](int, int) { return true; }, 0)},
    };
    ExpectDrawings(drawings, Blue);
}

// Held drawing stays in the back buffer, however much of it there is, and reaches the window
// whole at ShowDrawing; a second ShowDrawing, or one without a hold, changes nothing.
TEST_F(DrawingTest, HeldDrawingReachesTheWindowAtOnce) {
    Wimdows::Rectangle(0, 0, Width, Height, Blue, true);
    Wimdows::HoldDrawing();
    Wimdows::Rectangle(0, 0, Width, Height, Red, true);
    Wimdows::Rectangle(5, 5, 10, 10, Green, true);
    Wimdows::HoldDrawing();
    Wimdows::Rectangle(Width - 3, Height - 3, Width, Height, Grey, true);
    EXPECT_EQ(Wimdows::Testing::BackBufferPixel(7, 7), Green);
    EXPECT_EQ(Wimdows::Testing::WindowPixel(7, 7), Blue);
    EXPECT_EQ(Wimdows::Testing::WindowPixel(0, 0), Blue);
    EXPECT_EQ(Wimdows::Testing::WindowPixel(Width - 1, Height - 1), Blue);
    Wimdows::ShowDrawing();
    EXPECT_EQ(Wimdows::Testing::WindowPixel(7, 7), Green);
    EXPECT_EQ(Wimdows::Testing::WindowPixel(0, 0), Red);
    EXPECT_EQ(Wimdows::Testing::WindowPixel(Width - 1, Height - 1), Grey);
    Wimdows::ShowDrawing();
    Wimdows::Rectangle(0, 0, 1, 1, White, true);
    EXPECT_EQ(Wimdows::Testing::WindowPixel(0, 0), White);
}

// Descenders, '_' and '|' reach below the font's nominal height, accents up to its top: the
// cell GetTextSize reports must hold every pixel Text paints, in every style, and glyphs are
// the text colour on their solid parts and shades of it at their edges.
TEST_F(DrawingTest, TheCellHoldsEverythingTheTextPaintsInItsColour) {
    for (const std::uint32_t style : {0U, 1U, 2U, 3U, 4U, 5U}) {
        for (const std::string_view sample : {"_|gjpqy", "\xC4\xC9\xC5", "\xC7\xE7@\xFF\xB5]}"}) {
            Wimdows::ClearScreen();
            Wimdows::SetFont(style, Red);
            Wimdows::Text(sample, 20, 30);
            const auto [w, h] = TextBox(sample, style);
            const std::vector<std::uint32_t> back = BackBuffer();
            EXPECT_EQ(WindowSurface(), back) << "shown at once";
            int stray = 0;
            for (int i = 0; i < Width * Height; ++i) {
                const auto [x, y] = std::pair(i % Width, i / Width);
                const std::uint32_t pixel = back[static_cast<std::size_t>(i)];
                stray += (pixel != 0 && (x < 20 || x >= 20 + w || y < 30 || y >= 30 + h)) ||
                         (pixel & ~Red) != 0;
            }
            EXPECT_EQ(stray, 0) << "style " << style << ", " << sample;
            EXPECT_NE(std::count(back.begin(), back.end(), Red), 0) << style << ", " << sample;
        }
    }
}

// One line whatever the newlines; fixed-pitch styles 2, 4 and 5; unknown styles are style 0.
TEST_F(DrawingTest, TextSizesFollowTheFontStyle) {
    for (const std::uint32_t style : {0U, 1U, 2U, 3U, 4U, 5U}) {
        EXPECT_EQ(TextBox("a\nb", style).second, TextBox("ab", style).second) << style;
        EXPECT_EQ(TextBox("iiii", style) == TextBox("MMMM", style), style == 2 || style >= 4)
            << style;
    }
    EXPECT_EQ(TextBox("Meandor", 7), TextBox("Meandor", 0));
    EXPECT_EQ(TextBox("", 4).first, 0);
}

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

// Handles count from one in load order, a failed load uses up no number, and handles last
// until the next window closes.
TEST_F(BitmapTest, HandlesAndBadFilesAndSizes) {
    std::string huge = TestKit::ReadFile(tile);
    for (const std::size_t at : {18U, 22U}) {
        huge.replace(at, 4, std::string("\x80\x84\x1e\x00", 4)); // 2000000 x 2000000 pixels
    }
    const std::string special = dir.Special("special.bmp");
    EXPECT_EQ(Wimdows::LoadBitmap(tile, 30, 30), 1U);
    for (const std::string& file :
         {dir.File("huge.bmp", huge), special, dir / "missing.bmp", std::string()}) {
        EXPECT_EQ(Wimdows::LoadBitmap(file, 30, 30), 0U) << file;
    }
    const std::pair<std::uint32_t, std::uint32_t> sizes[] = {
        {0, 30}, {30, 0}, {5000, 5000}, {2147483647, 1}, {0xFFFFFFFFU, 2}};
    for (const auto& [width, height] : sizes) {
        EXPECT_EQ(Wimdows::LoadBitmap(tile, width, height), 0U) << width << " x " << height;
    }
    EXPECT_EQ(Wimdows::LoadBitmap(std::string_view(tile + '\0' + "junk"), 30, 30), 2U)
        << "the name ends at its NUL";
    Wimdows::KillWindow();
    EXPECT_EQ(Wimdows::LoadBitmap(tile, 30, 30), 1U) << "loading needs no window";
    Wimdows::Window("Again", Width, Height);
    EXPECT_EQ(Wimdows::LoadBitmap(tile, 30, 30), 2U) << "kept until the next window closes";
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
         [=] {
             Wimdows::DrawBitmap(small + 1, 0, 0), Wimdows::DrawMaskBitmap(0, 1, 0, 0);
             Wimdows::DrawMaskBitmap(1, small + 1, 0, 0);
         },
         Nothing},
        {"white mask", [=] { Wimdows::DrawMaskBitmap(1, white, 40, 0); }, TileAt(40, 0)},
        {"black mask", [=] { Wimdows::DrawMaskBitmap(1, black, 40, 0); }, Nothing},
        {"diagonal mask", [=] { Wimdows::DrawMaskBitmap(1, diagonal, 120, 0); },
         TileAt(120, 0, [](int i, int j) { return i > j; })},
        {"masked and clipped", [=] { Wimdows::DrawMaskBitmap(1, white, Width - 10, Height - 10); },
         TileAt(Width - 10, Height - 10)},
        {"a smaller mask hides the rest", [=] { Wimdows::DrawMaskBitmap(1, small, 5, 5); },
         TileAt(5, 5, [](int i, int j) { return i < 10 && j < 10; })},
        Scaled(quadrants, 10, 20),
        Scaled(quadrants, 20, 10),
    };
    ExpectDrawings(drawings, Blue);
}

} // namespace
