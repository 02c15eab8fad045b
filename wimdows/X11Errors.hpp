#pragma once

#include "wimdows/Sdl.hpp"

namespace Wimdows {

// Xlib's default error handler ends the process on any protocol error, and tearing a window
// down now and then meets one (the X server no longer knows the window SDL withdraws). A
// closed window must not take the game with it: while the window lives, protocol errors on
// its connection are ignored (a failing SDL call reports its own failure), and Deliver(),
// called once the window is destroyed, syncs the connection so that an error still under
// way reaches that handler before SDL puts the default one back. Other drivers: no effect.
class X11Errors {
  public:
    explicit X11Errors(SDL_Window* window);
    ~X11Errors();
    X11Errors(const X11Errors&) = delete;
    X11Errors& operator=(const X11Errors&) = delete;

    void Deliver();

  private:
    void* display = nullptr;
    void* xlib = nullptr;
};

} // namespace Wimdows
