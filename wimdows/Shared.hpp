#pragma once

#include "wimdows/Fonts.hpp"
#include "wimdows/Sdl.hpp"
#include "wimdows/Waitable.hpp"
#include "wimdows/Wimdows.hpp"

#include <array>
#include <atomic>
#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

// Private to the window library: what the caller's thread and the window thread share, and the
// requests by which the caller's thread wakes the window thread.
namespace Wimdows {

// What the caller's thread asks of the window thread, as user events. SyncReply is the window
// thread's own, behind what reading the pads for a Sync brought.
enum class Request : Sint32 { Present = 1, Close = 2, Sync = 3, SyncReply = 4, Ask = 5 };

struct BitStruct {
    SurfacePtr hbit;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

// The drawing side of an open window.
struct Canvas {
    SurfacePtr backBuffer;
    SurfacePtr shown; // what the window shows; equal to the back buffer after every operation
    StockFonts fonts;
    std::vector<SDL_Rect> dirty; // parts of `shown` the screen has not had yet
    bool presentRequested = false;
    // `shown` but for the dirty parts, the window thread's alone: it is brought up to date
    // under the lock and scaled onto the screen without it, so drawing never waits on scaling.
    SurfacePtr presented;
};

struct MouseStruct {
    std::int32_t x = 0;
    std::int32_t y = 0;
    MouseProc leftUpProc;
};

extern Waitable<WinState> state;
// Windows the window thread has answered (set up or failed), counted: a window that opened and
// closed again before the caller looked still counts as answered.
extern Waitable<std::uint64_t> windowsAnswered;

// The window's lock: back buffer, window surface, bitmap table and every change of `state`.
// Never held while waiting for the window thread, which needs it for setup and teardown.
extern std::mutex windowMutex;
extern std::unique_ptr<Canvas> canvas;
extern std::vector<BitStruct> bit;
extern std::uint64_t syncRequested;
extern Waitable<std::uint64_t> syncHandled;
// Questions asked and answered, as `syncRequested` and `syncHandled`.
extern std::uint64_t askRequested;
extern Waitable<std::uint64_t> askHandled;
// The window thread has begun to close its window: nothing more is pushed to wake it.
extern bool closing;
// The caller wants the window closed; `keepShown` when another window follows at once, so the
// screen shows the old picture until the new one is drawn instead of nothing.
extern std::atomic<bool> closeWanted;
extern bool keepShown;
// Once set, no window opens any more and the open one closes: the program is ending.
extern bool interrupted;
// The user closed the caller's window (its close box, a quit request) and the caller has not yet
// seen it gone: the next window does not open, so the close is not lost between two screens.
extern bool closedByUser;

// Written by the window thread only; each entry is read on its own.
extern std::array<std::atomic<bool>, 256> key;

// The key queue and the mouse record, taken by both threads.
extern std::mutex inputMutex;
extern std::list<std::uint32_t> keybuf;
extern MouseStruct mouse;

std::string UpToNul(std::string_view text);

bool Active();

// The event type of the caller's requests.
Uint32 RequestEvent();

// Only under `windowMutex` with the window active, so the event queue cannot be torn down
// meanwhile. FALSE once the window thread has begun to close.
bool PushRequest(Request request);

} // namespace Wimdows
