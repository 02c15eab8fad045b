#pragma once

#include "editor/Pack.hpp"

#include <cstdint>
#include <optional>
#include <vector>

// What the editor's keys ask for, apart from the window that delivers them.
namespace Editor {

struct Command {
    enum class Kind : std::uint8_t {
        PickTool,
        MoveCursor,
        PaintAtCursor,
        PreviousLevel,
        NextLevel,
        Undo,
        Redo,
        Save,
        Play,
        Leave,
    };
    Kind kind = Kind::Leave;
    Tool tool = Tool::Wall; // for PickTool
    int dx = 0;             // for MoveCursor
    int dy = 0;
    bool operator==(const Command&) const = default;
};

// The command of a key code from the window's key queue, with Ctrl and Shift as they are held;
// nothing for a key without one.
std::optional<Command> CommandFor(std::uint32_t key, bool ctrl, bool shift);

// The cells a drag passes from `from` to `to`, one step at a time across sides or corners,
// `from` left out and `to` included: a fast drag leaves no gaps.
std::vector<Cel> CellsBetween(Cel from, Cel to);

// The cell a step of (dx, dy) from `cel` leads to, kept inside the maze.
Cel Moved(Cel cel, int dx, int dy);

} // namespace Editor
