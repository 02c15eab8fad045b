#include "standardmenu/StandardMenu.hpp"

#include "TestKit.hpp"
#include "wimdows/Wimdows.hpp"
#include "wimdows/WimdowsTesting.hpp"

#include <SDL.h>
#include <array>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>
#include <tuple>

namespace {

using namespace StandardMenu;
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

// The player acts while the menu loop waits: a click ends it with its button, a closed
// window with none.
TEST_F(Menu, TheMenuLoopEndsOnAClickOrAClosedWindow) {
    std::thread player([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        Click(200, 530);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        TestKit::PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
    });
    EXPECT_EQ(MenuSelection(menu), 3);
    EXPECT_EQ(MenuSelection(menu), NoSelection);
    player.join();
}

} // namespace
