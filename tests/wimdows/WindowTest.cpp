#include "TestWindow.hpp"
#include "wimdows/Sdl.hpp"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <stop_token>
#include <thread>
#include <tuple>
#ifdef __linux__
#include <sys/resource.h>
#include <unistd.h>
#endif
#include <utility>

namespace {

using namespace WimdowsTest;
using Wimdows::Testing::BackBufferPixel;
using Wimdows::Testing::WaitUntilHandled;

constexpr std::uint32_t Red = 0x000000FF;

// However a window ends (a new window, the close box, a quit request as Ctrl+C on the console,
// one that came between two windows, the close box clicked the moment a window maps or while the
// caller draws), the next one starts with nothing of it: no keys, mouse position, callback or
// bitmaps. A close by the user stands: until the caller has seen the window gone, as it has not
// when it leaves for the next screen at that moment, no window opens, and none has failed.
TEST(Lifecycle, TheNextWindowStartsEmptyHoweverTheLastEnded) {
    TempDir dir;
    const std::string tile = dir.Bmp("tile.bmp", 4, 4, [](int, int) { return Red; });
    for (const std::string_view ending : {"new window", "close box", "quit", "quit between windows",
                                          "closed at once", "closed while drawing"}) {
        SCOPED_TRACE(ending);
        Wimdows::Window("Old", 80, 60);
        ASSERT_EQ(Wimdows::LoadBitmap(tile, 4, 4), 1U);
        ASSERT_EQ(Wimdows::LoadBitmap(tile, 4, 4), 2U);
        int releases = 0;
        Wimdows::OnMouseLeftUp([&releases](std::int32_t, std::int32_t) { ++releases; });
        PushKey(true, SDL_SCANCODE_A, SDLK_a);
        PushMouseMove(10, 20);
        WaitUntilHandled();
        if (ending == "close box" || ending == "quit") {
            SDL_Event event = WindowEvent(SDL_WINDOWEVENT_CLOSE);
            event.type = ending == "quit" ? SDL_QUIT : SDL_WINDOWEVENT;
            TestKit::Push(event);
            WaitUntilHandled();
            Wimdows::Window("Next", 80, 60);
            EXPECT_FALSE(Wimdows::WindowOpen() || Wimdows::WindowFailed());
        } else if (ending == "quit between windows") {
            Wimdows::KillWindow();
            SDL_Event quit{};
            quit.type = SDL_QUIT;
            TestKit::Push(quit);
            Wimdows::Window("Next", 80, 60);
            WaitUntilHandled();
            EXPECT_FALSE(Wimdows::WindowOpen());
        } else if (ending == "closed at once") {
            // Window must still return, with no failure, however quickly the window went.
            bool closedAtOnce = false;
            {
                std::jthread closer([](const std::stop_token& stop) {
                    for (SDL_Event close = WindowEvent(SDL_WINDOWEVENT_CLOSE);
                         !stop.stop_requested(); std::this_thread::yield()) {
                        SDL_PushEvent(&close);
                    }
                });
                for (int i = 0; i < 200 && !closedAtOnce; ++i) {
                    Wimdows::Window("Closed at once", 80, 60);
                    EXPECT_FALSE(Wimdows::WindowFailed());
                    closedAtOnce = !Wimdows::WindowOpen();
                }
            }
            EXPECT_TRUE(closedAtOnce);
            SDL_FlushEvent(SDL_WINDOWEVENT);
        } else if (ending == "closed while drawing") {
            // Every call after the close does nothing; nothing fails or waits for ever.
            std::jthread user([] {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
                PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
            });
            for (int i = 0, afterClose = 0; afterClose < 200; ++i) {
                afterClose += Wimdows::WindowOpen() ? 0 : 1;
                const int x = i % 80;
                Wimdows::Rectangle(x, 0, x + 10, 10, static_cast<std::uint32_t>(i), true);
                Wimdows::DrawBitmap(1, x, 20);
                Wimdows::DrawMaskBitmap(1, 2, x, 40);
                Wimdows::Text("Clipped at the edges", x - 30, i % 2 == 0 ? -5 : 55);
                Wimdows::TextInt(-i, x, 30);
                Wimdows::ClearScreen();
                Wimdows::UpdateWindow();
            }
            user.join();
            EXPECT_FALSE(BackBufferPixel(0, 0).has_value());
            EXPECT_EQ(TextBox("Hello", 4), std::pair(0, 0)) << "text measures 0 by 0";
        }
        Wimdows::Window("New", 80, 60);
        std::uint32_t pressed = 0;
        EXPECT_FALSE(Wimdows::GetKeyPressed(pressed) || Wimdows::KeyDown('A'));
        EXPECT_EQ(Position(), std::pair(0, 0));
        PushMouse(SDL_MOUSEBUTTONDOWN, 5, 5);
        PushMouse(SDL_MOUSEBUTTONUP, 5, 5);
        WaitUntilHandled();
        EXPECT_EQ(releases, 0) << "the callback was for the old window only";
        FillWindow(0);
        EXPECT_EQ(Wimdows::LoadBitmap(tile, 4, 4), 1U);
        Wimdows::DrawBitmap(2, 0, 0);
        EXPECT_EQ(BackBufferPixel(0, 0), 0U) << "handle 2 went with the old window";
        Wimdows::KillWindow();
    }
}

// Video starts once a process, with the driver of that moment, and the window thread with the
// first window: each of these runs in a process of its own and must return true.

// Interrupted, it opens no window; before the first, none is even made, so none flashes on the
// screen. (That an interrupt closes the open window, the program's signal tests see.)
bool InterruptBeforeTheFirstWindowMakesNone() {
    std::thread([] { Wimdows::Interrupt(); }).join();
    Wimdows::Window("Too late", 80, 60);
    return !Wimdows::WindowOpen() && !Wimdows::WindowFailed() && SDL_GetWindowFromID(1) == nullptr;
}

// The one native window, made with the first window that opened.
bool NativeWindowShown() {
    SDL_Window* native = SDL_GetWindowFromID(1);
    return native != nullptr && (SDL_GetWindowFlags(native) & SDL_WINDOW_HIDDEN) == 0;
}

// A failed setup reports it and leaves no window, not even the last one on screen, and leaves
// the library usable.
bool WindowThatCannotBeSetUpLeavesNoWindow() {
    TestKit::SetEnv("SDL_VIDEODRIVER", "no-such-driver");
    Wimdows::Window("Nowhere", 80, 60);
    const bool none = !Wimdows::WindowOpen() && Wimdows::WindowFailed();
    Wimdows::Rectangle(0, 0, 10, 10, Red, true);
    TestKit::SetEnv("SDL_VIDEODRIVER", "dummy");
    Wimdows::Window("Somewhere", 80, 60);
    const bool shown = NativeWindowShown();
    Wimdows::Window("Too large", 100000, 60);
    const bool tooLarge = !Wimdows::WindowOpen() && Wimdows::WindowFailed();
    const bool hidden = !NativeWindowShown();
    Wimdows::Window("Again", 80, 60);
    return none && shown && tooLarge && hidden && Wimdows::WindowOpen() &&
           !Wimdows::WindowFailed() && NativeWindowShown();
}

#ifdef __linux__
// Without room for a thread stack Window reports it (a message box, which needs a display)
// and returns without a window; once there is room again, the next window opens. Not under the
// sanitizers, which need more address space than this leaves; Windows has no such limit.
[[maybe_unused]] bool ThreadThatCannotStartLeavesNoWindow() {
    TestKit::UnsetEnv("DISPLAY");
    TestKit::UnsetEnv("WAYLAND_DISPLAY");
    long pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    rlimit old{};
    getrlimit(RLIMIT_AS, &old);
    rlimit tight = old;
    tight.rlim_cur =
        static_cast<rlim_t>(pages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + (4U << 20U);
    setrlimit(RLIMIT_AS, &tight);
    Wimdows::Window("No thread", 80, 60);
    const bool failed = !Wimdows::WindowOpen() && Wimdows::WindowFailed();
    setrlimit(RLIMIT_AS, &old);
    Wimdows::Window("Room again", 80, 60);
    return failed && Wimdows::WindowOpen();
}
#endif

// A case that hangs ends by the alarm, and fails.
TEST(Lifecycle, InAProcessOfItsOwn) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::pair<const char*, bool (*)()> cases[] = {
        {"interrupt first", &InterruptBeforeTheFirstWindowMakesNone},
        {"setup fails", &WindowThatCannotBeSetUpLeavesNoWindow},
#if defined(__linux__) && !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
        {"no thread", &ThreadThatCannotStartLeavesNoWindow},
#endif
    };
    for (const auto& [what, body] : cases) {
        EXPECT_EXIT((TestKit::EndAfter(20), std::exit(body() ? 0 : 1)), ::testing::ExitedWithCode(0), "")
            << what;
    }
}

// The dummy driver saves every frame it puts on its screen, which shows what reached it.
class ScreenTest : public WindowTest {
  protected:
    void SetUp() override {
        std::filesystem::current_path(dir.Path());
        TestKit::SetEnv("SDL_VIDEO_DUMMY_SAVE_FRAMES", "1");
        WindowTest::SetUp();
    }
    void TearDown() override {
        WindowTest::TearDown();
        TestKit::UnsetEnv("SDL_VIDEO_DUMMY_SAVE_FRAMES");
        std::filesystem::current_path(previous);
    }
    std::vector<std::filesystem::path> Frames() const {
        return {std::filesystem::directory_iterator(dir.Path()), {}};
    }
    // Frames are numbered with eight digits, so the newest is the greatest name.
    std::vector<std::uint32_t> LastFrame() const {
        const Wimdows::SurfacePtr loaded{SDL_LoadBMP(std::ranges::max(Frames()).string().c_str())};
        const Wimdows::SurfacePtr frame{
            SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_XBGR8888, 0)};
        // Four-byte pixels leave no padding at the ends of the rows.
        const auto* first = static_cast<const std::uint32_t*>(frame->pixels);
        std::vector<std::uint32_t> pixels(first, first + frame->w * frame->h);
        for (std::uint32_t& pixel : pixels) {
            pixel &= 0xFFFFFFU;
        }
        return pixels;
    }

