#include "standardmenu/StandardMenu.hpp"

#include "wimdows/Wimdows.hpp"
#include "wimdows/WimdowsTesting.hpp"

#include "TestKit.hpp"

#include <SDL.h>
#include <array>
#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

namespace {

using namespace StandardMenu;

using TestKit::PushMouse;

void Click(std::int32_t x, std::int32_t y) {
    PushMouse(SDL_MOUSEMOTION, x, y);
    PushMouse(SDL_MOUSEBUTTONDOWN, x, y);
    PushMouse(SDL_MOUSEBUTTONUP, x, y);
    Wimdows::Testing::WaitUntilHandled();
}

ButtonRc At(std::int32_t x0, std::int32_t y0, std::int32_t w = 250, std::int32_t h = 75) {
    ButtonRc b;
    b.x0 = x0;
    b.y0 = y0;
    b.width = w;
    b.height = h;
    b.visible = true;
    return b;
}

TEST(InButton, EdgesAreStrict) {
    const ButtonRc b = At(110, 50);
    EXPECT_FALSE(InButton(b, 110, 80));
    EXPECT_TRUE(InButton(b, 111, 80));
    EXPECT_TRUE(InButton(b, 359, 80));
    EXPECT_FALSE(InButton(b, 360, 80));
    EXPECT_FALSE(InButton(b, 200, 50));
    EXPECT_TRUE(InButton(b, 200, 51));
    EXPECT_TRUE(InButton(b, 200, 124));
    EXPECT_FALSE(InButton(b, 200, 125));
}

TEST(SetVerticalMenu, StacksTopEdgesByTheGap) {
    std::array<ButtonRc, 4> menu{};
    SetVerticalMenu(110, 50, 150, menu);
    for (std::size_t i = 0; i < menu.size(); ++i) {
        EXPECT_EQ(menu[i].x0, 110);
        EXPECT_EQ(menu[i].y0, 50 + 150 * static_cast<std::int32_t>(i));
    }
    std::array<ButtonRc, 1> one{};
    SetVerticalMenu(750, 550, 80, one);
    EXPECT_EQ(one[0].y0, 550);
}

// Buttons on a real window, with small coloured pictures written for the test.
class Menu : public ::testing::Test {
  protected:
    void SetUp() override {
        Picture("red", 250, 0, 0);
        Picture("green", 0, 250, 0);
        Picture("white", 255, 255, 255);
        Wimdows::Window("Menu", 1000, 700);
    }
    void TearDown() override {
        Wimdows::KillWindow();
    }
    std::string Picture(const char* name, Uint8 r, Uint8 g, Uint8 b) {
        return dir.Bmp(std::string(name) + ".bmp", 4, 4,
                       [=](int, int) { return Wimdows::RGB(r, g, b); });
    }
    std::string File(const char* name) const { return dir / (std::string(name) + ".bmp"); }
    std::array<ButtonRc, 4> Four() {
        std::array<ButtonRc, 4> menu;
        for (ButtonRc& b : menu) {
            b = CreateButton(250, 75, File("red"), File("green"));
        }
        SetVerticalMenu(110, 50, 150, menu);
        return menu;
    }
    TestKit::TempDir dir;
};

TEST_F(Menu, CreateButtonLoadsTwoLooksWithoutMask) {
    const ButtonRc b = CreateButton(250, 75, File("red"), File("green"));
    EXPECT_EQ(b.bitmap[0], 1U);
    EXPECT_EQ(b.bitmap[1], 2U);
    EXPECT_EQ(b.mask[0], 0U);
    EXPECT_TRUE(b.visible);
    EXPECT_TRUE(b.type.withMouseOver);
    EXPECT_FALSE(b.type.withMask);
    EXPECT_EQ(b.width, 250);
}

TEST_F(Menu, SharedMouseOverMaskLoadsThreePictures) {
    const ButtonRc b =
        CreateButtonX(250, 75, ButtonType{true, true},
                      ButtonStrings{File("red"), File("green"), File("white"), "=same"});
    EXPECT_EQ(b.bitmap[0], 1U);
    EXPECT_EQ(b.mask[0], 2U);
    EXPECT_EQ(b.bitmap[1], 3U);
    EXPECT_EQ(b.mask[1], 2U);
    EXPECT_EQ(Wimdows::LoadBitmap(File("red"), 4, 4), 4U) << "nothing else was loaded";
}

TEST_F(Menu, DrawButtonShowsTheMouseOverLook) {
    ButtonRc b = CreateButton(250, 75, File("red"), File("green"));
    b.x0 = 110;
    b.y0 = 50;
    DrawButton(b);
    EXPECT_EQ(Wimdows::Testing::WindowPixel(200, 80), Wimdows::RGB(250, 0, 0));
    PushMouse(SDL_MOUSEMOTION, 200, 80);
    Wimdows::Testing::WaitUntilHandled();
    DrawButton(b);
    EXPECT_EQ(Wimdows::Testing::WindowPixel(200, 80), Wimdows::RGB(0, 250, 0));
    b.visible = false;
    Wimdows::Rectangle(0, 0, 999, 699, 0, true);
    DrawButton(b);
    EXPECT_EQ(Wimdows::Testing::WindowPixel(200, 80), 0U) << "invisible: not drawn";
}

TEST_F(Menu, ClickOutsideThenInsideButtonTwo) {
    const auto menu = Four();
    EXPECT_FALSE(ButtonSelected(menu[0])); // registers the callback
    Click(600, 600);
    Click(200, 400);
    EXPECT_EQ(MenuSelection(menu), 2);
}

TEST_F(Menu, ClickOnTheEdgeSelectsNothingOnePixelInDoes) {
    const auto menu = Four();
    EXPECT_FALSE(ButtonSelected(menu[0]));
    Click(110, 80);
    for (const ButtonRc& b : menu) {
        EXPECT_FALSE(ButtonSelected(b));
    }
    Click(111, 80);
    EXPECT_TRUE(ButtonSelected(menu[0]));
    EXPECT_FALSE(ButtonSelected(menu[0])) << "a click is claimed once";
}

TEST_F(Menu, OverlappingButtonsTheLowerIndexWins) {
    std::array<ButtonRc, 2> menu{CreateButton(250, 75, File("red"), File("green")),
                                 CreateButton(250, 75, File("red"), File("green"))};
    menu[0].x0 = 100;
    menu[0].y0 = 100;
    menu[1].x0 = 150;
    menu[1].y0 = 120;
    EXPECT_FALSE(ButtonSelected(menu[0]));
    Click(200, 150);
    EXPECT_EQ(MenuSelection(menu), 0);
}

TEST_F(Menu, InvisibleButtonIsNeverSelectedAndLeavesTheClick) {
    auto menu = Four();
    menu[1].visible = false;
    EXPECT_FALSE(ButtonSelected(menu[0]));
    Click(200, 230);
    EXPECT_FALSE(ButtonSelected(menu[1]));
    menu[1].visible = true;
    EXPECT_TRUE(ButtonSelected(menu[1])) << "the click stayed recorded";
}

TEST_F(Menu, ClickBetweenPassesIsClaimedByTheMenuLoop) {
    const auto menu = Four();
    std::thread player([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        Click(200, 530);
    });
    EXPECT_EQ(MenuSelection(menu), 3);
    player.join();
}

TEST_F(Menu, ClosedWindowEndsTheMenuLoop) {
    const auto menu = Four();
    std::thread player([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        SDL_Event close{};
        close.type = SDL_WINDOWEVENT;
        close.window.event = SDL_WINDOWEVENT_CLOSE;
        SDL_PushEvent(&close);
    });
    EXPECT_EQ(MenuSelection(menu), NoSelection);
    player.join();
}

} // namespace
