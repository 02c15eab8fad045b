#pragma once
// The five provinces' artwork: floor tiles, backgrounds, panels and title
// pictures.

#include <cairo.h>
#include <filesystem>

namespace artwork {

// Belgium with its Flemish provinces, fitted into the box; `lit` is a level
// number 1..5 whose province is highlighted, 0 for none, 6 for all five.
void DrawBelgium(cairo_t* cr, double x, double y, double w, double h, int lit);

void WriteLevels(const std::filesystem::path& pictures);

} // namespace artwork
