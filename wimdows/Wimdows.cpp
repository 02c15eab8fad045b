#include "wimdows/Wimdows.hpp"

#include "wimdows/Shared.hpp"
#include "wimdows/WindowThread.hpp"

#include <algorithm>
#include <utility>

// The caller's side of the window's life: opening, closing, and what is known of it.
namespace Wimdows {
namespace {

// Windows asked for by the caller, counted against `windowsAnswered`.
std::uint64_t windowsAsked = 0;
bool lastWindowFailed = false;

void WaitWhile(WinState value) {
    for (WinState now = state.Load(std::memory_order_acquire); now == value;
         now = state.Load(std::memory_order_acquire)) {
        state.Wait(now, std::memory_order_acquire);
    }
}

// Asks the open window to close, under `windowMutex`. The wake-up may find the event queue full:
// the window thread is then busy with it and sees the request after its next event.
void RequestClose(bool keep) {
    closeWanted.store(true, std::memory_order_release);
    keepShown = keep;
    PushRequest(Request::Close);
}

// Closes the open window; `keep` leaves it on screen for the window that follows.
void CloseWindow(bool keep) {
    {
        const std::scoped_lock guard(windowMutex);
        if (state.Load(std::memory_order_relaxed) != STATE_ACTIVE) {
            return;
        }
        RequestClose(keep);
    }
    WaitWhile(STATE_ACTIVE);
}

// No window opens once the program is ending, nor right after the user closed one that the
// caller has not seen gone: this call is how the caller sees it.
bool ShutOut() {
    const std::scoped_lock guard(windowMutex);
    return interrupted || std::exchange(closedByUser, false);
}

// The caller knows its window is gone.
void Forget() {
    const std::scoped_lock guard(windowMutex);
    closedByUser = false;
}

} // namespace

void Init() {}

void Window(std::string_view title, std::uint32_t x, std::uint32_t y) {
    CloseWindow(true);
    lastWindowFailed = false;
    if (ShutOut()) {
        return;
    }
    // SDL makes a window of no size one pixel; so is its picture.
    if (!OpenOnWindowThread({UpToNul(title), std::max(x, 1U), std::max(y, 1U)})) {
        lastWindowFailed = true;
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, "Error", "Can't create window.", nullptr);
        return;
    }
    // Counted only once the thread has it: a request it never got is never answered.
    const std::uint64_t asked = ++windowsAsked;
    for (std::uint64_t answered = windowsAnswered.Load(std::memory_order_acquire); answered < asked;
         answered = windowsAnswered.Load(std::memory_order_acquire)) {
        windowsAnswered.Wait(answered, std::memory_order_acquire);
    }
    WinState failed = STATE_ERROR;
    lastWindowFailed = state.CompareExchangeStrong(failed, STATE_DEAD, std::memory_order_acq_rel);
}

void KillWindow() {
    CloseWindow(false);
    Forget();
}

bool WindowFailed() {
    return lastWindowFailed;
}

void Interrupt() {
    const std::scoped_lock guard(windowMutex);
    interrupted = true;
    if (state.Load(std::memory_order_relaxed) == STATE_ACTIVE) {
        RequestClose(false);
    }
}

bool WindowOpen() {
    if (Active()) {
        return true;
    }
    Forget();
    return false;
}

} // namespace Wimdows
