#pragma once

#include "wimdows/Scaling.hpp"
#include "wimdows/Screen.hpp"
#include "wimdows/Sdl.hpp"

#include <vector>

namespace Wimdows {

// The window thread's side of drawing: puts what the caller drew on the screen, scaled to the
// window's size.
class Presenter {
  public:
    Presenter(Screen& screenIn, int width, int height)
        : screen(screenIn), pictureW(width), pictureH(height) {}

    // The whole picture onto the screen, with the bars around it.
    void Paint();
    // The parts drawn since the last present; nothing when nothing changed.
    void Present();

  private:
    Screen& screen;
    int pictureW;
    int pictureH;
    Scaler scaler;
    std::vector<SDL_Rect> parts; // being presented
};

} // namespace Wimdows
