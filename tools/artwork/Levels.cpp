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
    {"West-Vlaanderen", "water.bmp", "WestVlaanderen.bmp", "Walk the planks above the waves",
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

// Light top-left and dark bottom-right edges, so a tile reads as a raised slab.
void Bevel(cairo_t* cr, double size, double width, double lightAlpha, double darkAlpha) {
    cairo_new_path(cr);
    cairo_move_to(cr, 0, size);
    cairo_line_to(cr, 0, 0);
    cairo_line_to(cr, size, 0);
    cairo_line_to(cr, size - width, width);
    cairo_line_to(cr, width, width);
    cairo_line_to(cr, width, size - width);
    cairo_close_path(cr);
    SetColour(cr, {1, 1, 1}, lightAlpha);
    cairo_fill(cr);
    cairo_move_to(cr, size, 0);
    cairo_line_to(cr, size, size);
    cairo_line_to(cr, 0, size);
    cairo_line_to(cr, width, size - width);
    cairo_line_to(cr, size - width, size - width);
    cairo_line_to(cr, size - width, width);
    cairo_close_path(cr);
    SetColour(cr, {0, 0, 0}, darkAlpha);
    cairo_fill(cr);
}

void Speckle(Canvas& c, std::uint32_t seed, Rgb base, Rgb other, double scale) {
    c.Fill([&](int x, int y) {
        const double n = Fractal(x / scale, y / scale, seed, 3);
        const double grain = Noise(x * 0.9, y * 0.9, seed + 7) * 0.12 - 0.06;
        Rgb p = Mix(base, other, Contrast(n, 1.8));
        return Rgb{p.r + grain, p.g + grain, p.b + grain};
    });
}

void Pebble(cairo_t* cr, double x, double y, double rx, double ry, Rgb colour) {
    Ellipse(cr, x, y, rx, ry);
    FillWith(cr, Radial(x - rx / 3, y - ry / 3, 0.2, std::max(rx, ry), Mix(colour, {1, 1, 1}, 0.4),
                        Mix(colour, {0, 0, 0}, 0.3)));
}

Canvas Tile(int level) {
    Canvas c(30, 30);
    cairo_t* cr = c.Cr();
    switch (level) {
    case 1: // sandy garden slab
        Speckle(c, 11, Hex(0xe8d19e), Hex(0xd4b77a), 6);
        Pebble(cr, 8, 21, 1.6, 1.2, Hex(0x9e9a90));
        Pebble(cr, 21, 9, 1.2, 1.0, Hex(0xb0a690));
        Pebble(cr, 19, 23, 0.9, 0.8, Hex(0x8d8a80));
        Bevel(cr, 30, 2, 0.35, 0.25);
        break;
    case 2: { // dark basalt with glowing cracks
        Speckle(c, 22, Hex(0x4a4240), Hex(0x2e2827), 7);
        cairo_new_path(cr);
        cairo_move_to(cr, 3, 9);
        cairo_line_to(cr, 11, 13);
        cairo_line_to(cr, 14, 22);
        cairo_line_to(cr, 24, 26);
        cairo_move_to(cr, 11, 13);
        cairo_line_to(cr, 22, 7);
        cairo_line_to(cr, 27, 10);
        cairo_set_line_width(cr, 2.2);
        SetColour(cr, Hex(0xff6d00), 0.35);
        cairo_stroke_preserve(cr);
        cairo_set_line_width(cr, 0.9);
        SetColour(cr, Hex(0xffb74d), 0.9);
        cairo_stroke(cr);
        Bevel(cr, 30, 2, 0.18, 0.45);
        break;
    }
    case 3: { // boardwalk planks
        Random random(33);
        for (int plank = 0; plank < 3; ++plank) {
            const double y = plank * 10.0;
            const Rgb wood = Mix(Hex(0xb07a45), Hex(0xc8955a), random.Uniform(0, 1));
            cairo_rectangle(cr, 0, y, 30, 10);
            FillWith(cr, Linear(0, y, 0, y + 10, Mix(wood, {1, 1, 1}, 0.15),
                                Mix(wood, {0, 0, 0}, 0.15)));
            SetColour(cr, Hex(0x6d4424), 0.55);
            cairo_set_line_width(cr, 0.6);
            for (int grain = 0; grain < 3; ++grain) {
                const double gy = y + 2.5 + grain * 2.6 + random.Uniform(-0.6, 0.6);
                cairo_move_to(cr, 0, gy);
                cairo_curve_to(cr, 10, gy + random.Uniform(-1, 1), 20, gy + random.Uniform(-1, 1),
                               30, gy);
                cairo_stroke(cr);
            }
            cairo_rectangle(cr, 0, y + 9, 30, 1); // the gap between planks
            SetColour(cr, Hex(0x3e2312));
            cairo_fill(cr);
            for (const double nx : {3.0, 27.0}) {
                cairo_arc(cr, nx, y + 5, 0.8, 0, 2 * kPi);
                SetColour(cr, Hex(0x4e4a48));
                cairo_fill(cr);
            }
        }
        break;
    }
    case 4: // pale moon rock
        Speckle(c, 44, Hex(0xdcdce6), Hex(0xb9bac8), 5);
        for (const auto& [x, y, r] :
             std::array<std::array<double, 3>, 3>{{{10, 11, 3.5}, {21, 20, 2.4}, {22, 7, 1.4}}}) {
            cairo_arc(cr, x, y, r, 0, 2 * kPi);
            FillWith(cr, Linear(x - r, y - r, x + r, y + r, Hex(0x9a9bab), Hex(0xe9e9f2)));
            cairo_arc(cr, x, y, r, 0, 2 * kPi);
            SetColour(cr, Hex(0x8a8b9b), 0.6);
            cairo_set_line_width(cr, 0.6);
            cairo_stroke(cr);
        }
        Bevel(cr, 30, 1.5, 0.4, 0.22);
        break;
    default: { // cobblestones
        cairo_rectangle(cr, 0, 0, 30, 30);
        SetColour(cr, Hex(0x3b3632));
        cairo_fill(cr);
        Random random(55);
        for (int row = 0; row < 3; ++row) {
            const double shift = row % 2 == 0 ? 0 : -5;
            for (int col = 0; col < 4; ++col) {
                const double x = shift + col * 10;
                const double y = row * 10;
                const Rgb stone = Mix(Hex(0x8a8178), Hex(0xa39a8c), random.Uniform(0, 1));
                RoundedRect(cr, x + 0.8, y + 0.8, 8.4, 8.4, 2.6);
                FillWith(cr, Radial(x + 3.5, y + 3.5, 0.5, 8, Mix(stone, {1, 1, 1}, 0.2),
                                    Mix(stone, {0, 0, 0}, 0.2)));
            }
        }
        break;
    }
    }
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

void Fire(Canvas& c) {
    constexpr std::array<Stop, 6> palette{{{0.0, Hex(0x2a0200)},
                                           {0.3, Hex(0x8b0a00)},
                                           {0.5, Hex(0xd8380a)},
                                           {0.66, Hex(0xff8a00)},
                                           {0.82, Hex(0xffd23f)},
                                           {1.0, Hex(0xfff6d0)}}};
    c.Fill([&palette](int x, int y) {
        const double warp = Fractal(x / 90.0, y / 90.0, 201, 3) * 3;
        const double tongues = Fractal(x / 28.0 + warp, y / 70.0, 202, 4);
        const double body = Fractal(x / 120.0, y / 60.0, 203, 3);
        return Ramp(palette, Contrast(0.55 * tongues + 0.45 * body, 2.4));
    });
    cairo_t* cr = c.Cr();
    Random random(204);
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    for (int i = 0; i < c.Width() * c.Height() / 2500; ++i) {
        const double x = random.Uniform(0, c.Width());
        const double y = random.Uniform(0, c.Height());
        const double h = random.Uniform(18, 45);
        const double w = h * random.Uniform(0.28, 0.42);
        cairo_new_path(cr);
        cairo_move_to(cr, x, y - h);
        cairo_curve_to(cr, x + w * 0.3, y - h * 0.55, x + w, y - h * 0.3, x + w * 0.8,
                       y - h * 0.05);
        cairo_curve_to(cr, x + w * 0.5, y + h * 0.15, x - w * 0.5, y + h * 0.15, x - w * 0.8,
                       y - h * 0.05);
        cairo_curve_to(cr, x - w, y - h * 0.3, x - w * 0.3, y - h * 0.55, x, y - h);
        FillWith(cr, Radial(x, y - h * 0.15, 1, h * 0.8, Hex(0x8a5a10), Hex(0x000000), 0.0));
    }
    for (int i = 0; i < c.Width() * c.Height() / 900; ++i) {
        cairo_arc(cr, random.Uniform(0, c.Width()), random.Uniform(0, c.Height()),
                  random.Uniform(0.6, 1.6), 0, 2 * kPi);
        SetColour(cr, Hex(0xffc870), random.Uniform(0.4, 0.9));
        cairo_fill(cr);
    }
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
}

void Water(Canvas& c) {
    c.Fill([](int x, int y) {
        const double depth = Fractal(x / 110.0, y / 110.0, 301, 4);
        const double warp = Fractal(x / 60.0, y / 60.0, 302, 3) * 14;
        const double ripple = std::sin((y + warp) * 0.32 + std::sin(x * 0.021) * 2.2);
        Rgb base = Mix(Hex(0x0b3d8c), Hex(0x1c7ed6), Contrast(depth, 1.6));
        if (ripple > 0.55) {
            base = Mix(base, Hex(0x7fd1f7), (ripple - 0.55) * 1.1);
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
        SetColour(cr, {1, 1, 1}, random.Uniform(0.35, 0.75));
        cairo_set_line_width(cr, random.Uniform(1, 1.8));
        cairo_stroke(cr);
    }
}

void Moon(cairo_t* cr, double cx, double cy, double r) {
    cairo_arc(cr, cx, cy, r * 1.6, 0, 2 * kPi);
    FillWith(cr, Radial(cx, cy, r * 0.9, r * 1.6, Hex(0xfff8d0), Hex(0x1a1f4a), 0.0));
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    FillWith(cr,
             Radial(cx - r * 0.3, cy - r * 0.3, r * 0.1, r * 1.1, Hex(0xfffdf0), Hex(0xd8cfa8)));
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
        FillWith(cr, Linear(x - rr, y - rr, x + rr, y + rr, Hex(0xb8ad88), Hex(0xeee6c6)));
    }
    cairo_restore(cr);
}

void Stars(cairo_t* cr, int width, int height, std::uint32_t seed) {
    Random random(seed);
    for (int i = 0; i < width * height / 450; ++i) {
        const double x = random.Uniform(0, width);
        const double y = random.Uniform(0, height);
        const double size = random.Uniform(0.4, 1.4);
        cairo_arc(cr, x, y, size, 0, 2 * kPi);
        SetColour(cr, Mix(Hex(0xbfd4ff), Hex(0xfff4d6), random.Uniform(0, 1)),
                  random.Uniform(0.5, 1));
        cairo_fill(cr);
        if (random.Next() % 25 == 0) {
            cairo_set_line_width(cr, 0.8);
            cairo_move_to(cr, x - 5, y);
            cairo_line_to(cr, x + 5, y);
            cairo_move_to(cr, x, y - 5);
            cairo_line_to(cr, x, y + 5);
            SetColour(cr, {1, 1, 1}, 0.7);
            cairo_stroke(cr);
        }
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
void Belgium(cairo_t* cr, const Projection& at, int lit, bool pastel) {
    Trace(cr, at, Country());
    SetColour(cr, pastel ? Hex(0xe8dcc0) : Hex(0xcfc6b0));
    cairo_fill(cr);
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
        cairo_set_line_width(cr, std::max(0.8, at.scale * 0.006));
        cairo_stroke(cr);
    }
    Brussels(cr, at, pastel ? Hex(0xffab91) : Hex(0xe0d8c4));
    Rivers(cr, at);
    Trace(cr, at, Country());
    SetColour(cr, Hex(0x5d2e1a));
    cairo_set_line_width(cr, std::max(1.5, at.scale * 0.014));
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

void Label(cairo_t* cr, const Projection& at, const char* text, double lon, double lat, double size,
           Face face, Rgb colour) {
    const auto [x, y] = at(lon, lat);
    CentredText(cr, text, x, y, {face, size, colour, {1, 1, 1}, 2.0, 0});
}

void City(cairo_t* cr, const Projection& at, const char* name, double lon, double lat) {
    const auto [x, y] = at(lon, lat);
    cairo_arc(cr, x, y, 4, 0, 2 * kPi);
    SetColour(cr, {1, 1, 1});
    cairo_fill_preserve(cr);
    SetColour(cr, Hex(0x3e2723));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    LeftText(cr, name, x + 7, y - 5, {Face::Sans, 14, Hex(0x3e2723), {1, 1, 1}, 1.8, 0});
}

void Compass(cairo_t* cr, double x, double y, double r) {
    for (int i = 0; i < 8; ++i) {
        const double a = i * kPi / 4 - kPi / 2;
        const double len = i % 2 == 0 ? r : r * 0.55;
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x + len * std::cos(a - 0.22) * 0.3, y + len * std::sin(a - 0.22) * 0.3);
        cairo_line_to(cr, x + len * std::cos(a), y + len * std::sin(a));
        cairo_close_path(cr);
        SetColour(cr, i == 0 ? Hex(0xc62828) : Hex(0x5d4037));
        cairo_fill(cr);
    }
    CentredText(cr, "N", x, y - r - 6, {Face::SerifBold, 18, Hex(0x5d4037), {1, 1, 1}, 2, 0});
}

void Map(Canvas& c) {
    c.Fill([](int x, int y) {
        const double n = Fractal(x / 70.0, y / 70.0, 501, 4);
        return Mix(Hex(0xe9e1cc), Hex(0xd6cbb0), Contrast(n, 1.5));
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
    SetColour(cr, Hex(0x9cc9e8));
    cairo_fill(cr);
    SetColour(cr, Hex(0x6fa8d6));
    cairo_set_line_width(cr, 1.2);
    Random random(502);
    for (int i = 0; i < 60; ++i) {
        const double x = random.Uniform(0, 260);
        const double y = random.Uniform(0, 200);
        if (y > 150 - x * 0.45) {
            continue;
        }
        cairo_move_to(cr, x, y);
        cairo_curve_to(cr, x + 4, y - 3, x + 8, y - 3, x + 12, y);
        cairo_stroke(cr);
    }
    cairo_set_dash(cr, std::array<double, 2>{6, 6}.data(), 2, 0);
    SetColour(cr, Hex(0x8a7f6a), 0.5);
    cairo_set_line_width(cr, 1);
    for (double lon = 2.5; lon < 6.5; lon += 0.5) {
        const auto [x, y] = at(lon, 51.6);
        cairo_move_to(cr, x, 0);
        cairo_line_to(cr, x, c.Height());
    }
    for (double lat = 49.5; lat < 51.6; lat += 0.5) {
        const auto [x, y] = at(2.5, lat);
        cairo_move_to(cr, 0, y);
        cairo_line_to(cr, c.Width(), y);
    }
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
    Belgium(cr, at, 6, true);
    const double size = at.scale * 0.06;
    Label(cr, at, "West-Vlaanderen", 3.05, 50.98, size, Face::SerifBold, Hex(0x0d47a1));
    Label(cr, at, "Oost-Vlaanderen", 3.85, 50.94, size, Face::SerifBold, Hex(0xbf360c));
    Label(cr, at, "Antwerpen", 4.75, 51.27, size, Face::SerifBold, Hex(0x6a1b9a));
    Label(cr, at, "Limburg", 5.45, 51.08, size, Face::SerifBold, Hex(0x1b5e20));
    Label(cr, at, "Vlaams-Brabant", 4.65, 50.78, size * 0.9, Face::SerifBold, Hex(0x8d6e00));
    Label(cr, at, "Wallonie", 5.0, 50.2, size * 1.2, Face::SerifBold, Hex(0x6d4c41));
    Label(cr, at, "Noordzee", 2.75, 51.42, size * 1.1, Face::SerifBold, Hex(0x1565c0));
    Label(cr, at, "Nederland", 5.3, 51.5, size, Face::Serif, Hex(0x5d4037));
    Label(cr, at, "Frankrijk", 3.3, 49.85, size, Face::Serif, Hex(0x5d4037));
    Label(cr, at, "Duitsland", 6.35, 50.9, size * 0.8, Face::Serif, Hex(0x5d4037));
    Label(cr, at, "Luxemburg", 6.2, 49.6, size * 0.8, Face::Serif, Hex(0x5d4037));
    City(cr, at, "Brussel", 4.35, 50.85);
    City(cr, at, "Antwerpen", 4.40, 51.22);
    City(cr, at, "Gent", 3.72, 51.05);
    City(cr, at, "Brugge", 3.22, 51.21);
    City(cr, at, "Leuven", 4.70, 50.88);
    City(cr, at, "Hasselt", 5.34, 50.93);
    City(cr, at, "Oostende", 2.92, 51.2);
    City(cr, at, "Kortrijk", 3.26, 50.83);
    City(cr, at, "Mechelen", 4.48, 51.03);
    City(cr, at, "Namen", 4.87, 50.47);
    City(cr, at, "Luik", 5.57, 50.63);
    City(cr, at, "Charleroi", 4.44, 50.41);
    City(cr, at, "Aarlen", 5.81, 49.68);
    Compass(cr, c.Width() - 36, 330, 26);
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
Canvas Panel(const Theme& theme) {
    Canvas c(380, 110);
    cairo_t* cr = c.Cr();
    cairo_rectangle(cr, 0, 0, 380, 110);
    FillWith(cr, Linear(0, 0, 0, 110, theme.frame, theme.frameDark));
    RoundedRect(cr, 2, 2, 376, 106, 10);
    SetColour(cr, Mix(theme.frame, {1, 1, 1}, 0.35));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    RoundedRect(cr, 7, 7, 366, 96, 8);
    FillWith(cr, Linear(0, 7, 0, 103, theme.plateLight, theme.plate));
    RoundedRect(cr, 7, 7, 366, 96, 8);
    SetColour(cr, theme.frameDark, 0.8);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
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
