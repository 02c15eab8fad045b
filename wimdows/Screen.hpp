#pragma once

#include "wimdows/Sdl.hpp"

#include <span>

namespace Wimdows {

// The pixels of a window, as many as the display shows: the window's own framebuffer where the
// display gives one (X11's shared memory), else a surface of our own that a renderer puts on
// the window (Wayland, where a window on a scaled output has more pixels than its size).
class Screen {
  public:
    // Empty: first Attach a window.
    Screen() = default;
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    void Attach(SDL_Window* windowIn) { window = windowIn; }

    // The surface to draw on, the window's size in pixels; nullptr when the window has none.
    SDL_Surface* Get();
    // Shows `parts` of the surface; with a renderer, the whole of it.
    void Update(std::span<const SDL_Rect> parts);
    void UpdateAll();
    // Shows again what was shown, where the display needs that: a Wayland title bar drawn
    // by the program (libdecor) appears with the window's next frame, which a still picture
    // would never send.
    void Reshow();

  private:
    SDL_Surface* Rendered();
    void Render();

    // Decided by the window's first surface: a framebuffer that fails later (out of memory)
    // only fails that paint, as it always did.
    enum class Way { Untried, Framebuffer, Renderer };

    SDL_Window* window = nullptr;
    Way way = Way::Untried;
    RendererPtr renderer;
    TexturePtr texture;
    SurfacePtr pixels;
};

} // namespace Wimdows
