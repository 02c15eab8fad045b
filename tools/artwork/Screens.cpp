#include "tools/artwork/Screens.hpp"

#include "game/Assets.hpp"
#include "game/Layout.hpp"
#include "tools/artwork/Belgium.hpp"
#include "tools/artwork/Canvas.hpp"
#include "tools/artwork/Sprites.hpp"

#include <array>
#include <cmath>
#include <string>
#include <string_view>

namespace Artwork {

namespace {

// Buttons sit on beds of this colour, so their rounded corners blend in.
constexpr Rgb BedColour = Hex(0x1d2b53);
constexpr Rgb BedEdgeColour = Hex(0xffd54f);

void Bed(cairo_t* cr, double x, double y, double w, double h) {
    RoundedRect(cr, x + 6, y + 8, w, h, 24);
    SetColour(cr, {0, 0, 0}, 0.35);
    cairo_fill(cr);
    RoundedRect(cr, x, y, w, h, 24);
    SetColour(cr, BedColour);
    cairo_fill_preserve(cr);
    SetColour(cr, BedEdgeColour);
    cairo_set_line_width(cr, 4);
    cairo_stroke(cr);
}

// The button keeps to the picture's upper 64 rows and its middle 236
// columns: placed in the window's lower right corner, it stays clear of the
// edges, the picture's last rows lying beyond the window.
Canvas Button(std::string_view label, bool lit, Meandor::Maat maat = Meandor::KnopMaat) {
    Canvas c(maat.breedte, maat.hoogte);
    cairo_t* cr = c.Cr();
    // Drawn as the menu's button, on a smaller scale.
    cairo_scale(cr, static_cast<double>(maat.breedte) / Meandor::KnopMaat.breedte,
                static_cast<double>(maat.hoogte) / Meandor::KnopMaat.hoogte);
    cairo_rectangle(cr, 0, 0, 250, 75);
    SetColour(cr, BedColour);
    cairo_fill(cr);
    if (lit) {
        RoundedRect(cr, 7, 0, 236, 64, 22);
        FillWith(cr, Radial(125, 32, 20, 140, Hex(0xfff3b0), BedColour, 0.0));
    }
    RoundedRect(cr, 9, 4, 232, 56, 18);
    if (lit) {
        FillWith(cr, Linear(0, 4, 0, 60, Hex(0xfff176), Hex(0xff9800)), true);
        SetColour(cr, Hex(0xffffff));
    } else {
        FillWith(cr, Linear(0, 4, 0, 60, Hex(0x5c8df0), Hex(0x2846a0)), true);
        SetColour(cr, Hex(0x9fc0ff));
    }
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    RoundedRect(cr, 16, 8, 218, 20, 10); // gloss
    SetColour(cr, {1, 1, 1}, lit ? 0.45 : 0.22);
    cairo_fill(cr);
    const double size = FitSize(cr, label, Face::SansBold, 32, 190);
    const TextStyle style =
        lit ? TextStyle{Face::SansBold, size, Hex(0x1d2b53), Hex(0xffffff), 2, 0}
            : TextStyle{Face::SansBold, size, Hex(0xffffff), Hex(0x10204a), 3, 2};
    CentredText(cr, label, 125, 44, style);
    if (lit) {
        for (const double side : {-1.0, 1.0}) {
            const double x = 125 + side * 106;
            cairo_move_to(cr, x - side * 8, 23);
            cairo_line_to(cr, x, 32.5);
            cairo_line_to(cr, x - side * 8, 42);
            cairo_close_path(cr);
            SetColour(cr, Hex(0x1d2b53));
            cairo_fill(cr);
        }
    }
    return c;
}

void Sky(Canvas& c, Rgb top, Rgb bottom) {
    const double h = c.Height();
    c.Fill([&](int, int y) { return Mix(top, bottom, y / h); });
}

void SunRays(cairo_t* cr, double cx, double cy, int rays, double alpha) {
    for (int i = 0; i < rays; ++i) {
        const double a = i * 2 * Pi / rays;
        cairo_move_to(cr, cx, cy);
        cairo_line_to(cr, cx + 1500 * std::cos(a), cy + 1500 * std::sin(a));
        cairo_line_to(cr, cx + 1500 * std::cos(a + Pi / rays), cy + 1500 * std::sin(a + Pi / rays));
        cairo_close_path(cr);
    }
    SetColour(cr, {1, 1, 1}, alpha);
    cairo_fill(cr);
}

void Hills(cairo_t* cr, double top, Rgb near, Rgb far) {
    cairo_move_to(cr, 0, top + 40);
    cairo_curve_to(cr, 250, top - 40, 450, top + 60, 700, top);
    cairo_curve_to(cr, 850, top - 30, 950, top + 10, 1000, top);
    cairo_line_to(cr, 1000, 700);
    cairo_line_to(cr, 0, 700);
    cairo_close_path(cr);
    SetColour(cr, far);
    cairo_fill(cr);
    cairo_move_to(cr, 0, top + 120);
    cairo_curve_to(cr, 300, top + 50, 600, top + 150, 1000, top + 80);
    cairo_line_to(cr, 1000, 700);
    cairo_line_to(cr, 0, 700);
    cairo_close_path(cr);
    SetColour(cr, near);
    cairo_fill(cr);
}

// A little top-down hedge maze, as on a cartoon poster.
void PosterMaze(cairo_t* cr, double x, double y, double cell) {
    constexpr std::array<std::string_view, 7> Rows{
        "#########", "#   #   #", "# # # ###", "# #     #", "# ##### #", "#     #  ", "#########"};
    RoundedRect(cr, x - 8, y - 8, cell * 9 + 16, cell * 7 + 16, 12);
    SetColour(cr, Hex(0xe8d19e));
    cairo_fill(cr);
    HedgeRows(cr, Rows, x, y, cell, 0, 0.25);
}

Canvas MenuPicture() {
    Canvas c(1000, 700);
    Sky(c, Hex(0x4fb3ff), Hex(0xd6f0ff));
    cairo_t* cr = c.Cr();
    SunRays(cr, 690, 250, 18, 0.12);
    Hills(cr, 470, Hex(0x4caf50), Hex(0x81c784));
    PosterMaze(cr, 640, 470, 36);
    Bed(cr, 90, 30, 290, 565);
    CentredText(cr, "MEANDOR", 690, 150,
                {Face::SansBold, FitSize(cr, "MEANDOR", Face::SansBold, 120, 560), Hex(0xffd54f),
                 Hex(0x3e1f00), 7, 8});
    CentredText(cr, "Zorp's great maze adventure", 690, 205,
                {Face::SansBold, 30, Hex(0xffffff), Hex(0x1d2b53), 3, 0});
    CentredText(cr, "through the five provinces of Flanders", 690, 242,
                {Face::SansBold, 24, Hex(0x1d2b53), Hex(0xffffff), 2, 0});
    DrawScaled(cr, 460, 290, 190, [](cairo_t* g) { DrawZorp(g); });
    DrawScaled(cr, 820, 300, 120, DrawStrik);
    DrawScaled(cr, 700, 370, 70, DrawFries);
    DrawScaled(cr, 430, 480, 80, DrawFries);
    DrawScaled(cr, 900, 420, 70, DrawStrik);
    return c;
}

void Keycap(cairo_t* cr, double x, double y, double w, std::string_view label) {
    RoundedRect(cr, x, y + 3, w, 38, 7);
    SetColour(cr, Hex(0x6b6b6b));
    cairo_fill(cr);
    RoundedRect(cr, x, y, w, 36, 7);
    FillWith(cr, Linear(0, y, 0, y + 36, Hex(0xffffff), Hex(0xd9d9d9)), true);
    SetColour(cr, Hex(0x4a4a4a));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    const double size = FitSize(cr, label, Face::SansBold, 20, w - 8);
    CentredText(cr, label, x + w / 2, y + 25, {Face::SansBold, size, Hex(0x222222), {}, 0, 0});
}

void Arrows(cairo_t* cr, double x, double y) {
    Keycap(cr, x + 38, y - 20, 34, "\u2191");
    Keycap(cr, x, y + 20, 34, "\u2190");
    Keycap(cr, x + 38, y + 20, 34, "\u2193");
    Keycap(cr, x + 76, y + 20, 34, "\u2192");
}

// A gamepad's face button, in the colours most pads give it.
void PadButton(cairo_t* cr, double cx, double cy, std::string_view label, Rgb colour) {
    cairo_arc(cr, cx, cy + 2, 17, 0, 2 * Pi);
    SetColour(cr, Hex(0x3a3a3a));
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, 17, 0, 2 * Pi);
    FillWith(cr, Radial(cx - 5, cy - 6, 2, 18, Mix(colour, Hex(0xffffff), 0.45), colour));
    CentredText(cr, label, cx, cy + 7, {Face::SansBold, 19, Hex(0xffffff), Hex(0x222222), 2, 0});
}

const TextStyle Body{Face::Sans, 22, Hex(0x1d2b53), {}, 0, 0};
const TextStyle Strong{Face::SansBold, 22, Hex(0x1d2b53), {}, 0, 0};

void Line(cairo_t* cr, double y, std::string_view strong, std::string_view rest) {
    LeftText(cr, strong, 215, y, Strong);
    LeftText(cr, rest, 215 + TextWidth(cr, strong, Strong.face, Strong.size), y, Body);
}

void Parchment(Canvas& c) {
    c.Fill([](int x, int y) {
        const double n = Fractal(x / 90.0, y / 90.0, 601, 4);
        const double edge = std::min({x, y, 999 - x, 699 - y}) / 60.0;
        const Rgb paper = Mix(Hex(0xfdf6e3), Hex(0xefe2bf), Contrast(n, 1.5));
        return Mix(Hex(0xc9a86a), paper, std::min(1.0, edge));
    });
}

Canvas InstructionsPicture() {
    Canvas c(1000, 700);
    Parchment(c);
    cairo_t* cr = c.Cr();
    CentredText(cr, "How to play", 500, 70,
                {Face::SansBold, 54, Hex(0xffd54f), Hex(0x1d2b53), 5, 5});
    Arrows(cr, 50, 115);
    Line(cr, 145, "Arrow keys or D-pad: ", "move Zorp one cell through the maze.");
    DrawScaled(cr, 60, 178, 50, DrawFries);
    DrawScaled(cr, 118, 183, 40, [](cairo_t* g) { DrawDoor(g, true); });
    Line(cr, 203, "Eat ten portions of fries ", "and the exit door opens.");
    Line(cr, 233, "", "Walk through it to reach the next province.");
    DrawScaled(cr, 80, 255, 50, DrawStrik);
    Line(cr, 290, "Avoid the bow ties! ", "Each one that catches you costs a life.");
    DrawScaled(cr, 55, 320, 46, DrawFlag);
    DrawScaled(cr, 110, 320, 46, DrawBurger);
    Line(cr, 343, "The flag and the hamburger ", "each give an extra life.");
    Line(cr, 373, "", "The flag shows up for a short while only.");
    Keycap(cr, 60, 395, 40, "H");
    PadButton(cr, 135, 415, "Y", Hex(0xe0a800));
    Line(cr, 423, "H or Y: ", "call up a hamburger, once per level.");
    Keycap(cr, 60, 455, 40, "P");
    Keycap(cr, 115, 455, 40, "S");
    Line(cr, 483, "P ", "pauses the game, S continues it; Start does both.");
    Keycap(cr, 45, 515, 60, "Esc");
    PadButton(cr, 135, 535, "B", Hex(0xd03030));
    Line(cr, 543, "Escape or B ", "gives up: back to the menu.");
    Keycap(cr, 78, 570, 60, "Alt");
    Line(cr, 598, "Alt+Enter ", "full screen, Alt+Plus/Minus size.");
    const TextStyle footer{Face::Sans, 19, Hex(0x5d4037), {}, 0, 0};
    const TextStyle footerStrong{Face::SansBold, 19, Hex(0x5d4037), {}, 0, 0};
    LeftText(cr, "Menus: ", 50, 645, footerStrong);
    LeftText(cr, "Up, Down or Tab pick, Enter, Space or A choose,",
             50 + TextWidth(cr, "Menus: ", footerStrong.face, footerStrong.size), 645, footer);
    LeftText(cr, "Escape or B goes back. Five provinces wait: good luck, Zorp!", 50, 670, footer);
    Bed(cr, 735, 538, 290, 190);
    return c;
}

Canvas CreditsPicture() {
    Canvas c(1000, 700);
    Sky(c, Hex(0x0b1030), Hex(0x2a2f6b));
    cairo_t* cr = c.Cr();
    cairo_arc(cr, 500, 330, 420, 0, 2 * Pi);
    FillWith(cr, Radial(500, 330, 10, 420, Hex(0x4a4f9b), Hex(0x2a2f6b), 0.0));
    CentredText(cr, "Credits", 500, 90, {Face::SansBold, 64, Hex(0xffd54f), Hex(0x3e1f00), 5, 6});
    struct Entry {
        const char* role;
        const char* who;
    };
    constexpr std::array<Entry, 5> Entries{
        {{"Game design and programming", "The Meandor team"},
         {"Pictures", "Drawn by our own code with cairo"},
         {"Music and sound", "Our own little synthesiser"},
         {"Built with", "SDL2, SDL2_mixer, SDL2_ttf, cairo, libsndfile"},
         {"Letters", "The DejaVu fonts"}}};
    double y = 170;
    for (const Entry& e : Entries) {
        CentredText(cr, e.role, 500, y, {Face::Sans, 22, Hex(0x9fc0ff), {}, 0, 0});
        CentredText(
            cr, e.who, 500, y + 34,
            {Face::SansBold, FitSize(cr, e.who, Face::SansBold, 28, 560), Hex(0xffffff), {}, 0, 0});
        y += 84;
    }
    CentredText(cr, "Thanks for playing!", 500, 625,
                {Face::SansBold, 40, Hex(0xffd54f), Hex(0x3e1f00), 3, 3});
    DrawScaled(cr, 45, 150, 140, [](cairo_t* g) { DrawZorp(g, Mood::Proud); });
    DrawScaled(cr, 835, 170, 120, DrawHeart);
    Bed(cr, 735, 538, 290, 190);
    return c;
}

Canvas GameOverPicture() {
    Canvas c(1000, 700);
    c.Fill([](int x, int y) {
        const double d = std::hypot(x - 500.0, y - 330.0) / 600.0;
        return Mix(Hex(0x5a0f14), Hex(0x0a0204), std::min(1.0, d));
    });
    cairo_t* cr = c.Cr();
    CentredText(cr, "GAME OVER", 500, 200,
                {Face::SansBold, 130, Hex(0xff3b3b), Hex(0x1a0000), 7, 9});
    CentredText(cr, "The bow ties got you this time...", 500, 265,
                {Face::Sans, 32, Hex(0xffcdd2), {}, 0, 0});
    DrawScaled(cr, 400, 300, 200, [](cairo_t* g) { DrawZorp(g, Mood::Sad); });
    DrawScaled(cr, 150, 330, 140, DrawStrik);
    DrawScaled(cr, 710, 330, 140, DrawStrik);
    Pill(cr, "Press Enter to return to the menu", 500, 610);
    return c;
}

void Firework(cairo_t* cr, double x, double y, double r, Rgb colour) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < 16; ++i) {
        const double a = i * Pi / 8;
        cairo_move_to(cr, x + r * 0.3 * std::cos(a), y + r * 0.3 * std::sin(a));
        cairo_line_to(cr, x + r * std::cos(a), y + r * std::sin(a));
    }
    SetColour(cr, colour, 0.9);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    for (int i = 0; i < 16; ++i) {
        const double a = i * Pi / 8 + Pi / 16;
        cairo_arc(cr, x + r * 1.1 * std::cos(a), y + r * 1.1 * std::sin(a), 2.5, 0, 2 * Pi);
        cairo_fill(cr);
    }
}

