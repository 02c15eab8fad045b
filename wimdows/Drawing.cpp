#include "wimdows/Pictures.hpp"
#include "wimdows/Pixels.hpp"
#include "wimdows/Shared.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <utility>

// The caller's drawing: into the back buffer, and what was touched onto the window at once.
namespace Wimdows {
namespace {

// Past this many separate rectangles waiting for the screen, one box around them is cheaper.
constexpr std::size_t MaxDirtyRects = 16;

struct FontStruct {
    std::uint32_t style = 0;
    std::uint32_t color = 0;
};

// The caller's thread only; survives a close.
FontStruct font;
// While drawing is held: all the operations have touched since, to be shown at once.
std::optional<SDL_Rect> held;

// Caller's side of drawing, under `windowMutex`.

void RequestPresent(Canvas& c) {
    if (!c.presentRequested) {
        c.presentRequested = PushRequest(Request::Present);
    }
}

void AddDirty(Canvas& c, const SDL_Rect& box) {
    if (c.dirty.size() < MaxDirtyRects) {
        c.dirty.push_back(box);
        return;
    }
    SDL_Rect all = box;
    for (const SDL_Rect& rect : c.dirty) {
        SDL_UnionRect(&all, &rect, &all);
    }
    c.dirty.assign(1, all);
}

void Show(Canvas& c, const SDL_Rect& box) {
    // Drawing what the window already shows (a menu redrawn every pass, the door on every pass
    // of the game loop) gives the screen nothing new, and so costs it nothing.
    if (box.w <= 0 || box.h <= 0 || SameRect(c.backBuffer.get(), c.shown.get(), box)) {
        return;
    }
    CopyRect(c.backBuffer.get(), c.shown.get(), box);
    AddDirty(c, box);
    RequestPresent(c);
}

void Hold(const SDL_Rect& box) {
    if (box.w <= 0 || box.h <= 0) {
        return;
    }
    if (held->w <= 0 || held->h <= 0) {
        held = box;
        return;
    }
    SDL_UnionRect(&*held, &box, &*held);
}

// Runs `draw` on the canvas of the open window and shows the box it returns, or keeps it for
// ShowDrawing.
template <typename Draw> void DrawAndShow(Draw&& draw) {
    const std::scoped_lock guard(windowMutex);
    if (state.Load(std::memory_order_relaxed) != STATE_ACTIVE) {
        return;
    }
    const SDL_Rect box = draw(*canvas);
    if (held) {
        Hold(box);
        return;
    }
    Show(*canvas, box);
}

constexpr std::uint32_t CreateColor(std::uint32_t color) {
    return color & 0x00FFFFFFU;
}

SDL_Color TextColor(std::uint32_t color) {
    return {static_cast<Uint8>(color & 0xFFU), static_cast<Uint8>(color >> 8U & 0xFFU),
            static_cast<Uint8>(color >> 16U & 0xFFU), 255};
}

BitStruct* Entry(std::uint32_t handle) {
    return handle >= 1 && handle <= bit.size() ? &bit[handle - 1] : nullptr;
}

} // namespace

// Every drawing operation has already copied what it touched to the window surface, so all
// that can lag behind is the screen.
void UpdateWindow() {
    const std::scoped_lock guard(windowMutex);
    if (state.Load(std::memory_order_relaxed) == STATE_ACTIVE && !canvas->dirty.empty()) {
        RequestPresent(*canvas);
    }
}

void HoldDrawing() {
    if (!held) {
        held = SDL_Rect{};
    }
}

void ShowDrawing() {
    const std::optional<SDL_Rect> box = std::exchange(held, std::nullopt);
    const std::scoped_lock guard(windowMutex);
    if (box && state.Load(std::memory_order_relaxed) == STATE_ACTIVE) {
        Show(*canvas, *box);
    }
}

void ClearScreen() {
    DrawAndShow([](Canvas& c) {
        return DrawRectangle(c.backBuffer.get(), {0, 0, c.backBuffer->w, c.backBuffer->h},
                             ToPixel(0), true);
    });
}

void Rectangle(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1,
               std::uint32_t color, bool fill) {
    const auto [left, right] = std::minmax(x0, x1);
    const auto [top, bottom] = std::minmax(y0, y1);
    // Named before the lambda: clang 14 cannot capture structured bindings.
    const Box box{left, top, right, bottom};
    DrawAndShow([&](Canvas& c) {
        return DrawRectangle(c.backBuffer.get(), box, ToPixel(CreateColor(color)), fill);
    });
}

void SetFont(std::uint32_t style, std::uint32_t color) {
    font.style = style;
    font.color = CreateColor(color);
}

void Text(std::string_view text, std::int32_t x, std::int32_t y) {
    const std::string line = UpToNul(text);
    if (line.empty()) {
        return;
    }
    DrawAndShow([&](Canvas& c) -> SDL_Rect {
        TTF_Font* face = c.fonts.Get(font.style);
        if (face == nullptr) {
            return {};
        }
        const SurfacePtr glyphs{TTF_RenderText_Blended(face, line.c_str(), TextColor(font.color))};
        if (!glyphs) {
            return {};
        }
        return Blit(glyphs.get(), c.backBuffer.get(), x, y);
    });
}

void TextInt(std::int32_t number, std::int32_t x, std::int32_t y) {
    std::array<char, 12> text{};
    const auto result = std::to_chars(text.data(), text.data() + text.size(), number);
    Text(std::string_view(text.data(), static_cast<std::size_t>(result.ptr - text.data())), x, y);
}

void TextCard(std::uint32_t number, std::int32_t x, std::int32_t y) {
    TextInt(static_cast<std::int32_t>(number), x, y);
}

void GetTextSize(std::string_view text, std::uint32_t style, std::uint32_t& width,
                 std::uint32_t& height) {
    width = 0;
    height = 0;
    const std::string line = UpToNul(text);
    const std::scoped_lock guard(windowMutex);
    if (state.Load(std::memory_order_relaxed) != STATE_ACTIVE) {
        return;
    }
    TTF_Font* face = canvas->fonts.Get(style);
    int w = 0;
    int h = 0;
    if (face == nullptr || TTF_SizeText(face, line.c_str(), &w, &h) != 0) {
        return;
    }
    // The cell of the font, whatever the characters reach.
    width = static_cast<std::uint32_t>(w);
    height = static_cast<std::uint32_t>(canvas->fonts.CellHeight(style));
}

std::uint32_t LoadBitmap(std::string_view file, std::uint32_t width, std::uint32_t height) {
    SurfacePtr picture = LoadPicture(UpToNul(file), width, height);
    if (!picture) {
        return 0;
    }
    const std::scoped_lock guard(windowMutex);
    bit.push_back({std::move(picture), width, height});
    return static_cast<std::uint32_t>(bit.size());
}

void DrawBitmap(std::uint32_t bitmap, std::int32_t x, std::int32_t y) {
    DrawAndShow([&](Canvas& c) -> SDL_Rect {
        const BitStruct* e = Entry(bitmap);
        return e != nullptr ? Blit(e->hbit.get(), c.backBuffer.get(), x, y) : SDL_Rect{};
    });
}

void DrawMaskBitmap(std::uint32_t bitmap, std::uint32_t maskbitmap, std::int32_t x,
                    std::int32_t y) {
    DrawAndShow([&](Canvas& c) -> SDL_Rect {
        const BitStruct* e = Entry(bitmap);
        const BitStruct* m = Entry(maskbitmap);
        if (e == nullptr || m == nullptr) {
            return {};
        }
        return MaskedCopy(e->hbit.get(), m->hbit.get(), c.backBuffer.get(), x, y);
    });
}

} // namespace Wimdows
