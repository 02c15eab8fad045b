#include "wimdows/Wimdows.hpp"

#include "wimdows/Fonts.hpp"
#include "wimdows/KeyCodes.hpp"
#include "wimdows/Pictures.hpp"
#include "wimdows/Pixels.hpp"
#include "wimdows/Scaling.hpp"
#include "wimdows/Sdl.hpp"
#include "wimdows/WimdowsTesting.hpp"
#include "wimdows/XErrors.hpp"

#include <algorithm>
#include <array>
#include <atomic>
#include <charconv>
#include <condition_variable>
#include <list>
#include <mutex>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace Wimdows {
namespace {

// Larger windows are refused: no screen comes near, and the buffers would take gigabytes.
constexpr std::uint32_t MaxWindowSide = 16384;
// Past this many separate rectangles waiting for the screen, one box around them is cheaper.
constexpr std::size_t MaxDirtyRects = 16;

// What the caller's thread asks of the window thread, as user events.
enum class Request : Sint32 { Present = 1, Close = 2, Sync = 3 };

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
    MouseProc LeftUpProc;
};

struct FontStruct {
    std::uint32_t style = 0;
    std::uint32_t color = 0;
};

std::atomic<WinState> state{STATE_DEAD};
// Windows asked for by the caller and windows the window thread has answered (set up or
// failed), counted: a window that opened and closed again before the caller looked still
// counts as answered.
std::uint64_t windowsAsked = 0;
std::atomic<std::uint64_t> windowsAnswered{0};
bool lastWindowFailed = false;

// The one lock: back buffer, window surface, bitmap table and every change of `state`.
// Never held while waiting for the window thread, which needs it for setup and teardown.
std::mutex lock;
std::unique_ptr<Canvas> canvas;
// The canvas of the last window, kept by the window thread for the next one.
std::unique_ptr<Canvas> spare;
std::vector<BitStruct> bit;
std::uint64_t syncRequested = 0;
std::atomic<std::uint64_t> syncHandled{0};
// The window thread has begun to close its window: nothing more is pushed to wake it.
bool closing = false;
// The caller wants the window closed; `keepShown` when another window follows at once, so the
// screen shows the old picture until the new one is drawn instead of nothing.
std::atomic<bool> closeWanted{false};
bool keepShown = false;
// Once set, no window opens any more and the open one closes: the program is ending.
bool interrupted = false;

// Written by the window thread only; each entry is read on its own.
std::array<std::atomic<bool>, 256> key{};

// The key queue and the mouse record, taken by both threads.
std::mutex block;
std::list<std::uint32_t> keybuf;
MouseStruct mouse;

// The caller's thread only; survives a close.
FontStruct font;

std::string UpToNul(std::string_view text) {
    return std::string(text.substr(0, text.find('\0')));
}

std::int32_t Unsigned16(Sint32 half) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(half) & 0xFFFFU);
}

bool Active() {
    return state.load(std::memory_order_acquire) == STATE_ACTIVE;
}

void WaitWhile(WinState value) {
    for (WinState now = state.load(std::memory_order_acquire); now == value;
         now = state.load(std::memory_order_acquire)) {
        state.wait(now, std::memory_order_acquire);
    }
}

Uint32 RequestEvent() {
    static const Uint32 type = [] {
        const Uint32 registered = SDL_RegisterEvents(1);
        return registered == static_cast<Uint32>(-1) ? Uint32{SDL_USEREVENT} : registered;
    }();
    return type;
}

// Only under `lock` with the window active, so the event queue cannot be torn down meanwhile.
// FALSE once the window thread has begun to close: SDL wakes the thread by sending an X event
// to the window, and a window already destroyed makes that a protocol error.
bool PushRequest(Request request) {
    if (closing) {
        return false;
    }
    SDL_Event event{};
    event.type = RequestEvent();
    event.user.code = static_cast<Sint32>(request);
    return SDL_PushEvent(&event) == 1;
}

// Caller's side of drawing, under `lock`.

