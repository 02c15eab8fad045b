#pragma once
// What each of the five provinces has of its own: floor tile, backdrop, panel and title
// picture.

#include <filesystem>

namespace Artwork {

// Into the runtime tree `root`.
void WriteLevels(const std::filesystem::path& root);

} // namespace Artwork
