#pragma once

#include <SDL.h>
#include <SDL_ttf.h>
#include <memory>

// Owning handles for the SDL resources of the window library.
namespace Wimdows {

struct SurfaceDeleter {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

struct WindowDeleter {
    void operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
};
using WindowPtr = std::unique_ptr<SDL_Window, WindowDeleter>;

struct RendererDeleter {
    void operator()(SDL_Renderer* renderer) const { SDL_DestroyRenderer(renderer); }
};
using RendererPtr = std::unique_ptr<SDL_Renderer, RendererDeleter>;

struct TextureDeleter {
    void operator()(SDL_Texture* texture) const { SDL_DestroyTexture(texture); }
};
using TexturePtr = std::unique_ptr<SDL_Texture, TextureDeleter>;

struct FontDeleter {
    void operator()(TTF_Font* font) const { TTF_CloseFont(font); }
};
using FontPtr = std::unique_ptr<TTF_Font, FontDeleter>;

struct GameControllerDeleter {
    void operator()(SDL_GameController* controller) const { SDL_GameControllerClose(controller); }
};
using GameControllerPtr = std::unique_ptr<SDL_GameController, GameControllerDeleter>;

// Back buffer, window surface and every loaded bitmap share this format, so drawing a bitmap
// is a plain block copy.
inline constexpr Uint32 PixelFormat = SDL_PIXELFORMAT_XRGB8888;

// Empty on failure; the pixels start black.
inline SurfacePtr MakeSurface(int width, int height) {
    return SurfacePtr{SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, PixelFormat)};
}

} // namespace Wimdows