void RequestPresent(Canvas& c) {
    if (!c.presentRequested) {
        c.presentRequested = PushRequest(Request::Present);
    }
}

void AddDirty(Canvas& c, const SDL_Rect& box) {
    if (c.dirty.size() < MaxDirtyRects) {
        c.dirty.push_back(box);
        return;
    }
    SDL_Rect all = box;
    for (const SDL_Rect& rect : c.dirty) {
        SDL_UnionRect(&all, &rect, &all);
    }
    c.dirty.assign(1, all);
}

void Show(Canvas& c, const SDL_Rect& box) {
    // Drawing what the window already shows (a menu redrawn every pass, the door on every pass
    // of the game loop) gives the screen nothing new, and so costs it nothing.
    if (box.w <= 0 || box.h <= 0 || SameRect(c.backBuffer.get(), c.shown.get(), box)) {
        return;
    }
    CopyRect(c.backBuffer.get(), c.shown.get(), box);
    AddDirty(c, box);
    RequestPresent(c);
}

// Runs `draw` on the canvas of the open window and shows the box it returns.
template <typename Draw> void DrawAndShow(Draw&& draw) {
    const std::scoped_lock guard(lock);
    if (state.load(std::memory_order_relaxed) != STATE_ACTIVE) {
        return;
    }
    Show(*canvas, draw(*canvas));
}

constexpr std::uint32_t CreateColor(std::uint32_t color) {
    return color & 0x00FFFFFFU;
}

SDL_Color TextColor(std::uint32_t color) {
    return {static_cast<Uint8>(color & 0xFFU), static_cast<Uint8>(color >> 8U & 0xFFU),
            static_cast<Uint8>(color >> 16U & 0xFFU), 255};
}

BitStruct* Entry(std::uint32_t handle) {
    return handle >= 1 && handle <= bit.size() ? &bit[handle - 1] : nullptr;
}

// Window thread.

// SDL's video subsystem, started once for the life of the window thread and only by it.
class VideoSession {
  public:
    VideoSession() = default;
    ~VideoSession() {
        if (up) {
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
        }
    }
    VideoSession(const VideoSession&) = delete;
    VideoSession& operator=(const VideoSession&) = delete;

    // TRUE once video is up; a failed start is tried again at the next window.
    bool Start() {
        if (!up) {
            up = StartVideo();
        }
        return up;
    }

  private:
    // An X server whose last client has just left resets, and refuses connections until it is
    // done; a loaded machine may take a few tenths of a second. Without an X display there is
    // nothing to wait for.
    static bool StartVideo() {
        // Our own close handling decides what a closed window means; the X11 shared-memory
        // framebuffer needs no OpenGL; and the program entry decides what a signal means.
        SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        ForgiveErrorsOnGoneWindows();
        const int attempts = SDL_getenv("DISPLAY") != nullptr ? 5 : 1;
        Uint32 pauseMs = 20;
        for (int attempt = 1;; ++attempt) {
            if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {
                if (!Unseen()) {
                    return true;
                }
                SDL_QuitSubSystem(SDL_INIT_VIDEO);
            }
            if (attempt == attempts) {
                return false;
            }
            SDL_Delay(pauseMs);
            pauseMs *= 2;
        }
    }

    // When no display answers, SDL falls back to a driver that draws where nobody can see:
    // the game would run on, out of sight, for ever. Such a driver only counts when asked for.
    static bool Unseen() {
        const std::string_view driver = SDL_GetCurrentVideoDriver();
        if (driver != "offscreen" && driver != "dummy") {
            return false;
        }
        const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
        return asked == nullptr || std::string_view(asked).find(driver) == std::string_view::npos;
    }

    bool up = false;
};

// The previous window's canvas serves again when the size is the same, and still holds what the
// window shows: making new buffers and opening the fonts again would cost more than the rest of
// a screen change.
std::unique_ptr<Canvas> Reuse(int width, int height) {
    if (spare && spare->shown->w == width && spare->shown->h == height) {
        return std::move(spare);
    }
    spare.reset();
    return {};
}