Canvas FinalPicture() {
    Canvas c(1000, 700);
    Sky(c, Hex(0x120a3a), Hex(0xff8a50));
    cairo_t* cr = c.Cr();
    Firework(cr, 130, 110, 70, Hex(0xffd54f));
    Firework(cr, 880, 120, 80, Hex(0xff5252));
    Firework(cr, 760, 260, 50, Hex(0x69f0ae));
    Firework(cr, 250, 280, 45, Hex(0x82b1ff));
    CentredText(cr, "CONGRATULATIONS!", 500, 110,
                {Face::SansBold, FitSize(cr, "CONGRATULATIONS!", Face::SansBold, 90, 820),
                 Hex(0xffd54f), Hex(0x3e1f00), 6, 7});
    CentredText(cr, "Zorp found the way through all of Flanders!", 500, 165,
                {Face::SansBold, 30, Hex(0xffffff), Hex(0x1d2b53), 3, 0});
    RoundedRect(cr, 330, 200, 340, 290, 24);
    SetColour(cr, Hex(0xa9d3f0));
    cairo_fill_preserve(cr);
    SetColour(cr, Hex(0xffd54f));
    cairo_set_line_width(cr, 5);
    cairo_stroke(cr);
    DrawBelgium(cr, 345, 215, 310, 260, 6);
    DrawScaled(cr, 70, 330, 210, [](cairo_t* g) { DrawZorp(g, Mood::Proud); });
    DrawScaled(cr, 730, 360, 110, DrawFries);
    DrawScaled(cr, 840, 350, 110, DrawFlag);
    Pill(cr, "Press Enter to return to the menu", 500, 600);
    return c;
}

} // namespace

