#include "tools/artwork/Backgrounds.hpp"

#include "tools/artwork/Belgium.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>

namespace Artwork {

namespace {

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
            const double a = p * 2 * Pi / 5;
            cairo_arc(cr, x + 1.8 * std::cos(a), y + 1.8 * std::sin(a), 1.4, 0, 2 * Pi);
            SetColour(cr, petal);
            cairo_fill(cr);
        }
        cairo_arc(cr, x, y, 1.1, 0, 2 * Pi);
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
    constexpr std::array<Stop, 5> Palette{{{0.0, Hex(0x3a0602)},
                                           {0.35, Hex(0x7a1206)},
                                           {0.6, Hex(0xaa2a0c)},
                                           {0.82, Hex(0xcc4a12)},
                                           {1.0, Hex(0xe0601a)}}};
    c.Fill([&Palette](int x, int y) {
        const double warp = Fractal(x / 110.0, y / 110.0, 201, 3) * 2.5;
        const double tongues = Fractal(x / 40.0 + warp, y / 110.0, 202, 4);
        const double body = Fractal(x / 160.0, y / 90.0, 203, 3);
        return Ramp(Palette, Contrast(0.5 * tongues + 0.5 * body, 1.8));
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
    cairo_arc(cr, cx, cy, r * 1.5, 0, 2 * Pi);
    FillWith(cr, Radial(cx, cy, r * 0.9, r * 1.5, Hex(0x5a6088), Hex(0x1a1f4a), 0.0));
    cairo_arc(cr, cx, cy, r, 0, 2 * Pi);
    FillWith(cr,
             Radial(cx - r * 0.3, cy - r * 0.3, r * 0.1, r * 1.1, Hex(0xa7acc0), Hex(0x747a92)));
    cairo_save(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * Pi);
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
        cairo_arc(cr, x, y, rr, 0, 2 * Pi);
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
        cairo_arc(cr, x, y, random.Uniform(0.4, 1.0), 0, 2 * Pi);
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

// Soft colour areas only: names, towns and rivers under a maze would be cut
// into fragments and read as pickups.
void Map(Canvas& c) {
    c.Fill([](int x, int y) {
        const double n = Fractal(x / 70.0, y / 70.0, 501, 4);
        return Mix(Hex(0xece5d2), Hex(0xe0d6bd), Contrast(n, 1.5));
    });
    DrawPastelMap(c.Cr(), 10, 10, c.Width() - 20, c.Height() - 20);
}

} // namespace

void DrawBackground(Canvas& c, int level) {
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

} // namespace Artwork