// Buffers of the caller's size, black.
std::unique_ptr<Canvas> Init(int width, int height) {
    auto created = std::make_unique<Canvas>();
    created->backBuffer = MakeSurface(width, height);
    created->shown = MakeSurface(width, height);
    created->presented = MakeSurface(width, height);
    if (!created->backBuffer || !created->shown || !created->presented) {
        return {};
    }
    return created;
}

void AddKey(std::uint32_t code) {
    std::list<std::uint32_t> element{code}; // allocated before taking the lock
    const std::scoped_lock guard(block);
    keybuf.splice(keybuf.end(), element);
}

// Under `lock`, with the state changed to STATE_DEAD before the lock is let go.
void FreeWindow() {
    // The parts the screen has not had yet stay marked, for the next window's first present.
    canvas->presentRequested = false;
    spare = std::move(canvas);
    {
        const std::scoped_lock guard(block);
        mouse = {};
        keybuf.clear();
    }
    for (std::atomic<bool>& held : key) {
        held.store(false, std::memory_order_relaxed);
    }
    // Its storage too: clear() would keep room for the largest table any window ever had.
    std::vector<BitStruct>().swap(bit);
}

// A window the caller asked for.
struct OpenRequest {
    std::string title;
    std::uint32_t x = 0;
    std::uint32_t y = 0;
};

// One native window serves every window the caller opens: it changes title and size and shows
// the old picture until the new one is drawn, and the display never sees a window destroyed
// while SDL may still be sending it a wake-up. Full screen and the chosen multiple of the
// caller's size hold from window to window.
class NativeWindow {
  public:
    SDL_Window* Get() const { return window.get(); }

