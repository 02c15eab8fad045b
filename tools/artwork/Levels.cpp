#include "tools/artwork/Levels.hpp"

#include "tools/artwork/Canvas.hpp"
#include "tools/artwork/Sprites.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace artwork {

namespace {

struct Theme {
    const char* province;
    const char* background;
    const char* title;
    const char* motto;
    Rgb frame; // panel frame, also the title plate's border
    Rgb frameDark;
    Rgb plate; // panel face: light, so black text reads on it
    Rgb plateLight;
    Rgb accent; // the province name on its title picture
};

const std::array<Theme, 5> kThemes{{
    {"Limburg", "gras.bmp", "Limburg.bmp", "Find your way through the green hedges", Hex(0x388e3c),
     Hex(0x1b5e20), Hex(0xf1e6c0), Hex(0xfffbea), Hex(0x9ccc65)},
    {"Oost-Vlaanderen", "fire.bmp", "OostVlaanderen.bmp", "Mind the flames!", Hex(0xb3261e),
     Hex(0x5a0c06), Hex(0xffe0b2), Hex(0xfff6e8), Hex(0xffb300)},
    {"West-Vlaanderen", "water.bmp", "WestVlaanderen.bmp", "Follow the sandbanks through the sea",
     Hex(0x1e6fc8), Hex(0x0b3c7a), Hex(0xcfe8f8), Hex(0xf0f8ff), Hex(0x4fc3f7)},
    {"Antwerpen", "maan.bmp", "Antwerpen.bmp", "A maze under the moon", Hex(0x4c5f94),
     Hex(0x1f2a4d), Hex(0xdde1ee), Hex(0xf7f8fc), Hex(0xfff59d)},
    {"Vlaams-Brabant", "belgie.bmp", "VlaamsBrabant.bmp", "The heart of the map: one last maze",
     Hex(0xc89b16), Hex(0x6b4e08), Hex(0xf5ecc5), Hex(0xfffdf2), Hex(0xffd54f)},
}};

struct Stop {
    double at;
    Rgb colour;
};

Rgb Ramp(std::span<const Stop> stops, double t) {
    if (t <= stops.front().at) {
        return stops.front().colour;
    }
    for (std::size_t i = 1; i < stops.size(); ++i) {
        if (t <= stops[i].at) {
            const double f = (t - stops[i - 1].at) / (stops[i].at - stops[i - 1].at);
            return Mix(stops[i - 1].colour, stops[i].colour, f);
        }
    }
    return stops.back().colour;
}

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

constexpr std::array<Floor, 5> kFloors{{
    {Hex(0xe8d5a6), Hex(0xd2b98a), 5, 5},    // garden sand
    {Hex(0xdcd4ca), Hex(0xc4bab0), 6, 6},    // cooled ash
    {Hex(0xdcc6a2), Hex(0xbfa57e), 14, 1.5}, // sandbank, rippled by the tide
    {Hex(0xe6e7f0), Hex(0xcacbd9), 4, 4},    // moon dust
    {Hex(0x4d4640), Hex(0x3d3732), 6, 6},    // the road on the map
}};

Canvas Tile(int level) {
    const Floor& f = kFloors.at(static_cast<std::size_t>(level - 1));
    Canvas c(30, 30);
    c.Fill([&f, level](int x, int y) {
        const auto seed = static_cast<std::uint32_t>(11 * level);
        return Mix(f.base, f.grain, Contrast(TileNoise(x, y, f.scaleX, f.scaleY, seed), 1.6));
    });
    return c;
}

void GrassBlades(cairo_t* cr, int width, int height, std::uint32_t seed) {
    Random random(seed);
    const int count = width * height / 80;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < count; ++i) {
        const double x = random.Uniform(-5, width + 5);
        const double y = random.Uniform(-5, height + 10);
        const double length = random.Uniform(5, 13);
        const double lean = random.Uniform(-4, 4);
        SetColour(cr, Mix(Hex(0x2e7d32), Hex(0xa5d86b), random.Uniform(0, 1)), 0.85);
        cairo_set_line_width(cr, random.Uniform(0.8, 1.6));
        cairo_move_to(cr, x, y);
        cairo_curve_to(cr, x, y - length / 2, x + lean / 2, y - length * 0.8, x + lean, y - length);
        cairo_stroke(cr);
    }
    for (int i = 0; i < count / 70; ++i) {
        const double x = random.Uniform(0, width);
        const double y = random.Uniform(0, height);
        const Rgb petal = std::array<Rgb, 4>{Hex(0xffffff), Hex(0xfff176), Hex(0xf48fb1),
                                             Hex(0xce93d8)}[random.Next() % 4];
        for (int p = 0; p < 5; ++p) {
            const double a = p * 2 * kPi / 5;
            cairo_arc(cr, x + 1.8 * std::cos(a), y + 1.8 * std::sin(a), 1.4, 0, 2 * kPi);
            SetColour(cr, petal);
            cairo_fill(cr);
        }
        cairo_arc(cr, x, y, 1.1, 0, 2 * kPi);
        SetColour(cr, Hex(0xffa000));
        cairo_fill(cr);
    }
}

