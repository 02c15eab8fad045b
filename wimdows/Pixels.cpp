#include "wimdows/Pixels.hpp"

#include <algorithm>

namespace Wimdows {
namespace {

bool IsWhiteish(Uint32 pixel) {
    return (pixel & 0xFFU) + (pixel >> 8U & 0xFFU) + (pixel >> 16U & 0xFFU) > 382U;
}

} // namespace

Uint32 ReadPixel(const SDL_Surface* surface, int x, int y) {
    return Row(surface, y)[x] & 0xFFFFFFU;
}

SDL_Rect Clip(const Box& box, const SDL_Surface* surface) {
    const std::int64_t x0 = std::max<std::int64_t>(box.x0, 0);
    const std::int64_t y0 = std::max<std::int64_t>(box.y0, 0);
    const std::int64_t x1 = std::min<std::int64_t>(box.x1, surface->w - 1);
    const std::int64_t y1 = std::min<std::int64_t>(box.y1, surface->h - 1);
    if (x0 > x1 || y0 > y1) {
        return {0, 0, 0, 0};
    }
    return {static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1 - x0 + 1),
            static_cast<int>(y1 - y0 + 1)};
}

SDL_Rect DrawRectangle(SDL_Surface* surface, const Box& box, Uint32 pixel, bool fill) {
    const SDL_Rect touched = Clip(box, surface);
    if (touched.w == 0) {
        return touched;
    }
    if (fill) {
        SDL_Rect area = touched;
        SDL_FillRect(surface, &area, pixel);
        return touched;
    }
    const Box edges[] = {{box.x0, box.y0, box.x1, box.y0},
                         {box.x0, box.y1, box.x1, box.y1},
                         {box.x0, box.y0, box.x0, box.y1},
                         {box.x1, box.y0, box.x1, box.y1}};
    for (const Box& edge : edges) {
        SDL_Rect area = Clip(edge, surface);
        if (area.w > 0) {
            SDL_FillRect(surface, &area, pixel);
        }
    }
    return touched;
}

SDL_Rect Blit(SDL_Surface* source, SDL_Surface* target, std::int32_t x, std::int32_t y) {
    const SDL_Rect touched =
        Clip({x, y, std::int64_t{x} + source->w - 1, std::int64_t{y} + source->h - 1}, target);
    if (touched.w == 0) {
        return touched;
    }
    SDL_Rect from{static_cast<int>(touched.x - std::int64_t{x}),
                  static_cast<int>(touched.y - std::int64_t{y}), touched.w, touched.h};
    SDL_Rect to = touched;
    SDL_BlitSurface(source, &from, target, &to);
    return touched;
}

SDL_Rect MaskedCopy(const SDL_Surface* picture, const SDL_Surface* mask, SDL_Surface* target,
                    std::int32_t x, std::int32_t y) {
    const int width = std::min(picture->w, mask->w);
    const int height = std::min(picture->h, mask->h);
    const SDL_Rect touched =
        Clip({x, y, std::int64_t{x} + width - 1, std::int64_t{y} + height - 1}, target);
    const int i0 = static_cast<int>(touched.x - std::int64_t{x});
    const int j0 = static_cast<int>(touched.y - std::int64_t{y});
    for (int j = 0; j < touched.h; ++j) {
        const Uint32* from = Row(picture, j0 + j) + i0;
        const Uint32* keep = Row(mask, j0 + j) + i0;
        Uint32* to = Row(target, touched.y + j) + touched.x;
        for (int i = 0; i < touched.w; ++i) {
            if (IsWhiteish(keep[i])) {
                to[i] = from[i];
            }
        }
    }
    return touched;
}

void CopyRect(SDL_Surface* source, SDL_Surface* target, const SDL_Rect& rect) {
    for (int j = rect.y; j < rect.y + rect.h; ++j) {
        std::copy_n(Row(source, j) + rect.x, rect.w, Row(target, j) + rect.x);
    }
}

bool SameRect(const SDL_Surface* a, const SDL_Surface* b, const SDL_Rect& rect) {
    for (int j = rect.y; j < rect.y + rect.h; ++j) {
        if (!std::equal(Row(a, j) + rect.x, Row(a, j) + rect.x + rect.w, Row(b, j) + rect.x)) {
            return false;
        }
    }
    return true;
}

} // namespace Wimdows
