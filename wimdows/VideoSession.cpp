#include "wimdows/VideoSession.hpp"

#include "wimdows/LostDisplay.hpp"
#include "wimdows/Sdl.hpp"
#include "wimdows/XErrors.hpp"

#include <string>
#include <string_view>

namespace Wimdows {
namespace {

bool DrawsOutOfSight(std::string_view driver) {
    return driver == "offscreen" || driver == "dummy" || driver == "evdev";
}

// When no display answers, SDL falls back to a driver that draws where nobody can see:
// the game would run on, out of sight, for ever. Such a driver only counts when asked for.
bool Unseen() {
    const std::string_view driver = SDL_GetCurrentVideoDriver();
    if (!DrawsOutOfSight(driver)) {
        return false;
    }
    const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    return asked == nullptr || std::string_view(asked).find(driver) == std::string_view::npos;
}

bool AbsolutePath(const char* variable) {
    const char* value = SDL_getenv(variable);
    return value != nullptr && value[0] == '/';
}

// Asked to connect where it has no runtime folder, the Wayland client library says so on
// standard error, a line beside ours that only puzzles a player without any display. Where
// Wayland cannot be reached, and no driver was asked for, SDL tries every other one.
void LeaveOutUnreachableWayland() {
    if (SDL_GetHint(SDL_HINT_VIDEODRIVER) != nullptr || SDL_getenv("WAYLAND_SOCKET") != nullptr ||
        AbsolutePath("WAYLAND_DISPLAY") || AbsolutePath("XDG_RUNTIME_DIR")) {
        return;
    }
    std::string others;
    for (int i = 0; i < SDL_GetNumVideoDrivers(); ++i) {
        const std::string_view driver = SDL_GetVideoDriver(i);
        if (driver != "wayland" && !DrawsOutOfSight(driver)) {
            others.append(others.empty() ? "" : ",").append(driver);
        }
    }
    SDL_SetHint(SDL_HINT_VIDEODRIVER, others.c_str());
}

// An X server whose last client has just left resets, and refuses connections until it is
// done; a loaded machine may take a few tenths of a second. Without an X display there is
// nothing to wait for.
bool StartVideo() {
    // Our own close handling decides what a closed window means; the X11 shared-memory
    // framebuffer needs no OpenGL; and the program entry decides what a signal means.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    LeaveOutUnreachableWayland();
    ForgiveErrorsOnGoneWindows();
    const int attempts = SDL_getenv("DISPLAY") != nullptr ? 5 : 1;
    Uint32 pauseMs = 20;
    for (int attempt = 1;; ++attempt) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {
            if (!Unseen()) {
                WatchSessionEnd();
                return true;
            }
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
        }
        if (attempt == attempts) {
            return false;
        }
        SDL_Delay(pauseMs);
        pauseMs *= 2;
    }
}

} // namespace

VideoSession::~VideoSession() {
    if (up) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
}

bool VideoSession::Start() {
    if (!up) {
        up = StartVideo();
    }
    return up;
}

} // namespace Wimdows
