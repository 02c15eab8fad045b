#include "standardmenu/MenuFocus.hpp"

#include "wimdows/Wimdows.hpp"

namespace StandardMenu {

void MenuFocus::PointerMoved(std::int32_t x, std::int32_t y) {
    keyed = false;
    focus.reset();
    for (std::size_t i = 0; i < menu.size(); ++i) {
        if (menu[i].visible && InButton(menu[i], x, y)) {
            focus = i;
            return;
        }
    }
}

std::optional<std::size_t> MenuFocus::Key(std::uint32_t code, bool shift) {
    switch (code) {
    case Wimdows::KEY_DOWN:
        Step(true);
        return std::nullopt;
    case Wimdows::KEY_UP:
        Step(false);
        return std::nullopt;
    case Wimdows::KEY_TAB:
        Step(!shift);
        return std::nullopt;
    case Wimdows::KEY_ENTER:
    case Wimdows::KEY_SPACE:
        if (focus) {
            return focus;
        }
        Show();
        return std::nullopt;
    case Wimdows::KEY_ESCAPE:
        return escape && menu[*escape].visible ? escape : std::nullopt;
    default:
        return std::nullopt;
    }
}

std::optional<bool> MenuFocus::KeyedLook(std::size_t i) const {
    if (!keyed) {
        return std::nullopt;
    }
    return focus == i;
}

void MenuFocus::Show() {
    for (std::size_t i = 0; i < menu.size(); ++i) {
        if (menu[i].visible) {
            focus = i;
            keyed = true;
            return;
        }
    }
}

// With no focus to move, the first step only shows it.
void MenuFocus::Step(bool forward) {
    if (!focus) {
        Show();
        return;
    }
    keyed = true;
    const std::size_t n = menu.size();
    std::size_t i = *focus;
    do {
        i = forward ? (i + 1) % n : (i + n - 1) % n;
    } while (!menu[i].visible);
    focus = i;
}

} // namespace StandardMenu
