#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

// One window at a time, run by a thread of its own: an off-screen back buffer that every
// drawing operation also copies to the window at once, a held-key table and a key queue,
// the mouse position with a left-release callback, and a table of loaded bitmaps.
// Every call is made from one caller thread; while no window is open, drawing and text
// operations do nothing.
namespace Wimdows {

enum WinState : std::uint8_t { STATE_DEAD = 0, STATE_ACTIVE = 1, STATE_ERROR = 2 };

// Colour value 0x00BBGGRR, red in the lowest byte; the top byte is ignored.
constexpr std::uint32_t RGB(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return static_cast<std::uint32_t>(red) | static_cast<std::uint32_t>(green) << 8U |
           static_cast<std::uint32_t>(blue) << 16U;
}

// Font styles: the stock fonts; any other number selects FONT_DEFAULT_GUI.
inline constexpr std::uint32_t FONT_DEFAULT_GUI = 0;
inline constexpr std::uint32_t FONT_SYSTEM = 1;
inline constexpr std::uint32_t FONT_SYSTEM_FIXED = 2;
inline constexpr std::uint32_t FONT_ANSI_VAR = 3;
inline constexpr std::uint32_t FONT_ANSI_FIXED = 4;
inline constexpr std::uint32_t FONT_OEM_FIXED = 5;

// Key codes are Windows virtual-key codes (letters 'A'..'Z', digits '0'..'9'); a few by name.
inline constexpr std::uint32_t KEY_TAB = 9;
inline constexpr std::uint32_t KEY_ENTER = 13;
inline constexpr std::uint32_t KEY_SHIFT = 16;
inline constexpr std::uint32_t KEY_ESCAPE = 27;
inline constexpr std::uint32_t KEY_SPACE = 32;
inline constexpr std::uint32_t KEY_LEFT = 37;
inline constexpr std::uint32_t KEY_UP = 38;
inline constexpr std::uint32_t KEY_RIGHT = 39;
inline constexpr std::uint32_t KEY_DOWN = 40;
inline constexpr std::uint32_t KEY_H = 'H';
inline constexpr std::uint32_t KEY_P = 'P';
inline constexpr std::uint32_t KEY_S = 'S';

using MouseProc = std::function<void(std::int32_t x, std::int32_t y)>;

void Init();

// Opens a window whose client area is x by y pixels (closing any open one first) and returns
// once it is ready or its setup has failed. The title ends at its first NUL. None opens after
// Interrupt, nor when the user closed the last window and the caller has not since seen it gone
// (WindowOpen, KillWindow): the player's close stands, whatever screen was to follow.
void Window(std::string_view title, std::uint32_t x, std::uint32_t y);
// Closes the window and returns once it is gone; at once if none is open.
void KillWindow();
// FALSE once the window is gone, also when the user closed it.
bool WindowOpen();
// TRUE when the last Window call could not set a window up; FALSE when it did, also if that
// window has closed since.
bool WindowFailed();
// From any thread: closes the window as its close box would, and keeps every later Window call
// from opening one. For ending the program from outside, as on a signal.
void Interrupt();

// Keyboard and mouse, filled by the window thread.
bool KeyDown(std::uint32_t k);
// Takes the oldest queued key code; FALSE, leaving `key` alone, when the queue is empty.
bool GetKeyPressed(std::uint32_t& key);
void FlushKeys();
// Position of the last mouse move, each coordinate read as an unsigned 16-bit number.
void MousePos(std::int32_t& x, std::int32_t& y);
// The player's choices for the window, which hold from window to window.
// Full screen, or a window whose inside is `width` by `height` (0 for the caller's own size).
struct Placement {
    bool fullScreen = false;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    bool operator==(const Placement&) const = default;
};
using PlacementProc = std::function<void(const Placement& placement)>;
// How the first window opens; later windows keep what the player has made of it.
void SetPlacement(const Placement& placement);
// Called on the window thread each time the player changes full screen or the window's size
// (Alt+Enter, Alt+Plus, Alt+Minus, a drag or the window manager). An empty `proc` unregisters;
// once that returns, the old one is not running either. These procedures may not call the four
// functions here.
void OnPlacementChanged(PlacementProc proc);
// As OnPlacementChanged, when M is pressed: M is the window's key and never reaches the caller.
void OnMuteKey(std::function<void()> proc);
// While on, a window that loses the keyboard focus or is minimised queues the pause key 'P'.
void SetPauseWhenAway(bool on);

// Called on the window thread with the release position, for each release of the left button
// pressed in this window (not the second press of a double-click); an empty `proc` unregisters.
// Lasts until the window closes.
void OnMouseLeftUp(MouseProc proc);

// For a caller that follows the buttons itself, as a painter does.
enum class MouseButton : std::uint8_t { Left, Right };
struct MouseEvent {
    enum class Kind : std::uint8_t { Press, Release, Move };
    Kind kind = Kind::Move;
    MouseButton button = MouseButton::Left; // for Press and Release
    // On the picture, read as MousePos reads them.
    std::int32_t x = 0;
    std::int32_t y = 0;
};
// While on, the window thread queues every press and release of the left and right buttons (a
// double-click's second press too) and the moves; a move straight after a move replaces it. At
// most 4096 events wait: past that the oldest go. Off by default, and turning it off empties the
// queue. The setting holds from window to window; the queue empties as a window closes.
void KeepMouseEvents(bool on);
// Takes the oldest queued mouse event; FALSE, leaving `event` alone, when there is none.
bool GetMouseEvent(MouseEvent& event);

// While on, the close box and a quit request do not close the window but are noted for
// CloseAsked. Off by default; holds from window to window. Interrupt still closes at once, and
// a lost display still ends the program.
void SetAskBeforeClose(bool on);
// TRUE, once, when such a close request came since the last call.
bool CloseAsked();

// Shows `text` in the system's message box titled `title`, over the open window, with `buttons`
// left to right: Return chooses the first, Escape (or closing the box) the last. Returns the
// index of the chosen button; -1 when no window is open, there are no buttons, or the box could
// not be shown (as on a display without message boxes). Every text ends at its first NUL.
// The window thread shows the box and waits for it, so the window neither paints nor closes
// meanwhile: a close or Interrupt from another thread takes effect once the box is answered. A
// window that closes before its box is shown makes this return -1. A button let go on the box
// is not seen by the window.
int Ask(std::string_view title, std::string_view text, std::span<const std::string> buttons);

// Drawing: into the back buffer, and what was touched onto the window at once.
void UpdateWindow();
// Between the two, drawing goes into the back buffer only, and ShowDrawing puts what changed
// onto the window all at once: a picture drawn again over itself never shows half done.
void HoldDrawing();
void ShowDrawing();
void ClearScreen();
// Corners in any order, both included; `fill` FALSE draws a one-pixel frame.
void Rectangle(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1,
               std::uint32_t color, bool fill);
void SetFont(std::uint32_t style, std::uint32_t color);
// One line of text, transparent background, top-left corner at (x, y).
void Text(std::string_view text, std::int32_t x, std::int32_t y);
void TextInt(std::int32_t number, std::int32_t x, std::int32_t y);
// `number` at most 2147483647.
void TextCard(std::uint32_t number, std::int32_t x, std::int32_t y);
// 0 by 0 while no window is open.
void GetTextSize(std::string_view text, std::uint32_t style, std::uint32_t& width,
                 std::uint32_t& height);

// Bitmaps: handle 1, 2, ... in load order until the window closes; 0 when loading fails.
std::uint32_t LoadBitmap(std::string_view file, std::uint32_t width, std::uint32_t height);
void DrawBitmap(std::uint32_t bitmap, std::int32_t x, std::int32_t y);
// Copies the pixels of `bitmap` whose pixel in `maskbitmap` is white; black ones are skipped.
void DrawMaskBitmap(std::uint32_t bitmap, std::uint32_t maskbitmap, std::int32_t x, std::int32_t y);

} // namespace Wimdows
