#pragma once

#include "wimdows/KeyCodes.hpp"
#include "wimdows/Screen.hpp"
#include "wimdows/Sdl.hpp"

#include <cstdint>
#include <optional>
#include <string>

namespace Wimdows {

// Larger windows are refused: no screen comes near, and the buffers would take gigabytes.
inline constexpr std::uint32_t MaxWindowSide = 16384;

// A window the caller asked for.
struct OpenRequest {
    std::string title;
    std::uint32_t x = 0;
    std::uint32_t y = 0;
};

// One native window serves every window the caller opens: it changes title and size and shows
// the old picture until the new one is drawn, and the display never sees a window destroyed
// while SDL may still be sending it a wake-up. Full screen and the size the player chose hold
// from window to window; the first window opens as SetPlacement asked.
class NativeWindow {
  public:
    SDL_Window* Get() const { return window.get(); }
    Screen& Pixels() { return screen; }

    // FALSE when it cannot be had; the caller's window then fails.
    bool Prepare(const OpenRequest& request);

    // TRUE when it was hidden: a window already on screen keeps its picture and place.
    bool Show();
    void Hide();

    // The window's own keys. Full screen takes the whole desktop, the screen's mode unchanged.
    void Obey(WindowKey command);
    // The window's inside has become `width` by `height`, whoever changed it.
    void Resized(int width, int height);

  private:
    bool Create(const OpenRequest& request);
    bool FullScreen() const;
    // Where the client area may lie: the desktop less its panels and the window's frame.
    std::optional<SDL_Rect> Room() const;
    // Sizes in halves of the caller's: the most that fits, and at least the caller's own.
    int LargestHalfSteps(const std::optional<SDL_Rect>& room) const;
    // The chosen size, or the largest multiple of half the caller's that fits.
    SDL_Point Target(const std::optional<SDL_Rect>& room) const;
    // Alt+Plus, Alt+Minus; FALSE when the size stays.
    bool Step(int step);
    void Resize();
    void Tell() const;
    // A window grown past the edge of the desktop moves back onto it.
    void KeepOn(const SDL_Rect& room, int width, int height);

    WindowPtr window;
    Screen screen; // destroyed before the window
    int pictureW = 0;
    int pictureH = 0;
    // The player's size for the window, for a picture of pictureW by pictureH.
    int chosenW = 0;
    int chosenH = 0;
};

} // namespace Wimdows
