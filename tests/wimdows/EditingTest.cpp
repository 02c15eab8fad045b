#include "TestWindow.hpp"

#include <array>
#include <string>
#include <thread>
#include <tuple>
#include <unistd.h>
#include <vector>

// What a maze editor needs of the window: every mouse event, a say before the window closes,
// and questions.
namespace {

using namespace WimdowsTest;
using Wimdows::MouseButton;
using Wimdows::MouseEvent;
using Wimdows::Testing::WaitUntilHandled;
using Kind = MouseEvent::Kind;

using Seen = std::tuple<Kind, MouseButton, std::int32_t, std::int32_t>;

std::vector<Seen> DrainMouse() {
    std::vector<Seen> seen;
    for (MouseEvent event; Wimdows::GetMouseEvent(event);) {
        seen.emplace_back(event.kind, event.button, event.x, event.y);
    }
    return seen;
}

class EditingTest : public WindowTest {
  protected:
    void TearDown() override {
        Wimdows::KeepMouseEvents(false);
        Wimdows::SetAskBeforeClose(false);
        WindowTest::TearDown();
    }
};

// Off by default; on, presses and releases of both buttons in order (a double-click's second
// press too, the middle button not), a move straight after a move merged. Turning it off, or a
// new window, empties the queue; the setting stays. The left-release callback is as before.
TEST_F(EditingTest, MouseEventsInOrderWhileKept) {
    int releases = 0;
    Wimdows::OnMouseLeftUp([&releases](std::int32_t, std::int32_t) { ++releases; });
    PushMouse(SDL_MOUSEBUTTONDOWN, 1, 1);
    WaitUntilHandled();
    MouseEvent untouched{Kind::Press, MouseButton::Right, 7, 8};
    EXPECT_FALSE(Wimdows::GetMouseEvent(untouched));
    EXPECT_EQ(untouched.kind, Kind::Press) << "an empty queue leaves the event alone";
    EXPECT_EQ(untouched.x, 7);

    Wimdows::KeepMouseEvents(true);
    PushMouseMove(1, 2);
    PushMouseMove(3, 4);
    PushMouse(SDL_MOUSEBUTTONUP, 5, 6);
    PushMouse(SDL_MOUSEBUTTONDOWN, 5, 6, SDL_BUTTON_LEFT, 2);
    PushMouse(SDL_MOUSEBUTTONDOWN, 6, 6, SDL_BUTTON_MIDDLE);
    PushMouseMove(7, 8);
    PushMouse(SDL_MOUSEBUTTONDOWN, 9, 9, SDL_BUTTON_RIGHT);
    PushMouseMove(10, 10);
    PushMouseMove(-1, 11);
    PushMouse(SDL_MOUSEBUTTONUP, 12, -2, SDL_BUTTON_LEFT, 2);
    PushMouse(SDL_MOUSEBUTTONUP, 13, 13, SDL_BUTTON_RIGHT);
    WaitUntilHandled();
    const std::vector<Seen> expected{
        {Kind::Move, MouseButton::Left, 3, 4},         {Kind::Release, MouseButton::Left, 5, 6},
        {Kind::Press, MouseButton::Left, 5, 6},        {Kind::Move, MouseButton::Left, 7, 8},
        {Kind::Press, MouseButton::Right, 9, 9},       {Kind::Move, MouseButton::Left, 65535, 11},
        {Kind::Release, MouseButton::Left, 12, 65534}, {Kind::Release, MouseButton::Right, 13, 13}};
    EXPECT_EQ(DrainMouse(), expected);
    EXPECT_EQ(releases, 1) << "the release of the double-click is not the callback's";
    EXPECT_EQ(Position(), std::pair(65535, 11));

    PushMouse(SDL_MOUSEBUTTONDOWN, 1, 1);
    WaitUntilHandled();
    Wimdows::KeepMouseEvents(false);
    Wimdows::KeepMouseEvents(true);
    EXPECT_TRUE(DrainMouse().empty()) << "emptied when turned off";
    PushMouse(SDL_MOUSEBUTTONDOWN, 1, 1);
    WaitUntilHandled();
    Wimdows::Window("Next", Width, Height);
    EXPECT_TRUE(DrainMouse().empty()) << "emptied as the window closed";
    PushMouse(SDL_MOUSEBUTTONUP, 2, 2);
    WaitUntilHandled();
    EXPECT_EQ(DrainMouse(), (std::vector<Seen>{{Kind::Release, MouseButton::Left, 2, 2}}));
}

// A caller that does not read finds only the newest 4096 events.
TEST_F(EditingTest, MouseEventsWaitingAreBounded) {
    Wimdows::KeepMouseEvents(true);
    constexpr int Pushed = 4100;
    for (int i = 0; i < Pushed; ++i) {
        PushMouse(i % 2 == 0 ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP, i % 100, i / 100);
        PushMouseMove(i % 100, 0);
        PushMouseMove(i % 100, 1);
    }
    WaitUntilHandled();
    const std::vector<Seen> seen = DrainMouse();
    ASSERT_EQ(seen.size(), 4096U);
    // Each press or release is followed by its two moves as one: the oldest kept is press 2052.
    EXPECT_EQ(seen.front(), Seen(Kind::Press, MouseButton::Left, 52, 20));
    EXPECT_EQ(seen[1], Seen(Kind::Move, MouseButton::Left, 52, 1));
    EXPECT_EQ(seen.back(), Seen(Kind::Move, MouseButton::Left, 99, 1));
}

// In a process of its own: no window opens after an interrupt.
bool InterruptClosesAWindowThatAsksBeforeClosing() {
    Wimdows::SetAskBeforeClose(true);
    Wimdows::Window("Asks", 80, 60);
    std::thread(Wimdows::Interrupt).join();
    WaitUntilHandled();
    return !Wimdows::WindowOpen() && !Wimdows::CloseAsked();
}

// While on, the close box and quit requests leave the window open and are told once each time
// the caller looks; the setting holds for the next window; off, the close box closes again.
TEST_F(EditingTest, AskBeforeClose) {
    Wimdows::SetAskBeforeClose(true);
    EXPECT_FALSE(Wimdows::CloseAsked());
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    TestKit::Push(quit);
    PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
    WaitUntilHandled();
    EXPECT_TRUE(Wimdows::WindowOpen());
    EXPECT_TRUE(Wimdows::CloseAsked());
    EXPECT_FALSE(Wimdows::CloseAsked()) << "once per look";
    Wimdows::Window("Next", Width, Height);
    PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
    WaitUntilHandled();
    EXPECT_TRUE(Wimdows::WindowOpen());
    EXPECT_TRUE(Wimdows::CloseAsked());
    Wimdows::SetAskBeforeClose(false);
    PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
    WaitUntilHandled();
    EXPECT_FALSE(Wimdows::WindowOpen());
    EXPECT_FALSE(Wimdows::CloseAsked());
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT((alarm(20), std::exit(InterruptClosesAWindowThatAsksBeforeClosing() ? 0 : 1)),
                ::testing::ExitedWithCode(0), "");
}

// The dummy driver has no message box: the answer is -1 and the window goes on as before. So it
// is with no window, no buttons, or a window closed before the box came up, which never hangs.
TEST_F(EditingTest, AskThatCannotBeShown) {
    const std::array<std::string, 3> buttons{"Save", "Discard", "Cancel"};
    EXPECT_EQ(Wimdows::Ask("Maze", "Save the changes?", buttons), -1);
    EXPECT_EQ(Wimdows::Ask("Maze", "Nothing to choose", {}), -1);
    PushKey(true, SDL_SCANCODE_A, SDLK_a);
    Wimdows::Rectangle(0, 0, 3, 3, 0x0000FFU, true);
    WaitUntilHandled();
    EXPECT_EQ(DrainQueue(), std::vector<std::uint32_t>{'A'});
    EXPECT_EQ(Wimdows::Testing::WindowPixel(3, 3), 0x0000FFU);
    PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
    EXPECT_EQ(Wimdows::Ask("Maze", "Too late", buttons), -1);
    WaitUntilHandled();
    EXPECT_FALSE(Wimdows::WindowOpen());
    EXPECT_EQ(Wimdows::Ask("Maze", "No window", buttons), -1);
}

} // namespace
