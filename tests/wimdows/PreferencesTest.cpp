#include "TestWindow.hpp"

#include <mutex>

namespace {

using namespace WimdowsTest;
using TestKit::Push;
using Wimdows::Placement;
using Wimdows::Testing::WaitUntilHandled;

// What the window told of the player's changes, from its own thread.
class Told {
  public:
    Told() {
        Wimdows::OnPlacementChanged([this](const Placement& placement) {
            const std::scoped_lock guard(mutex);
            placements.push_back(placement);
        });
        Wimdows::OnMuteKey([this] {
            const std::scoped_lock guard(mutex);
            ++mutes;
        });
    }
    ~Told() {
        Wimdows::OnPlacementChanged({});
        Wimdows::OnMuteKey({});
    }
    Told(const Told&) = delete;
    Told& operator=(const Told&) = delete;

    std::vector<Placement> Placements() {
        WaitUntilHandled();
        const std::scoped_lock guard(mutex);
        return std::exchange(placements, {});
    }
    int Mutes() {
        WaitUntilHandled();
        const std::scoped_lock guard(mutex);
        return std::exchange(mutes, 0);
    }

  private:
    std::mutex mutex;
    std::vector<Placement> placements;
    int mutes = 0;
};

void Alt(SDL_Scancode scancode, SDL_Keycode sym) {
    PushKey(true, scancode, sym, KMOD_LALT);
    PushKey(false, scancode, sym, KMOD_LALT);
}

SDL_Event Resized(int width, int height) {
    SDL_Event event = WindowEvent(SDL_WINDOWEVENT_SIZE_CHANGED);
    event.window.data1 = width;
    event.window.data2 = height;
    return event;
}

std::pair<std::int32_t, std::int32_t> SeenAt(int x, int y) {
    PushMouseMove(x, y);
    WaitUntilHandled();
    return Position();
}

// The dummy driver's desktop is 1024 x 768.
TEST(Placement, TheFirstWindowOpensAsAskedAndEveryChangeOfThePlayersIsTold) {
    Told told;
    Wimdows::SetPlacement({false, 300, 225});
    Wimdows::Window("Placed", 200, 150);
    ASSERT_TRUE(Wimdows::WindowOpen());
    EXPECT_EQ(SeenAt(299, 224), std::pair(199, 149)) << "opened at 1.5 times";
    EXPECT_TRUE(told.Placements().empty()) << "opening as asked is no change";
    Alt(SDL_SCANCODE_EQUALS, SDLK_EQUALS);
    EXPECT_EQ(told.Placements(), (std::vector<Placement>{{false, 400, 300}}));
    Push(Resized(410, 290));
    Push(Resized(410, 290));
    Alt(SDL_SCANCODE_MINUS, SDLK_MINUS);
    EXPECT_EQ(told.Placements(), (std::vector<Placement>{{false, 410, 290}, {false, 300, 225}}))
        << "a dragged size is kept, and one step down from between two steps is the lower";
    Push(Resized(300, 225));
    EXPECT_TRUE(told.Placements().empty()) << "the window becoming the size asked of it";
    Wimdows::Window("Next", 100, 100);
    EXPECT_EQ(SeenAt(149, 149), std::pair(99, 99)) << "the scale holds for another picture";
    Alt(SDL_SCANCODE_RETURN, SDLK_RETURN);
    Push(Resized(1024, 768));
    EXPECT_EQ(told.Placements(), (std::vector<Placement>{{true, 150, 150}}))
        << "full screen keeps the window's size, and its own size is none of the player's";
    Wimdows::KillWindow();
}

TEST(Placement, FullScreenFromTheStart) {
    Wimdows::SetPlacement({true, 0, 0});
    Wimdows::Window("Full", 200, 100);
    ASSERT_TRUE(Wimdows::WindowOpen());
    // 5.12 times, with bars of 128 pixels above and below.
    EXPECT_EQ(SeenAt(1023, 128 + 511), std::pair(199, 99));
    Wimdows::KillWindow();
}

class WindowKeysTest : public WindowTest {};

// M is the window's mute key: plain or with Shift, once per press, and never the caller's.
TEST_F(WindowKeysTest, MMutesAndAnAwayWindowPausesOnce) {
    Told told;
    PushKey(true, SDL_SCANCODE_M, SDLK_m);
    PushKey(true, SDL_SCANCODE_M, SDLK_m, KMOD_NONE, true);
    PushKey(false, SDL_SCANCODE_M, SDLK_m);
    PushKey(true, SDL_SCANCODE_SEMICOLON, SDLK_m, KMOD_LSHIFT);
    PushKey(true, SDL_SCANCODE_M, SDLK_m, KMOD_LCTRL);
    EXPECT_EQ(told.Mutes(), 2);
    EXPECT_EQ(DrainQueue(), std::vector<std::uint32_t>{'M'}) << "Ctrl+M is not the window's";
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    WaitUntilHandled();
    EXPECT_TRUE(DrainQueue().empty()) << "not unless asked";
    Wimdows::SetPauseWhenAway(true);
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    PushWindowEvent(SDL_WINDOWEVENT_MINIMIZED);
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    PushWindowEvent(SDL_WINDOWEVENT_RESTORED);
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    WaitUntilHandled();
    EXPECT_EQ(DrainQueue(), (std::vector<std::uint32_t>{'P', 'P'})) << "once each time away";
    Wimdows::SetPauseWhenAway(false);
}

} // namespace