void WriteScreens(const std::filesystem::path& root) {
    WriteBmp(MenuPicture(), root / Meandor::MenuAchtergrondBestand);
    const std::array<std::pair<Meandor::KnopBestand, const char*>, 8> buttons{
        {{Meandor::StartKnop, "Start"},
         {Meandor::InstructionsKnop, "Instructions"},
         {Meandor::CreditsKnop, "Credits"},
         {Meandor::QuitKnop, "Quit"},
         {Meandor::EasyKnop, "Easy"},
         {Meandor::MediumKnop, "Medium"},
         {Meandor::HardKnop, "Hard"},
         {Meandor::BackKnop, "Back"}}};
    for (const auto& [file, label] : buttons) {
        WriteBmp(Button(label, false), root / file.uit);
        WriteBmp(Button(label, true), root / file.aan);
    }
    const std::array<std::pair<Meandor::KnopBestand, const char*>, 8> editorButtons{
        {{Meandor::MuurKnop, "1 Wall"},
         {Meandor::VloerKnop, "2 Floor"},
         {Meandor::FrietKnop, "3 Fries"},
         {Meandor::BarriereKnop, "4 Barrier"},
         {Meandor::VorigLevelKnop, "< Level"},
         {Meandor::VolgendLevelKnop, "Level >"},
         {Meandor::BewaarKnop, "Save"},
         {Meandor::SpeelKnop, "Play"}}};
    for (const auto& [file, label] : editorButtons) {
        WriteBmp(Button(label, false, Meandor::BewerkerKnopMaat), root / file.uit);
        WriteBmp(Button(label, true, Meandor::BewerkerKnopMaat), root / file.aan);
    }
    WriteBmp(InstructionsPicture(), root / Meandor::InstructiesBestand);
    WriteBmp(CreditsPicture(), root / Meandor::CreditsBestand);
    WriteBmp(GameOverPicture(), root / Meandor::GameOverBestand);
    WriteBmp(FinalPicture(), root / Meandor::EindBestand);
}

} // namespace Artwork
