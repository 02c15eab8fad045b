#include "standardmenu/StandardMenu.hpp"

#include "standardmenu/MenuFocus.hpp"
#include "wimdows/Wimdows.hpp"

#include <chrono>
#include <mutex>
#include <optional>
#include <thread>

namespace StandardMenu {
namespace {

// The latest unclaimed release of the left button. Recorded on the window
// thread, claimed on the game thread; the lock keeps the two apart.
std::mutex clickLock;
std::optional<ClickRc> leftClick;

void RegisterLeftClick(std::int32_t x, std::int32_t y) {
    const std::lock_guard lock(clickLock);
    leftClick = ClickRc{x, y};
}

bool ClaimClickIn(const ButtonRc& button) {
    const std::lock_guard lock(clickLock);
    if (!leftClick || !InButton(button, leftClick->x, leftClick->y)) {
        return false;
    }
    leftClick.reset();
    return true;
}

struct Pointer {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const Pointer&) const = default;
};

Pointer ReadPointer() {
    Pointer at;
    Wimdows::MousePos(at.x, at.y);
    return at;
}

bool PointerOver(const ButtonRc& button) {
    const Pointer at = ReadPointer();
    return InButton(button, at.x, at.y);
}

void DrawLook(const ButtonRc& button, bool over) {
    if (!button.visible) {
        return;
    }
    const std::size_t look = over && button.type.withMouseOver ? 1 : 0;
    if (button.type.withMask) {
        Wimdows::DrawMaskBitmap(button.bitmap[look], button.mask[look], button.x0, button.y0);
    } else {
        Wimdows::DrawBitmap(button.bitmap[look], button.x0, button.y0);
    }
}

std::optional<std::size_t> TakeKeys(MenuFocus& focus) {
    std::uint32_t code = 0;
    while (Wimdows::GetKeyPressed(code)) {
        if (const std::optional<std::size_t> chosen =
                focus.Key(code, Wimdows::KeyDown(Wimdows::KEY_SHIFT))) {
            return chosen;
        }
    }
    return std::nullopt;
}

std::uint32_t Load(const BitmapName& file, std::int32_t w, std::int32_t h) {
    return Wimdows::LoadBitmap(file, static_cast<std::uint32_t>(w), static_cast<std::uint32_t>(h));
}

} // namespace

void Init() {
    Wimdows::Init();
}

ButtonRc CreateButton(std::int32_t w, std::int32_t h, const BitmapName& normal,
                      const BitmapName& mouseOver) {
    return CreateButtonX(w, h, ButtonType{true, false}, ButtonStrings{normal, mouseOver, " ", " "});
}

ButtonRc CreateButtonX(std::int32_t w, std::int32_t h, ButtonType flags,
                       const ButtonStrings& bitmaps) {
    ButtonRc button;
    button.bitmap[0] = Load(bitmaps.normal, w, h);
    if (flags.withMask) {
        button.mask[0] = Load(bitmaps.normalMask, w, h);
    }
    if (flags.withMouseOver) {
        button.bitmap[1] = Load(bitmaps.mouseOver, w, h);
        if (flags.withMask) {
            const bool shareMask = bitmaps.mouseOverMask.starts_with('=');
            button.mask[1] = shareMask ? button.mask[0] : Load(bitmaps.mouseOverMask, w, h);
        }
    }
    button.width = w;
    button.height = h;
    button.type = flags;
    button.visible = true;
    return button;
}

void SetVerticalMenu(std::int32_t x0, std::int32_t y0, std::int32_t yGap,
                     std::span<ButtonRc> buttons) {
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        buttons[i].x0 = x0;
        buttons[i].y0 = y0 + static_cast<std::int32_t>(i) * yGap;
    }
}

bool InButton(const ButtonRc& button, std::int32_t x, std::int32_t y) {
    return button.x0 < x && x < button.x0 + button.width && button.y0 < y &&
           y < button.y0 + button.height;
}

void DrawButton(const ButtonRc& button) {
    DrawLook(button, PointerOver(button));
}

bool ButtonSelected(const ButtonRc& button) {
    if (!button.visible) {
        return false;
    }
    Wimdows::OnMouseLeftUp(RegisterLeftClick);
    return ClaimClickIn(button);
}

std::int32_t MenuSelection(std::span<const ButtonRc> menu, std::optional<std::size_t> escape) {
    using namespace std::chrono_literals;
    MenuFocus focus(menu, escape);
    Pointer pointer = ReadPointer();
    while (Wimdows::WindowOpen()) {
        Wimdows::UpdateWindow();
        if (const Pointer now = ReadPointer(); now != pointer) {
            pointer = now;
            focus.PointerMoved(now.x, now.y);
        }
        if (const std::optional<std::size_t> chosen = TakeKeys(focus)) {
            return static_cast<std::int32_t>(*chosen);
        }
        for (std::size_t i = 0; i < menu.size(); ++i) {
            const std::optional<bool> keyed = focus.KeyedLook(i);
            DrawLook(menu[i], keyed ? *keyed : InButton(menu[i], pointer.x, pointer.y));
            if (ButtonSelected(menu[i])) {
                return static_cast<std::int32_t>(i);
            }
        }
        std::this_thread::sleep_for(25ms);
    }
    return NoSelection;
}

} // namespace StandardMenu
