#include "wimdows/NativeWindow.hpp"

#include "wimdows/Preferences.hpp"

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace Wimdows {
namespace {

int ToSide(std::uint32_t side) {
    return static_cast<int>(std::min(side, MaxWindowSide));
}

} // namespace

bool NativeWindow::Prepare(const OpenRequest& request) {
    const int width = static_cast<int>(request.x);
    const int height = static_cast<int>(request.y);
    if (!window) {
        if (!Create(request)) {
            return false;
        }
    } else {
        SDL_SetWindowTitle(window.get(), request.title.c_str());
        // The player's size keeps its scale for a picture of another size.
        chosenW = static_cast<int>(std::int64_t{chosenW} * width / pictureW);
        chosenH = static_cast<int>(std::int64_t{chosenH} * height / pictureH);
    }
    pictureW = width;
    pictureH = height;
    const int leastW = std::max(1, width / 2);
    const int leastH = std::max(1, height / 2);
    chosenW = std::max(chosenW, leastW);
    chosenH = std::max(chosenH, leastH);
    SDL_SetWindowMinimumSize(window.get(), leastW, leastH);
    Resize();
    return true;
}

bool NativeWindow::Create(const OpenRequest& request) {
    const Placement wanted = WantedPlacement();
    chosenW = wanted.width == 0 ? static_cast<int>(request.x) : ToSide(wanted.width);
    chosenH = wanted.height == 0 ? static_cast<int>(request.y) : ToSide(wanted.height);
    const Uint32 fullScreen = wanted.fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0;
    window.reset(SDL_CreateWindow(
        request.title.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, chosenW, chosenH,
        SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI | fullScreen));
    screen.Attach(window.get());
    return window != nullptr;
}

bool NativeWindow::Show() {
    const bool hidden = (SDL_GetWindowFlags(window.get()) & SDL_WINDOW_HIDDEN) != 0;
    if (hidden) {
        SDL_ShowWindow(window.get());
    }
    SDL_RaiseWindow(window.get());
    return hidden;
}

void NativeWindow::Hide() {
    if (window) {
        SDL_HideWindow(window.get());
    }
}

void NativeWindow::Obey(WindowKey command) {
    switch (command) {
    case WindowKey::FullScreen:
        SDL_SetWindowFullscreen(window.get(), FullScreen() ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
        Tell();
        return;
    case WindowKey::Bigger:
    case WindowKey::Smaller:
        if (Step(command == WindowKey::Bigger ? 1 : -1)) {
            Resize();
            Tell();
        }
        return;
    case WindowKey::Mute:
    case WindowKey::None:
        return;
    }
}

void NativeWindow::Resized(int width, int height) {
    if ((SDL_GetWindowFlags(window.get()) & (SDL_WINDOW_FULLSCREEN | SDL_WINDOW_MAXIMIZED)) != 0) {
        return;
    }
    const SDL_Point shown = Target(Room());
    if (width == shown.x && height == shown.y) {
        return;
    }
    chosenW = width;
    chosenH = height;
    Tell();
}

bool NativeWindow::FullScreen() const {
    return (SDL_GetWindowFlags(window.get()) & SDL_WINDOW_FULLSCREEN) != 0;
}

std::optional<SDL_Rect> NativeWindow::Room() const {
    SDL_Rect desktop{};
    const int display = SDL_GetWindowDisplayIndex(window.get());
    if (display < 0 || SDL_GetDisplayUsableBounds(display, &desktop) != 0) {
        return std::nullopt;
    }
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;
    SDL_GetWindowBordersSize(window.get(), &top, &left, &bottom, &right);
    return SDL_Rect{desktop.x + left, desktop.y + top, desktop.w - left - right,
                    desktop.h - top - bottom};
}

int NativeWindow::LargestHalfSteps(const std::optional<SDL_Rect>& room) const {
    return room ? std::max(2, std::min(2 * room->w / pictureW, 2 * room->h / pictureH)) : 2;
}

SDL_Point NativeWindow::Target(const std::optional<SDL_Rect>& room) const {
    if (!room || (chosenW <= room->w && chosenH <= room->h)) {
        return {chosenW, chosenH};
    }
    const int steps = LargestHalfSteps(room);
    return {pictureW * steps / 2, pictureH * steps / 2};
}

// From the size shown, to the next multiple of half the caller's size up or down; never below
// the caller's own size, nor past what fits.
bool NativeWindow::Step(int step) {
    const std::optional<SDL_Rect> room = Room();
    const SDL_Point shown = Target(room);
    const int below = std::min(2 * shown.x / pictureW, 2 * shown.y / pictureH);
    const bool onStep = 2 * shown.x == pictureW * below && 2 * shown.y == pictureH * below;
    int wanted = below + 1;
    if (step < 0) {
        wanted = onStep ? below - 1 : below;
    }
    const int steps = std::clamp(wanted, 2, LargestHalfSteps(room));
    if (step < 0 && steps > below) {
        return false;
    }
    chosenW = pictureW * steps / 2;
    chosenH = pictureH * steps / 2;
    return true;
}

void NativeWindow::Resize() {
    const std::optional<SDL_Rect> room = Room();
    const SDL_Point size = Target(room);
    const int width = size.x;
    const int height = size.y;
    // In full screen SDL keeps the size for the return to a window.
    if (FullScreen()) {
        SDL_SetWindowSize(window.get(), width, height);
        return;
    }
    int w = 0;
    int h = 0;
    SDL_GetWindowSize(window.get(), &w, &h);
    if (w == width && h == height) {
        return;
    }
    SDL_SetWindowSize(window.get(), width, height);
    if (room) {
        KeepOn(*room, width, height);
    }
}

void NativeWindow::Tell() const {
    PlacementChanged(
        {FullScreen(), static_cast<std::uint32_t>(chosenW), static_cast<std::uint32_t>(chosenH)});
}

// A Wayland client cannot place its window: the compositor does.
void NativeWindow::KeepOn(const SDL_Rect& room, int width, int height) {
    if (std::string_view(SDL_GetCurrentVideoDriver()) == "wayland") {
        return;
    }
    int x = 0;
    int y = 0;
    SDL_GetWindowPosition(window.get(), &x, &y);
    const int toX = std::max(room.x, std::min(x, room.x + room.w - width));
    const int toY = std::max(room.y, std::min(y, room.y + room.h - height));
    if (toX != x || toY != y) {
        SDL_SetWindowPosition(window.get(), toX, toY);
    }
}

} // namespace Wimdows
