#pragma once
// The screens outside the maze: menu picture, buttons, instructions, credits,
// game over and the final picture.

#include <filesystem>

namespace Artwork {

// Into the runtime tree `root`.
void WriteScreens(const std::filesystem::path& root);

} // namespace Artwork
