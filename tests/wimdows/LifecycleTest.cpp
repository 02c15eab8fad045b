#include "TestWindow.hpp"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <stop_token>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace WimdowsTest;
using Wimdows::Testing::BackBufferPixel;
using Wimdows::Testing::WaitUntilHandled;

constexpr std::uint32_t Red = 0x000000FF;

// However a window ends (a new window, the close box, a quit request as Ctrl+C on the console,
// the close box clicked the moment a window maps or while the caller draws), the next one starts
// with nothing of it: no keys, mouse position, callback or bitmaps.
TEST(Lifecycle, TheNextWindowStartsEmptyHoweverTheLastEnded) {
    TempDir dir;
    const std::string tile = dir.Bmp("tile.bmp", 4, 4, [](int, int) { return Red; });
    for (const std::string_view ending :
         {"new window", "close box", "quit", "closed at once", "closed while drawing"}) {
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
        PushButton(false, SDL_BUTTON_LEFT, 5, 5);
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
bool InterruptClosesTheWindowAndKeepsNewOnesShut() {
    Wimdows::Window("Running", 80, 60);
    const bool opened = Wimdows::WindowOpen();
    std::thread([] { Wimdows::Interrupt(); }).join();
    for (int i = 0; i < 1000 && Wimdows::WindowOpen(); ++i) {
        SDL_Delay(1);
    }
    const bool closed = !Wimdows::WindowOpen();
    Wimdows::Window("Too late", 80, 60);
    return opened && closed && !Wimdows::WindowOpen();
}

// A failed setup reports it, leaves no window and leaves the library usable.
bool WindowThatCannotBeSetUpLeavesNoWindow() {
    setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
    Wimdows::Window("Nowhere", 80, 60);
    const bool none = !Wimdows::WindowOpen() && Wimdows::WindowFailed();
    Wimdows::Rectangle(0, 0, 10, 10, Red, true);
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    Wimdows::Window("Too large", 100000, 60);
    const bool tooLarge = !Wimdows::WindowOpen() && Wimdows::WindowFailed();
    Wimdows::Window("Somewhere", 80, 60);
    return none && tooLarge && Wimdows::WindowOpen() && !Wimdows::WindowFailed();
}

// SDL would fall back to its off-screen driver, a window nobody sees that the game would wait
// on for ever; asked for by name, that driver is used.
bool NoDisplayMeansNoWindow() {
    unsetenv("SDL_VIDEODRIVER");
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    Wimdows::Window("Out of sight", 80, 60);
    const bool unseen = !Wimdows::WindowOpen();
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    Wimdows::Window("Off screen, as asked", 80, 60);
    return unseen && Wimdows::WindowOpen();
}

// Without room for a thread stack Window reports it (a message box, which needs a display)
// and returns without a window instead of waiting for ever.
bool ThreadThatCannotStartLeavesNoWindow() {
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    long pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    rlimit old{};
    getrlimit(RLIMIT_AS, &old);
    rlimit tight = old;
    tight.rlim_cur =
        static_cast<rlim_t>(pages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + (4U << 20U);
    setrlimit(RLIMIT_AS, &tight);
    Wimdows::Window("No thread", 80, 60);
    const bool open = Wimdows::WindowOpen();
    setrlimit(RLIMIT_AS, &old);
    Wimdows::Rectangle(0, 0, 10, 10, Red, true);
    return !open && Wimdows::WindowFailed();
}

TEST(Lifecycle, InAProcessOfItsOwn) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::pair<const char*, bool (*)()> cases[] = {
        {"interrupt", &InterruptClosesTheWindowAndKeepsNewOnesShut},
        {"setup fails", &WindowThatCannotBeSetUpLeavesNoWindow},
        {"no display", &NoDisplayMeansNoWindow},
#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
        // The sanitizers need more address space than this leaves.
        {"no thread", &ThreadThatCannotStartLeavesNoWindow},
#endif
    };
    for (const auto& [what, body] : cases) {
        EXPECT_EXIT(std::exit(body() ? 0 : 1), ::testing::ExitedWithCode(0), "") << what;
    }
}

// The dummy driver saves every frame it puts on its screen, which shows what reached it.
class ScreenTest : public WindowTest {
  protected:
    void SetUp() override {
        std::filesystem::current_path(dir.Path());
        ASSERT_EQ(setenv("SDL_VIDEO_DUMMY_SAVE_FRAMES", "1", 1), 0);
        WindowTest::SetUp();
    }
    void TearDown() override {
        WindowTest::TearDown();
        unsetenv("SDL_VIDEO_DUMMY_SAVE_FRAMES");
        std::filesystem::current_path(previous);
    }
    std::vector<std::filesystem::path> Frames() const {
        return {std::filesystem::directory_iterator(dir.Path()), {}};
    }
    // Frames are numbered with eight digits, so the newest is the greatest name.
    std::vector<std::uint32_t> LastFrame() const {
        using Surface = std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)>;
        const Surface loaded{SDL_LoadBMP(std::ranges::max(Frames()).c_str()), &SDL_FreeSurface};
        const Surface frame{SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_XBGR8888, 0),
                            &SDL_FreeSurface};
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
            PushKey(true, static_cast<SDL_Scancode>(SDL_SCANCODE_A + i % 26), SDLK_a + i % 26);
            PushMouseMove(i % 1000, i % 1000);
            if (i % 100 == 0) {
                PushButton(false, SDL_BUTTON_LEFT, 1, 1);
            }
        }
    });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    int received = 0;
    while (received < Keys && std::chrono::steady_clock::now() < deadline) {
        std::uint32_t code = 0;
        if (Wimdows::GetKeyPressed(code)) {
            ASSERT_EQ(code, static_cast<std::uint32_t>('A' + received++ % 26)) << received;
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

} // namespace
