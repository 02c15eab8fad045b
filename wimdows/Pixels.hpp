#pragma once

#include "wimdows/Sdl.hpp"

#include <cstddef>
#include <cstdint>

// Pixel work on the library's XRGB8888 surfaces. Every operation clips to the destination and
// returns the box it touched (w or h 0 when nothing was).
namespace Wimdows {

// Colour value 0x00BBGGRR to and from an XRGB8888 pixel.
constexpr Uint32 ToPixel(std::uint32_t color) {
    return (color & 0xFFU) << 16U | (color & 0xFF00U) | (color >> 16U & 0xFFU);
}
constexpr std::uint32_t ToColor(Uint32 pixel) {
    return ToPixel(pixel);
}

// Row y of a surface, as pixels.
inline const Uint32* Row(const SDL_Surface* surface, int y) {
    return static_cast<const Uint32*>(surface->pixels) +
           static_cast<std::ptrdiff_t>(y) * (surface->pitch / 4);
}
inline Uint32* Row(SDL_Surface* surface, int y) {
    return static_cast<Uint32*>(surface->pixels) +
           static_cast<std::ptrdiff_t>(y) * (surface->pitch / 4);
}

Uint32 ReadPixel(const SDL_Surface* surface, int x, int y);

// Columns x0..x1 and rows y0..y1, both ends included, x0 <= x1 and y0 <= y1.
struct Box {
    std::int64_t x0;
    std::int64_t y0;
    std::int64_t x1;
    std::int64_t y1;
};

SDL_Rect Clip(const Box& box, const SDL_Surface* surface);

// Filled, or a frame one pixel wide along the inside of the box's edge.
SDL_Rect DrawRectangle(SDL_Surface* surface, const Box& box, Uint32 pixel, bool fill);

// `source` whole with its own blend mode, its top-left corner at (x, y).
SDL_Rect Blit(SDL_Surface* source, SDL_Surface* target, std::int32_t x, std::int32_t y);

// Pixel (i, j) of `picture` goes to (x + i, y + j) where pixel (i, j) of `mask` is nearer white
// than black; elsewhere, and beyond the mask's own size, the target keeps its pixel.
SDL_Rect MaskedCopy(const SDL_Surface* picture, const SDL_Surface* mask, SDL_Surface* target,
                    std::int32_t x, std::int32_t y);

// The same rectangle of two surfaces of equal size.
void CopyRect(SDL_Surface* source, SDL_Surface* target, const SDL_Rect& rect);
bool SameRect(const SDL_Surface* a, const SDL_Surface* b, const SDL_Rect& rect);

} // namespace Wimdows
