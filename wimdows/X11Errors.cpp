#include "wimdows/X11Errors.hpp"

#include <SDL_syswm.h>

namespace Wimdows {
namespace {

// Xlib is reached through SDL's loader, as SDL itself does, so nothing links it directly.
template <typename Function> Function Symbol(void* library, const char* name) {
    return reinterpret_cast<Function>(SDL_LoadFunction(library, name));
}

int IgnoreError(Display*, XErrorEvent*) {
    return 0;
}

} // namespace

X11Errors::X11Errors(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) {
        return;
    }
    xlib = SDL_LoadObject("libX11.so.6");
    if (xlib == nullptr) {
        return;
    }
    display = info.info.x11.display;
    using SetErrorHandler = XErrorHandler (*)(XErrorHandler);
    if (auto set = Symbol<SetErrorHandler>(xlib, "XSetErrorHandler")) {
        set(IgnoreError);
    }
}

X11Errors::~X11Errors() {
    Deliver();
}

void X11Errors::Deliver() {
    if (xlib == nullptr) {
        return;
    }
    using Sync = int (*)(Display*, Bool);
    if (auto sync = Symbol<Sync>(xlib, "XSync")) {
        sync(static_cast<Display*>(display), False);
    }
    SDL_UnloadObject(xlib);
    xlib = nullptr;
}

} // namespace Wimdows
