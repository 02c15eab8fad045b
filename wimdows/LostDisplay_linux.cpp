#include "wimdows/LostDisplay.hpp"

#include <SDL_syswm.h>
#include <csignal>
#include <cstdlib>
#include <pthread.h>
#include <wayland-client.h>

namespace Wimdows {

void EndAsHungUp() {
    std::signal(SIGHUP, SIG_DFL);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGHUP);
    pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
    std::raise(SIGHUP);
    std::_Exit(128 + SIGHUP);
}

bool WaylandGone(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window == nullptr || SDL_GetWindowWMInfo(window, &info) != SDL_TRUE ||
        info.subsystem != SDL_SYSWM_WAYLAND) {
        return false;
    }
    return wl_display_get_error(info.info.wl.display) != 0;
}

// On X11 and Wayland a session's end is the display's.
void WatchSessionEnd() {}

bool SessionEnding(const SDL_Event&) {
    return false;
}

} // namespace Wimdows