    const std::filesystem::path previous = std::filesystem::current_path();
    TempDir dir;
};

// Equal frames also mean the client area has exactly the size asked for. More dots than the
// window keeps separate boxes for all go to the screen in the next frame.
TEST_F(ScreenTest, EveryDrawingReachesTheScreenAndRepaintsShowEverything) {
    WaitUntilHandled();
    ASSERT_NE(Frames().size(), 0U) << "the window is painted as it opens";
    EXPECT_EQ(LastFrame(), BackBuffer());
    for (const std::uint32_t color : {Red, 0x0000FF00U}) {
        for (int i = 0; i < 40; ++i) {
            Wimdows::Rectangle(i * 4, i * 3, i * 4 + 1, i * 3 + 1, color, true);
        }
        Wimdows::UpdateWindow();
        WaitUntilHandled();
        EXPECT_EQ(LastFrame(), BackBuffer()) << color;
    }
    std::size_t drawn = Frames().size();
    Wimdows::UpdateWindow();
    WaitUntilHandled();
    EXPECT_EQ(Frames().size(), drawn) << "nothing new to show puts nothing on the screen";
    for (const auto event : {SDL_WINDOWEVENT_EXPOSED, SDL_WINDOWEVENT_RESTORED}) {
        PushWindowEvent(event);
        WaitUntilHandled();
        EXPECT_EQ(Frames().size(), ++drawn);
        EXPECT_EQ(LastFrame(), BackBuffer());
    }
}

