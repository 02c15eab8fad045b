#pragma once

#include "wimdows/Sdl.hpp"

namespace Wimdows {

// The display has gone away, as at the end of a login session: the program ends at once as a
// hang-up ends it (status 129 to a shell), silently and without running its destructors, which
// would run under the feet of the other threads.
[[noreturn]] void EndAsHungUp();

// TRUE when the window's Wayland compositor has gone: SDL then only sends a quit.
bool WaylandGone(SDL_Window* window);

// Where the end of a login session comes as a message to the window (Windows), has SDL pass
// such messages on; once video is up.
void WatchSessionEnd();

// TRUE for the message that the login session ends: the game ends as by its close box, so
// that it is done before the system ends it.
bool SessionEnding(const SDL_Event& event);

} // namespace Wimdows
