#pragma once

#include "wimdows/Scaling.hpp"
#include "wimdows/Sdl.hpp"

#include <vector>

namespace Wimdows {

// The window thread's side of drawing: puts what the caller drew on the screen, scaled to the
// window's size.
class Presenter {
  public:
    Presenter(SDL_Window* windowIn, int width, int height)
        : window(windowIn), pictureW(width), pictureH(height) {}

    // The whole picture onto the screen, with the bars around it.
    void Paint();
    // The parts drawn since the last present; nothing when nothing changed.
    void Present();

  private:
    SDL_Window* window;
    int pictureW;
    int pictureH;
    Scaler scaler;
    std::vector<SDL_Rect> parts; // being presented
};

} // namespace Wimdows
