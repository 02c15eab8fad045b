#pragma once

#include "standardmenu/StandardMenu.hpp"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace StandardMenu {

// The one focus of a menu, moved by the menu keys and by the mouse. Until a key has moved it,
// the buttons look as the pointer makes them look, so a player who only uses the mouse sees
// exactly what the mouse alone would show.
class MenuFocus {
  public:
    // `escape`: the button Escape chooses, if any.
    MenuFocus(std::span<const ButtonRc> menuIn, std::optional<std::size_t> escapeIn)
        : menu(menuIn), escape(escapeIn) {}

    // The pointer moved to (x, y): the focus goes to the button under it, or is hidden.
    void PointerMoved(std::int32_t x, std::int32_t y);
    // A key code from the key queue; the chosen button, if the key chooses one.
    std::optional<std::size_t> Key(std::uint32_t code, bool shift);
    // Whether button `i` shows its mouse-over look by the keys' doing; empty while the pointer
    // decides.
    std::optional<bool> KeyedLook(std::size_t i) const;

  private:
    void Show();
    void Step(bool forward);

    std::span<const ButtonRc> menu;
    std::optional<std::size_t> escape;
    std::optional<std::size_t> focus;
    bool keyed = false;
};

} // namespace StandardMenu
