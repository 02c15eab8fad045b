#include "wimdows/XErrors.hpp"

#include "wimdows/LostDisplay.hpp"

#include <X11/Xlib.h>
#include <array>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace Wimdows {
namespace {

std::atomic<bool> installed{false};

// Any other error is a fault the program cannot go on from. The X library's own handler would
// call exit() on the window thread, running the program's destructors under the feet of the
// others; instead the program ends at once, as on a lost display, after one line that names it.
[[noreturn]] void EndOn(Display* display, const XErrorEvent& error) {
    std::array<char, 160> text{};
    XGetErrorText(display, error.error_code, text.data(), static_cast<int>(text.size()));
    std::fprintf(stderr, "%s: X error: %s (request %d.%d)\n", program_invocation_short_name,
                 text.data(), error.request_code, error.minor_code);
    std::_Exit(1);
}

// A request can reach the server after the window it names, as a window or as a drawable, was
// destroyed (SDL wakes its event loop by sending an event to a window from a second
// connection); nothing is lost by it.
int Forgive(Display* display, XErrorEvent* error) {
    if (error->error_code == BadWindow || error->error_code == BadDrawable) {
        return 0;
    }
    EndOn(display, *error);
}

// The X library would print a line and call exit() on whichever thread noticed.
int HangUp(Display* /*display*/) {
    EndAsHungUp();
}

} // namespace

void ForgiveErrorsOnGoneWindows() {
    if (!installed.exchange(true)) {
        XSetErrorHandler(Forgive);
        XSetIOErrorHandler(HangUp);
    }
}

} // namespace Wimdows
