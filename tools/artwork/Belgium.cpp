#include "tools/artwork/Belgium.hpp"

#include "tools/artwork/Canvas.hpp"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace Artwork {

namespace {

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

const std::array<Rgb, 5> ProvinceColours{Hex(0xa5d6a7), Hex(0xffcc80), Hex(0x90caf9), Hex(0xce93d8),
                                         Hex(0xfff59d)};

struct Projection {
    double x0, y0, scale;
    static constexpr double West = 2.45;
    static constexpr double North = 51.58;
    static constexpr double East = 6.48;
    static constexpr double South = 49.42;
    static constexpr double Shrink = 0.636; // cos 50.5 degrees

    Projection(double x, double y, double w, double h) {
        const double spanX = (East - West) * Shrink;
        const double spanY = North - South;
        scale = std::min(w / spanX, h / spanY);
        x0 = x + (w - spanX * scale) / 2;
        y0 = y + (h - spanY * scale) / 2;
    }
    std::pair<double, double> operator()(double lon, double lat) const {
        return {x0 + (lon - West) * Shrink * scale, y0 + (North - lat) * scale};
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
    cairo_arc(cr, x, y, at.scale * 0.075, 0, 2 * Pi);
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
        Rgb colour = pastel ? ProvinceColours.at(i) : Hex(0xe0d8c4);
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

} // namespace

void DrawBelgium(cairo_t* cr, double x, double y, double w, double h, int lit) {
    const Projection at(x, y, w, h);
    Belgium(cr, at, lit, false);
    Rivers(cr, at);
    Brussels(cr, at, Hex(0xe0d8c4));
}

void DrawPastelMap(cairo_t* cr, double x, double y, double w, double h) {
    const Projection at(x, y, w, h);
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

} // namespace Artwork
