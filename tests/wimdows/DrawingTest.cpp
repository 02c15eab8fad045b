#include "TestWindow.hpp"

#include <algorithm>
#include <climits>

namespace {

using namespace WimdowsTest;

constexpr std::uint32_t Red = 0x000000FF;
constexpr std::uint32_t Green = 0x0000FF00;
constexpr std::uint32_t Blue = 0x00FF0000;

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
        {"right of the window", rectangle(Width, 0, Width + 5, 5, Red, true), Nothing},
        {"left of the window", rectangle(-20, 20, -10, 30, Red, true), Nothing},
        {"a frame round everything, far outside",
         rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX, Red, false), Nothing},
        {"filled from the extremes", rectangle(INT_MAX, INT_MAX, INT_MIN, INT_MIN, Green, true),
         Where([](int, int) { return true; }, Green)},
        {"ClearScreen", [] { Wimdows::ClearScreen(); }, Where([](int, int) { return true; }, 0)},
    };
    ExpectDrawings(drawings, Blue);
}

std::pair<int, int> TextBox(std::string_view text, std::uint32_t style) {
    std::uint32_t w = 0;
    std::uint32_t h = 0;
    Wimdows::GetTextSize(text, style, w, h);
    return {static_cast<int>(w), static_cast<int>(h)};
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
            for (int y = 0; y < Height; ++y) {
                for (int x = 0; x < Width; ++x) {
                    const std::uint32_t pixel = back[static_cast<std::size_t>(y * Width + x)];
                    stray += (pixel != 0 && (x < 20 || x >= 20 + w || y < 30 || y >= 30 + h)) ||
                             (pixel & ~Red) != 0;
                }
            }
            EXPECT_EQ(stray, 0) << "style " << style << ", " << sample;
            EXPECT_NE(std::count(back.begin(), back.end(), Red), 0) << style << ", " << sample;
        }
    }
}

// One line whatever the newlines; fixed-pitch styles 2, 4 and 5; unknown styles are style 0.
TEST_F(DrawingTest, TextSizesFollowTheFontStyle) {
    for (const std::uint32_t style : {0U, 1U, 2U, 3U, 4U, 5U}) {
        const auto [w, h] = TextBox("Meandor", style);
        EXPECT_GT(h, 0) << style;
        EXPECT_GT(TextBox("Meandor!", style).first, w) << style;
        EXPECT_EQ(TextBox("a\nb", style).second, h) << style;
        const bool fixed = style == 2 || style == 4 || style == 5;
        EXPECT_EQ(TextBox("iiii", style) == TextBox("MMMM", style), fixed) << style;
    }
    EXPECT_EQ(TextBox("Meandor", 7), TextBox("Meandor", 0));
    EXPECT_NE(TextBox("Meandor", 0), TextBox("Meandor", 4));
    EXPECT_EQ(TextBox("", 4).first, 0);
}

} // namespace
