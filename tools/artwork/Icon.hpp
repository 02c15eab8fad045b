#pragma once
// The desktop icon: Zorp in front of a hedge maze on a rounded tile, drawn as
// vector shapes so every size is sharp.

#include <filesystem>

namespace Artwork {

// Writes the icon as a square PNG of `size` pixels.
void WriteIcon(int size, const std::filesystem::path& file);

} // namespace Artwork
