#pragma once
// The shared sprites, drawn as vector shapes in a 30-unit box, so the screens
// can show them at any size.

#include <cairo.h>
#include <filesystem>

namespace Artwork {

enum class Mood { Happy, Sad, Proud };

void DrawZorp(cairo_t* cr, Mood mood = Mood::Happy); // facing right
void DrawStrik(cairo_t* cr);
void DrawFries(cairo_t* cr);
void DrawBurger(cairo_t* cr);
void DrawFlag(cairo_t* cr);
void DrawHeart(cairo_t* cr);
void DrawDoor(cairo_t* cr, bool open);

// Draws a sprite function scaled so its 30-unit box spans `size` pixels at (x, y).
template <typename Draw> void DrawScaled(cairo_t* cr, double x, double y, double size, Draw draw) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, size / 30.0, size / 30.0);
    draw(cr);
    cairo_restore(cr);
}

// Into the runtime tree `root`.
void WriteSprites(const std::filesystem::path& root);

} // namespace Artwork
