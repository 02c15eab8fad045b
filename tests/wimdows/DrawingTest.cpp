#include "TestWindow.hpp"

#include <climits>

namespace {

using namespace WimdowsTest;
using Wimdows::Testing::BackBufferPixel;

constexpr std::uint32_t Red = 0x000000FF;
constexpr std::uint32_t Green = 0x0000FF00;
constexpr std::uint32_t Blue = 0x00FF0000;

// Pixels that are `inside` in `color` on `background`, and the window shows the same at once.
void ExpectExactly(const std::function<bool(int x, int y)>& inside, std::uint32_t color,
                   std::uint32_t background) {
    const std::vector<std::uint32_t> back = BackBuffer();
    EXPECT_EQ(WindowSurface(), back);
    int wrong = 0;
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            const std::uint32_t expected = inside(x, y) ? color : background;
            if (back[static_cast<std::size_t>(y * Width + x)] != expected && ++wrong <= 5) {
                ADD_FAILURE() << "pixel (" << x << ", " << y << ")";
            }
        }
    }
    EXPECT_EQ(wrong, 0);
}

class RectangleTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        FillWindow(Blue);
    }
};

TEST_F(RectangleTest, CornersAreSortedAndBothIncluded) {
    Wimdows::Rectangle(10, 10, 5, 5, Red, true);
    ExpectExactly([](int x, int y) { return x >= 5 && x <= 10 && y >= 5 && y <= 10; }, Red, Blue);
}

TEST_F(RectangleTest, FrameIsOnePixelOnTheOutermostPixels) {
    Wimdows::Rectangle(5, 10, 10, 5, Red, false);
    ExpectExactly(
        [](int x, int y) {
            const bool inSquare = x >= 5 && x <= 10 && y >= 5 && y <= 10;
            return inSquare && (x == 5 || x == 10 || y == 5 || y == 10);
        },
        Red, Blue);
}

TEST_F(RectangleTest, TopByteOfTheColourIsIgnored) {
    Wimdows::Rectangle(0, 0, 3, 3, 0xAB0000FFU, true);
    ExpectExactly([](int x, int y) { return x <= 3 && y <= 3; }, Red, Blue);
}

TEST_F(RectangleTest, ClippedAtTheEdges) {
    Wimdows::Rectangle(-5, -5, 3, 3, Red, true);
    Wimdows::Rectangle(Width - 2, Height - 2, Width + 10, Height + 10, Red, true);
    Wimdows::Rectangle(Width, 0, Width + 5, 5, Red, true);
    Wimdows::Rectangle(-20, 20, -10, 30, Red, true);
    ExpectExactly(
        [](int x, int y) { return (x <= 3 && y <= 3) || (x >= Width - 2 && y >= Height - 2); }, Red,
        Blue);
}

TEST_F(RectangleTest, ExtremeCornersNeitherOverflowNorDrawOffscreenEdges) {
    Wimdows::Rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX, Red, false);
    ExpectExactly([](int, int) { return false; }, Red, Blue);
    Wimdows::Rectangle(INT_MAX, INT_MAX, INT_MIN, INT_MIN, Green, true);
    ExpectExactly([](int, int) { return true; }, Green, Blue);
}

TEST_F(RectangleTest, ClearScreenBlackensTheWholeArea) {
    Wimdows::ClearScreen();
    ExpectExactly([](int, int) { return true; }, 0, Blue);
}

// Text.

struct Region {
    int x;
    int y;
    int w;
    int h;
};

std::vector<std::uint32_t> Pixels(const Region& r) {
    std::vector<std::uint32_t> pixels;
    for (int y = r.y; y < r.y + r.h; ++y) {
        for (int x = r.x; x < r.x + r.w; ++x) {
            pixels.push_back(BackBufferPixel(x, y).value_or(0xFF000000U));
        }
    }
    return pixels;
}

// Pixels of a picture of the window that are not black outside the box.
int PaintedOutside(const std::vector<std::uint32_t>& pixels, const Region& box) {
    int outside = 0;
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            const bool inBox = x >= box.x && x < box.x + box.w && y >= box.y && y < box.y + box.h;
            outside += !inBox && pixels[static_cast<std::size_t>(y * Width + x)] != 0 ? 1 : 0;
        }
    }
    return outside;
}

Region TextBox(std::string_view text, int x, int y, std::uint32_t style = 4) {
    std::uint32_t w = 0;
    std::uint32_t h = 0;
    Wimdows::GetTextSize(text, style, w, h);
    return {x, y, static_cast<int>(w), static_cast<int>(h)};
}

class TextTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        Wimdows::ClearScreen();
        Wimdows::SetFont(4, 0x00FFFFFF);
    }
    // Draws `text` at the top and a reference at y 60 and compares the two.
    static bool SameAs(const std::function<void(int x, int y)>& draw, std::string_view reference) {
        Wimdows::ClearScreen();
        draw(0, 0);
        Wimdows::Text(reference, 0, 60);
        const Region box = TextBox(reference, 0, 0);
        const std::vector<std::uint32_t> drawn = Pixels(box);
        return box.w > 0 && drawn == Pixels({0, 60, box.w, box.h}) &&
               drawn != std::vector<std::uint32_t>(drawn.size(), 0);
    }
};