    // FALSE when it cannot be had; the caller's window then fails.
    bool Prepare(const OpenRequest& request) {
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

    // TRUE when it was hidden: a window already on screen keeps its picture and place.
    bool Show() {
        const bool hidden = (SDL_GetWindowFlags(window.get()) & SDL_WINDOW_HIDDEN) != 0;
        if (hidden) {
            SDL_ShowWindow(window.get());
        }
        SDL_RaiseWindow(window.get());
        return hidden;
    }

    void Hide() {
        if (window) {
            SDL_HideWindow(window.get());
        }
    }

    // The window's own keys. Full screen takes the whole desktop, the screen's mode unchanged.
    void Obey(WindowKey command) {
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

  private:
    bool FullScreen() const {
        return (SDL_GetWindowFlags(window.get()) & SDL_WINDOW_FULLSCREEN) != 0;
    }

    // Where the client area may lie: the desktop less its panels and the window's frame.
    std::optional<SDL_Rect> Room() const {
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

    // Sizes in halves of the caller's: the most that fits, and at least the caller's own.
    int LargestHalfSteps(const std::optional<SDL_Rect>& room) const {
        return room ? std::max(2, std::min(2 * room->w / pictureW, 2 * room->h / pictureH)) : 2;
    }

    // The chosen multiple, or the largest that fits.
    void Resize() {
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

    // A window grown past the edge of the desktop moves back onto it.
    void KeepOn(const SDL_Rect& room, int width, int height) {
        int x = 0;
        int y = 0;
        SDL_GetWindowPosition(window.get(), &x, &y);
        const int toX = std::max(room.x, std::min(x, room.x + room.w - width));
        const int toY = std::max(room.y, std::min(y, room.y + room.h - height));
        if (toX != x || toY != y) {
            SDL_SetWindowPosition(window.get(), toX, toY);
        }
    }

    WindowPtr window;
    int pictureW = 0;
    int pictureH = 0;
    int halfSteps = 2; // the player's choice, 2 for the caller's own size
};

class MessageLoop {
  public:
    MessageLoop(NativeWindow& nativeIn, int width, int height)
        : native(nativeIn), window(nativeIn.Get()), pictureW(width), pictureH(height) {}

    void Run() {
        SDL_Event event;
        while (!closeWanted.load(std::memory_order_acquire)) {
            if (SDL_WaitEvent(&event) == 1 && !Dispatch(event)) {
                return;
            }
        }
    }

    // The whole picture onto the screen, with the bars around it.
    void Paint() {
        const SDL_Surface* picture = nullptr;
        {
            const std::scoped_lock guard(lock);
            canvas->dirty.clear();
            CopyRect(canvas->shown.get(), canvas->presented.get(), {0, 0, pictureW, pictureH});
            picture = canvas->presented.get();
        }
        SDL_Surface* screen = SDL_GetWindowSurface(window);
        if (screen == nullptr) {
            return;
        }
        scaler.Fit(pictureW, pictureH, screen->w, screen->h);
        scaler.DrawAll(picture, screen);
        SDL_UpdateWindowSurface(window);
    }

  private:
    // FALSE once the window is to close.
    bool Dispatch(const SDL_Event& event) {
        const bool afterFocusGain = skipModifierPresses;
        skipModifierPresses = false;
        switch (event.type) {
        case SDL_QUIT:
            return false;
        case SDL_WINDOWEVENT:
            return OnWindowEvent(event.window);
        case SDL_KEYDOWN:
            // SDL presses the modifiers still held elsewhere as the focus comes back.
            if (afterFocusGain && IsModifier(event.key.keysym)) {
                skipModifierPresses = true;
                return true;
            }
            OnKeyDown(event.key);
            return true;
        case SDL_KEYUP:
            // SDL releases every held key as the focus leaves, just before it reports the
            // loss; a key let go in another window stays held here.
            if (!ReleasedByFocusLoss()) {
                OnKeyUp(event.key.keysym);
            }
            return true;
        case SDL_MOUSEMOTION:
            OnMouseMove(event.motion);
            return true;
        case SDL_MOUSEBUTTONDOWN:
            OnButtonDown(event.button);
            return true;
        case SDL_MOUSEBUTTONUP:
            OnButtonUp(event.button);
            return true;
        default:
            return event.type != RequestEvent() || OnRequest(Request{event.user.code});
        }
    }

    bool OnWindowEvent(const SDL_WindowEvent& event) {
        switch (event.event) {
        case SDL_WINDOWEVENT_CLOSE:
            return false;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            skipModifierPresses = true;
            return true;
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            Paint();
            return true;
        default:
            return true;
        }
    }

    bool OnRequest(Request request) {
        switch (request) {
        case Request::Present:
            Present();
            return true;
        case Request::Close:
            return false;
        case Request::Sync:
            syncHandled.fetch_add(1, std::memory_order_release);
            syncHandled.notify_all();
            return true;
        }
        return true;
    }

    void Present() {
        const SDL_Surface* picture = nullptr;
        {
            const std::scoped_lock guard(lock);
            canvas->presentRequested = false;
            parts.swap(canvas->dirty);
            canvas->dirty.clear();
            for (const SDL_Rect& part : parts) {
                CopyRect(canvas->shown.get(), canvas->presented.get(), part);
            }
            picture = canvas->presented.get();
        }
        SDL_Surface* screen = parts.empty() ? nullptr : SDL_GetWindowSurface(window);
        if (screen == nullptr) {
            return;
        }
        // The window has changed size since the last paint, and the bars with it.
        if (scaler.Fit(pictureW, pictureH, screen->w, screen->h)) {
            scaler.DrawAll(picture, screen);
            SDL_UpdateWindowSurface(window);
            return;
        }
        for (SDL_Rect& part : parts) {
            part = scaler.Covering(part);
            scaler.Draw(picture, screen, part);
        }
        SDL_UpdateWindowSurfaceRects(window, parts.data(), static_cast<int>(parts.size()));
    }

    static bool IsModifier(const SDL_Keysym& keysym) {
        return keysym.scancode >= SDL_SCANCODE_LCTRL && keysym.scancode <= SDL_SCANCODE_RGUI;
    }

    static bool ReleasedByFocusLoss() {
        constexpr int Ahead = 64;
        std::array<SDL_Event, Ahead> ahead{};
        const int queued =
            SDL_PeepEvents(ahead.data(), Ahead, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
        for (int i = 0; i < queued; ++i) {
            const SDL_Event& next = ahead[static_cast<std::size_t>(i)];
            if (next.type != SDL_KEYUP) {
                return next.type == SDL_WINDOWEVENT &&
                       next.window.event == SDL_WINDOWEVENT_FOCUS_LOST;
            }
        }
        return false;
    }

    void OnKeyDown(const SDL_KeyboardEvent& event) {
        const SDL_Keysym& keysym = event.keysym;
        if (const WindowKey command = WindowKeyOf(keysym); command != WindowKey::None) {
            if (event.repeat == 0) {
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

    // Also with Alt held, so that no key stays held for ever.
    static void OnKeyUp(const SDL_Keysym& keysym) {
        const std::uint32_t code = VirtualKey(keysym);
        if (code != 0) {
            key[code].store(false, std::memory_order_relaxed);
        }
    }

    void OnMouseMove(const SDL_MouseMotionEvent& motion) {
        const SDL_Point at = OnPicture(motion.x, motion.y);
        const std::scoped_lock guard(block);
        mouse.x = Unsigned16(at.x);
        mouse.y = Unsigned16(at.y);
    }

    void OnButtonDown(const SDL_MouseButtonEvent& button) {
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

    void OnButtonUp(const SDL_MouseButtonEvent& button) {
        if (button.button == SDL_BUTTON_LEFT) {
            left = false;
            Release(!right);
            MouseProc proc;
            {
                const std::scoped_lock guard(block);
                proc = mouse.LeftUpProc;
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

    // Capture is best effort: a driver without it just reports nothing outside the window.
    static void Capture(bool wanted) {
        if (wanted) {
            SDL_CaptureMouse(SDL_TRUE);
        }
    }
    static void Release(bool wanted) {
        if (wanted) {
            SDL_CaptureMouse(SDL_FALSE);
        }
    }

    // Mouse positions come in the window's own units, which on a high-density display need not
    // be the surface's pixels.
    SDL_Point OnPicture(int x, int y) const {
        int w = 0;
        int h = 0;
        SDL_GetWindowSize(window, &w, &h);
        return ToPicture(Fit(pictureW, pictureH, w, h), x, y);
    }

    NativeWindow& native;
    SDL_Window* window;
    int pictureW;
    int pictureH;
    Scaler scaler;
    bool left = false;
    bool right = false;
    bool skipModifierPresses = false;
    std::vector<SDL_Rect> parts; // being presented
};

// Tells the caller the window it asked for is answered: set up (`to` STATE_ACTIVE) or failed.
void Answer(WinState to) {
    state.store(to, std::memory_order_release);
    state.notify_all();
    windowsAnswered.fetch_add(1, std::memory_order_release);
    windowsAnswered.notify_all();
}

// What is left in the event queue belongs to the previous window, but for the window events:
// a close box clicked between two screens still ends the program.
void FlushStaleEvents() {
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_WINDOWEVENT - 1);
    SDL_FlushEvents(SDL_WINDOWEVENT + 1, SDL_LASTEVENT);
}

// The state of the caller's window changes only under `lock`; an interrupted program opens no
// more windows.
bool GoActive(std::unique_ptr<Canvas> created) {
    const std::scoped_lock guard(lock);
    if (interrupted) {
        return false;
    }
    canvas = std::move(created);
    closeWanted.store(false, std::memory_order_relaxed);
    keepShown = false;
    Answer(STATE_ACTIVE);
    return true;
}

void TearDown(NativeWindow& native) {
    bool hide = false;
    {
        const std::scoped_lock guard(lock);
        closing = true;
        hide = !keepShown;
    }
    if (hide) {
        native.Hide();
    }
    {
        const std::scoped_lock guard(lock);
        FreeWindow();
        FlushStaleEvents();
        state.store(STATE_DEAD, std::memory_order_release);
        closing = false;
        syncHandled.store(syncRequested, std::memory_order_release);
    }
    state.notify_all();
    syncHandled.notify_all();
}

// Sets up the caller's window, runs it until it closes and tears it down; FALSE if it could
// not be set up.
bool RunWindow(const OpenRequest& request, VideoSession& video, NativeWindow& native) {
    if (request.x > MaxWindowSide || request.y > MaxWindowSide || !video.Start()) {
        return false;
    }
    RequestEvent();
    if (!native.Prepare(request)) {
        return false;
    }
    const int width = static_cast<int>(request.x);
    const int height = static_cast<int>(request.y);
    std::unique_ptr<Canvas> created = Reuse(width, height);
    const bool fresh = !created;
    if (fresh) {
        created = Init(width, height);
    }
    if (!created || SDL_GetWindowSurface(native.Get()) == nullptr) {
        return false;
    }
    FlushStaleEvents();
    SDL_StopTextInput();
    const bool newlyShown = native.Show();
    MessageLoop loop(native, width, height);
    if (!GoActive(std::move(created))) {
        native.Hide();
        return false;
    }
    // A new canvas starts black, whatever the screen showed before.
    if (newlyShown || fresh) {
        loop.Paint();
    }
    loop.Run();
    TearDown(native);
    return true;
}

// SDL keeps per-thread data (its error text) that it frees itself only for its own threads.
struct SdlThreadData {
    SdlThreadData() = default;
    SdlThreadData(const SdlThreadData&) = delete;
    SdlThreadData& operator=(const SdlThreadData&) = delete;
    ~SdlThreadData() { SDL_TLSCleanup(); }
};

// The window thread: started with the first window and kept until the program ends, so SDL's
// video starts and stops once, on this thread alone.
class WindowThread {
  public:
    WindowThread() = default;
    WindowThread(const WindowThread&) = delete;
    WindowThread& operator=(const WindowThread&) = delete;

    // The X library calls exit() on the window thread when the display goes away; that thread
    // can never wait for itself.
    ~WindowThread() {
        if (!thread.joinable()) {
            return;
        }
        if (std::this_thread::get_id() == thread.get_id()) {
            thread.detach();
            return;
        }
        KillWindow();
        {
            const std::scoped_lock guard(mutex);
            stopping = true;
        }
        wake.notify_one();
        thread.join();
    }

    // FALSE when the thread cannot be started.
    bool Open(OpenRequest request) {
        {
            const std::scoped_lock guard(mutex);
            next = std::move(request);
        }
        if (!thread.joinable()) {
            try {
                thread = std::thread(&WindowThread::Main, this);
            } catch (const std::system_error&) {
                const std::scoped_lock guard(mutex);
                next.reset();
                return false;
            }
        }
        wake.notify_one();
        return true;
    }

  private:
    void Main() {
        const SdlThreadData threadData;
        VideoSession video;
        NativeWindow native;
        for (std::optional<OpenRequest> request = Next(); request; request = Next()) {
            if (!RunWindow(*request, video, native)) {
                Answer(STATE_ERROR);
            }
        }
    }

    std::optional<OpenRequest> Next() {
        std::unique_lock guard(mutex);
        wake.wait(guard, [this] { return stopping || next.has_value(); });
        std::optional<OpenRequest> request;
        request.swap(next);
        return request;
    }

    std::mutex mutex;
    std::condition_variable wake;
    std::optional<OpenRequest> next;
    bool stopping = false;
    std::thread thread;
};

// Last of the module's state, so it is the first to go at exit.
WindowThread windowThread;

// Asks the open window to close, under `lock`. The wake-up may find the event queue full: the
// window thread is then busy with it and sees the request after its next event.
void RequestClose(bool keep) {
    closeWanted.store(true, std::memory_order_release);
    keepShown = keep;
    PushRequest(Request::Close);
}

// Closes the open window; `keep` leaves it on screen for the window that follows.
void CloseWindow(bool keep) {
    {
        const std::scoped_lock guard(lock);
        if (state.load(std::memory_order_relaxed) != STATE_ACTIVE) {
            return;
        }
        RequestClose(keep);
    }
    WaitWhile(STATE_ACTIVE);
}

} // namespace

void Init() {}

void Window(std::string_view title, std::uint32_t x, std::uint32_t y) {
    CloseWindow(true);
    const std::uint64_t asked = ++windowsAsked;
    // SDL makes a window of no size one pixel; so is its picture.
    if (!windowThread.Open({UpToNul(title), std::max(x, 1U), std::max(y, 1U)})) {
        lastWindowFailed = true;
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, "Error", "Can't create window.", nullptr);
        return;
    }
    for (std::uint64_t answered = windowsAnswered.load(std::memory_order_acquire); answered < asked;
         answered = windowsAnswered.load(std::memory_order_acquire)) {
        windowsAnswered.wait(answered, std::memory_order_acquire);
    }
    WinState failed = STATE_ERROR;
    lastWindowFailed = state.compare_exchange_strong(failed, STATE_DEAD, std::memory_order_acq_rel);
}

void KillWindow() {
    CloseWindow(false);
}

bool WindowFailed() {
    return lastWindowFailed;
}

void Interrupt() {
    const std::scoped_lock guard(lock);
    interrupted = true;
    if (state.load(std::memory_order_relaxed) == STATE_ACTIVE) {
        RequestClose(false);
    }
}

bool WindowOpen() {
    return Active();
}

bool KeyDown(std::uint32_t k) {
    return k < key.size() && key[k].load(std::memory_order_relaxed);
}

bool GetKeyPressed(std::uint32_t& pressed) {
    std::list<std::uint32_t> oldest; // freed after the lock is let go
    {
        const std::scoped_lock guard(block);
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
    const std::scoped_lock guard(block);
    all.swap(keybuf);
}

void MousePos(std::int32_t& x, std::int32_t& y) {
    const std::scoped_lock guard(block);
    x = mouse.x;
    y = mouse.y;
}

void OnMouseLeftUp(MouseProc proc) {
    const std::scoped_lock guard(block);
    mouse.LeftUpProc = std::move(proc);
}

// Every drawing operation has already copied what it touched to the window surface, so all
// that can lag behind is the screen.
void UpdateWindow() {
    const std::scoped_lock guard(lock);
    if (state.load(std::memory_order_relaxed) == STATE_ACTIVE && !canvas->dirty.empty()) {
        RequestPresent(*canvas);
    }
}

void ClearScreen() {
    DrawAndShow([](Canvas& c) {
        return DrawRectangle(c.backBuffer.get(), {0, 0, c.backBuffer->w, c.backBuffer->h},
                             ToPixel(0), true);
    });
}

void Rectangle(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1,
               std::uint32_t color, bool fill) {
    const auto [left, right] = std::minmax(x0, x1);
    const auto [top, bottom] = std::minmax(y0, y1);
    // Named before the lambda: clang 14 cannot capture structured bindings.
    const Box box{left, top, right, bottom};
    DrawAndShow([&](Canvas& c) {
        return DrawRectangle(c.backBuffer.get(), box, ToPixel(CreateColor(color)), fill);
    });
}

void SetFont(std::uint32_t style, std::uint32_t color) {
    font.style = style;
    font.color = CreateColor(color);
}

void Text(std::string_view text, std::int32_t x, std::int32_t y) {
    const std::string line = UpToNul(text);
    if (line.empty()) {
        return;
    }
    DrawAndShow([&](Canvas& c) -> SDL_Rect {
        TTF_Font* face = c.fonts.Get(font.style);
        if (face == nullptr) {
            return {};
        }
        const SurfacePtr glyphs{TTF_RenderText_Blended(face, line.c_str(), TextColor(font.color))};
        if (!glyphs) {
            return {};
        }
        return Blit(glyphs.get(), c.backBuffer.get(), x, y);
    });
}

void TextInt(std::int32_t number, std::int32_t x, std::int32_t y) {
    std::array<char, 12> text{};
    const auto result = std::to_chars(text.data(), text.data() + text.size(), number);
    Text(std::string_view(text.data(), static_cast<std::size_t>(result.ptr - text.data())), x, y);
}

void TextCard(std::uint32_t number, std::int32_t x, std::int32_t y) {
    TextInt(static_cast<std::int32_t>(number), x, y);
}

void GetTextSize(std::string_view text, std::uint32_t style, std::uint32_t& width,
                 std::uint32_t& height) {
    width = 0;
    height = 0;
    const std::string line = UpToNul(text);
    const std::scoped_lock guard(lock);
    if (state.load(std::memory_order_relaxed) != STATE_ACTIVE) {
        return;
    }
    TTF_Font* face = canvas->fonts.Get(style);
    int w = 0;
    int h = 0;
    if (face == nullptr || TTF_SizeText(face, line.c_str(), &w, &h) != 0) {
        return;
    }
    // The cell of the font, whatever the characters reach.
    width = static_cast<std::uint32_t>(w);
    height = static_cast<std::uint32_t>(canvas->fonts.CellHeight(style));
}

std::uint32_t LoadBitmap(std::string_view file, std::uint32_t width, std::uint32_t height) {
    SurfacePtr picture = LoadPicture(UpToNul(file), width, height);
    if (!picture) {
        return 0;
    }
    const std::scoped_lock guard(lock);
    bit.push_back({std::move(picture), width, height});
    return static_cast<std::uint32_t>(bit.size());
}

void DrawBitmap(std::uint32_t bitmap, std::int32_t x, std::int32_t y) {
    DrawAndShow([&](Canvas& c) -> SDL_Rect {
        const BitStruct* e = Entry(bitmap);
        return e != nullptr ? Blit(e->hbit.get(), c.backBuffer.get(), x, y) : SDL_Rect{};
    });
}

void DrawMaskBitmap(std::uint32_t bitmap, std::uint32_t maskbitmap, std::int32_t x,
                    std::int32_t y) {
    DrawAndShow([&](Canvas& c) -> SDL_Rect {
        const BitStruct* e = Entry(bitmap);
        const BitStruct* m = Entry(maskbitmap);
        if (e == nullptr || m == nullptr) {
            return {};
        }
        return MaskedCopy(e->hbit.get(), m->hbit.get(), c.backBuffer.get(), x, y);
    });
}

namespace Testing {
namespace {

std::optional<std::uint32_t> Pixel(SurfacePtr Canvas::*surface, std::int32_t x, std::int32_t y) {
    const std::scoped_lock guard(lock);
    if (state.load(std::memory_order_relaxed) != STATE_ACTIVE) {
        return std::nullopt;
    }
    const SDL_Surface* s = ((*canvas).*surface).get();
    if (x < 0 || y < 0 || x >= s->w || y >= s->h) {
        return std::nullopt;
    }
    return ToColor(ReadPixel(s, x, y));
}

} // namespace

std::optional<std::uint32_t> BackBufferPixel(std::int32_t x, std::int32_t y) {
    return Pixel(&Canvas::backBuffer, x, y);
}

std::optional<std::uint32_t> WindowPixel(std::int32_t x, std::int32_t y) {
    return Pixel(&Canvas::shown, x, y);
}

void WaitUntilHandled() {
    std::uint64_t ticket = 0;
    {
        const std::scoped_lock guard(lock);
        if (state.load(std::memory_order_relaxed) != STATE_ACTIVE || !PushRequest(Request::Sync)) {
            return;
        }
        ticket = ++syncRequested;
    }
    for (std::uint64_t handled = syncHandled.load(std::memory_order_acquire); handled < ticket;
         handled = syncHandled.load(std::memory_order_acquire)) {
        syncHandled.wait(handled, std::memory_order_acquire);
    }
}

} // namespace Testing

} // namespace Wimdows
