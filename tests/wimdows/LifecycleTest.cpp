#include "TestWindow.hpp"

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace WimdowsTest;
using Wimdows::Testing::BackBufferPixel;
using Wimdows::Testing::WaitUntilHandled;
using Wimdows::Testing::WindowPixel;

constexpr std::uint32_t Red = 0x000000FF;

TEST(Lifecycle, ClientAreaHasExactlyTheRequestedSize) {
    Wimdows::Window("Menu", 1000, 700);
    ASSERT_TRUE(Wimdows::WindowOpen());
    EXPECT_TRUE(BackBufferPixel(999, 699).has_value());
    EXPECT_TRUE(WindowPixel(999, 699).has_value());
    EXPECT_FALSE(BackBufferPixel(1000, 0).has_value());
    EXPECT_FALSE(BackBufferPixel(0, 700).has_value());
    Wimdows::KillWindow();
    EXPECT_FALSE(Wimdows::WindowOpen());
}

// However a window ends, the next one starts with nothing of it: no keys, no mouse position,
// no callback, no bitmaps. The close box and a quit request (Ctrl+C on the console) end it as
// KillWindow does.
TEST(Lifecycle, TheNextWindowStartsEmptyHoweverTheLastEnded) {
    TempDir dir;
    const std::string tile = dir.Bmp("tile.bmp", 4, 4, [](int, int) { return Red; });
    const std::pair<const char*, Uint32> endings[] = {
        {"a new window", 0}, {"the close box", SDL_WINDOWEVENT}, {"a quit request", SDL_QUIT}};
    for (const auto& [what, ending] : endings) {
        SCOPED_TRACE(what);
        Wimdows::Window("Old", 80, 60);
        ASSERT_EQ(Wimdows::LoadBitmap(tile, 4, 4), 1U);
        ASSERT_EQ(Wimdows::LoadBitmap(tile, 4, 4), 2U);
        int releases = 0;
        Wimdows::OnMouseLeftUp([&releases](std::int32_t, std::int32_t) { ++releases; });
        PushKey(true, SDL_SCANCODE_A, SDLK_a);
        PushMouseMove(10, 20);
        WaitUntilHandled();
        ASSERT_TRUE(Wimdows::KeyDown('A'));
        if (ending != 0) {
            SDL_Event event = WindowEvent(SDL_WINDOWEVENT_CLOSE);
            event.type = ending;
            TestKit::Push(event);
            WaitUntilHandled();
            EXPECT_FALSE(Wimdows::WindowOpen());
            Wimdows::Rectangle(0, 0, 10, 10, Red, true);
            EXPECT_FALSE(BackBufferPixel(0, 0).has_value());
        }
        Wimdows::Window("New", 80, 60);
        ASSERT_TRUE(Wimdows::WindowOpen());
        EXPECT_FALSE(Wimdows::KeyDown('A'));
        std::uint32_t pressed = 0;
        EXPECT_FALSE(Wimdows::GetKeyPressed(pressed));
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

// The close box clicked the moment a window maps: the caller is told there was a window, and it
// is closed, however quickly it went.
TEST(Lifecycle, WindowClosedBeforeTheCallerLooksStillEndsTheWait) {
    Wimdows::Window("First", 80, 60);
    ASSERT_TRUE(Wimdows::WindowOpen());
    std::atomic<bool> done{false};
    std::thread closer([&done] {
        while (!done.load()) {
            SDL_Event close = WindowEvent(SDL_WINDOWEVENT_CLOSE);
            SDL_PushEvent(&close);
            std::this_thread::yield();
        }
    });
    int closedAtOnce = 0;
    for (int i = 0; i < 200; ++i) {
        Wimdows::Window("Closed at once", 80, 60);
        EXPECT_FALSE(Wimdows::WindowFailed());
        closedAtOnce += Wimdows::WindowOpen() ? 0 : 1;
    }
    done.store(true);
    closer.join();
    SDL_FlushEvent(SDL_WINDOWEVENT);
    Wimdows::KillWindow();
    EXPECT_GT(closedAtOnce, 0);
}

// Video starts once a process, with the driver of that moment, and the window thread starts
// with the first window: what depends on either runs in a process of its own.
void ExpectInNewProcess(const std::function<bool()>& check) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(std::exit(check() ? 0 : 1), ::testing::ExitedWithCode(0), "");
}

// A signal's way out: the window closes as by its close box, and no window opens after.
TEST(Lifecycle, InterruptClosesTheWindowAndKeepsNewOnesShut) {
    ExpectInNewProcess([] {
        Wimdows::Window("Running", 80, 60);
        const bool opened = Wimdows::WindowOpen();
        std::thread([] { Wimdows::Interrupt(); }).join();
        for (int i = 0; i < 1000 && Wimdows::WindowOpen(); ++i) {
            SDL_Delay(1);
        }
        const bool closed = !Wimdows::WindowOpen();
        Wimdows::Window("Too late", 80, 60);
        return opened && closed && !Wimdows::WindowOpen();
    });
}

TEST(Lifecycle, WindowThatCannotBeSetUpLeavesNoWindow) {
    ExpectInNewProcess([] {
        setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
        Wimdows::Window("Nowhere", 80, 60);
        const bool none = !Wimdows::WindowOpen() && Wimdows::WindowFailed();
        Wimdows::Rectangle(0, 0, 10, 10, Red, true);
        Wimdows::Text("x", 0, 0);
        Wimdows::KillWindow();
        setenv("SDL_VIDEODRIVER", "dummy", 1);

        Wimdows::Window("Too large", 100000, 60);
        const bool tooLarge = !Wimdows::WindowOpen() && Wimdows::WindowFailed();

        Wimdows::Window("Somewhere", 80, 60); // a failed setup leaves the library usable
        const bool usable = Wimdows::WindowOpen() && !Wimdows::WindowFailed();
        Wimdows::KillWindow();
        return none && tooLarge && usable;
    });
}

// With no display SDL would fall back to its off-screen driver: a window nobody sees, and a
// game that waits for ever for a player who cannot see it. A driver asked for by name is used.
TEST(Lifecycle, NoDisplayMeansNoWindow) {
    ExpectInNewProcess([] {
        unsetenv("SDL_VIDEODRIVER");
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        Wimdows::Window("Out of sight", 80, 60);
        const bool unseen = !Wimdows::WindowOpen();
        Wimdows::KillWindow();

        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        Wimdows::Window("Off screen, as asked", 80, 60);
        const bool asked = Wimdows::WindowOpen();
        Wimdows::KillWindow();
        return unseen && asked;
    });
}

// Without room for a thread stack the thread cannot start: Window reports it (a message box,
// which needs a display) and returns without a window instead of waiting for ever.
TEST(Lifecycle, ThreadThatCannotStartLeavesNoWindow) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "the sanitizers need more address space than this test leaves";
#else
    ExpectInNewProcess([] {
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
        Wimdows::KillWindow();
        return !open && Wimdows::WindowFailed();
    });
#endif
}

