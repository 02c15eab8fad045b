#pragma once
// The screens outside the maze: menu picture, buttons, instructions, credits,
// game over and the final picture.

#include <filesystem>

namespace artwork {

void WriteScreens(const std::filesystem::path& pictures, const std::filesystem::path& menu);

} // namespace artwork
