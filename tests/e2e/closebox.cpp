// Asks a window to close the way a window manager's close box does: the WM_DELETE_WINDOW
// client message of the ICCCM. Usage: closebox WINDOW-ID
#include <X11/Xlib.h>
#include <cstdio>
#include <cstdlib>
#include <memory>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: closebox WINDOW-ID\n", stderr);
        return 2;
    }
    const std::unique_ptr<Display, decltype(&XCloseDisplay)> display(XOpenDisplay(nullptr),
                                                                     XCloseDisplay);
    if (!display) {
        std::fputs("closebox: cannot open the display\n", stderr);
        return 1;
    }
    const auto window = static_cast<Window>(std::strtoul(argv[1], nullptr, 0));
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display.get(), "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] =
        static_cast<long>(XInternAtom(display.get(), "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display.get(), window, False, NoEventMask, &event);
    XSync(display.get(), False);
    return 0;
}
