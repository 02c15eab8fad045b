#include "tools/artwork/Icon.hpp"

#include "tools/artwork/Canvas.hpp"
#include "tools/artwork/Sprites.hpp"

#include <array>
#include <stdexcept>
#include <string_view>

namespace artwork {

namespace {

// The icon is drawn in a 256-unit box and scaled to the size asked for.
constexpr double kBox = 256;
constexpr double kMargin = 10;
constexpr double kTile = kBox - 2 * kMargin;

void Tile(cairo_t* cr) {
    RoundedRect(cr, kMargin, kMargin, kTile, kTile, 46);
    FillWith(cr, Linear(0, kMargin, 0, kBox - kMargin, Hex(0x6ec6ff), Hex(0xd6f0ff)), true);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    cairo_new_path(cr);
    // A few hedge rows across the lower part, few enough to stay readable at 48 pixels.
    constexpr std::array<std::string_view, 5> rows{"#######", "#   # #", "# # #  ", "# #   #",
                                                   "#######"};
    constexpr double cell = kTile / 7;
    constexpr double top = kBox - kMargin - cell * 5;
    cairo_rectangle(cr, kMargin, top - cell * 0.3, kTile, cell * 5.3);
    SetColour(cr, Hex(0xe8d19e));
    cairo_fill(cr);
    HedgeRows(cr, rows, kMargin, top, cell, 1, 0.28);
    cairo_restore(cr);
    RoundedRect(cr, kMargin, kMargin, kTile, kTile, 46);
    SetColour(cr, Hex(0x1d2b53));
    cairo_set_line_width(cr, 7);
    cairo_stroke(cr);
}

} // namespace

void WriteIcon(int size, const std::filesystem::path& file) {
    Canvas canvas(size, size);
    cairo_t* cr = canvas.Cr();
    cairo_scale(cr, size / kBox, size / kBox);
    Tile(cr);
    DrawScaled(cr, 28, 14, 200, [](cairo_t* g) { DrawZorp(g); });
    if (cairo_surface_write_to_png(cairo_get_target(cr), file.c_str()) != CAIRO_STATUS_SUCCESS) {
        throw std::runtime_error("cannot write " + file.string());
    }
}

} // namespace artwork
