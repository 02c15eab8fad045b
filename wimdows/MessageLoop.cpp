#include "wimdows/MessageLoop.hpp"

#include "wimdows/Shared.hpp"

namespace Wimdows {

void MessageLoop::Run() {
    SDL_Event event;
    while (!closeWanted.load(std::memory_order_acquire)) {
        if (SDL_WaitEvent(&event) == 1 && !Dispatch(event)) {
            return;
        }
    }
}

bool MessageLoop::Dispatch(const SDL_Event& event) {
    input.Take(event);
    switch (event.type) {
    case SDL_QUIT:
        return false;
    case SDL_WINDOWEVENT:
        return OnWindowEvent(event.window);
    default:
        return event.type != RequestEvent() || OnRequest(Request{event.user.code});
    }
}

bool MessageLoop::OnWindowEvent(const SDL_WindowEvent& event) {
    switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
        return false;
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        presenter.Paint();
        return true;
    default:
        return true;
    }
}

bool MessageLoop::OnRequest(Request request) {
    switch (request) {
    case Request::Present:
        presenter.Present();
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

} // namespace Wimdows
