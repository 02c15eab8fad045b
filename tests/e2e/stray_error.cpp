// An X protocol error about a window that is gone, as SDL's wake-up to a destroyed window
// causes: reported when the connection that sent the request is closed. With the window
// library's handlers the program goes on ("gone"); any other error still ends it ("other"), at
// once: what runs at exit, as the program's destructors, does not run.
#include "wimdows/XErrors.hpp"

#include <X11/Xlib.h>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

int SendToGoneWindow(Display* display) {
    const Window gone =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 10, 10, 0, 0, 0);
    XDestroyWindow(display, gone);
    XSync(display, False);
    Display* requests = XOpenDisplay(nullptr);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.format = 8;
    XSendEvent(requests, gone, False, NoEventMask, &event);
    XCloseDisplay(requests);
    return 0;
}

int AskForAnAtomThatIsNot(Display* display) {
    XFree(XGetAtomName(display, static_cast<Atom>(0x7FFFFFFF)));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string_view mode = argc == 2 ? argv[1] : "";
    std::atexit([] { std::fputs("ran what runs at exit\n", stderr); });
    Wimdows::ForgiveErrorsOnGoneWindows();
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr || (mode != "gone" && mode != "other")) {
        std::fputs("usage: stray_error gone|other, with a display\n", stderr);
        return 2;
    }
    const int status = mode == "gone" ? SendToGoneWindow(display) : AskForAnAtomThatIsNot(display);
    XCloseDisplay(display);
    return status;
}
