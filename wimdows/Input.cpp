#include "wimdows/Input.hpp"

#include "wimdows/KeyCodes.hpp"
#include "wimdows/Preferences.hpp"
#include "wimdows/Scaling.hpp"
#include "wimdows/Shared.hpp"

#include <array>
#include <cstdint>
#include <optional>
#include <utility>

namespace Wimdows {
namespace {

std::int32_t Unsigned16(Sint32 half) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(half) & 0xFFFFU);
}

bool IsModifier(const SDL_Keysym& keysym) {
    return keysym.scancode >= SDL_SCANCODE_LCTRL && keysym.scancode <= SDL_SCANCODE_RGUI;
}

bool ReleasedByFocusLoss() {
    constexpr int Ahead = 64;
    std::array<SDL_Event, Ahead> ahead{};
    const int queued =
        SDL_PeepEvents(ahead.data(), Ahead, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
    for (int i = 0; i < queued; ++i) {
        const SDL_Event& next = ahead[static_cast<std::size_t>(i)];
        if (next.type != SDL_KEYUP) {
            return next.type == SDL_WINDOWEVENT && next.window.event == SDL_WINDOWEVENT_FOCUS_LOST;
        }
    }
    return false;
}

// Also with Alt held, so that no key stays held for ever.
void OnKeyUp(const SDL_Keysym& keysym) {
    const std::uint32_t code = VirtualKey(keysym);
    if (code != 0) {
        key[code].store(false, std::memory_order_relaxed);
    }
}

// Capture is best effort: a driver without it just reports nothing outside the window.
void Capture(bool wanted) {
    if (wanted) {
        SDL_CaptureMouse(SDL_TRUE);
    }
}
void Release(bool wanted) {
    if (wanted) {
        SDL_CaptureMouse(SDL_FALSE);
    }
}

// The last pause or continue key queued in this window, under `inputMutex`.
std::uint32_t lastPauseKey = 0;

constexpr std::size_t MaxMouseEvents = 4096;

// The caller's mouse events, oldest first, under `inputMutex`: a ring of fixed size, so the
// window thread never waits for the heap while it holds the lock.
class MouseQueue {
  public:
    void Add(const MouseEvent& event) {
        if (count > 0 && event.kind == MouseEvent::Kind::Move &&
            Newest().kind == MouseEvent::Kind::Move) {
            Newest() = event;
            return;
        }
        // A caller this far behind has lost the thread anyway; the newest events tell where
        // the buttons are now.
        if (count == events.size()) {
            Drop();
        }
        events[(first + count) % events.size()] = event;
        ++count;
    }
    bool Take(MouseEvent& event) {
        if (count == 0) {
            return false;
        }
        event = events[first];
        Drop();
        return true;
    }
    void Clear() { count = 0; }

  private:
    MouseEvent& Newest() { return events[(first + count - 1) % events.size()]; }
    void Drop() {
        first = (first + 1) % events.size();
        --count;
    }

    std::array<MouseEvent, MaxMouseEvents> events{};
    std::size_t first = 0;
    std::size_t count = 0;
};

bool keepMouseEvents = false;
MouseQueue mouseEvents;

std::optional<MouseButton> Tracked(Uint8 button) {
    switch (button) {
    case SDL_BUTTON_LEFT:
        return MouseButton::Left;
    case SDL_BUTTON_RIGHT:
        return MouseButton::Right;
    default:
        return std::nullopt;
    }
}

// Under `inputMutex`.
void QueueMouse(MouseEvent::Kind kind, MouseButton button, SDL_Point at) {
    if (keepMouseEvents) {
        mouseEvents.Add({kind, button, Unsigned16(at.x), Unsigned16(at.y)});
    }
}

} // namespace

void AddKey(std::uint32_t code) {
    std::list<std::uint32_t> element{code}; // allocated before taking the lock
    const std::scoped_lock guard(inputMutex);
    keybuf.splice(keybuf.end(), element);
    if (code == KEY_PAUSE || code == KEY_CONTINUE) {
        lastPauseKey = code;
    }
}

std::uint32_t NextPauseKey() {
    const std::scoped_lock guard(inputMutex);
    return lastPauseKey == KEY_PAUSE ? KEY_CONTINUE : KEY_PAUSE;
}

void WindowInput::Take(const SDL_Event& event) {
    const bool afterFocusGain = std::exchange(skipModifierPresses, false);
    switch (event.type) {
    case SDL_WINDOWEVENT:
        skipModifierPresses = event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED;
        OnWindowEvent(event.window.event);
        return;
    case SDL_KEYDOWN:
        // SDL presses the modifiers still held elsewhere as the focus comes back.
        if (afterFocusGain && IsModifier(event.key.keysym)) {
            skipModifierPresses = true;
            return;
        }
        OnKeyDown(event.key);
        return;
    case SDL_KEYUP:
        keysPressedHere.reset(event.key.keysym.scancode);
        // SDL releases every held key as the focus leaves, just before it reports the
        // loss; a key let go in another window stays held here.
        if (!ReleasedByFocusLoss()) {
            OnKeyUp(event.key.keysym);
        }
        return;
    case SDL_MOUSEMOTION:
        OnMouseMove(event.motion);
        return;
    case SDL_MOUSEBUTTONDOWN:
        OnButtonDown(event.button);
        return;
    case SDL_MOUSEBUTTONUP:
        OnButtonUp(event.button);
        return;
    default:
        return;
    }
}

