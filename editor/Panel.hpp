#pragma once

#include "editor/Pack.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The editor's side panel, right of the maze: the tool and level buttons in the menus' style,
// and what the editor has to say, on the level's own panel picture.
namespace Editor {

// In the order of the artwork's editor buttons; the tools first, in the order of Tool.
enum class Button : std::uint8_t { Wall, Floor, Fries, Barrier, Previous, Next, Save, Play };

// Where the panel begins, and the window's width with it.
inline constexpr std::int32_t PanelX = 1000;
inline constexpr std::int32_t PanelWidth = 300;
inline constexpr std::int32_t EditorWidth = PanelX + PanelWidth;

struct PanelLine {
    std::string text;
    bool warning = false; // a finding or a fault, in red
};

struct PanelView {
    std::uint32_t level = 1;
    Tool tool = Tool::Wall;
    std::vector<PanelLine> lines;
};

// The buttons' pictures and the panel pictures, for the window just opened.
void LoadPanel();

// The panel as `view` says, the chosen tool's button lit, and the one under the pointer too.
void DrawPanel(const PanelView& view, std::int32_t pointerX, std::int32_t pointerY);

std::optional<Button> ButtonAt(std::int32_t x, std::int32_t y);

// `text` cut at spaces into lines that fit the panel in its font.
std::vector<std::string> Wrapped(const std::string& text);

} // namespace Editor
