#include "TestWindow.hpp"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace WimdowsTest;
using Wimdows::Testing::BackBufferPixel;
using Wimdows::Testing::WaitUntilHandled;

constexpr std::uint32_t Red = 0x000000FF;

// However a window ends (a new window, the close box, a quit request as Ctrl+C on the
// console), the next one starts with nothing of it: no keys, mouse position, callback or bitmaps.
TEST(Lifecycle, TheNextWindowStartsEmptyHoweverTheLastEnded) {
    TempDir dir;
    const std::string tile = dir.Bmp("tile.bmp", 4, 4, [](int, int) { return Red; });
    for (const Uint32 ending : {Uint32{0}, Uint32{SDL_WINDOWEVENT}, Uint32{SDL_QUIT}}) {
        SCOPED_TRACE(ending);
        Wimdows::Window("Old", 80, 60);
        ASSERT_EQ(Wimdows::LoadBitmap(tile, 4, 4), 1U);
        ASSERT_EQ(Wimdows::LoadBitmap(tile, 4, 4), 2U);
        int releases = 0;
        Wimdows::OnMouseLeftUp([&releases](std::int32_t, std::int32_t) { ++releases; });
        PushKey(true, SDL_SCANCODE_A, SDLK_a);
        PushMouseMove(10, 20);
        WaitUntilHandled();
        if (ending != 0) {
            SDL_Event event = WindowEvent(SDL_WINDOWEVENT_CLOSE);
            event.type = ending;
            TestKit::Push(event);
            WaitUntilHandled();
            EXPECT_FALSE(Wimdows::WindowOpen());
        }
        Wimdows::Window("New", 80, 60);
        std::uint32_t pressed = 0;
        EXPECT_FALSE(Wimdows::GetKeyPressed(pressed) || Wimdows::KeyDown('A'));
        std::int32_t x = -1;
        std::int32_t y = -1;
        Wimdows::MousePos(x, y);
        EXPECT_EQ(std::pair(x, y), std::pair(0, 0));
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
class ScreenTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::current_path(dir.Path());
        ASSERT_EQ(setenv("SDL_VIDEO_DUMMY_SAVE_FRAMES", "1", 1), 0);
        Wimdows::Window("Frames", Width, Height);
    }
    void TearDown() override {
        Wimdows::KillWindow();
        unsetenv("SDL_VIDEO_DUMMY_SAVE_FRAMES");
        std::filesystem::current_path(previous);
    }

    std::vector<std::filesystem::path> Frames() const {
        return {std::filesystem::directory_iterator(dir.Path()), {}};
    }

    // The newest frame, by its eight-digit number; pixels as the library's colour values.
    std::vector<std::uint32_t> LastFrame() const {
        const std::vector<std::filesystem::path> frames = Frames();
        using Surface = std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)>;
        const Surface loaded{SDL_LoadBMP(std::ranges::max(frames).c_str()), &SDL_FreeSurface};
        const Surface frame{SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_XBGR8888, 0),
                            &SDL_FreeSurface};
        std::vector<std::uint32_t> pixels;
        for (int y = 0; frame && y < frame->h; ++y) {
            const auto* row = static_cast<const Uint32*>(frame->pixels) + y * frame->pitch / 4;
            for (int x = 0; x < frame->w; ++x) {
                pixels.push_back(row[x] & 0xFFFFFFU);
            }
        }
        return pixels;
    }

    const std::filesystem::path previous = std::filesystem::current_path();
    TempDir dir;
};

// Equal frames also mean the client area has exactly the size asked for.
TEST_F(ScreenTest, EveryDrawingReachesTheScreenAndRepaintsShowEverything) {
    WaitUntilHandled();
    ASSERT_NE(Frames().size(), 0U) << "the window is painted as it opens";
    EXPECT_EQ(LastFrame(), BackBuffer());
    for (const std::uint32_t color : {Red, 0x0000FF00U}) {
        Wimdows::Rectangle(20, 30, 60, 70, color, true);
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

} // namespace