void Grass(Canvas& c) {
    c.Fill([](int x, int y) {
        const double n = Fractal(x / 45.0, y / 45.0, 101, 4);
        return Mix(Hex(0x1f5a1c), Hex(0x4c9a35), Contrast(n, 1.6));
    });
    GrassBlades(c.Cr(), c.Width(), c.Height(), 102);
}

// Embers to deep orange only: the brightest flame stays well darker than the
// pale ash floor, and no white-hot spark competes with the sprites.
void Fire(Canvas& c) {
    constexpr std::array<Stop, 5> palette{{{0.0, Hex(0x3a0602)},
                                           {0.35, Hex(0x7a1206)},
                                           {0.6, Hex(0xaa2a0c)},
                                           {0.82, Hex(0xcc4a12)},
                                           {1.0, Hex(0xe0601a)}}};
    c.Fill([&palette](int x, int y) {
        const double warp = Fractal(x / 110.0, y / 110.0, 201, 3) * 2.5;
        const double tongues = Fractal(x / 40.0 + warp, y / 110.0, 202, 4);
        const double body = Fractal(x / 160.0, y / 90.0, 203, 3);
        return Ramp(palette, Contrast(0.5 * tongues + 0.5 * body, 1.8));
    });
}

// Deep water, so the pale boards stand on it by brightness and not by hue alone.
void Water(Canvas& c) {
    c.Fill([](int x, int y) {
        const double depth = Fractal(x / 110.0, y / 110.0, 301, 4);
        const double warp = Fractal(x / 60.0, y / 60.0, 302, 3) * 14;
        const double ripple = std::sin((y + warp) * 0.32 + std::sin(x * 0.021) * 2.2);
        Rgb base = Mix(Hex(0x082a5c), Hex(0x12508f), Contrast(depth, 1.6));
        if (ripple > 0.6) {
            base = Mix(base, Hex(0x3a86c4), (ripple - 0.6) * 1.2);
        }
        return base;
    });
    cairo_t* cr = c.Cr();
    Random random(303);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < c.Width() * c.Height() / 1300; ++i) {
        const double x = random.Uniform(0, c.Width());
        const double y = random.Uniform(0, c.Height());
        const double w = random.Uniform(6, 14);
        cairo_move_to(cr, x - w, y);
        cairo_curve_to(cr, x - w / 2, y - 3, x, y - 3, x, y);
        cairo_curve_to(cr, x, y - 3, x + w / 2, y - 3, x + w, y);
        SetColour(cr, Hex(0xbfe3ff), random.Uniform(0.12, 0.28));
        cairo_set_line_width(cr, random.Uniform(0.8, 1.4));
        cairo_stroke(cr);
    }
}

