#pragma once
// Draws every picture the game opens into a runtime tree: "afbeeldingen/" and
// "menu/" under the given root, as Windows bitmaps at the sizes they load at.

#include <filesystem>

namespace Artwork {

void WritePictures(const std::filesystem::path& root);

} // namespace Artwork
