#include "tools/artwork/Sprites.hpp"

#include "game/Assets.hpp"
#include "tools/artwork/Canvas.hpp"

#include <array>
#include <cmath>

namespace Artwork {

namespace {

constexpr Rgb Ink = Hex(0x2a1733);

void Outline(cairo_t* cr, double width, Rgb colour = Ink) {
    SetColour(cr, colour);
    cairo_set_line_width(cr, width);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

void Dot(cairo_t* cr, double x, double y, double r, Rgb colour) {
    cairo_new_path(cr);
    cairo_arc(cr, x, y, r, 0, 2 * Pi);
    SetColour(cr, colour);
    cairo_fill(cr);
}

void Eye(cairo_t* cr, double x, double y, double rx, double ry, double lookX, double lookY) {
    Ellipse(cr, x, y, rx, ry);
    SetColour(cr, {1, 1, 1});
    cairo_fill_preserve(cr);
    Outline(cr, 0.9);
    Dot(cr, x + lookX, y + lookY, std::min(rx, ry) * 0.5, Ink);
    Dot(cr, x + lookX + rx * 0.22, y + lookY - ry * 0.22, std::min(rx, ry) * 0.18, {1, 1, 1});
}

void Antenna(cairo_t* cr, double x0, double y0, double x1, double y1) {
    cairo_new_path(cr);
    cairo_move_to(cr, x0, y0);
    cairo_curve_to(cr, x0, (y0 + y1) / 2, x1, (y0 + y1) / 2 + 1, x1, y1);
    Outline(cr, 1.4);
    cairo_new_path(cr);
    cairo_arc(cr, x1, y1, 2.1, 0, 2 * Pi);
    FillWith(cr, Radial(x1 - 0.6, y1 - 0.6, 0.2, 2.2, Hex(0xfff3a0), Hex(0xffb300)), true);
    Outline(cr, 0.9);
}

void ZorpBody(cairo_t* cr) {
    cairo_new_path(cr);
    cairo_move_to(cr, 5.5, 19);
    cairo_curve_to(cr, 5, 11, 10, 7.5, 15.5, 7.5);
    cairo_curve_to(cr, 22, 7.5, 26, 12, 25.5, 19);
    cairo_curve_to(cr, 25.2, 25, 21, 27, 15.5, 27);
    cairo_curve_to(cr, 9.5, 27, 5.8, 25, 5.5, 19);
    cairo_close_path(cr);
    Pattern body(cairo_pattern_create_radial(12, 12, 1, 15, 17, 13));
    cairo_pattern_add_color_stop_rgb(body.get(), 0, 0.78, 1.0, 0.62);
    cairo_pattern_add_color_stop_rgb(body.get(), 0.55, 0.40, 0.84, 0.30);
    cairo_pattern_add_color_stop_rgb(body.get(), 1, 0.17, 0.55, 0.18);
    FillWith(cr, body, true);
    Outline(cr, 1.5);
}

void ZorpFace(cairo_t* cr, Mood mood) {
    const double look = mood == Mood::Sad ? 0.6 : 1.2;
    Eye(cr, 18.5, 15, 4.4, 4.9, look, mood == Mood::Sad ? 1.2 : 0.3);
    if (mood == Mood::Sad) {
        cairo_new_path(cr); // drooping lid
        cairo_move_to(cr, 14.2, 12.8);
        cairo_line_to(cr, 22.8, 11.6);
        Outline(cr, 1.3);
        Ellipse(cr, 15.2, 22.5, 0.9, 1.5);
        SetColour(cr, Hex(0x7fd3ff));
        cairo_fill(cr);
    }
    cairo_new_path(cr);
    if (mood == Mood::Sad) {
        cairo_arc(cr, 20, 24.5, 2.6, 1.15 * Pi, 1.85 * Pi);
    } else {
        cairo_arc(cr, 19.5, 20.2, 3.0, 0.15 * Pi, 0.85 * Pi);
    }
    Outline(cr, 1.2);
    Ellipse(cr, 11.5, 20, 1.8, 1.1);
    SetColour(cr, Hex(0xff8fa3), 0.8);
    cairo_fill(cr);
}

void Crown(cairo_t* cr) {
    cairo_new_path(cr);
    cairo_move_to(cr, 9, 8.5);
    cairo_line_to(cr, 8.5, 2.5);
    cairo_line_to(cr, 12, 5.5);
    cairo_line_to(cr, 15.5, 1);
    cairo_line_to(cr, 19, 5.5);
    cairo_line_to(cr, 22.5, 2.5);
    cairo_line_to(cr, 22, 8.5);
    cairo_close_path(cr);
    FillWith(cr, Linear(0, 1, 0, 9, Hex(0xfff176), Hex(0xf9a825)), true);
    Outline(cr, 0.9);
    Dot(cr, 15.5, 6.2, 1.1, Hex(0xe53935));
}

void Wing(cairo_t* cr, double side) {
    // side = -1 for the left wing, +1 for the right; the knot sits at x 15.
    auto x = [side](double dx) { return 15 + side * dx; };
    cairo_new_path(cr);
    cairo_move_to(cr, x(2), 12.5);
    cairo_curve_to(cr, x(6), 8.5, x(10), 3.5, x(12.8), 5.5);
    cairo_curve_to(cr, x(14.3), 10, x(14.3), 20, x(12.8), 24.5);
    cairo_curve_to(cr, x(10), 26.5, x(6), 21.5, x(2), 17.5);
    cairo_close_path(cr);
}

} // namespace

void DrawZorp(cairo_t* cr, Mood mood) {
    for (const double fx : {10.5, 19.5}) {
        Ellipse(cr, fx, 27.2, 3.4, 1.9);
        SetColour(cr, Hex(0x2e7d32));
        cairo_fill_preserve(cr);
        Outline(cr, 1.1);
    }
    if (mood == Mood::Proud) {
        ZorpBody(cr);
        Crown(cr);
    } else {
        Antenna(cr, 12, 9, 9, 3.2);
        Antenna(cr, 18, 8.5, 21.5, 2.6);
        ZorpBody(cr);
    }
    ZorpFace(cr, mood);
}

void DrawStrik(cairo_t* cr) {
    for (const double side : {-1.0, 1.0}) {
        Wing(cr, side);
        FillWith(cr, Radial(15 + side * 6, 14, 1, 11, Hex(0xff5a4f), Hex(0xb71c1c)), true);
        Outline(cr, 1.4);
        cairo_save(cr);
        Wing(cr, side);
        cairo_clip(cr);
        for (const auto& [dx, dy] : std::array<std::array<double, 2>, 4>{
                 {{11, 8.5}, {11.5, 21}, {5.5, 19.5}, {8.5, 25}}}) {
            Dot(cr, 15 + side * dx, dy, 1.1, Hex(0xffe0e0));
        }
        cairo_restore(cr);
        Eye(cr, 15 + side * 7.5, 14.6, 2.5, 2.9, -side * 0.8, 0.5);
        cairo_new_path(cr); // frowning brow
        cairo_move_to(cr, 15 + side * 10.8, 10.2);
        cairo_line_to(cr, 15 + side * 5.2, 12.2);
        Outline(cr, 1.5);
    }
    RoundedRect(cr, 11.8, 10.5, 6.4, 9, 2.2);
    FillWith(cr, Linear(0, 10, 0, 20, Hex(0xff7a6e), Hex(0xc62828)), true);
    Outline(cr, 1.3);
    cairo_new_path(cr); // fangs
    cairo_move_to(cr, 12.8, 19.5);
    cairo_line_to(cr, 13.8, 22);
    cairo_line_to(cr, 14.8, 19.5);
    cairo_move_to(cr, 15.2, 19.5);
    cairo_line_to(cr, 16.2, 22);
    cairo_line_to(cr, 17.2, 19.5);
    SetColour(cr, {1, 1, 1});
    cairo_fill_preserve(cr);
    Outline(cr, 0.6);
}

void DrawFries(cairo_t* cr) {
    struct Stick {
        double x, top, angle;
    };
    constexpr std::array<Stick, 7> Sticks{{{9.5, 6, -0.28},
                                           {12.5, 3.5, -0.12},
                                           {15.5, 2.2, 0.02},
                                           {18.5, 3.8, 0.14},
                                           {21, 6.5, 0.3},
                                           {11, 8.5, -0.05},
                                           {17, 7.5, 0.08}}};
    for (const Stick& s : Sticks) {
        cairo_save(cr);
        cairo_translate(cr, s.x, 16);
        cairo_rotate(cr, s.angle);
        RoundedRect(cr, -1.7, s.top - 16, 3.4, 17 - s.top, 1.1);
        FillWith(cr, Linear(-1.7, 0, 1.7, 0, Hex(0xffe27a), Hex(0xf0a818)), true);
        cairo_restore(cr);
        Outline(cr, 0.9, Hex(0x8a4b08));
    }
    Ellipse(cr, 18.8, 8.5, 3.4, 2.4); // a dollop of mayonnaise
    FillWith(cr, Radial(18, 7.6, 0.3, 3.6, Hex(0xfffdf0), Hex(0xf3e3a6)), true);
    Outline(cr, 0.8, Hex(0x9c8a4a));
    auto box = [cr]() {
        cairo_new_path(cr);
        cairo_move_to(cr, 6.5, 14);
        cairo_line_to(cr, 23.5, 14);
        cairo_line_to(cr, 20.5, 28.5);
        cairo_line_to(cr, 9.5, 28.5);
        cairo_close_path(cr);
    };
    box();
    FillWith(cr, Linear(6, 0, 24, 0, Hex(0xff5252), Hex(0xb71c1c)), true);
    cairo_save(cr);
    cairo_clip(cr);
    for (const double x : {12.0, 18.0}) {
        cairo_rectangle(cr, x - 0.7, 13, 1.4, 16);
    }
    SetColour(cr, Hex(0xffe0e0));
    cairo_fill(cr);
    cairo_restore(cr);
    box();
    Outline(cr, 1.3);
}

void DrawBurger(cairo_t* cr) {
    RoundedRect(cr, 4, 21, 22, 6, 3); // bottom bun
    FillWith(cr, Linear(0, 21, 0, 27, Hex(0xf2b35e), Hex(0xc67a2c)), true);
    Outline(cr, 1.2);
    RoundedRect(cr, 3.5, 17, 23, 4.6, 2.2); // patty
    FillWith(cr, Linear(0, 17, 0, 22, Hex(0x8d5a3b), Hex(0x4e2a17)), true);
    Outline(cr, 1.1);
    cairo_new_path(cr); // cheese
    cairo_move_to(cr, 3.5, 16);
    cairo_line_to(cr, 26.5, 16);
    cairo_line_to(cr, 24, 19.5);
    cairo_line_to(cr, 21.5, 16.8);
    cairo_line_to(cr, 16, 20.2);
    cairo_line_to(cr, 12, 16.8);
    cairo_line_to(cr, 7.5, 19.6);
    cairo_close_path(cr);
    SetColour(cr, Hex(0xffd54f));
    cairo_fill_preserve(cr);
    Outline(cr, 0.8, Hex(0x8d6e00));
    cairo_new_path(cr); // lettuce
    cairo_move_to(cr, 2.5, 15.5);
    for (int i = 0; i < 8; ++i) {
        const double x = 2.5 + i * 3.125;
        cairo_curve_to(cr, x + 0.8, 18, x + 2.3, 18, x + 3.125, 15.5);
    }
    cairo_line_to(cr, 27.5, 14);
    cairo_line_to(cr, 2.5, 14);
    cairo_close_path(cr);
    SetColour(cr, Hex(0x66bb44));
    cairo_fill_preserve(cr);
    Outline(cr, 0.9, Hex(0x1b5e20));
    cairo_new_path(cr); // top bun
    cairo_move_to(cr, 3.5, 15);
    cairo_curve_to(cr, 3.5, 6, 9, 3.5, 15, 3.5);
    cairo_curve_to(cr, 21, 3.5, 26.5, 6, 26.5, 15);
    cairo_close_path(cr);
    FillWith(cr, Radial(11, 7, 1, 15, Hex(0xffcf7d), Hex(0xd2812f)), true);
    Outline(cr, 1.3);
    for (const auto& [x, y] : std::array<std::array<double, 2>, 6>{
             {{9, 8.5}, {13, 6.2}, {17.5, 7}, {21.5, 9.5}, {12, 11}, {17, 11}}}) {
        Ellipse(cr, x, y, 1.0, 0.6);
        SetColour(cr, Hex(0xfff8e1));
        cairo_fill(cr);
    }
}

void DrawFlag(cairo_t* cr) {
    Ellipse(cr, 7, 27.5, 5.5, 2); // a tuft of grass at the foot of the pole
    SetColour(cr, Hex(0x43a047));
    cairo_fill_preserve(cr);
    Outline(cr, 1);
    RoundedRect(cr, 5.6, 3, 2.8, 25, 1.2);
    FillWith(cr, Linear(5.6, 0, 8.4, 0, Hex(0xd7ccc8), Hex(0x6d4c41)), true);
    Outline(cr, 0.9);
    auto cloth = [cr]() {
        cairo_new_path(cr);
        cairo_move_to(cr, 8.4, 4.5);
        cairo_curve_to(cr, 13, 2, 18, 7, 27.5, 4);
        cairo_line_to(cr, 27.5, 17);
        cairo_curve_to(cr, 18, 20, 13, 15, 8.4, 17.5);
        cairo_close_path(cr);
    };
    cloth();
    cairo_save(cr);
    cairo_clip(cr);
    const std::array<Rgb, 3> stripes{Hex(0x222222), Hex(0xfdda24), Hex(0xef3340)};
    for (std::size_t i = 0; i < stripes.size(); ++i) {
        cairo_rectangle(cr, 8.4 + 6.4 * static_cast<double>(i), 0, 6.5, 22);
        SetColour(cr, stripes.at(i));
        cairo_fill(cr);
    }
    cairo_rectangle(cr, 8, 0, 21, 22); // the light on the folds
    Pattern folds(cairo_pattern_create_linear(8, 0, 28, 0));
    for (int i = 0; i <= 4; ++i) {
        cairo_pattern_add_color_stop_rgba(folds.get(), i / 4.0, 1, 1, 1, i % 2 == 0 ? 0.22 : 0.0);
    }
    cairo_set_source(cr, folds.get());
    cairo_fill(cr);
    cairo_restore(cr);
    cloth();
    Outline(cr, 1.2);
    cairo_new_path(cr);
    cairo_arc(cr, 7, 2.8, 2, 0, 2 * Pi);
    FillWith(cr, Radial(6.4, 2.2, 0.2, 2.2, Hex(0xfff59d), Hex(0xf9a825)), true);
    Outline(cr, 0.8);
}

void DrawHeart(cairo_t* cr) {
    cairo_new_path(cr);
    cairo_move_to(cr, 15, 26.5);
    cairo_curve_to(cr, 10, 22, 2.5, 17, 2.5, 10.5);
    cairo_curve_to(cr, 2.5, 5.5, 6.2, 3, 9.2, 3);
    cairo_curve_to(cr, 12, 3, 14, 4.8, 15, 7.2);
    cairo_curve_to(cr, 16, 4.8, 18, 3, 20.8, 3);
    cairo_curve_to(cr, 23.8, 3, 27.5, 5.5, 27.5, 10.5);
    cairo_curve_to(cr, 27.5, 17, 20, 22, 15, 26.5);
    cairo_close_path(cr);
    FillWith(cr, Radial(10, 9, 1, 20, Hex(0xff6b81), Hex(0xb0102a)), true);
    Outline(cr, 1.3, Hex(0x4a0010));
    Ellipse(cr, 8.6, 8.2, 2.8, 1.7);
    SetColour(cr, {1, 1, 1}, 0.75);
    cairo_fill(cr);
    Dot(cr, 12.2, 6.3, 0.8, {1, 1, 1});
}

void DrawDoor(cairo_t* cr, bool open) {
    cairo_rectangle(cr, 0, 0, 30, 30); // stone surround
    FillWith(cr, Linear(0, 0, 30, 30, Hex(0x9e9e9e), Hex(0x616161)));
    SetColour(cr, Hex(0x424242));
    cairo_set_line_width(cr, 0.8);
    for (const double y : {7.5, 15.0, 22.5}) {
        cairo_move_to(cr, 0, y);
        cairo_line_to(cr, 30, y);
    }
    for (int row = 0; row < 4; ++row) {
        const double shift = row % 2 == 0 ? 0 : 7.5;
        for (double x = 7.5 + shift; x < 30; x += 15) {
            cairo_move_to(cr, x, row * 7.5);
            cairo_line_to(cr, x, row * 7.5 + 7.5);
        }
    }
    cairo_stroke(cr);
    auto arch = [cr]() {
        cairo_new_path(cr);
        cairo_move_to(cr, 6, 30);
        cairo_line_to(cr, 6, 12);
        cairo_arc(cr, 15, 12, 9, Pi, 2 * Pi);
        cairo_line_to(cr, 24, 30);
        cairo_close_path(cr);
    };
    if (open) {
        arch();
        FillWith(cr, Radial(15, 17, 1, 14, Hex(0xffffff), Hex(0xffd54f)), true);
        Outline(cr, 1.4, Hex(0x3e2723));
        cairo_new_path(cr); // the door swung inwards against the frame
        cairo_move_to(cr, 6.5, 30);
        cairo_line_to(cr, 6.5, 10);
        cairo_line_to(cr, 10.5, 8.5);
        cairo_line_to(cr, 10.5, 27.5);
        cairo_close_path(cr);
        FillWith(cr, Linear(6, 0, 11, 0, Hex(0x5d4037), Hex(0x8d6e63)), true);
        Outline(cr, 1, Hex(0x3e2723));
        cairo_new_path(cr); // arrow into the light
        cairo_move_to(cr, 13, 19);
        cairo_line_to(cr, 18, 19);
        cairo_line_to(cr, 18, 16);
        cairo_line_to(cr, 22.5, 21);
        cairo_line_to(cr, 18, 26);
        cairo_line_to(cr, 18, 23);
        cairo_line_to(cr, 13, 23);
        cairo_close_path(cr);
        SetColour(cr, Hex(0x2e7d32));
        cairo_fill_preserve(cr);
        Outline(cr, 0.8, Hex(0x1b5e20));
        return;
    }
    arch();
    FillWith(cr, Linear(6, 0, 24, 0, Hex(0x8d5524), Hex(0x5d3a1a)), true);
    cairo_save(cr);
    cairo_clip(cr);
    SetColour(cr, Hex(0x3e2410));
    cairo_set_line_width(cr, 0.8);
    for (const double x : {10.5, 15.0, 19.5}) {
        cairo_move_to(cr, x, 0);
        cairo_line_to(cr, x, 30);
    }
    cairo_stroke(cr);
    for (const double y : {13.0, 25.0}) {
        cairo_rectangle(cr, 6, y, 18, 2);
    }
    SetColour(cr, Hex(0x37474f));
    cairo_fill(cr);
    cairo_restore(cr);
    arch();
    Outline(cr, 1.4, Hex(0x2b1a0c));
    cairo_new_path(cr); // padlock
    cairo_arc(cr, 15, 17, 2.6, Pi, 2 * Pi);
    Outline(cr, 1.3, Hex(0x5d4a00));
    RoundedRect(cr, 11.5, 17, 7, 6, 1.2);
    FillWith(cr, Linear(0, 17, 0, 23, Hex(0xffe082), Hex(0xf9a825)), true);
    Outline(cr, 0.8, Hex(0x5d4a00));
    Dot(cr, 15, 19.5, 0.9, Hex(0x3e2723));
}

void WriteSprites(const std::filesystem::path& root) {
    auto write = [&root](const Canvas& canvas, const Meandor::SpriteBestand& file) {
        WriteSprite(canvas, root / file.beeld, root / file.masker);
    };
    auto sprite = [&write](auto draw, double size, const Meandor::SpriteBestand& file) {
        const int pixels = static_cast<int>(size);
        Canvas canvas(pixels, pixels);
        DrawScaled(canvas.Cr(), 0, 0, size, draw);
        write(canvas, file);
        return canvas;
    };
    Canvas zorp = sprite([](cairo_t* cr) { DrawZorp(cr); }, 30, Meandor::ZorpRechtsBestand);
    zorp.MirrorHorizontally();
    write(zorp, Meandor::ZorpLinksBestand);
    sprite(DrawStrik, 30, Meandor::StrikBestand);
    sprite(DrawFries, 30, Meandor::FrietBestand);
    sprite(DrawBurger, 30, Meandor::HamburgerBestand);
    sprite(DrawFlag, 30, Meandor::VlagBestand);
    // The game draws hearts 50 pixels above the window's lower edge: the heart
    // keeps to the picture's upper part.
    Canvas heart(60, 60);
    DrawScaled(heart.Cr(), 3, -3, 54, DrawHeart);
    write(heart, Meandor::HartBestand);
    for (const bool open : {true, false}) {
        Canvas door(30, 30);
        DrawScaled(door.Cr(), 0, 0, 30, [open](cairo_t* cr) { DrawDoor(cr, open); });
        WriteBmp(door, root / (open ? Meandor::DeurOpenBestand : Meandor::DeurDichtBestand));
    }
}

} // namespace Artwork
