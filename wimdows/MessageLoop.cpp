#include "wimdows/MessageLoop.hpp"

#include "wimdows/LostDisplay.hpp"
#include "wimdows/Preferences.hpp"
#include "wimdows/Question.hpp"
#include "wimdows/Shared.hpp"

namespace Wimdows {
namespace {

bool PushReply() {
    const std::scoped_lock guard(windowMutex);
    return PushRequest(Request::SyncReply);
}

void Reply() {
    syncHandled.FetchAdd(1, std::memory_order_release);
    syncHandled.NotifyAll();
}

Ending ClosedByUser() {
    return HoldClose() ? Ending::None : Ending::ByUser;
}

} // namespace

Ending MessageLoop::Run() {
    SDL_Event event;
    while (!closeWanted.load(std::memory_order_acquire)) {
        pads.Tick();
        if (SDL_WaitEventTimeout(&event, pads.WaitMs()) != 1) {
            continue;
        }
        if (const Ending ending = Dispatch(event); ending != Ending::None) {
            return ending;
        }
    }
    return Ending::ByCaller;
}

Ending MessageLoop::Dispatch(const SDL_Event& event) {
    input.Take(event);
    pads.Take(event);
    switch (event.type) {
    case SDL_QUIT:
        if (WaylandGone(native.Get())) {
            EndAsHungUp();
        }
        return ClosedByUser();
    case SDL_WINDOWEVENT:
        return OnWindowEvent(event.window);
    case SDL_SYSWMEVENT:
        return SessionEnding(event) ? Ending::ByUser : Ending::None;
    default:
        return event.type == RequestEvent() ? OnRequest(Request{event.user.code}) : Ending::None;
    }
}

Ending MessageLoop::OnWindowEvent(const SDL_WindowEvent& event) {
    switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
        return ClosedByUser();
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        native.Resized(event.data1, event.data2);
        presenter.Paint();
        return Ending::None;
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_RESTORED:
        presenter.Paint();
        return Ending::None;
    case SDL_WINDOWEVENT_MOVED:
        native.Pixels().Reshow();
        return Ending::None;
    default:
        return Ending::None;
    }
}

Ending MessageLoop::OnRequest(Request request) {
    switch (request) {
    case Request::Present:
        presenter.Present();
        return Ending::None;
    case Request::Close:
        return Ending::ByCaller;
    case Request::Sync:
        // A pad changes only as it is read: what it did before the request is handled before
        // the reply.
        pads.Read();
        if (!PushReply()) {
            Reply();
        }
        return Ending::None;
    case Request::SyncReply:
        Reply();
        return Ending::None;
    case Request::Ask:
        AnswerQuestion(native.Get());
        return Ending::None;
    }
    return Ending::None;
}

} // namespace Wimdows