void Moon(cairo_t* cr, double cx, double cy, double r) {
    cairo_arc(cr, cx, cy, r * 1.5, 0, 2 * kPi);
    FillWith(cr, Radial(cx, cy, r * 0.9, r * 1.5, Hex(0x5a6088), Hex(0x1a1f4a), 0.0));
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    FillWith(cr,
             Radial(cx - r * 0.3, cy - r * 0.3, r * 0.1, r * 1.1, Hex(0xa7acc0), Hex(0x747a92)));
    cairo_save(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    cairo_clip(cr);
    for (const auto& [dx, dy, cr0] : std::array<std::array<double, 3>, 7>{{{-0.35, -0.2, 0.22},
                                                                           {0.25, 0.3, 0.28},
                                                                           {0.4, -0.4, 0.12},
                                                                           {-0.2, 0.5, 0.14},
                                                                           {0.05, -0.55, 0.09},
                                                                           {-0.6, 0.25, 0.1},
                                                                           {0.62, 0.05, 0.08}}}) {
        const double x = cx + dx * r;
        const double y = cy + dy * r;
        const double rr = cr0 * r;
        cairo_arc(cr, x, y, rr, 0, 2 * kPi);
        FillWith(cr, Linear(x - rr, y - rr, x + rr, y + rr, Hex(0x60667e), Hex(0x9a9fb4)));
    }
    cairo_restore(cr);
}

// Small, dim points: stars, not pickups.
void Stars(cairo_t* cr, int width, int height, std::uint32_t seed) {
    Random random(seed);
    for (int i = 0; i < width * height / 900; ++i) {
        const double x = random.Uniform(0, width);
        const double y = random.Uniform(0, height);
        cairo_arc(cr, x, y, random.Uniform(0.4, 1.0), 0, 2 * kPi);
        SetColour(cr, Mix(Hex(0xbfd4ff), Hex(0xfff4d6), random.Uniform(0, 1)),
                  random.Uniform(0.3, 0.7));
        cairo_fill(cr);
    }
}

void NightSky(Canvas& c) {
    const double h = c.Height();
    c.Fill([h](int x, int y) {
        const double haze = Fractal(x / 160.0, y / 120.0, 401, 4);
        const Rgb sky = Mix(Hex(0x070b24), Hex(0x1b2157), y / h);
        return Mix(sky, Hex(0x5a3d8a), std::max(0.0, haze - 0.55) * 1.2);
    });
    Stars(c.Cr(), c.Width(), c.Height(), 402);
    Moon(c.Cr(), c.Width() * 0.8, c.Height() * 0.24, c.Height() * 0.16);
}

// Belgium, its neighbours and its provinces in degrees of longitude and latitude.
using Outline = std::vector<std::pair<double, double>>;

const Outline& Country() {
    static const Outline outline{
        {2.55, 51.09}, {2.92, 51.23}, {3.37, 51.37}, {3.9, 51.21},  {4.25, 51.37}, {4.6, 51.43},
        {4.77, 51.5},  {5.04, 51.48}, {5.24, 51.27}, {5.5, 51.29},  {5.85, 51.16}, {5.64, 51.0},
        {5.76, 50.95}, {5.7, 50.76},  {6.02, 50.75}, {6.27, 50.63}, {6.4, 50.33},  {6.13, 50.13},
        {5.97, 50.17}, {5.75, 49.8},  {5.9, 49.5},   {5.47, 49.5},  {5.0, 49.79},  {4.87, 49.8},
        {4.87, 50.15}, {4.68, 49.99}, {4.16, 49.98}, {4.14, 50.27}, {3.71, 50.35}, {3.61, 50.49},
        {3.28, 50.53}, {3.16, 50.78}, {2.86, 50.72}, {2.6, 50.85}};
    return outline;
}

// The five Flemish provinces in level order.
const std::array<Outline, 5>& Provinces() {
    static const std::array<Outline, 5> provinces{{
        {{5.24, 51.27},
         {5.5, 51.29},
         {5.85, 51.16},
         {5.64, 51.0},
         {5.76, 50.95},
         {5.7, 50.76},
         {5.3, 50.72},
         {5.05, 50.77},
         {5.1, 50.95},
         {5.2, 51.05}},
        {{3.45, 51.24},
         {3.9, 51.21},
         {4.25, 51.3},
         {4.3, 51.1},
         {4.15, 50.95},
         {4.1, 50.7},
         {3.75, 50.72},
         {3.45, 50.77},
         {3.55, 51.0}},
        {{2.55, 51.09},
         {2.92, 51.23},
         {3.37, 51.37},
         {3.45, 51.24},
         {3.55, 51.0},
         {3.45, 50.77},
         {3.2, 50.71},
         {3.16, 50.78},
         {2.86, 50.72},
         {2.6, 50.85}},
        {{4.25, 51.3},
         {4.25, 51.37},
         {4.6, 51.43},
         {4.77, 51.5},
         {5.04, 51.48},
         {5.24, 51.27},
         {5.2, 51.05},
         {4.8, 51.0},
         {4.5, 51.02},
         {4.3, 51.1}},
        {{4.3, 51.1},
         {4.5, 51.02},
         {4.8, 51.0},
         {5.2, 51.05},
         {5.1, 50.95},
         {5.05, 50.77},
         {4.6, 50.7},
         {4.1, 50.7},
         {4.15, 50.95}},
    }};
    return provinces;
}

const std::array<Rgb, 5> kProvinceColours{Hex(0xa5d6a7), Hex(0xffcc80), Hex(0x90caf9),
                                          Hex(0xce93d8), Hex(0xfff59d)};

struct Projection {
    double x0, y0, scale;
    static constexpr double kWest = 2.45;
    static constexpr double kNorth = 51.58;
    static constexpr double kEast = 6.48;
    static constexpr double kSouth = 49.42;
    static constexpr double kShrink = 0.636; // cos 50.5 degrees

    Projection(double x, double y, double w, double h) {
        const double spanX = (kEast - kWest) * kShrink;
        const double spanY = kNorth - kSouth;
        scale = std::min(w / spanX, h / spanY);
        x0 = x + (w - spanX * scale) / 2;
        y0 = y + (h - spanY * scale) / 2;
    }
    std::pair<double, double> operator()(double lon, double lat) const {
        return {x0 + (lon - kWest) * kShrink * scale, y0 + (kNorth - lat) * scale};
    }
};

void Trace(cairo_t* cr, const Projection& at, const Outline& outline) {
    cairo_new_path(cr);
    for (const auto& [lon, lat] : outline) {
        const auto [x, y] = at(lon, lat);
        cairo_line_to(cr, x, y);
    }
    cairo_close_path(cr);
}

void Brussels(cairo_t* cr, const Projection& at, Rgb colour) {
    const auto [x, y] = at(4.37, 50.84);
    cairo_new_path(cr);
    cairo_arc(cr, x, y, at.scale * 0.075, 0, 2 * kPi);
    SetColour(cr, colour);
    cairo_fill_preserve(cr);
    SetColour(cr, Hex(0x6d4c41), 0.8);
    cairo_set_line_width(cr, std::max(0.8, at.scale * 0.006));
    cairo_stroke(cr);
}

void River(cairo_t* cr, const Projection& at, const Outline& course, double width) {
    cairo_new_path(cr);
    for (const auto& [lon, lat] : course) {
        const auto [x, y] = at(lon, lat);
        cairo_line_to(cr, x, y);
    }
    SetColour(cr, Hex(0x4a90d9));
    cairo_set_line_width(cr, width);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

void Rivers(cairo_t* cr, const Projection& at) {
    const double w = std::max(1.0, at.scale * 0.012);
    River(cr, at,
          {{3.3, 50.3},
           {3.39, 50.6},
           {3.6, 50.85},
           {3.72, 51.05},
           {4.1, 51.03},
           {4.4, 51.22},
           {4.3, 51.37},
           {4.0, 51.4},
           {3.6, 51.43}},
          w);
    River(cr, at,
          {{4.82, 49.9},
           {4.82, 50.14},
           {4.91, 50.26},
           {4.87, 50.47},
           {5.2, 50.53},
           {5.57, 50.63},
           {5.69, 50.85},
           {5.8, 51.1},
           {5.9, 51.4}},
          w);
    River(cr, at, {{2.9, 50.7}, {3.26, 50.83}, {3.5, 50.93}, {3.72, 51.05}}, w * 0.7);
    River(cr, at, {{4.0, 50.2}, {4.44, 50.41}, {4.87, 50.47}}, w * 0.7);
}

// Draws the country with its Flemish provinces; every province lit, or one.
// The pastel map keeps its borders thin: they run under the maze.
void Belgium(cairo_t* cr, const Projection& at, int lit, bool pastel) {
    Trace(cr, at, Country());
    SetColour(cr, pastel ? Hex(0xe8dcc0) : Hex(0xcfc6b0));
    cairo_fill(cr);
    const double border = pastel ? 1.2 : std::max(0.8, at.scale * 0.006);
    for (std::size_t i = 0; i < Provinces().size(); ++i) {
        const bool on = lit == 6 || lit == static_cast<int>(i) + 1;
        Rgb colour = pastel ? kProvinceColours.at(i) : Hex(0xe0d8c4);
        if (!pastel && on) {
            colour = Hex(0xffc928);
        }
        Trace(cr, at, Provinces().at(i));
        SetColour(cr, colour);
        cairo_fill_preserve(cr);
        SetColour(cr, Hex(0x8d6e63), 0.9);
        cairo_set_line_width(cr, border);
        cairo_stroke(cr);
    }
    Trace(cr, at, Country());
    SetColour(cr, Hex(0x5d2e1a), pastel ? 0.7 : 1.0);
    cairo_set_line_width(cr, pastel ? 2.0 : std::max(1.5, at.scale * 0.014));
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

// Soft colour areas only: names, towns and rivers under a maze would be cut
// into fragments and read as pickups.
void Map(Canvas& c) {
    c.Fill([](int x, int y) {
        const double n = Fractal(x / 70.0, y / 70.0, 501, 4);
        return Mix(Hex(0xece5d2), Hex(0xe0d6bd), Contrast(n, 1.5));
    });
    cairo_t* cr = c.Cr();
    const Projection at(10, 10, c.Width() - 20, c.Height() - 20);
    Trace(cr, at,
          {{1.0, 50.9},
           {2.55, 51.09},
           {2.92, 51.23},
           {3.37, 51.37},
           {3.6, 51.45},
           {3.5, 53},
           {1.0, 53}});
    SetColour(cr, Hex(0xa9d0ea));
    cairo_fill(cr);
    Belgium(cr, at, 6, true);
}

void Background(Canvas& c, int level) {
    switch (level) {
    case 1:
        Grass(c);
        break;
    case 2:
        Fire(c);
        break;
    case 3:
        Water(c);
        break;
    case 4:
        NightSky(c);
        break;
    default:
        Map(c);
        break;
    }
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
    const Theme& theme = kThemes.at(static_cast<std::size_t>(level - 1));
    Canvas c(1000, 700);
    Background(c, level);
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

void DrawBelgium(cairo_t* cr, double x, double y, double w, double h, int lit) {
    const Projection at(x, y, w, h);
    Belgium(cr, at, lit, false);
    Rivers(cr, at);
    Brussels(cr, at, Hex(0xe0d8c4));
}

void WriteLevels(const std::filesystem::path& pictures) {
    for (int level = 1; level <= 5; ++level) {
        const Theme& theme = kThemes.at(static_cast<std::size_t>(level - 1));
        const std::string n = std::to_string(level);
        WriteBmp(Tile(level), pictures / ("tegel" + n + ".bmp"));
        WriteBmp(Panel(theme), pictures / ("rechthoek" + n + ".bmp"));
        Canvas background(1000, 800);
        Background(background, level);
        WriteBmp(background, pictures / theme.background);
        WriteBmp(Title(level), pictures / theme.title);
    }
}

} // namespace artwork
