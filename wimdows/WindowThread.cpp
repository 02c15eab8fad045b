#include "wimdows/WindowThread.hpp"

#include "wimdows/Gamepad.hpp"
#include "wimdows/Input.hpp"
#include "wimdows/MessageLoop.hpp"
#include "wimdows/Shared.hpp"
#include "wimdows/VideoSession.hpp"

#include <condition_variable>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>

namespace Wimdows {
namespace {

// The canvas of the last window, kept by the window thread for the next one.
std::unique_ptr<Canvas> spare;

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

// Under `windowMutex`, with the state changed to STATE_DEAD before the lock is let go.
void FreeWindow() {
    // The parts the screen has not had yet stay marked, for the next window's first present.
    canvas->presentRequested = false;
    spare = std::move(canvas);
    ClearInput();
    // Its storage too: clear() would keep room for the largest table any window ever had.
    std::vector<BitStruct>().swap(bit);
}

// Tells the caller the window it asked for is answered: set up (`to` STATE_ACTIVE) or failed.
void Answer(WinState to) {
    state.Store(to, std::memory_order_release);
    state.NotifyAll();
    windowsAnswered.FetchAdd(1, std::memory_order_release);
    windowsAnswered.NotifyAll();
}

// What is left in the event queue belongs to the previous window, but for a quit request and
// the window events: a close box clicked between two screens still ends the program.
void FlushStaleEvents() {
    SDL_FlushEvents(SDL_QUIT + 1, SDL_WINDOWEVENT - 1);
    SDL_FlushEvents(SDL_WINDOWEVENT + 1, SDL_LASTEVENT);
}

bool Interrupted() {
    const std::scoped_lock guard(windowMutex);
    return interrupted;
}

// The state of the caller's window changes only under `windowMutex`; an interrupted program opens
// no more windows.
bool GoActive(std::unique_ptr<Canvas> created) {
    const std::scoped_lock guard(windowMutex);
    if (interrupted) {
        return false;
    }
    canvas = std::move(created);
    closeWanted.store(false, std::memory_order_relaxed);
    keepShown = false;
    Answer(STATE_ACTIVE);
    return true;
}

// A window the user closed goes from the screen at once, even if the caller was just then
// closing it for the next screen.
void TearDown(NativeWindow& native, Ending ending) {
    const bool byUser = ending == Ending::ByUser;
    bool hide = false;
    {
        const std::scoped_lock guard(windowMutex);
        closing = true;
        hide = byUser || !keepShown;
    }
    if (hide) {
        native.Hide();
    }
    {
        const std::scoped_lock guard(windowMutex);
        FreeWindow();
        FlushStaleEvents();
        closedByUser = closedByUser || byUser;
        state.Store(STATE_DEAD, std::memory_order_release);
        closing = false;
        syncHandled.Store(syncRequested, std::memory_order_release);
        askHandled.Store(askRequested, std::memory_order_release);
    }
    state.NotifyAll();
    syncHandled.NotifyAll();
    askHandled.NotifyAll();
}

enum class Outcome { Closed, Failed, Refused };

// Sets up the caller's window, runs it until it closes and tears it down. A window that could
// not be set up, or that an interrupted program refuses, leaves the native window to be hidden.
Outcome RunWindow(const OpenRequest& request, VideoSession& video, Gamepads& pads,
                  NativeWindow& native) {
    if (request.x > MaxWindowSide || request.y > MaxWindowSide || !video.Start()) {
        return Outcome::Failed;
    }
    pads.Start();
    RequestEvent();
    if (!native.Prepare(request)) {
        return Outcome::Failed;
    }
    const int width = static_cast<int>(request.x);
    const int height = static_cast<int>(request.y);
    std::unique_ptr<Canvas> created = Reuse(width, height);
    const bool fresh = !created;
    if (fresh) {
        created = Init(width, height);
    }
    if (!created || native.Pixels().Get() == nullptr) {
        return Outcome::Failed;
    }
    FlushStaleEvents();
    pads.Begin();
    SDL_StopTextInput();
    // Setting up the first window takes long enough for a signal to come meanwhile.
    if (Interrupted()) {
        return Outcome::Refused;
    }
    const bool newlyShown = native.Show();
    MessageLoop loop(native, pads, width, height);
    if (!GoActive(std::move(created))) {
        return Outcome::Refused;
    }
    // A new canvas starts black, whatever the screen showed before.
    if (newlyShown || fresh) {
        loop.Paint();
    }
    TearDown(native, loop.Run());
    return Outcome::Closed;
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
        Gamepads pads;
        NativeWindow native;
        for (std::optional<OpenRequest> request = Next(); request; request = Next()) {
            // The previous screen's window stays on screen for the next one, but not for a
            // window that does not open: nobody would serve it.
            const Outcome outcome = RunWindow(*request, video, pads, native);
            if (outcome != Outcome::Closed) {
                native.Hide();
                Answer(outcome == Outcome::Failed ? STATE_ERROR : STATE_DEAD);
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

} // namespace

// Made on first use, after the state it serves, so it is the first to go at exit.
bool OpenOnWindowThread(OpenRequest request) {
    static WindowThread windowThread;
    return windowThread.Open(std::move(request));
}

} // namespace Wimdows
