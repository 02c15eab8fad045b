#include "standardmenu/StandardMenu.hpp"

#include "TestKit.hpp"
#include "standardmenu/MenuFocus.hpp"
#include "wimdows/Wimdows.hpp"
#include "wimdows/WimdowsTesting.hpp"

#include <SDL.h>
#include <array>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>
#include <tuple>
#include <vector>

namespace {

using namespace StandardMenu;
using TestKit::PushKey;
using TestKit::PushMouse;
using Wimdows::Testing::WaitUntilHandled;

void Click(std::int32_t x, std::int32_t y) {
    PushMouse(SDL_MOUSEMOTION, x, y);
    PushMouse(SDL_MOUSEBUTTONDOWN, x, y);
    PushMouse(SDL_MOUSEBUTTONUP, x, y);
    WaitUntilHandled();
}

// Four buttons of red (normal) and green (mouse-over) pictures in a column from (110, 50),
// 150 apart, on a real window.
class Menu : public ::testing::Test {
  protected:
    static constexpr std::uint32_t Red = Wimdows::RGB(250, 0, 0);
    static constexpr std::uint32_t Green = Wimdows::RGB(0, 250, 0);
    void SetUp() override {
        Wimdows::Window("Menu", 1000, 700);
        for (ButtonRc& b : menu) {
            b = CreateButton(250, 75, red, green);
        }
        SetVerticalMenu(110, 50, 150, menu);
    }
    void TearDown() override { Wimdows::KillWindow(); }
    // Whether the window comes to show the four buttons in these looks, as a running menu
    // loop draws them.
    static bool Shows(const std::array<std::uint32_t, 4>& looks) {
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        for (; std::chrono::steady_clock::now() < giveUp;
             std::this_thread::sleep_for(std::chrono::milliseconds(10))) {
            std::array<std::uint32_t, 4> now{};
            for (std::size_t i = 0; i < now.size(); ++i) {
                now[i] =
                    Wimdows::Testing::WindowPixel(200, 80 + 150 * static_cast<int>(i)).value_or(0);
            }
            if (now == looks) {
                return true;
            }
        }
        return false;
    }
    TestKit::TempDir dir;
    std::string red = dir.Bmp("red.bmp", 4, 4, [](int, int) { return Red; });
    std::string green = dir.Bmp("green.bmp", 4, 4, [](int, int) { return Green; });
    std::array<ButtonRc, 4> menu;
};

TEST_F(Menu, InButtonLeavesOutTheLeftColumnAndTopRow) {
    const std::tuple<std::int32_t, std::int32_t, bool> points[] = {
        {110, 80, false}, {111, 80, true}, {359, 80, true},  {360, 80, false},
        {200, 50, false}, {200, 51, true}, {200, 124, true}, {200, 125, false}};
    for (const auto& [x, y, inside] : points) {
        EXPECT_EQ(InButton(menu[0], x, y), inside) << x << ", " << y;
    }
}

// After the eight pictures of the menu.
TEST_F(Menu, SharedMouseOverMaskLoadsThreePictures) {
    const ButtonRc b =
        CreateButtonX(250, 75, ButtonType{true, true}, ButtonStrings{red, green, red, "=same"});
    EXPECT_EQ(b.bitmap, (std::array<std::uint32_t, 2>{9, 11}));
    EXPECT_EQ(b.mask, (std::array<std::uint32_t, 2>{10, 10}));
    EXPECT_EQ(Wimdows::LoadBitmap(red, 4, 4), 12U) << "nothing else was loaded";
}

TEST_F(Menu, DrawButtonShowsTheLookUnderThePointer) {
    for (const std::uint32_t look : {Red, Green}) {
        DrawButton(menu[0]);
        EXPECT_EQ(Wimdows::Testing::WindowPixel(200, 80), look);
        PushMouse(SDL_MOUSEMOTION, 200, 80);
        WaitUntilHandled();
    }
    Wimdows::ClearScreen();
    menu[0].visible = false;
    DrawButton(menu[0]);
    EXPECT_EQ(Wimdows::Testing::WindowPixel(200, 80), 0U) << "invisible: not drawn";
}

// A click is claimed once, by the lowest visible button it is in.
TEST_F(Menu, AClickIsClaimedOnceByTheFirstVisibleButtonItIsIn) {
    EXPECT_FALSE(ButtonSelected(menu[0])) << "starts listening";
    menu[1].y0 = 60;
    Click(200, 80);
    menu[0].visible = false;
    EXPECT_FALSE(ButtonSelected(menu[0]));
    menu[0].visible = true;
    EXPECT_EQ(MenuSelection(menu), 0);
    EXPECT_FALSE(ButtonSelected(menu[0]) || ButtonSelected(menu[1])) << "claimed once";
}

// The player acts while the menu loop waits, once it has drawn every button: a click ends it
// with its button, a closed window with none.
TEST_F(Menu, TheMenuLoopEndsOnAClickOrAClosedWindow) {
    std::atomic<bool> chosen = false;
    std::thread player([&chosen] {
        EXPECT_TRUE(Shows({Red, Red, Red, Red}));
        Click(200, 530);
        chosen.wait(false);
        TestKit::PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
    });
    EXPECT_EQ(MenuSelection(menu), 3);
    chosen = true;
    chosen.notify_one();
    EXPECT_EQ(MenuSelection(menu), NoSelection);
    player.join();
}

// One key or pointer move given to the focus, and what it must show and choose after: the
// button lit by the keys (Pointer: none, the pointer decides) and the button chosen, if any.
constexpr int Pointer = -1;
constexpr std::uint32_t Shift = 1U << 31U;
constexpr std::uint32_t Move = 1U << 30U; // | y: the pointer moves to (200, y)
struct Step {
    std::uint32_t input;
    int lit;
    std::optional<std::size_t> chosen = std::nullopt;
};

void Feed(MenuFocus& focus, std::span<const ButtonRc> menu, const std::vector<Step>& steps) {
    for (std::size_t n = 0; n < steps.size(); ++n) {
        const Step& step = steps[n];
        std::optional<std::size_t> chosen;
        if ((step.input & Move) != 0) {
            focus.PointerMoved(200, static_cast<std::int32_t>(step.input & ~Move));
        } else {
            chosen = focus.Key(step.input & ~Shift, (step.input & Shift) != 0);
        }
        int lit = Pointer;
        for (std::size_t i = 0; i < menu.size(); ++i) {
            lit = focus.KeyedLook(i).value_or(false) ? static_cast<int>(i) : lit;
        }
        EXPECT_EQ(lit, step.lit) << "step " << n;
        EXPECT_EQ(chosen, step.chosen) << "step " << n;
        if (step.lit != Pointer) {
            EXPECT_TRUE(focus.KeyedLook(0).has_value()) << "step " << n;
        }
    }
}

TEST(Focus, KeysMoveOneFocusThatThePointerAlsoMoves) {
    using namespace Wimdows;
    std::array<ButtonRc, 4> menu;
    for (ButtonRc& b : menu) {
        b.width = 250;
        b.height = 75;
        b.visible = true;
    }
    SetVerticalMenu(110, 50, 150, menu);
    const std::vector<std::pair<const char*, std::vector<Step>>> cases = {
        {"the first key only shows the first button; moves wrap both ways",
         {{KEY_LEFT, Pointer},
          {KEY_UP, 0},
          {KEY_DOWN, 1},
          {KEY_UP, 0},
          {KEY_UP, 3},
          {KEY_DOWN, 0},
          {KEY_TAB, 1},
          {KEY_TAB | Shift, 0},
          {KEY_TAB | Shift, 3},
          {'A', 3},
          {KEY_ENTER, 3, 3},
          {KEY_SPACE, 3, 3},
          {KEY_ESCAPE, 3}}},
        {"enter with no focus shows it", {{KEY_ENTER, 0}, {KEY_ENTER, 0, 0}}},
        {"shift+tab first", {{KEY_TAB | Shift, 0}}},
        {"the pointer moves the focus, and hides it off the buttons",
         {{Move | 400, Pointer},
          {KEY_ENTER, Pointer, 2},
          {KEY_DOWN, 3},
          {Move | 410, Pointer},
          {KEY_UP, 1},
          {Move | 140, Pointer},
          {KEY_ENTER, 0}}}};
    for (const auto& [what, steps] : cases) {
        SCOPED_TRACE(what);
        MenuFocus focus(menu, std::nullopt);
        Feed(focus, menu, steps);
    }
    // A focus that cannot wrap would step over invisible buttons for ever.
    ASSERT_FALSE(HasFailure());
    SCOPED_TRACE("invisible buttons are skipped; escape chooses its button while it is visible");
    menu[0].visible = false;
    menu[1].visible = false;
    MenuFocus focus(menu, 3);
    Feed(focus, menu,
         {{Move | 80, Pointer},
          {KEY_DOWN, 2},
          {KEY_DOWN, 3},
          {KEY_DOWN, 2},
          {KEY_UP, 3},
          {KEY_ESCAPE, 3, 3}});
    menu[3].visible = false;
    Feed(focus, menu, {{KEY_ESCAPE, 3}, {KEY_DOWN, 2}});
}

void Press(SDL_Scancode scancode, SDL_Keycode sym, Uint16 mod = KMOD_NONE) {
    PushKey(true, scancode, sym, mod);
    PushKey(false, scancode, sym, mod);
}

// Keys waiting when the menu starts are read in its first pass.
TEST_F(Menu, KeysChooseAsAClickWould) {
    const std::tuple<std::vector<SDL_Scancode>, std::optional<std::size_t>, std::int32_t> cases[] =
        {{{SDL_SCANCODE_DOWN, SDL_SCANCODE_DOWN, SDL_SCANCODE_RETURN}, std::nullopt, 1},
         {{SDL_SCANCODE_TAB, SDL_SCANCODE_UP, SDL_SCANCODE_KP_ENTER}, std::nullopt, 3},
         {{SDL_SCANCODE_ESCAPE, SDL_SCANCODE_RETURN, SDL_SCANCODE_SPACE}, std::nullopt, 0},
         {{SDL_SCANCODE_ESCAPE}, 3, 3}};
    for (const auto& [keys, escape, chosen] : cases) {
        for (const SDL_Scancode key : keys) {
            Press(key, SDL_GetKeyFromScancode(key));
        }
        WaitUntilHandled();
        EXPECT_EQ(MenuSelection(menu, escape), chosen);
    }
}

// The focus shows as the mouse-over look, and the mouse and the keys move the one focus.
TEST_F(Menu, TheFocusShowsAsTheMouseOverLook) {
    std::thread player([] {
        EXPECT_TRUE(Shows({Red, Red, Red, Red}));
        Press(SDL_SCANCODE_DOWN, SDLK_DOWN);
        EXPECT_TRUE(Shows({Green, Red, Red, Red}));
        PushMouse(SDL_MOUSEMOTION, 200, 380);
        EXPECT_TRUE(Shows({Red, Red, Green, Red}));
        Press(SDL_SCANCODE_DOWN, SDLK_DOWN);
        EXPECT_TRUE(Shows({Red, Red, Red, Green})) << "the pointer still on the third";
        Press(SDL_SCANCODE_RETURN, SDLK_RETURN);
    });
    EXPECT_EQ(MenuSelection(menu), 3);
    player.join();
}

} // namespace