// Keys and mouse moves arrive while the caller drains the queue and reads the position: every
// key arrives once and in order, and a position is never half of one move and half of another
// (each move has x equal to y).
TEST(Concurrency, InputArrivesWhileTheCallerDrains) {
    Wimdows::Window("Input", Width, Height);
    std::atomic<int> releases{0};
    Wimdows::OnMouseLeftUp([&releases](std::int32_t, std::int32_t) { ++releases; });
    constexpr int Keys = 3000;
    std::thread producer([] {
        for (int i = 0; i < Keys; ++i) {
            PushKey(true, static_cast<SDL_Scancode>(SDL_SCANCODE_A + i % Letters),
                    SDLK_a + i % Letters);
            PushMouseMove(i % 1000, i % 1000);
            if (i % 100 == 0) {
                PushMouse(SDL_MOUSEBUTTONDOWN, 1, 1);
                PushMouse(SDL_MOUSEBUTTONUP, 1, 1);
            }
        }
    });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    int received = 0;
    while (received < Keys && std::chrono::steady_clock::now() < deadline) {
        std::uint32_t code = 0;
        if (Wimdows::GetKeyPressed(code)) {
            ASSERT_EQ(code, static_cast<std::uint32_t>('A' + received++ % Letters)) << received;
        }
        const auto [x, y] = Position();
        ASSERT_EQ(x, y);
        (void)Wimdows::KeyDown(code);
    }
    producer.join();
    WaitUntilHandled();
    EXPECT_EQ(received, Keys);
    EXPECT_EQ(releases.load(), Keys / 100);
    Wimdows::KillWindow();
}

