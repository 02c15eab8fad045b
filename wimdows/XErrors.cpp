#include "wimdows/XErrors.hpp"

#include <X11/Xlib.h>
#include <atomic>

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

} // namespace

void ForgiveErrorsOnGoneWindows() {
    if (!installed.exchange(true)) {
        previous.store(XSetErrorHandler(Forgive));
    }
}

} // namespace Wimdows
