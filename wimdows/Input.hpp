#pragma once

#include "wimdows/NativeWindow.hpp"
#include "wimdows/Sdl.hpp"
#include "wimdows/Wimdows.hpp"

#include <bitset>

namespace Wimdows {

// The window thread's side of the keyboard and the mouse: fills the held-key table, the key
// queue and the mouse record from the window's events, and works the window's own keys.
class WindowInput {
  public:
    WindowInput(NativeWindow& nativeIn, int width, int height)
        : native(nativeIn), window(nativeIn.Get()), pictureW(width), pictureH(height) {}

    // Every event of the window, in order: what a key means can depend on the one before.
    void Take(const SDL_Event& event);

  private:
    // The window going out of the player's sight, or coming back.
    void OnWindowEvent(Uint8 change);
    void OnKeyDown(const SDL_KeyboardEvent& event);
    void OnMouseMove(const SDL_MouseMotionEvent& motion);
    void OnButtonDown(const SDL_MouseButtonEvent& button);
    void OnButtonUp(const SDL_MouseButtonEvent& button);
    // For a caller that keeps mouse events: a press or release of the buttons it can follow.
    void QueueButton(MouseEvent::Kind kind, const SDL_MouseButtonEvent& button) const;
    // Mouse positions come in the window's own units, which on a high-density display need not
    // be the surface's pixels.
    SDL_Point OnPicture(int x, int y) const;

    NativeWindow& native;
    SDL_Window* window;
    int pictureW;
    int pictureH;
    bool left = false;
    bool right = false;
    bool skipModifierPresses = false;
    bool away = false;
    std::bitset<SDL_NUM_SCANCODES> keysPressedHere;
};

// Empties the key queue, the held-key table, the mouse record and the mouse events, as a window
// closes.
void ClearInput();

// Queues a key code for the caller; on the window thread.
void AddKey(std::uint32_t code);

// The game's pause key, and the key that ends a pause.
inline constexpr std::uint32_t KEY_PAUSE = KEY_P;
inline constexpr std::uint32_t KEY_CONTINUE = KEY_S;
// The pause key, or the continue key when the last of the two queued in this window, from
// whichever device, was the pause key: one button can then both pause and continue.
std::uint32_t NextPauseKey();

} // namespace Wimdows