class KeyboardTest : public WindowTest {};

// Windows virtual-key codes by what a key means: letters by the layout (AZERTY, Russian by
// position), digits by position, keypad with and without Num Lock, AZERTY's comma, German
// u-umlaut and the key left of Z. With Alt held, F10 and Alt itself are the system's (code 0
// here): neither queued nor held. Repeats queue again; flushing keeps keys held.
TEST_F(KeyboardTest, KeysGiveTheirWindowsCodeWhileHeldAndInTheQueue) {
    // Scan code, key, the code it gives (0: none) and the modifiers held.
    const std::tuple<SDL_Scancode, SDL_Keycode, std::uint32_t, Uint16> keys[] = {
        {SDL_SCANCODE_X, SDLK_x, 0, KMOD_LALT},
        {SDL_SCANCODE_SPACE, SDLK_SPACE, 0, KMOD_RALT},
        {SDL_SCANCODE_F10, SDLK_F10, 0, 0},
        {SDL_SCANCODE_LALT, SDLK_LALT, 0, KMOD_LALT},
        {SDL_SCANCODE_RALT, SDLK_RALT, 0, 0},
        {SDL_SCANCODE_B, SDLK_b, 'B', KMOD_CAPS},
        {SDL_SCANCODE_Q, SDLK_a, 'A', 0},
        {SDL_SCANCODE_A, 0x444, 'A', 0},
        {SDL_SCANCODE_1, '&', '1', 0},
        {SDL_SCANCODE_KP_8, SDLK_KP_8, 104, KMOD_NUM},
        {SDL_SCANCODE_KP_8, SDLK_KP_8, Wimdows::KEY_UP, 0},
        {SDL_SCANCODE_LEFT, SDLK_LEFT, Wimdows::KEY_LEFT, 0},
        {SDL_SCANCODE_RETURN, SDLK_RETURN, Wimdows::KEY_ENTER, 0},
        {SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER, Wimdows::KEY_ENTER, 0},
        {SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, Wimdows::KEY_ESCAPE, 0},
        {SDL_SCANCODE_M, ',', 188, 0},
        {SDL_SCANCODE_LEFTBRACKET, 0xFC, 219, 0},
        {SDL_SCANCODE_NONUSBACKSLASH, '<', 226, 0}};
    std::vector<std::uint32_t> codes;
    for (const auto& [scancode, sym, gives, mod] : keys) {
        PushKey(true, scancode, sym, mod);
        if (gives != 0) {
            codes.push_back(gives);
        }
    }
    PushKey(true, SDL_SCANCODE_B, SDLK_b, KMOD_CAPS, true);
    codes.push_back('B');
    WaitUntilHandled();
    EXPECT_TRUE(std::ranges::none_of(std::array{88U, 121U, 18U, 98U, 256U, ~0U}, Wimdows::KeyDown));
    EXPECT_TRUE(std::ranges::all_of(codes, Wimdows::KeyDown));
    EXPECT_EQ(DrainQueue(), codes) << "in order of pressing, a repeat queued again";
    std::uint32_t code = 7;
    EXPECT_FALSE(Wimdows::GetKeyPressed(code));
    EXPECT_EQ(code, 7U) << "an empty queue leaves the variable alone";
    PushKey(true, SDL_SCANCODE_H, SDLK_h);
    WaitUntilHandled();
    Wimdows::FlushKeys();
    EXPECT_TRUE(DrainQueue().empty());
    EXPECT_TRUE(Wimdows::KeyDown('H')) << "flushing leaves keys held";
    // As the focus leaves, SDL releases every held key just before it reports the loss; as it
    // comes back, it presses the modifiers held meanwhile right after reporting the gain.
    PushTogether({KeyEvent(false, SDL_SCANCODE_RETURN, SDLK_RETURN),
                  WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST)});
    WaitUntilHandled();
    EXPECT_TRUE(Wimdows::KeyDown(13)) << "released only by losing the focus";
    PushTogether({WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED),
                  KeyEvent(true, SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, KMOD_LSHIFT),
                  KeyEvent(true, SDL_SCANCODE_RCTRL, SDLK_RCTRL, KMOD_LSHIFT | KMOD_RCTRL),
                  KeyEvent(true, SDL_SCANCODE_LEFT, SDLK_LEFT)});
    WaitUntilHandled();
    EXPECT_EQ(DrainQueue(), std::vector<std::uint32_t>{37}) << "a real press follows";
    EXPECT_FALSE(Wimdows::KeyDown(16));
    for (const auto& [scancode, sym, gives, mod] : keys) {
        PushKey(false, scancode, sym, mod | KMOD_LALT);
    }
    PushKey(true, SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, KMOD_LSHIFT);
    WaitUntilHandled();
    EXPECT_TRUE(std::ranges::none_of(codes, Wimdows::KeyDown)) << "released, also with Alt held";
    EXPECT_EQ(DrainQueue(), std::vector<std::uint32_t>{16}) << "releases queue nothing";
}

