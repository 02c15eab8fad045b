#include "tools/artwork/Icon.hpp"

#include "tools/artwork/Canvas.hpp"
#include "tools/artwork/Sprites.hpp"

#include <array>
#include <stdexcept>
#include <string_view>

namespace Artwork {

namespace {

// The icon is drawn in a 256-unit box and scaled to the size asked for.
constexpr double Box = 256;
constexpr double Margin = 10;
constexpr double TileSide = Box - 2 * Margin;

void Tile(cairo_t* cr) {
    RoundedRect(cr, Margin, Margin, TileSide, TileSide, 46);
    FillWith(cr, Linear(0, Margin, 0, Box - Margin, Hex(0x6ec6ff), Hex(0xd6f0ff)), true);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    cairo_new_path(cr);
    // A few hedge rows across the lower part, few enough to stay readable at 48 pixels.
    constexpr std::array<std::string_view, 5> Rows{"#######", "#   # #", "# # #  ", "# #   #",
                                                   "#######"};
    constexpr double Cell = TileSide / 7;
    constexpr double Top = Box - Margin - Cell * 5;
    cairo_rectangle(cr, Margin, Top - Cell * 0.3, TileSide, Cell * 5.3);
    SetColour(cr, Hex(0xe8d19e));
    cairo_fill(cr);
    HedgeRows(cr, Rows, Margin, Top, Cell, 1, 0.28);
    cairo_restore(cr);
    RoundedRect(cr, Margin, Margin, TileSide, TileSide, 46);
    SetColour(cr, Hex(0x1d2b53));
    cairo_set_line_width(cr, 7);
    cairo_stroke(cr);
}

} // namespace

void WriteIcon(int size, const std::filesystem::path& file) {
    Canvas canvas(size, size);
    cairo_t* cr = canvas.Cr();
    cairo_scale(cr, size / Box, size / Box);
    Tile(cr);
    DrawScaled(cr, 28, 14, 200, [](cairo_t* g) { DrawZorp(g); });
    if (cairo_surface_write_to_png(cairo_get_target(cr), file.c_str()) != CAIRO_STATUS_SUCCESS) {
        throw std::runtime_error("cannot write " + file.string());
    }
}

} // namespace Artwork
