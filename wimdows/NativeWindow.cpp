#include "wimdows/NativeWindow.hpp"

#include <algorithm>

namespace Wimdows {

bool NativeWindow::Prepare(const OpenRequest& request) {
    pictureW = static_cast<int>(request.x);
    pictureH = static_cast<int>(request.y);
    if (window) {
        SDL_SetWindowTitle(window.get(), request.title.c_str());
    } else {
        window.reset(SDL_CreateWindow(request.title.c_str(), SDL_WINDOWPOS_UNDEFINED,
                                      SDL_WINDOWPOS_UNDEFINED, pictureW, pictureH,
                                      SDL_WINDOW_HIDDEN));
        if (!window) {
            return false;
        }
    }
    Resize();
    return true;
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
        return;
    case WindowKey::Bigger:
    case WindowKey::Smaller: {
        const int step = command == WindowKey::Bigger ? 1 : -1;
        const int largest = LargestHalfSteps(Room());
        halfSteps = std::clamp(std::min(halfSteps, largest) + step, 2, largest);
        Resize();
        return;
    }
    case WindowKey::None:
        return;
    }
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

void NativeWindow::Resize() {
    const std::optional<SDL_Rect> room = Room();
    const int steps = std::min(halfSteps, LargestHalfSteps(room));
    const int width = pictureW * steps / 2;
    const int height = pictureH * steps / 2;
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

void NativeWindow::KeepOn(const SDL_Rect& room, int width, int height) {
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
