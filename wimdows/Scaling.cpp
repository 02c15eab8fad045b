#include "wimdows/Scaling.hpp"

#include "wimdows/Pixels.hpp"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace Wimdows {
namespace {

// Rounds towards minus infinity, so positions left of or above the picture stay negative.
int FloorDiv(std::int64_t num, std::int64_t den) {
    const std::int64_t q = num / den;
    return static_cast<int>(q * den > num ? q - 1 : q);
}

int CeilDiv(std::int64_t num, std::int64_t den) {
    return -FloorDiv(-num, den);
}

// `t` of 256 parts of `b`, the rest of `a`; red and blue move together, green alone.
Uint32 Mix(Uint32 a, Uint32 b, Uint32 t) {
    const Uint32 rb = ((a & 0xFF00FFU) * (256 - t) + (b & 0xFF00FFU) * t) >> 8U & 0xFF00FFU;
    const Uint32 g = ((a & 0x00FF00U) * (256 - t) + (b & 0x00FF00U) * t) >> 8U & 0x00FF00U;
    return rb | g;
}

} // namespace

Viewport Fit(int pictureW, int pictureH, int windowW, int windowH) {
    Viewport view{pictureW, pictureH, {}};
    if (pictureW <= 0 || pictureH <= 0 || windowW <= 0 || windowH <= 0) {
        return view;
    }
    const std::int64_t w = pictureW;
    const std::int64_t h = pictureH;
    int width = windowW;
    int height = windowH;
    // Whichever side of the window is the tighter fit sets the scale; the other is rounded.
    if (windowW * h <= windowH * w) {
        height = std::max(1, static_cast<int>((2 * h * windowW + w) / (2 * w)));
    } else {
        width = std::max(1, static_cast<int>((2 * w * windowH + h) / (2 * h)));
    }
    view.area = {(windowW - width) / 2, (windowH - height) / 2, width, height};
    return view;
}

SDL_Point ToPicture(const Viewport& view, int x, int y) {
    const SDL_Rect& a = view.area;
    if (a.w <= 0 || a.h <= 0) {
        return {x, y};
    }
    return {FloorDiv(std::int64_t{x - a.x} * view.pictureW, a.w),
            FloorDiv(std::int64_t{y - a.y} * view.pictureH, a.h)};
}

bool Scaler::Fit(int pictureW, int pictureH, int windowWIn, int windowHIn) {
    if (pictureW == view.pictureW && pictureH == view.pictureH && windowWIn == windowW &&
        windowHIn == windowH) {
        return false;
    }
    view = Wimdows::Fit(pictureW, pictureH, windowWIn, windowHIn);
    windowW = windowWIn;
    windowH = windowHIn;
    const SDL_Rect& a = view.area;
    if (a.w == 0) {
        smooth = false;
        columns.clear();
        rows.clear();
        return true;
    }
    smooth = a.w % pictureW != 0 || a.h % pictureH != 0 || a.w / pictureW != a.h / pictureH;
    // Window pixel i of `to` looks at picture position (i + 0.5) * from / to - 0.5.
    const auto taps = [this](int from, int to) {
        std::vector<Tap> result(static_cast<std::size_t>(std::max(to, 0)));
        for (int i = 0; i < to; ++i) {
            const std::int64_t centre = std::int64_t{2 * i + 1} * from;
            Tap& tap = result[static_cast<std::size_t>(i)];
            if (!smooth) {
                tap = {static_cast<int>(centre / (2 * to)), 0, 0};
                continue;
            }
            const int at = std::max(0, FloorDiv((centre - to) * 256, 2 * std::int64_t{to}));
            const int first = std::min(at >> 8, from - 1);
            tap = {first, std::min(first + 1, from - 1), static_cast<Uint32>(at & 0xFF)};
        }
        return result;
    };
    columns = taps(pictureW, a.w);
    rows = taps(pictureH, a.h);
    return true;
}

bool Scaler::Unscaled() const {
    return view.area.w == view.pictureW && view.area.h == view.pictureH;
}

