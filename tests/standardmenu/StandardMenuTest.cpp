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
using Wimdows::Testing::WindowPixel;

void Click(std::int32_t x, std::int32_t y) {
    PushMouse(SDL_MOUSEMOTION, x, y);
    PushMouse(SDL_MOUSEBUTTONDOWN, x, y);
    PushMouse(SDL_MOUSEBUTTONUP, x, y);
    WaitUntilHandled();
}

TEST(InButton, LeftColumnAndTopRowAreOutside) {
    ButtonRc b;
    b.x0 = 110;
    b.y0 = 50;
    b.width = 250;
    b.height = 75;
    const std::tuple<std::int32_t, std::int32_t, bool> points[] = {
        {110, 80, false}, {111, 80, true}, {359, 80, true},  {360, 80, false},
        {200, 50, false}, {200, 51, true}, {200, 124, true}, {200, 125, false}};
    for (const auto& [x, y, inside] : points) {
        EXPECT_EQ(InButton(b, x, y), inside) << x << ", " << y;
    }
}

TEST(SetVerticalMenu, StacksTopEdgesByTheGapFromTheFirst) {
    std::array<ButtonRc, 3> menu{};
    SetVerticalMenu(110, 50, 150, menu);
    for (std::size_t i = 0; i < menu.size(); ++i) {
        EXPECT_EQ(std::pair(menu[i].x0, menu[i].y0),
                  std::pair(110, 50 + 150 * static_cast<std::int32_t>(i)));
    }
}

// Buttons of red (normal) and green (mouse-over) pictures on a real window.
class Menu : public ::testing::Test {
  protected:
    static constexpr std::uint32_t Red = Wimdows::RGB(250, 0, 0);
    static constexpr std::uint32_t Green = Wimdows::RGB(0, 250, 0);
    void SetUp() override {
        Wimdows::Window("Menu", 1000, 700);
        for (auto& [name, color] :
             {std::pair{"red", Red}, {"green", Green}, {"white", 0xFFFFFFU}}) {
            dir.Bmp(std::string(name) + ".bmp", 4, 4, [color](int, int) { return color; });
        }
    }
    void TearDown() override { Wimdows::KillWindow(); }
    std::string File(const char* name) const { return dir / (std::string(name) + ".bmp"); }
    ButtonRc Button() const { return CreateButton(250, 75, File("red"), File("green")); }
    // Four buttons in a column from (110, 50), 150 apart; ButtonSelected starts listening.
    std::array<ButtonRc, 4> Four() const {
        std::array<ButtonRc, 4> menu{Button(), Button(), Button(), Button()};
        SetVerticalMenu(110, 50, 150, menu);
        EXPECT_FALSE(ButtonSelected(menu[0]));
        return menu;
    }
    TestKit::TempDir dir;
};

TEST_F(Menu, SharedMouseOverMaskLoadsThreePictures) {
    const ButtonRc b =
        CreateButtonX(250, 75, ButtonType{true, true},
                      ButtonStrings{File("red"), File("green"), File("white"), "=same"});
    EXPECT_EQ(b.bitmap, (std::array<std::uint32_t, 2>{1, 3}));
    EXPECT_EQ(b.mask, (std::array<std::uint32_t, 2>{2, 2}));
    EXPECT_EQ(Wimdows::LoadBitmap(File("red"), 4, 4), 4U) << "nothing else was loaded";
}

TEST_F(Menu, DrawButtonShowsTheLookUnderThePointer) {
    ButtonRc b = Button();
    b.x0 = 110;
    b.y0 = 50;
    DrawButton(b);
    EXPECT_EQ(WindowPixel(200, 80), Red);
    PushMouse(SDL_MOUSEMOTION, 200, 80);
    WaitUntilHandled();
    DrawButton(b);
    EXPECT_EQ(WindowPixel(200, 80), Green);
    b.visible = false;
    Wimdows::ClearScreen();
    DrawButton(b);
    EXPECT_EQ(WindowPixel(200, 80), 0U) << "invisible: not drawn";
}

TEST_F(Menu, AClickIsClaimedOnceByTheButtonItIsStrictlyIn) {
    auto menu = Four();
    Click(600, 600);
    Click(110, 80);
    for (const ButtonRc& b : menu) {
        EXPECT_FALSE(ButtonSelected(b)) << "outside, or on the left edge";
    }
    Click(111, 80);
    EXPECT_TRUE(ButtonSelected(menu[0]));
    EXPECT_FALSE(ButtonSelected(menu[0])) << "claimed once";

    menu[1].visible = false;
    Click(200, 230);
    EXPECT_FALSE(ButtonSelected(menu[1]));
    menu[1].visible = true;
    EXPECT_TRUE(ButtonSelected(menu[1])) << "an invisible button leaves the click recorded";
}

TEST_F(Menu, OverlappingButtonsTheLowerIndexWins) {
    std::array<ButtonRc, 2> menu{Button(), Button()};
    menu[0].x0 = menu[0].y0 = 100;
    menu[1].x0 = 150;
    menu[1].y0 = 120;
    EXPECT_FALSE(ButtonSelected(menu[0]));
    Click(200, 150);
    EXPECT_EQ(MenuSelection(menu), 0);
}

// The player acts while the menu loop waits: a click ends it with its button, a closed
// window with none.
TEST_F(Menu, TheMenuLoopEndsOnAClickOrAClosedWindow) {
    const auto menu = Four();
    const auto later = [](auto act) {
        return std::thread([act] {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            act();
        });
    };
    std::thread player = later([] { Click(200, 530); });
    EXPECT_EQ(MenuSelection(menu), 3);
    player.join();
    player = later([] {
        SDL_Event close{};
        close.type = SDL_WINDOWEVENT;
        close.window.event = SDL_WINDOWEVENT_CLOSE;
        TestKit::Push(close);
    });
    EXPECT_EQ(MenuSelection(menu), NoSelection);
    player.join();
}

} // namespace
