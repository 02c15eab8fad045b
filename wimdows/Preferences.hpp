#pragma once

#include "wimdows/Wimdows.hpp"

// Private to the window library: the player's choices as the window thread reads them, and the
// caller's procedures it tells of their changes.
namespace Wimdows {

Placement WantedPlacement();
void PlacementChanged(const Placement& placement);
void MuteKeyPressed();
bool PauseWhenAway();
// TRUE when the caller asks before a close: the user's close request is then noted for it
// instead of closing the window.
bool HoldClose();

} // namespace Wimdows
