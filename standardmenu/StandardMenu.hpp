#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

// Bitmap buttons with a mouse-over look, laid out in a column, and a polling
// loop that returns the index of the clicked button.
namespace StandardMenu {

// A bitmap file name as the window library's LoadBitmap takes it.
using BitmapName = std::string;

struct ButtonStrings {
    BitmapName normal;
    BitmapName mouseOver;
    BitmapName normalMask;
    BitmapName mouseOverMask; // starting with "=": the mouse-over look uses the normal mask
};

struct ButtonType {
    bool withMouseOver = false;
    bool withMask = false;
};

struct ButtonRc {
    std::int32_t x0 = 0;
    std::int32_t y0 = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool visible = false;
    ButtonType type;
    std::array<std::uint32_t, 2> bitmap{}; // 0 normal look, 1 mouse-over look
    std::array<std::uint32_t, 2> mask{};
};

struct ClickRc {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// What MenuSelection returns when its window has gone and no click can come.
constexpr std::int32_t NoSelection = -1;

void Init();

ButtonRc CreateButton(std::int32_t w, std::int32_t h, const BitmapName& normal,
                      const BitmapName& mouseOver);
ButtonRc CreateButtonX(std::int32_t w, std::int32_t h, ButtonType flags,
                       const ButtonStrings& bitmaps);

// The first button's top left corner at (x0, y0), each next one yGap lower.
void SetVerticalMenu(std::int32_t x0, std::int32_t y0, std::int32_t yGap,
                     std::span<ButtonRc> buttons);

// Strictly inside: the left column and the top row are outside the button.
bool InButton(const ButtonRc& button, std::int32_t x, std::int32_t y);

void DrawButton(const ButtonRc& button);

// TRUE if the recorded click lies in the button; the click is then consumed.
bool ButtonSelected(const ButtonRc& button);

// Draws the menu every 25 ms until a button is chosen and returns its
// 0-based index, or NoSelection once the window is closed. A click chooses;
// so do the keys: Up, Down, Tab and Shift+Tab move the focus, Enter and Space
// choose the focused button, and Escape chooses button `escape`, if given.
std::int32_t MenuSelection(std::span<const ButtonRc> menu,
                           std::optional<std::size_t> escape = std::nullopt);

} // namespace StandardMenu
