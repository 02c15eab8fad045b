// Times how long until a picture is on the screen, read from the X server's own pixels: a
// screen counts as drawn once every probe pixel of the window with the given title shows the
// colour of the picture's BMP. Probes lie outside the menu buttons, which are drawn over the
// picture (the start and sub menus' column at x 110..360, Back and Quit from (750, 550)).
//
//   drawn wait TITLE BMP SINCE-US   ms from SINCE-US (µs since the epoch) until TITLE shows BMP
//   drawn click FROM X Y TITLE BMP  clicks (X, Y) in the window FROM and prints the ms from the
//                                   click until TITLE shows BMP; probes only pixels BMP changes
//   drawn key TITLE KEY X Y BMP     presses KEY (an X key name) in the window TITLE and prints the
//                                   ms until it shows BMP, a button's picture, at (X, Y); probes
//                                   only pixels BMP changes
// Prints the figure on standard output; status 1 when the picture is not there within 10 s.
#include "wimdows/Sdl.hpp"

#include <SDL.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::system_clock;
using std::chrono::milliseconds;

struct Point {
    int x = 0;
    int y = 0;
    Uint32 rgb = 0;
};

// The window may be unmapped or gone between two looks: such errors only mean "not yet".
int IgnoreError(Display*, XErrorEvent*) {
    return 0;
}

std::optional<Window> Find(Display* d, Window w, std::string_view title) {
    char* name = nullptr;
    if (XFetchName(d, w, &name) != 0 && name != nullptr) {
        const bool match = title == name;
        XFree(name);
        if (match) {
            return w;
        }
    }
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(d, w, &root, &parent, &children, &count) == 0) {
        return std::nullopt;
    }
    std::optional<Window> found;
    for (unsigned i = 0; i < count && !found; ++i) {
        found = Find(d, children[i], title);
    }
    if (children != nullptr) {
        XFree(children);
    }
    return found;
}

std::optional<Uint32> Pixel(Display* d, Window w, int x, int y) {
    XImage* image = XGetImage(d, w, x, y, 1, 1, AllPlanes, ZPixmap);
    if (image == nullptr) {
        return std::nullopt;
    }
    const unsigned long p = XGetPixel(image, 0, 0);
    const auto channel = [p](unsigned long mask) {
        unsigned long v = p & mask;
        while (mask != 0 && (mask & 1) == 0) {
            mask >>= 1;
            v >>= 1;
        }
        return static_cast<Uint32>(v);
    };
    const Uint32 rgb = channel(image->red_mask) << 16 | channel(image->green_mask) << 8 |
                       channel(image->blue_mask);
    XDestroyImage(image);
    return rgb;
}

bool Near(Uint32 a, Uint32 b) {
    for (int shift = 0; shift < 24; shift += 8) {
        const int d = static_cast<int>((a >> shift) & 0xff) - static_cast<int>((b >> shift) & 0xff);
        if (d > 8 || d < -8) {
            return false;
        }
    }
    return true;
}

using Wimdows::SurfacePtr;

SurfacePtr LoadRgb(const char* bmp) {
    const SurfacePtr loaded(SDL_LoadBMP(bmp));
    if (!loaded) {
        std::fprintf(stderr, "drawn: %s: %s\n", bmp, SDL_GetError());
        std::exit(2);
    }
    return SurfacePtr{SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_RGB888, 0)};
}

Uint32 ColourAt(const SDL_Surface* picture, int x, int y) {
    const auto* row = static_cast<const Uint8*>(picture->pixels) + y * picture->pitch;
    Uint32 rgb = 0;
    SDL_memcpy(&rgb, row + x * 4, sizeof rgb);
    return rgb & 0xffffff;
}

// Candidate probes on a grid away from the buttons, with the BMP's colour at each.
std::vector<Point> Probes(const char* bmp) {
    const SurfacePtr picture = LoadRgb(bmp);
    std::vector<Point> points;
    for (int y = 15; y < picture->h - 10; y += 45) {
        for (int x = 400; x < picture->w - 10; x += 45) {
            if (x < 740 || y < 540) {
                points.push_back({x, y, ColourAt(picture.get(), x, y)});
            }
        }
    }
    return points;
}

// Probes all over a button's picture drawn at (atX, atY).
std::vector<Point> ButtonProbes(const char* bmp, int atX, int atY) {
    const SurfacePtr picture = LoadRgb(bmp);
    std::vector<Point> points;
    for (int y = 5; y < picture->h - 5; y += 8) {
        for (int x = 5; x < picture->w - 5; x += 12) {
            points.push_back({atX + x, atY + y, ColourAt(picture.get(), x, y)});
        }
    }
    return points;
}

// Only the pixels a new picture changes tell it has come.
std::vector<Point> Changing(Display* d, Window w, const std::vector<Point>& probes) {
    std::vector<Point> changing;
    for (const Point& p : probes) {
        if (const auto now = Pixel(d, w, p.x, p.y); now && !Near(*now, p.rgb)) {
            changing.push_back(p);
        }
    }
    if (changing.empty()) {
        std::fputs("drawn: the window shows the picture already\n", stderr);
        std::exit(1);
    }
    return changing;
}

