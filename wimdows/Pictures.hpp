#pragma once

#include "wimdows/Sdl.hpp"

#include <cstdint>
#include <string>

namespace Wimdows {

// Largest bitmap LoadBitmap accepts: far beyond any screen, small enough to allocate.
inline constexpr std::uint32_t MaxPictureSide = 16384;
inline constexpr std::uint64_t MaxPicturePixels = std::uint64_t{1} << 24U;
// Largest file it decodes, whatever size it is loaded at.
inline constexpr std::int64_t MaxSourcePixels = std::int64_t{1} << 26U;

// The BMP file `file` in the library's pixel format, scaled to width by height;
// empty if the file cannot be read or decoded or the size is 0 or too large.
SurfacePtr LoadPicture(const std::string& file, std::uint32_t width, std::uint32_t height);

} // namespace Wimdows
