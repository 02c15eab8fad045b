#pragma once

#include "wimdows/Sdl.hpp"

namespace Wimdows {

// On the window thread, for the caller's Ask: shows its question over `window`, waits for the
// choice and hands it back.
void AnswerQuestion(SDL_Window* window);

} // namespace Wimdows
