#pragma once
// The backdrops of the five mazes, one a province, also behind each level's title picture.

#include "tools/artwork/Canvas.hpp"

namespace Artwork {

// Fills the canvas with level `level`'s backdrop, 1..5.
void DrawBackground(Canvas& c, int level);

} // namespace Artwork
