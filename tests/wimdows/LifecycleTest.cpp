#include "TestWindow.hpp"

#include <algorithm>
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
    EXPECT_FALSE(BackBufferPixel(0, 0).has_value());
}

TEST(Lifecycle, WithoutAWindowEveryCallIsHarmless) {
    Wimdows::KillWindow();
    EXPECT_FALSE(Wimdows::WindowOpen());
    Wimdows::ClearScreen();
    Wimdows::Rectangle(0, 0, 10, 10, Red, true);
    Wimdows::Text("nothing", 0, 0);
    Wimdows::TextInt(-42, 0, 0);
    Wimdows::DrawBitmap(1, 0, 0);
    Wimdows::DrawMaskBitmap(1, 1, 0, 0);
    Wimdows::UpdateWindow();
    WaitUntilHandled();
    std::uint32_t width = 7;
    std::uint32_t height = 7;
    Wimdows::GetTextSize("Hello", 4, width, height);
    EXPECT_EQ(width, 0U);
    EXPECT_EQ(height, 0U);
    std::uint32_t pressed = 99;
    EXPECT_FALSE(Wimdows::GetKeyPressed(pressed));
    EXPECT_EQ(pressed, 99U);
    std::int32_t x = 5;
    std::int32_t y = 5;
    Wimdows::MousePos(x, y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
}

TEST(Lifecycle, NewWindowClosesTheOldOneAndStartsEmpty) {
    TempDir dir;
    const std::string tile = dir.Bmp("tile.bmp", 4, 4, [](int, int) { return Red; });
    Wimdows::Window("Same", 80, 60);
    ASSERT_EQ(Wimdows::LoadBitmap(tile, 4, 4), 1U);
    ASSERT_EQ(Wimdows::LoadBitmap(tile, 4, 4), 2U);
    int releases = 0;
    Wimdows::OnMouseLeftUp([&releases](std::int32_t, std::int32_t) { ++releases; });
    PushKey(true, SDL_SCANCODE_A, SDLK_a);
    PushMouseMove(10, 20);
    WaitUntilHandled();
    ASSERT_TRUE(Wimdows::KeyDown('A'));

    Wimdows::Window("Same", 80, 60);
    ASSERT_TRUE(Wimdows::WindowOpen());
    EXPECT_FALSE(Wimdows::KeyDown('A'));
    std::uint32_t pressed = 0;
    EXPECT_FALSE(Wimdows::GetKeyPressed(pressed));
    std::int32_t x = -1;
    std::int32_t y = -1;
    Wimdows::MousePos(x, y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    PushButton(true, SDL_BUTTON_LEFT, 5, 5);
    PushButton(false, SDL_BUTTON_LEFT, 5, 5);
    WaitUntilHandled();
    EXPECT_EQ(releases, 0) << "the callback was registered for the old window only";

    FillWindow(0);
    EXPECT_EQ(Wimdows::LoadBitmap(tile, 4, 4), 1U);
    Wimdows::DrawBitmap(2, 0, 0);
    EXPECT_EQ(BackBufferPixel(0, 0), 0U) << "handle 2 was released with the old window";
    Wimdows::DrawBitmap(1, 0, 0);
    EXPECT_EQ(BackBufferPixel(0, 0), Red);
    Wimdows::KillWindow();
}

// The close box and a quit request (Ctrl+C on the console) end the window like KillWindow.
TEST(Lifecycle, UserCloseTearsTheWindowDown) {
    TempDir dir;
    const std::string tile = dir.Bmp("tile.bmp", 4, 4, [](int, int) { return Red; });
    for (const bool quit : {false, true}) {
        Wimdows::Window("Close me", 80, 60);
        ASSERT_TRUE(Wimdows::WindowOpen());
        ASSERT_EQ(Wimdows::LoadBitmap(tile, 4, 4), 1U);
        PushKey(true, SDL_SCANCODE_B, SDLK_b);
        if (quit) {
            PushQuit();
        } else {
            PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
        }
        WaitUntilHandled();
        EXPECT_FALSE(Wimdows::WindowOpen());
        EXPECT_FALSE(Wimdows::KeyDown('B'));
        Wimdows::Rectangle(0, 0, 10, 10, Red, true);
        Wimdows::DrawBitmap(1, 0, 0);
        EXPECT_FALSE(BackBufferPixel(0, 0).has_value());
        Wimdows::KillWindow();
        EXPECT_EQ(Wimdows::LoadBitmap(tile, 4, 4), 1U) << "the table went with the window";
        Wimdows::Window("Clean up", 80, 60);
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

    std::vector<std::filesystem::path> Frames() const {
        std::vector<std::filesystem::path> frames;
        for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
            frames.push_back(entry.path());
        }
        // Names end in an eight-digit frame number.
        std::sort(frames.begin(), frames.end(), [](const auto& a, const auto& b) {
            return a.stem().string().substr(a.stem().string().size() - 8) <
                   b.stem().string().substr(b.stem().string().size() - 8);
        });
        return frames;
    }

    std::vector<std::uint32_t> LastFrame() const {
        const auto frames = Frames();
        if (frames.empty()) {
            return {};
        }
        const std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> loaded{
            SDL_LoadBMP(frames.back().c_str()), &SDL_FreeSurface};
        const std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> frame{
            SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_XRGB8888, 0), &SDL_FreeSurface};
        std::vector<std::uint32_t> pixels;
        for (int y = 0; y < frame->h; ++y) {
            const auto* row = reinterpret_cast<const Uint32*>(
                static_cast<const Uint8*>(frame->pixels) + y * frame->pitch);
            for (int x = 0; x < frame->w; ++x) {
                const Uint32 p = row[x];
                pixels.push_back((p & 0xFFU) << 16U | (p & 0xFF00U) | (p >> 16U & 0xFFU));
            }
        }
        return pixels;
    }

    TempDir dir;
    std::filesystem::path previous;
};

TEST_F(ScreenTest, DrawingReachesTheScreenAndRepaintsShowEverything) {
    WaitUntilHandled();
    ASSERT_FALSE(Frames().empty()) << "the window is painted as it opens";
    EXPECT_EQ(LastFrame(), BackBuffer());

    Wimdows::Rectangle(20, 30, 60, 70, Red, true);
    WaitUntilHandled();
    EXPECT_EQ(LastFrame(), BackBuffer());
    const std::size_t drawn = Frames().size();

    Wimdows::UpdateWindow();
    Wimdows::UpdateWindow();
    WaitUntilHandled();
    EXPECT_EQ(Frames().size(), drawn) << "nothing new to show puts nothing on the screen";

    for (const auto event : {SDL_WINDOWEVENT_EXPOSED, SDL_WINDOWEVENT_RESTORED}) {
        const std::size_t before = Frames().size();
        PushWindowEvent(event);
        WaitUntilHandled();
        EXPECT_EQ(Frames().size(), before + 1);
        EXPECT_EQ(LastFrame(), BackBuffer());
    }
}

} // namespace