SDL_Rect Scaler::Covering(const SDL_Rect& part) const {
    const SDL_Rect& a = view.area;
    if (part.w <= 0 || part.h <= 0 || a.w <= 0 || a.h <= 0) {
        return {};
    }
    const int margin = smooth ? 1 : 0;
    const int x0 = std::max(0, FloorDiv(std::int64_t{part.x - margin} * a.w, view.pictureW));
    const int y0 = std::max(0, FloorDiv(std::int64_t{part.y - margin} * a.h, view.pictureH));
    const int x1 =
        std::min(a.w, CeilDiv(std::int64_t{part.x + part.w + margin} * a.w, view.pictureW));
    const int y1 =
        std::min(a.h, CeilDiv(std::int64_t{part.y + part.h + margin} * a.h, view.pictureH));
    if (x0 >= x1 || y0 >= y1) {
        return {};
    }
    return {a.x + x0, a.y + y0, x1 - x0, y1 - y0};
}

void Scaler::Draw(const SDL_Surface* picture, SDL_Surface* window, const SDL_Rect& part) {
    if (part.w <= 0 || part.h <= 0) {
        return;
    }
    if (Unscaled()) {
        Copy(picture, window, part);
    } else {
        Stretch(picture, window, part);
    }
}

void Scaler::DrawAll(const SDL_Surface* picture, SDL_Surface* window) {
    const SDL_Rect& a = view.area;
    const SDL_Rect bars[] = {{0, 0, window->w, a.y},
                             {0, a.y + a.h, window->w, window->h - a.y - a.h},
                             {0, a.y, a.x, a.h},
                             {a.x + a.w, a.y, window->w - a.x - a.w, a.h}};
    SDL_FillRects(window, bars, 4, 0);
    Draw(picture, window, a);
}

void Scaler::Copy(const SDL_Surface* picture, SDL_Surface* window, const SDL_Rect& part) const {
    const int i0 = part.x - view.area.x;
    for (int y = part.y; y < part.y + part.h; ++y) {
        const Uint32* from = Row(picture, y - view.area.y) + i0;
        std::copy_n(from, part.w, Row(window, y) + part.x);
    }
}

void Scaler::Stretch(const SDL_Surface* picture, SDL_Surface* window, const SDL_Rect& part) {
    const int j0 = part.y - view.area.y;
    const std::span<const Tap> taps{columns.data() + (part.x - view.area.x),
                                    static_cast<std::size_t>(part.w)};
    lines[0].source = -1;
    lines[1].source = -1;
    for (int j = j0; j < j0 + part.h; ++j) {
        const Tap& row = rows[static_cast<std::size_t>(j)];
        Uint32* to = Row(window, view.area.y + j) + part.x;
        // A sharp row the same as the one above is a copy of it.
        if (!smooth && j > j0 && rows[static_cast<std::size_t>(j - 1)].first == row.first) {
            std::memcpy(to, Row(window, view.area.y + j - 1) + part.x,
                        static_cast<std::size_t>(part.w) * sizeof(Uint32));
            continue;
        }
        if (!smooth) {
            const Uint32* from = Row(picture, row.first);
            for (std::size_t i = 0; i < taps.size(); ++i) {
                to[i] = from[taps[i].first];
            }
            continue;
        }
        const Uint32* top = Across(picture, row.first, row.second, taps);
        const Uint32* bottom = Across(picture, row.second, row.first, taps);
        for (std::size_t i = 0; i < taps.size(); ++i) {
            to[i] = Mix(top[i], bottom[i], row.weight);
        }
    }
}

// Row `source` scaled across, made anew unless one of the two lines holds it; the line holding
// row `keep` stays.
const Uint32* Scaler::Across(const SDL_Surface* picture, int source, int keep,
                             std::span<const Tap> taps) {
    for (const Line& line : lines) {
        if (line.source == source) {
            return line.pixels.data();
        }
    }
    Line& line = lines[0].source == keep ? lines[1] : lines[0];
    line.source = source;
    line.pixels.resize(taps.size());
    const Uint32* from = Row(picture, source);
    for (std::size_t i = 0; i < taps.size(); ++i) {
        line.pixels[i] = Mix(from[taps[i].first], from[taps[i].second], taps[i].weight);
    }
    return line.pixels.data();
}

} // namespace Wimdows
