#include "wimdows/Shared.hpp"

namespace Wimdows {

Waitable<WinState> state{STATE_DEAD};
Waitable<std::uint64_t> windowsAnswered{0};

std::mutex windowMutex;
std::unique_ptr<Canvas> canvas;
std::vector<BitStruct> bit;
std::uint64_t syncRequested = 0;
Waitable<std::uint64_t> syncHandled{0};
std::uint64_t askRequested = 0;
Waitable<std::uint64_t> askHandled{0};
bool closing = false;
std::atomic<bool> closeWanted{false};
bool keepShown = false;
bool interrupted = false;
bool closedByUser = false;

std::array<std::atomic<bool>, 256> key{};

std::mutex inputMutex;
std::list<std::uint32_t> keybuf;
MouseStruct mouse;

std::string UpToNul(std::string_view text) {
    return std::string(text.substr(0, text.find('\0')));
}

bool Active() {
    return state.Load(std::memory_order_acquire) == STATE_ACTIVE;
}

Uint32 RequestEvent() {
    static const Uint32 type = [] {
        const Uint32 registered = SDL_RegisterEvents(1);
        return registered == static_cast<Uint32>(-1) ? Uint32{SDL_USEREVENT} : registered;
    }();
    return type;
}

// SDL wakes the window thread by sending an X event to the window, and a window already
// destroyed makes that a protocol error.
bool PushRequest(Request request) {
    if (closing) {
        return false;
    }
    SDL_Event event{};
    event.type = RequestEvent();
    event.user.code = static_cast<Sint32>(request);
    return SDL_PushEvent(&event) == 1;
}

} // namespace Wimdows