// Once per time away: the focus going as the window is minimised pauses once.
void WindowInput::OnWindowEvent(Uint8 change) {
    switch (change) {
    case SDL_WINDOWEVENT_FOCUS_LOST:
    case SDL_WINDOWEVENT_MINIMIZED:
        if (!std::exchange(away, true) && PauseWhenAway()) {
            AddKey(KEY_PAUSE);
        }
        return;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        away = false;
        return;
    default:
        return;
    }
}

void WindowInput::OnKeyDown(const SDL_KeyboardEvent& event) {
    const SDL_Keysym& keysym = event.keysym;
    // One screen follows the next in the same native window, so a key held since an earlier
    // screen goes on repeating into this one: it counts once pressed anew.
    if (event.repeat == 0) {
        keysPressedHere.set(keysym.scancode);
    } else if (!keysPressedHere.test(keysym.scancode)) {
        return;
    }
    if (const WindowKey command = WindowKeyOf(keysym); command != WindowKey::None) {
        if (event.repeat != 0) {
            return;
        }
        if (command == WindowKey::Mute) {
            MuteKeyPressed();
        } else {
            native.Obey(command);
        }
        return;
    }
    if (IsSystemKey(keysym)) {
        return;
    }
    const std::uint32_t code = VirtualKey(keysym);
    if (code == 0) {
        return;
    }
    key[code].store(true, std::memory_order_relaxed);
    AddKey(code);
}

void WindowInput::OnMouseMove(const SDL_MouseMotionEvent& motion) {
    const SDL_Point at = OnPicture(motion.x, motion.y);
    const std::scoped_lock guard(inputMutex);
    mouse.x = Unsigned16(at.x);
    mouse.y = Unsigned16(at.y);
    QueueMouse(MouseEvent::Kind::Move, MouseButton::Left, at);
}

void WindowInput::QueueButton(MouseEvent::Kind kind, const SDL_MouseButtonEvent& button) const {
    const std::optional<MouseButton> tracked = Tracked(button.button);
    if (!tracked) {
        return;
    }
    const SDL_Point at = OnPicture(button.x, button.y);
    const std::scoped_lock guard(inputMutex);
    QueueMouse(kind, *tracked, at);
}

void WindowInput::OnButtonDown(const SDL_MouseButtonEvent& button) {
    QueueButton(MouseEvent::Kind::Press, button);
    if (button.button == SDL_BUTTON_LEFT) {
        // Every second click of a series is a double-click, which is not a press.
        if (button.clicks % 2 == 0) {
            return;
        }
        left = true;
        Capture(!right);
    } else if (button.button == SDL_BUTTON_RIGHT) {
        right = true;
        Capture(!left);
    }
}

void WindowInput::OnButtonUp(const SDL_MouseButtonEvent& button) {
    QueueButton(MouseEvent::Kind::Release, button);
    if (button.button == SDL_BUTTON_LEFT) {
        // A release counts only where its press was: the second release of a double-click, or
        // one pressed on the screen before, must not click the button under it on this one.
        const bool pressedHere = std::exchange(left, false);
        Release(!right);
        if (!pressedHere) {
            return;
        }
        MouseProc proc;
        {
            const std::scoped_lock guard(inputMutex);
            proc = mouse.leftUpProc;
        }
        if (proc) {
            const SDL_Point at = OnPicture(button.x, button.y);
            proc(Unsigned16(at.x), Unsigned16(at.y));
        }
    } else if (button.button == SDL_BUTTON_RIGHT) {
        right = false;
        Release(!left);
    }
}

// The mouse is told in the window's units, the picture lies on its pixels: more of them on a
// scaled Wayland output.
SDL_Point WindowInput::OnPicture(int x, int y) const {
    int w = 0;
    int h = 0;
    SDL_GetWindowSize(window, &w, &h);
    int pixelsW = w;
    int pixelsH = h;
    SDL_GetWindowSizeInPixels(window, &pixelsW, &pixelsH);
    if (w > 0 && h > 0) {
        x = static_cast<int>(std::int64_t{x} * pixelsW / w);
        y = static_cast<int>(std::int64_t{y} * pixelsH / h);
    }
    return ToPicture(Fit(pictureW, pictureH, pixelsW, pixelsH), x, y);
}

void ClearInput() {
    {
        const std::scoped_lock guard(inputMutex);
        mouse = {};
        mouseEvents.Clear();
        keybuf.clear();
        lastPauseKey = 0;
    }
    for (std::atomic<bool>& held : key) {
        held.store(false, std::memory_order_relaxed);
    }
}

bool KeyDown(std::uint32_t k) {
    return k < key.size() && key[k].load(std::memory_order_relaxed);
}

bool GetKeyPressed(std::uint32_t& pressed) {
    std::list<std::uint32_t> oldest; // freed after the lock is let go
    {
        const std::scoped_lock guard(inputMutex);
        if (keybuf.empty()) {
            return false;
        }
        oldest.splice(oldest.end(), keybuf, keybuf.begin());
    }
    pressed = oldest.front();
    return true;
}

void FlushKeys() {
    std::list<std::uint32_t> all;
    const std::scoped_lock guard(inputMutex);
    all.swap(keybuf);
}

void MousePos(std::int32_t& x, std::int32_t& y) {
    const std::scoped_lock guard(inputMutex);
    x = mouse.x;
    y = mouse.y;
}

void KeepMouseEvents(bool on) {
    const std::scoped_lock guard(inputMutex);
    keepMouseEvents = on;
    if (!on) {
        mouseEvents.Clear();
    }
}

bool GetMouseEvent(MouseEvent& event) {
    const std::scoped_lock guard(inputMutex);
    return mouseEvents.Take(event);
}

void OnMouseLeftUp(MouseProc proc) {
    const std::scoped_lock guard(inputMutex);
    mouse.leftUpProc = std::move(proc);
}

} // namespace Wimdows
