#pragma once

#include "wimdows/Sdl.hpp"

#include <cstdint>

namespace Wimdows {

// Keys Windows reports as system keys: anything with Alt held, F10, Alt itself.
bool IsSystemKey(const SDL_Keysym& keysym);

// Alt+Enter, Alt+Plus and Alt+Minus work the window itself; like every key with Alt held, they
// never reach the caller. Nor does M, which mutes: plain, or with Shift alone.
enum class WindowKey { None, FullScreen, Bigger, Smaller, Mute };
WindowKey WindowKeyOf(const SDL_Keysym& keysym);

// The Windows virtual-key code of a key, 0 for keys that have none.
std::uint32_t VirtualKey(const SDL_Keysym& keysym);

} // namespace Wimdows
