#pragma once

#include "editor/Pack.hpp"

#include <string>

// The editor's window: the pack's levels drawn as the game draws them, painted with the mouse
// or the keys, checked after every change, saved, and tried out in the game.
namespace Editor {

inline constexpr const char* EditorTitle = "Meandor maze editor";

// Edits `pack` until the player leaves, asking first about unsaved changes: 0, or 1 when no
// window could be opened. `readOnly`: the pack's folder cannot be written.
int Edit(Pack& pack, bool readOnly);

} // namespace Editor