// Every pixel asked for is a round trip to the server: a few, spread over the candidates, keep
// a look at the screen well under a millisecond.
std::vector<Point> Few(const std::vector<Point>& probes) {
    constexpr std::size_t Wanted = 16;
    if (probes.size() <= Wanted) {
        return probes;
    }
    std::vector<Point> few;
    for (std::size_t i = 0; i < Wanted; ++i) {
        few.push_back(probes[i * probes.size() / Wanted]);
    }
    return few;
}

bool Shows(Display* d, Window w, const std::vector<Point>& probes) {
    for (const Point& p : probes) {
        const auto rgb = Pixel(d, w, p.x, p.y);
        if (!rgb || !Near(*rgb, p.rgb)) {
            return false;
        }
    }
    return true;
}

// Polls every millisecond until the window titled `title` shows the probes; the time it did.
std::optional<Clock::time_point> WaitDrawn(Display* d, std::string_view title,
                                           const std::vector<Point>& probes) {
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    std::optional<Window> w;
    while (Clock::now() < deadline) {
        // A walk of the whole tree costs a round trip a window: only while the title is not
        // where it was last seen.
        if (!w || Find(d, *w, title) != w) {
            w = Find(d, DefaultRootWindow(d), title);
        }
        if (w && Shows(d, *w, probes)) {
            return Clock::now();
        }
        std::this_thread::sleep_for(milliseconds(1));
    }
    return std::nullopt;
}

int Usage() {
    std::fputs("usage: drawn wait TITLE BMP SINCE-US | drawn click FROM X Y TITLE BMP |"
               " drawn key TITLE KEY X Y BMP\n",
               stderr);
    return 2;
}

Window Found(Display* d, const char* title) {
    const auto w = Find(d, DefaultRootWindow(d), title);
    if (!w) {
        std::fprintf(stderr, "drawn: no window titled %s\n", title);
        std::exit(1);
    }
    return *w;
}

Clock::time_point Click(Display* d, Window from, int x, int y) {
    int rootX = 0;
    int rootY = 0;
    Window child = 0;
    XTranslateCoordinates(d, from, DefaultRootWindow(d), x, y, &rootX, &rootY, &child);
    XTestFakeMotionEvent(d, -1, rootX, rootY, CurrentTime);
    XSync(d, False);
    std::this_thread::sleep_for(milliseconds(50));
    const Clock::time_point since = Clock::now();
    XTestFakeButtonEvent(d, 1, True, CurrentTime);
    XTestFakeButtonEvent(d, 1, False, CurrentTime);
    XSync(d, False);
    return since;
}

Clock::time_point Press(Display* d, Window w, const char* key) {
    const KeyCode code = XKeysymToKeycode(d, XStringToKeysym(key));
    XSetInputFocus(d, w, RevertToParent, CurrentTime);
    XSync(d, False);
    std::this_thread::sleep_for(milliseconds(50));
    const Clock::time_point since = Clock::now();
    XTestFakeKeyEvent(d, code, True, CurrentTime);
    XTestFakeKeyEvent(d, code, False, CurrentTime);
    XSync(d, False);
    return since;
}

} // namespace

int main(int argc, char** argv) {
    const std::string_view mode = argc > 1 ? argv[1] : "";
    if (!((mode == "wait" && argc == 5) || (mode == "click" && argc == 7) ||
          (mode == "key" && argc == 7))) {
        return Usage();
    }
    const std::unique_ptr<Display, decltype(&XCloseDisplay)> display(XOpenDisplay(nullptr),
                                                                     XCloseDisplay);
    if (!display) {
        std::fputs("drawn: cannot open the display\n", stderr);
        return 1;
    }
    Display* d = display.get();
    XSetErrorHandler(IgnoreError);

    Clock::time_point since;
    std::optional<Clock::time_point> drawn;
    if (mode == "wait") {
        const auto probes = Few(Probes(argv[3]));
        since = Clock::time_point(std::chrono::microseconds(std::strtoll(argv[4], nullptr, 10)));
        drawn = WaitDrawn(d, argv[2], probes);
    } else if (mode == "click") {
        const Window from = Found(d, argv[2]);
        const auto probes = Few(Changing(d, from, Probes(argv[6])));
        since = Click(d, from, std::atoi(argv[3]), std::atoi(argv[4]));
        drawn = WaitDrawn(d, argv[5], probes);
    } else {
        const Window w = Found(d, argv[2]);
        const auto probes =
            Few(Changing(d, w, ButtonProbes(argv[6], std::atoi(argv[4]), std::atoi(argv[5]))));
        since = Press(d, w, argv[3]);
        drawn = WaitDrawn(d, argv[2], probes);
    }
    if (!drawn) {
        std::fputs("drawn: the picture did not show within 10 s\n", stderr);
        return 1;
    }
    std::printf("%.1f\n", std::chrono::duration<double, std::milli>(*drawn - since).count());
    return 0;
}
