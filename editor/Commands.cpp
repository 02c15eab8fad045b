#include "editor/Commands.hpp"

#include "wimdows/Wimdows.hpp"

#include <algorithm>
#include <cstdlib>

namespace Editor {
namespace {

using Kind = Command::Kind;

constexpr std::uint32_t KeyPageUp = 33;
constexpr std::uint32_t KeyPageDown = 34;
constexpr std::uint32_t KeyF5 = 116;

std::optional<Command> CtrlCommand(std::uint32_t key, bool shift) {
    switch (key) {
    case 'Z':
        return Command{shift ? Kind::Redo : Kind::Undo};
    case 'Y':
        return Command{Kind::Redo};
    case 'S':
        return Command{Kind::Save};
    default:
        return std::nullopt;
    }
}

// numerator / denominator to the nearest whole number, halves away from zero; denominator > 0.
std::int64_t Rounded(std::int64_t numerator, std::int64_t denominator) {
    const std::int64_t magnitude = (2 * std::abs(numerator) + denominator) / (2 * denominator);
    return numerator < 0 ? -magnitude : magnitude;
}

Command Move(int dx, int dy) {
    return Command{.kind = Kind::MoveCursor, .dx = dx, .dy = dy};
}

} // namespace

std::optional<Command> CommandFor(std::uint32_t key, bool ctrl, bool shift) {
    if (ctrl) {
        return CtrlCommand(key, shift);
    }
    if (key >= '1' && key <= '4') {
        return Command{.kind = Kind::PickTool, .tool = static_cast<Tool>(key - '1')};
    }
    switch (key) {
    case Wimdows::KEY_LEFT:
        return Move(-1, 0);
    case Wimdows::KEY_RIGHT:
        return Move(1, 0);
    case Wimdows::KEY_UP:
        return Move(0, -1);
    case Wimdows::KEY_DOWN:
        return Move(0, 1);
    case Wimdows::KEY_SPACE:
        return Command{Kind::PaintAtCursor};
    case KeyPageUp:
        return Command{Kind::PreviousLevel};
    case KeyPageDown:
        return Command{Kind::NextLevel};
    case KeyF5:
        return Command{Kind::Play};
    case Wimdows::KEY_ESCAPE:
        return Command{Kind::Leave};
    default:
        return std::nullopt;
    }
}

std::vector<Cel> CellsBetween(Cel from, Cel to) {
    std::vector<Cel> cells;
    const auto x = static_cast<std::int64_t>(from.x);
    const auto y = static_cast<std::int64_t>(from.y);
    const auto toX = static_cast<std::int64_t>(to.x);
    const auto toY = static_cast<std::int64_t>(to.y);
    const std::int64_t steps = std::max(std::abs(toX - x), std::abs(toY - y));
    for (std::int64_t step = 1; step <= steps; ++step) {
        // The nearest cell on the straight line, so a slanted drag stays on it.
        const std::int64_t cx = x + Rounded((toX - x) * step, steps);
        const std::int64_t cy = y + Rounded((toY - y) * step, steps);
        cells.push_back({static_cast<std::uint32_t>(cx), static_cast<std::uint32_t>(cy)});
    }
    return cells;
}

Cel Moved(Cel cel, int dx, int dy) {
    const auto x = std::clamp<std::int64_t>(std::int64_t{cel.x} + dx, 1, Meandor::Kolommen);
    const auto y = std::clamp<std::int64_t>(std::int64_t{cel.y} + dy, 1, Meandor::Rijen);
    return {static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y)};
}

} // namespace Editor
