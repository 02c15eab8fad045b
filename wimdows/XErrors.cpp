#include "wimdows/XErrors.hpp"

#include <X11/Xlib.h>
#include <atomic>
#include <csignal>
#include <pthread.h>

namespace Wimdows {
namespace {

using Handler = int (*)(Display*, XErrorEvent*);

std::atomic<Handler> previous{nullptr};
std::atomic<bool> installed{false};

// A request can reach the server after the window it names, as a window or as a drawable, was
// destroyed (SDL wakes its event loop by sending an event to a window from a second
// connection); nothing is lost by it.
int Forgive(Display* display, XErrorEvent* error) {
    if (error->error_code == BadWindow || error->error_code == BadDrawable) {
        return 0;
    }
    const Handler next = previous.load();
    return next != nullptr ? next(display, error) : 0;
}

// The display has gone away, as at the end of a login session. The X library would print a
// line and call exit() on whichever thread noticed, running the program's destructors under
// the feet of the others; instead the program ends at once as a hang-up ends it.
int HangUp(Display* /*display*/) {
    std::signal(SIGHUP, SIG_DFL);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGHUP);
    pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
    std::raise(SIGHUP);
    return 0;
}

} // namespace

void ForgiveErrorsOnGoneWindows() {
    if (!installed.exchange(true)) {
        previous.store(XSetErrorHandler(Forgive));
        XSetIOErrorHandler(HangUp);
    }
}

} // namespace Wimdows