TEST_F(TextTest, NumbersAreWrittenInDecimal) {
    EXPECT_TRUE(SameAs([](int x, int y) { Wimdows::TextInt(-42, x, y); }, "-42"));
    EXPECT_FALSE(SameAs([](int x, int y) { Wimdows::TextInt(-42, x, y); }, "42"));
    EXPECT_TRUE(SameAs([](int x, int y) { Wimdows::TextCard(0, x, y); }, "0"));
    EXPECT_TRUE(SameAs([](int x, int y) { Wimdows::TextInt(INT_MIN, x, y); }, "-2147483648"));
    EXPECT_TRUE(SameAs([](int x, int y) { Wimdows::TextCard(INT_MAX, x, y); }, "2147483647"));
}

TEST_F(TextTest, TextEndsAtTheFirstNul) {
    EXPECT_TRUE(
        SameAs([](int x, int y) { Wimdows::Text(std::string_view("ab\0cd", 5), x, y); }, "ab"));
}

TEST_F(TextTest, GlyphsAreDrawnInTheTextColourOnly) {
    Wimdows::SetFont(4, 0xAB0000FFU);
    Wimdows::Text("Hello, world", 10, 20);
    const Region box = TextBox("Hello, world", 10, 20);
    const std::vector<std::uint32_t> back = BackBuffer();
    EXPECT_EQ(WindowSurface(), back) << "shown at once";
    bool full = false;
    for (const std::uint32_t pixel : back) {
        EXPECT_EQ(pixel & 0xFFFF00U, 0U) << "only red";
        full = full || pixel == Red;
    }
    EXPECT_EQ(PaintedOutside(back, box), 0);
    EXPECT_TRUE(full) << "solid parts of glyphs are exactly the text colour";
}

// Descenders, '_' and '|' reach below the font's nominal height, accents up to its top: the
// cell GetTextSize reports must hold every pixel Text paints, in every style.
TEST_F(TextTest, TheCellHoldsEverythingTheTextPaints) {
    const std::string_view samples[] = {"_|gjpqy", "\xC4\xC9\xC5", "\xC7\xE7@\xFF\xB5", "]}"};
    for (const std::uint32_t style : {0U, 1U, 2U, 3U, 4U, 5U}) {
        for (std::size_t i = 0; i < std::size(samples); ++i) {
            Wimdows::ClearScreen();
            Wimdows::SetFont(style, 0x00FFFFFF);
            Wimdows::Text(samples[i], 20, 30);
            const std::vector<std::uint32_t> back = BackBuffer();
            EXPECT_NE(back, std::vector<std::uint32_t>(back.size(), 0));
            EXPECT_EQ(PaintedOutside(back, TextBox(samples[i], 20, 30, style)), 0)
                << "style " << style << ", sample " << i;
        }
    }
}

TEST_F(TextTest, TextOverABitmapLeavesItVisibleBetweenTheGlyphs) {
    TempDir dir;
    const std::string file =
        dir.Bmp("stripes.bmp", Width, 40, [](int i, int) { return i % 2 == 0 ? Green : Blue; });
    const std::uint32_t stripes = Wimdows::LoadBitmap(file, Width, 40);
    Wimdows::DrawBitmap(stripes, 0, 0);
    const std::vector<std::uint32_t> before = Pixels({0, 0, Width, 40});
    Wimdows::SetFont(4, 0);
    Wimdows::Text("Lives: 3", 4, 4);
    const std::vector<std::uint32_t> after = Pixels({0, 0, Width, 40});
    std::size_t kept = 0;
    for (std::size_t i = 0; i < after.size(); ++i) {
        kept += after[i] == before[i] ? 1 : 0;
    }
    EXPECT_LT(kept, after.size()) << "the glyphs were drawn";
    const Region box = TextBox("Lives: 3", 4, 4);
    EXPECT_GT(kept, after.size() - static_cast<std::size_t>(box.w * box.h) / 2)
        << "most of the text cell still shows the bitmap";
    EXPECT_EQ(BackBufferPixel(box.x, box.y), before[static_cast<std::size_t>(4 * Width + 4)]);
}

TEST_F(TextTest, SizesFollowTheFontStyle) {
    for (const std::uint32_t style : {0U, 1U, 2U, 3U, 4U, 5U}) {
        const Region once = TextBox("Meandor", 0, 0, style);
        const Region again = TextBox("Meandor", 0, 0, style);
        EXPECT_GT(once.w, 0) << style;
        EXPECT_GT(once.h, 0) << style;
        EXPECT_EQ(once.w, again.w);
        EXPECT_EQ(once.h, again.h);
        EXPECT_GT(TextBox("Meandor!", 0, 0, style).w, once.w) << style;
        EXPECT_EQ(TextBox("a\nb", 0, 0, style).h, once.h) << "one line, newline not interpreted";
        const bool fixed = style == 2 || style == 4 || style == 5;
        EXPECT_EQ(TextBox("iiii", 0, 0, style).w == TextBox("MMMM", 0, 0, style).w, fixed) << style;
    }
    EXPECT_EQ(TextBox("Meandor", 0, 0, 7).w, TextBox("Meandor", 0, 0, 0).w)
        << "unknown styles are the default interface font";
    EXPECT_NE(TextBox("Meandor", 0, 0, 0).w, TextBox("Meandor", 0, 0, 4).w);
    EXPECT_EQ(TextBox("", 0, 0).w, 0);
}

TEST_F(TextTest, TextPartlyOutsideIsClipped) {
    Wimdows::Text("Clipped at every edge", -7, -5);
    Wimdows::Text("Clipped at every edge", Width - 20, Height - 5);
    Wimdows::Text("Nowhere", INT_MAX, INT_MIN);
    EXPECT_EQ(WindowSurface(), BackBuffer());
    EXPECT_NE(BackBuffer(), std::vector<std::uint32_t>(Width * Height, 0));
}

} // namespace
