// Asks a window to close the way a desktop does. By default, as a window manager's close box:
// the WM_DELETE_WINDOW client message of the ICCCM, sent to the window itself. With --wm, as a
// taskbar or pager: a _NET_CLOSE_WINDOW request to the root window, which the window manager
// turns into its own close of the (reparented) window.
// Usage: closebox [--wm] WINDOW-ID
#include <X11/Xlib.h>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string_view>

int main(int argc, char** argv) {
    const bool viaManager = argc == 3 && std::string_view(argv[1]) == "--wm";
    if (argc != 2 && !viaManager) {
        std::fputs("usage: closebox [--wm] WINDOW-ID\n", stderr);
        return 2;
    }
    const std::unique_ptr<Display, decltype(&XCloseDisplay)> display(XOpenDisplay(nullptr),
                                                                     XCloseDisplay);
    if (!display) {
        std::fputs("closebox: cannot open the display\n", stderr);
        return 1;
    }
    Display* d = display.get();
    const auto window = static_cast<Window>(std::strtoul(argv[argc - 1], nullptr, 0));
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.format = 32;
    if (viaManager) {
        // Source indication 2: a pager or taskbar, which window managers obey without question.
        event.xclient.message_type = XInternAtom(d, "_NET_CLOSE_WINDOW", False);
        event.xclient.data.l[0] = CurrentTime;
        event.xclient.data.l[1] = 2;
        XSendEvent(d, DefaultRootWindow(d), False,
                   SubstructureRedirectMask | SubstructureNotifyMask, &event);
    } else {
        event.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
        event.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(d, window, False, NoEventMask, &event);
    }
    XSync(d, False);
    return 0;
}
