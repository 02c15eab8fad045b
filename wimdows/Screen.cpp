#include "wimdows/Screen.hpp"

namespace Wimdows {

SDL_Surface* Screen::Get() {
    if (way == Way::Renderer) {
        return Rendered();
    }
    SDL_Surface* own = SDL_GetWindowSurface(window);
    if (way == Way::Untried) {
        way = own != nullptr ? Way::Framebuffer : Way::Renderer;
    }
    return way == Way::Renderer ? Rendered() : own;
}

// The texture and the surface follow the window's size in pixels; a new pair starts black.
SDL_Surface* Screen::Rendered() {
    if (!renderer) {
        renderer.reset(SDL_CreateRenderer(window, -1, 0));
        if (!renderer) {
            return nullptr;
        }
    }
    int w = 0;
    int h = 0;
    if (SDL_GetRendererOutputSize(renderer.get(), &w, &h) != 0 || w <= 0 || h <= 0) {
        return nullptr;
    }
    if (pixels && pixels->w == w && pixels->h == h) {
        return pixels.get();
    }
    pixels.reset();
    texture.reset(
        SDL_CreateTexture(renderer.get(), PixelFormat, SDL_TEXTUREACCESS_STREAMING, w, h));
    if (texture) {
        pixels = MakeSurface(w, h);
    }
    return pixels.get();
}

void Screen::Update(std::span<const SDL_Rect> parts) {
    if (way != Way::Renderer) {
        SDL_UpdateWindowSurfaceRects(window, parts.data(), static_cast<int>(parts.size()));
        return;
    }
    if (!pixels) {
        return;
    }
    for (const SDL_Rect& part : parts) {
        const auto* at = static_cast<const Uint8*>(pixels->pixels) +
                         static_cast<std::ptrdiff_t>(part.y) * pixels->pitch +
                         static_cast<std::ptrdiff_t>(part.x) * pixels->format->BytesPerPixel;
        SDL_UpdateTexture(texture.get(), &part, at, pixels->pitch);
    }
    Render();
}

void Screen::UpdateAll() {
    if (way != Way::Renderer) {
        SDL_UpdateWindowSurface(window);
        return;
    }
    if (!pixels) {
        return;
    }
    SDL_UpdateTexture(texture.get(), nullptr, pixels->pixels, pixels->pitch);
    Render();
}

void Screen::Reshow() {
    if (way == Way::Renderer && pixels) {
        Render();
    }
}

// A renderer's back buffer holds nothing after a present: the whole texture goes every time.
void Screen::Render() {
    SDL_RenderCopy(renderer.get(), texture.get(), nullptr, nullptr);
    SDL_RenderPresent(renderer.get());
}

} // namespace Wimdows