// The dummy driver can save every frame it puts on its screen, which shows what reached it.
class ScreenTest : public ::testing::Test {
  protected:
    void SetUp() override {
        previous = std::filesystem::current_path();
        std::filesystem::current_path(dir.Path());
        ASSERT_EQ(setenv("SDL_VIDEO_DUMMY_SAVE_FRAMES", "1", 1), 0);
        Wimdows::Window("Frames", Width, Height);
        ASSERT_TRUE(Wimdows::WindowOpen());
    }
    void TearDown() override {
        Wimdows::KillWindow();
        unsetenv("SDL_VIDEO_DUMMY_SAVE_FRAMES");
        std::filesystem::current_path(previous);
    }

    std::size_t Frames() const {
        return static_cast<std::size_t>(
            std::distance(std::filesystem::directory_iterator(dir.Path()),
                          std::filesystem::directory_iterator()));
    }

    // The newest frame, whose name ends in the highest eight-digit frame number.
    std::vector<std::uint32_t> LastFrame() const {
        std::string last;
        for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
            const std::string name = entry.path().string();
            last = last.empty() || name.substr(name.size() - 12) > last.substr(last.size() - 12)
                       ? name
                       : last;
        }
        using Surface = std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)>;
        const Surface loaded{SDL_LoadBMP(last.c_str()), &SDL_FreeSurface};
        // Red in the lowest byte, as the library's colour values have it.
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

    TempDir dir;
    std::filesystem::path previous;
};

TEST_F(ScreenTest, EveryDrawingReachesTheScreenAndRepaintsShowEverything) {
    WaitUntilHandled();
    ASSERT_NE(Frames(), 0U) << "the window is painted as it opens";
    EXPECT_EQ(LastFrame(), BackBuffer());

    for (const std::uint32_t color : {Red, 0x0000FF00U}) {
        Wimdows::Rectangle(20, 30, 60, 70, color, true);
        Wimdows::UpdateWindow();
        WaitUntilHandled();
        EXPECT_EQ(LastFrame(), BackBuffer()) << color;
    }
    const std::size_t drawn = Frames();
    Wimdows::UpdateWindow();
    Wimdows::UpdateWindow();
    WaitUntilHandled();
    EXPECT_EQ(Frames(), drawn) << "nothing new to show puts nothing on the screen";

    for (const auto event : {SDL_WINDOWEVENT_EXPOSED, SDL_WINDOWEVENT_RESTORED}) {
        const std::size_t before = Frames();
        PushWindowEvent(event);
        WaitUntilHandled();
        EXPECT_EQ(Frames(), before + 1);
        EXPECT_EQ(LastFrame(), BackBuffer());
    }
}

} // namespace