// Screens follow one another in the same native window, so a key held since the screen before
// goes on repeating into this one: unheard until it is pressed anew.
TEST_F(KeyboardTest, AKeyHeldFromTheScreenBeforeCountsOncePressedAnew) {
    PushKey(true, SDL_SCANCODE_RETURN, SDLK_RETURN);
    WaitUntilHandled();
    Wimdows::Window("Next", Width, Height);
    PushKey(true, SDL_SCANCODE_RETURN, SDLK_RETURN, KMOD_NONE, true);
    PushKey(true, SDL_SCANCODE_DOWN, SDLK_DOWN, KMOD_NONE, true);
    WaitUntilHandled();
    EXPECT_FALSE(Wimdows::KeyDown(Wimdows::KEY_ENTER));
    EXPECT_TRUE(DrainQueue().empty());
    PushKey(false, SDL_SCANCODE_RETURN, SDLK_RETURN);
    PushKey(true, SDL_SCANCODE_RETURN, SDLK_RETURN);
    PushKey(true, SDL_SCANCODE_RETURN, SDLK_RETURN, KMOD_NONE, true);
    WaitUntilHandled();
    EXPECT_TRUE(Wimdows::KeyDown(Wimdows::KEY_ENTER));
    EXPECT_EQ(DrainQueue(), (std::vector<std::uint32_t>{13, 13}));
}

using MouseTest = WindowTest;

// The position comes from moves only, read as unsigned 16-bit numbers outside the window; the
// callback gets, on the window thread, each left release whose press was in this window: not the
// second of a double-click, not one pressed before the window opened.
TEST_F(MouseTest, PositionFromMovesAndLeftReleasesToTheCallback) {
    EXPECT_EQ(Position(), std::make_pair(0, 0));
    std::vector<std::pair<std::int32_t, std::int32_t>> releases;
    std::thread::id callbackThread;
    const auto record = [&](std::int32_t x, std::int32_t y) {
        releases.emplace_back(x, y);
        callbackThread = std::this_thread::get_id();
    };
    Wimdows::OnMouseLeftUp(record);
    PushMouseMove(10, 20);
    PushMouse(SDL_MOUSEBUTTONDOWN, 50, 60);
    PushMouse(SDL_MOUSEBUTTONUP, 55, 65);
    PushMouse(SDL_MOUSEBUTTONDOWN, 2, 2, SDL_BUTTON_LEFT, 2);
    PushMouse(SDL_MOUSEBUTTONUP, 2, 2, SDL_BUTTON_LEFT, 2);
    PushMouse(SDL_MOUSEBUTTONDOWN, 3, 3, SDL_BUTTON_RIGHT);
    PushMouse(SDL_MOUSEBUTTONUP, 3, 3, SDL_BUTTON_RIGHT);
    PushMouseMove(-3, 4);
    PushMouse(SDL_MOUSEBUTTONDOWN, 5, 5);
    PushMouse(SDL_MOUSEBUTTONUP, 5, -7);
    WaitUntilHandled();
    EXPECT_EQ(Position(), std::make_pair(65533, 4));
    const decltype(releases) expected{{55, 65}, {5, 65529}};
    EXPECT_EQ(releases, expected);
    EXPECT_NE(callbackThread, std::this_thread::get_id());
    PushMouse(SDL_MOUSEBUTTONDOWN, 6, 6);
    WaitUntilHandled();
    Wimdows::Window("Next", Width, Height);
    Wimdows::OnMouseLeftUp(record);
    PushMouse(SDL_MOUSEBUTTONUP, 6, 6);
    WaitUntilHandled();
    EXPECT_EQ(releases, expected) << "pressed on the window before";
    Wimdows::OnMouseLeftUp({});
    PushMouse(SDL_MOUSEBUTTONDOWN, 1, 1);
    PushMouse(SDL_MOUSEBUTTONUP, 1, 1);
    WaitUntilHandled();
    EXPECT_EQ(releases, expected) << "an empty callback unregisters";
}

} // namespace
