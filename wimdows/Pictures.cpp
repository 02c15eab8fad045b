#include "wimdows/Pictures.hpp"

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace Wimdows {
namespace {

bool SizeAccepted(std::uint32_t width, std::uint32_t height) {
    return width > 0 && height > 0 && width <= MaxPictureSide && height <= MaxPictureSide &&
           std::uint64_t{width} * height <= MaxPicturePixels;
}

// Only plain files: a FIFO or a device would block or never end.
bool IsPlainFile(const std::string& file) {
    std::error_code error;
    return std::filesystem::is_regular_file(file, error);
}

std::uint32_t Little(const std::array<unsigned char, 26>& bytes, std::size_t at,
                     std::size_t count) {
    std::uint32_t value = 0;
    for (std::size_t i = count; i-- > 0;) {
        value = value << 8U | bytes[at + i];
    }
    return value;
}

// The decoder allocates whatever size a file declares, terabytes included; so the declared
// size is checked first. Files too short to declare one are left to the decoder to refuse.
bool DeclaresSaneSize(const std::string& file) {
    std::array<unsigned char, 26> header{};
    std::ifstream in(file, std::ios::binary);
    if (!in.read(reinterpret_cast<char*>(header.data()), header.size())) {
        return true;
    }
    const bool core = Little(header, 14, 4) == 12; // the old header with 16-bit sizes
    const auto size = [&header, core](std::size_t at, std::size_t coreAt) -> std::int64_t {
        if (core) {
            return Little(header, coreAt, 2);
        }
        return static_cast<std::int32_t>(Little(header, at, 4)); // negative: stored top-down
    };
    const std::int64_t width = size(18, 18);
    const std::int64_t height = size(22, 20);
    return std::abs(width) * std::abs(height) <= MaxSourcePixels;
}

} // namespace

SurfacePtr LoadPicture(const std::string& file, std::uint32_t width, std::uint32_t height) {
    if (!SizeAccepted(width, height) || !IsPlainFile(file) || !DeclaresSaneSize(file)) {
        return {};
    }
    const SurfacePtr decoded{SDL_LoadBMP(file.c_str())};
    if (!decoded) {
        return {};
    }
    SurfacePtr picture{SDL_ConvertSurfaceFormat(decoded.get(), PixelFormat, 0)};
    if (!picture) {
        return {};
    }
    SDL_SetSurfaceBlendMode(picture.get(), SDL_BLENDMODE_NONE);
    SDL_SetColorKey(picture.get(), SDL_FALSE, 0);
    const int w = static_cast<int>(width);
    const int h = static_cast<int>(height);
    if (picture->w == w && picture->h == h) {
        return picture;
    }
    // Nearest neighbour keeps a two-colour mask two-coloured and aligned with its picture.
    SurfacePtr scaled = MakeSurface(w, h);
    if (!scaled || SDL_BlitScaled(picture.get(), nullptr, scaled.get(), nullptr) != 0) {
        return {};
    }
    return scaled;
}

} // namespace Wimdows
