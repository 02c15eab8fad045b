#include "TestWindow.hpp"

#include <array>
#include <string>
#include <tuple>
#include <vector>

// What a maze editor asks of the window: every mouse event, a say before it closes, questions.
namespace {

using namespace WimdowsTest;
using Wimdows::MouseButton;
using Wimdows::Testing::WaitUntilHandled;
using Kind = Wimdows::MouseEvent::Kind;
using Seen = std::tuple<Kind, MouseButton, std::int32_t, std::int32_t>;

std::vector<Seen> DrainMouse() {
    std::vector<Seen> seen;
    for (Wimdows::MouseEvent event; Wimdows::GetMouseEvent(event);) {
        seen.emplace_back(event.kind, event.button, event.x, event.y);
    }
    return seen;
}

class EditingTest : public WindowTest {
    void TearDown() override {
        Wimdows::KeepMouseEvents(false);
        Wimdows::SetAskBeforeClose(false);
        WindowTest::TearDown();
    }
};

// Off by default; on, both buttons' presses and releases in order (a double-click's second press
// too, the middle button not), a move after a move merged, the left-release callback as before.
// Turning it off, or a new window, empties the queue; the setting holds.
TEST_F(EditingTest, MouseEventsInOrderWhileKept) {
    int releases = 0;
    Wimdows::OnMouseLeftUp([&releases](std::int32_t, std::int32_t) { ++releases; });
    PushMouse(SDL_MOUSEBUTTONDOWN, 1, 1);
    WaitUntilHandled();
    Wimdows::MouseEvent untouched{Kind::Press, MouseButton::Right, 7, 8};
    EXPECT_FALSE(Wimdows::GetMouseEvent(untouched) || untouched.kind != Kind::Press);
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
    EXPECT_EQ(releases, 1) << "not for the release of a double-click";
    for (const bool newWindow : {false, true}) {
        PushMouse(SDL_MOUSEBUTTONDOWN, 1, 1);
        WaitUntilHandled();
        Wimdows::KeepMouseEvents(newWindow);
        Wimdows::KeepMouseEvents(true);
        if (newWindow) {
            Wimdows::Window("Next", Width, Height);
        }
        EXPECT_TRUE(DrainMouse().empty()) << newWindow;
    }
    PushMouse(SDL_MOUSEBUTTONUP, 2, 2);
    WaitUntilHandled();
    EXPECT_EQ(DrainMouse().size(), 1U);
}

// A caller that does not read finds the newest 4096 events.
TEST_F(EditingTest, MouseEventsWaitingAreBounded) {
    Wimdows::KeepMouseEvents(true);
    for (int i = 0; i < 4100; ++i) {
        PushMouse(i % 2 == 0 ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP, i % 100, i / 100);
        PushMouseMove(i % 100, 0);
        PushMouseMove(i % 100, 1);
    }
    WaitUntilHandled();
    const std::vector<Seen> seen = DrainMouse();
    ASSERT_EQ(seen.size(), 4096U);
    // 8200 events once the moves are merged: the oldest kept is press 2052.
    EXPECT_EQ(seen.front(), Seen(Kind::Press, MouseButton::Left, 52, 20));
    EXPECT_EQ(seen.back(), Seen(Kind::Move, MouseButton::Left, 99, 1));
}

// While on, the close box and quit requests leave the window open and are told once per look;
// the setting holds for the next window; off, the close box closes again.
TEST_F(EditingTest, AskBeforeClose) {
    Wimdows::SetAskBeforeClose(true);
    EXPECT_FALSE(Wimdows::CloseAsked());
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    for (const bool newWindow : {false, true}) {
        if (newWindow) {
            Wimdows::Window("Next", Width, Height);
        }
        TestKit::Push(quit);
        PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
        WaitUntilHandled();
        EXPECT_TRUE(Wimdows::WindowOpen() && Wimdows::CloseAsked()) << newWindow;
        EXPECT_FALSE(Wimdows::CloseAsked()) << newWindow;
    }
    Wimdows::SetAskBeforeClose(false);
    PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
    WaitUntilHandled();
    EXPECT_FALSE(Wimdows::WindowOpen() || Wimdows::CloseAsked());
}

// The dummy driver has no message box: -1, and the window goes on as before. So with no buttons,
// no window, or a window closed before its box came up, which never hangs.
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
    EXPECT_EQ(Wimdows::Ask("Maze", "No window", buttons), -1);
}

} // namespace
