#include "wimdows/VideoSession.hpp"

#include "wimdows/Sdl.hpp"
#include "wimdows/XErrors.hpp"

#include <string_view>

namespace Wimdows {
namespace {

// When no display answers, SDL falls back to a driver that draws where nobody can see:
// the game would run on, out of sight, for ever. Such a driver only counts when asked for.
bool Unseen() {
    const std::string_view driver = SDL_GetCurrentVideoDriver();
    if (driver != "offscreen" && driver != "dummy") {
        return false;
    }
    const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    return asked == nullptr || std::string_view(asked).find(driver) == std::string_view::npos;
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
    ForgiveErrorsOnGoneWindows();
    const int attempts = SDL_getenv("DISPLAY") != nullptr ? 5 : 1;
    Uint32 pauseMs = 20;
    for (int attempt = 1;; ++attempt) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {
            if (!Unseen()) {
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
