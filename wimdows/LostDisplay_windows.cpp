#include "wimdows/LostDisplay.hpp"
#include "wimdows/XErrors.hpp"

#include <SDL_syswm.h>
#include <cstdlib>

namespace Wimdows {

// Windows has no display connection to lose, nor X errors to forgive.
void EndAsHungUp() {
    std::_Exit(129);
}

bool WaylandGone(SDL_Window*) {
    return false;
}

void ForgiveErrorsOnGoneWindows() {}

void WatchSessionEnd() {
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
}

// Asked whether the session may end, the window says yes (SDL answers for it), and the game
// ends there and then: the system ends the process soon after the answer.
bool SessionEnding(const SDL_Event& event) {
    if (event.type != SDL_SYSWMEVENT || event.syswm.msg->subsystem != SDL_SYSWM_WINDOWS) {
        return false;
    }
    const UINT message = event.syswm.msg->msg.win.msg;
    return message == WM_QUERYENDSESSION ||
           (message == WM_ENDSESSION && event.syswm.msg->msg.win.wParam != 0);
}

} // namespace Wimdows
