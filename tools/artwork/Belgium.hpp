#pragma once
// Belgium with its Flemish provinces, drawn from their outlines in degrees of longitude and
// latitude.

#include <cairo.h>

namespace Artwork {

// Fitted into the box; `lit` is a level number 1..5 whose province is highlighted, 0 for none,
// 6 for all five.
void DrawBelgium(cairo_t* cr, double x, double y, double w, double h, int lit);

// The coast's sea and the country in pastel, each province a colour of its own, fitted into the
// box: a map to lay a maze on.
void DrawPastelMap(cairo_t* cr, double x, double y, double w, double h);

} // namespace Artwork
