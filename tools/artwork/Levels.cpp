#include "tools/artwork/Levels.hpp"

#include "game/Assets.hpp"
#include "tools/artwork/Backgrounds.hpp"
#include "tools/artwork/Belgium.hpp"
#include "tools/artwork/Canvas.hpp"
#include "tools/artwork/Sprites.hpp"

#include <array>
#include <string>

namespace Artwork {

namespace {

struct Theme {
    const char* province;
    const char* motto;
    Rgb frame; // panel frame, also the title plate's border
    Rgb frameDark;
    Rgb plate; // panel face: light, so black text reads on it
    Rgb plateLight;
    Rgb accent; // the province name on its title picture
};

const std::array<Theme, 5> Themes{{
    {"Limburg", "Find your way through the green hedges", Hex(0x388e3c), Hex(0x1b5e20),
     Hex(0xf1e6c0), Hex(0xfffbea), Hex(0x9ccc65)},
    {"Oost-Vlaanderen", "Mind the flames!", Hex(0xb3261e), Hex(0x5a0c06), Hex(0xffe0b2),
     Hex(0xfff6e8), Hex(0xffb300)},
    {"West-Vlaanderen", "Follow the sandbanks through the sea", Hex(0x1e6fc8), Hex(0x0b3c7a),
     Hex(0xcfe8f8), Hex(0xf0f8ff), Hex(0x4fc3f7)},
    {"Antwerpen", "A maze under the moon", Hex(0x4c5f94), Hex(0x1f2a4d), Hex(0xdde1ee),
     Hex(0xf7f8fc), Hex(0xfff59d)},
    {"Vlaams-Brabant", "The heart of the map: one last maze", Hex(0xc89b16), Hex(0x6b4e08),
     Hex(0xf5ecc5), Hex(0xfffdf2), Hex(0xffd54f)},
}};

// Fractal noise that wraps at the cell's edges, so neighbouring floor cells
// join without a seam and no cell shows a feature that the next one repeats.
double TileNoise(int x, int y, double scaleX, double scaleY, std::uint32_t seed) {
    const double u = x / 30.0;
    const double v = y / 30.0;
    auto at = [&](double dx, double dy) {
        return Fractal((x - dx) / scaleX, (y - dy) / scaleY, seed, 3);
    };
    return at(0, 0) * (1 - u) * (1 - v) + at(30, 0) * u * (1 - v) + at(0, 30) * (1 - u) * v +
           at(30, 30) * u * v;
}

// A quiet floor: two close colours, so paths read as one surface and sprites
// stand out on it.
struct Floor {
    Rgb base;
    Rgb grain;
    double scaleX;
    double scaleY;
};

constexpr std::array<Floor, 5> Floors{{
    {Hex(0xe8d5a6), Hex(0xd2b98a), 5, 5},    // garden sand
    {Hex(0xdcd4ca), Hex(0xc4bab0), 6, 6},    // cooled ash
    {Hex(0xdcc6a2), Hex(0xbfa57e), 14, 1.5}, // sandbank, rippled by the tide
    {Hex(0xe6e7f0), Hex(0xcacbd9), 4, 4},    // moon dust
    {Hex(0x4d4640), Hex(0x3d3732), 6, 6},    // the road on the map
}};

Canvas Tile(int level) {
    const Floor& f = Floors.at(static_cast<std::size_t>(level - 1));
    Canvas c(30, 30);
    c.Fill([&f, level](int x, int y) {
        const auto seed = static_cast<std::uint32_t>(11 * level);
        return Mix(f.base, f.grain, Contrast(TileNoise(x, y, f.scaleX, f.scaleY, seed), 1.6));
    });
    return c;
}

// A framed plate that stays a plate when squeezed to any of its three sizes.
// The window's edge cuts the two lower panels, so the plate has no lower
// border: its sides fade out below what the larger panels show.
Canvas Panel(const Theme& theme) {
    Canvas c(380, 110);
    cairo_t* cr = c.Cr();
    cairo_rectangle(cr, 0, 0, 380, 110);
    FillWith(cr, Linear(0, 0, 0, 60, theme.frame, theme.frameDark));
    RoundedRect(cr, 2, 2, 376, 200, 10);
    SetColour(cr, Mix(theme.frame, {1, 1, 1}, 0.35));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    RoundedRect(cr, 7, 7, 366, 200, 8);
    FillWith(cr, Linear(0, 7, 0, 50, theme.plateLight, theme.plate), true);
    SetColour(cr, theme.frameDark, 0.8);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    cairo_rectangle(cr, 0, 66, 380, 44);
    Pattern fade(cairo_pattern_create_linear(0, 66, 0, 104));
    cairo_pattern_add_color_stop_rgba(fade.get(), 0, theme.plate.r, theme.plate.g, theme.plate.b,
                                      0);
    cairo_pattern_add_color_stop_rgba(fade.get(), 1, theme.plate.r, theme.plate.g, theme.plate.b,
                                      1);
    cairo_set_source(cr, fade.get());
    cairo_fill(cr);
    return c;
}

Canvas Title(int level) {
    const Theme& theme = Themes.at(static_cast<std::size_t>(level - 1));
    Canvas c(1000, 700);
    DrawBackground(c, level);
    cairo_t* cr = c.Cr();
    cairo_rectangle(cr, 0, 0, 1000, 700);
    SetColour(cr, {0, 0, 0}, 0.3);
    cairo_fill(cr);
    RoundedRect(cr, 90, 70, 820, 420, 36);
    SetColour(cr, {0, 0, 0}, 0.35);
    cairo_fill(cr);
    RoundedRect(cr, 80, 60, 820, 420, 36);
    FillWith(cr, Linear(0, 60, 0, 480, theme.plateLight, theme.plate), true);
    SetColour(cr, theme.frame);
    cairo_set_line_width(cr, 10);
    cairo_stroke(cr);
    const std::string levelText = "LEVEL " + std::to_string(level) + " OF 5";
    CentredText(cr, levelText, 350, 130, {Face::SansBold, 30, theme.frameDark, {}, 0, 0});
    const double nameSize = FitSize(cr, theme.province, Face::SansBold, 96, 470);
    CentredText(cr, theme.province, 350, 250,
                {Face::SansBold, nameSize, theme.accent, Hex(0x1a1a1a), 5, 5});
    const double mottoSize = FitSize(cr, theme.motto, Face::Sans, 28, 500);
    CentredText(cr, theme.motto, 350, 330, {Face::Sans, mottoSize, Hex(0x333333), {}, 0, 0});
    DrawScaled(cr, 120, 345, 120, [](cairo_t* g) { DrawZorp(g); });
    DrawScaled(cr, 280, 380, 80, DrawFries);
    DrawScaled(cr, 440, 360, 100, DrawStrik);
    RoundedRect(cr, 615, 95, 265, 235, 20);
    SetColour(cr, Hex(0xa9d3f0));
    cairo_fill(cr);
    DrawBelgium(cr, 625, 105, 245, 215, level);
    DrawScaled(cr, 690, 345, 110, level % 2 == 1 ? DrawFlag : DrawBurger);
    Pill(cr, level == 1 ? "Press Enter to start" : "Press Enter to continue", 500, 590,
         theme.frame);
    return c;
}

} // namespace

void WriteLevels(const std::filesystem::path& root) {
    for (int level = 1; level <= 5; ++level) {
        const Theme& theme = Themes.at(static_cast<std::size_t>(level - 1));
        const Meandor::LevelBestanden& files =
            Meandor::LevelBestand(static_cast<std::uint32_t>(level));
        WriteBmp(Tile(level), root / files.tegel);
        WriteBmp(Panel(theme), root / files.rechthoek);
        Canvas background(1000, 800);
        DrawBackground(background, level);
        WriteBmp(background, root / files.achtergrond);
        WriteBmp(Title(level), root / files.provincie);
    }
}

} // namespace Artwork
