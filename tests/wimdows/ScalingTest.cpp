#include "wimdows/Scaling.hpp"

#include "TestWindow.hpp"
#include "wimdows/Pixels.hpp"
#include "wimdows/Sdl.hpp"

#include <atomic>
#include <set>

namespace {

using namespace WimdowsTest;
using Wimdows::Testing::WaitUntilHandled;

// Positions above or left of the picture read as this less the distance.
constexpr std::int32_t Far = 65536;

// The dummy driver's desktop is 1024 x 768: the caller's size fits five times over when it is
// 200 x 150, and full screen leaves bars for any other shape.
struct MouseCase {
    const char* name;
    int width, height;
    int bigger, smaller; // Alt+Plus presses, then Alt+Minus presses
    bool fullScreen;     // Alt+Enter
    SDL_Point at;        // on the window
    SDL_Point seen;      // by the caller
};

class ScalingTest : public ::testing::TestWithParam<MouseCase> {
  protected:
    // The native window, and with it full screen and the chosen size, outlives every case.
    void TearDown() override {
        if (fullScreen) {
            Press(SDL_SCANCODE_RETURN, SDLK_RETURN);
        }
        for (int i = 0; i < 10; ++i) {
            Press(SDL_SCANCODE_MINUS, SDLK_MINUS);
        }
        WaitUntilHandled();
        Wimdows::KillWindow();
        Wimdows::KeepMouseEvents(false);
    }

    // The case's window, sized and placed as the player would.
    void Open(const MouseCase& c) {
        Wimdows::Window("Scaled", static_cast<std::uint32_t>(c.width),
                        static_cast<std::uint32_t>(c.height));
        ASSERT_TRUE(Wimdows::WindowOpen());
        for (int i = 0; i < c.bigger; ++i) {
            Press(SDL_SCANCODE_EQUALS, SDLK_EQUALS);
        }
        for (int i = 0; i < c.smaller; ++i) {
            Press(SDL_SCANCODE_MINUS, SDLK_MINUS);
        }
        if (c.fullScreen) {
            Press(SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER);
            fullScreen = true;
        }
    }

    void Press(SDL_Scancode scancode, SDL_Keycode sym) {
        PushKey(true, scancode, sym, KMOD_LALT);
        PushKey(false, scancode, sym, KMOD_LALT);
    }

    bool fullScreen = false;
    std::atomic<std::int32_t> upX{-1};
    std::atomic<std::int32_t> upY{-1};
};

TEST_P(ScalingTest, MouseReadsInPicturePixels) {
    const MouseCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(Open(c));
    Wimdows::OnMouseLeftUp([this](std::int32_t x, std::int32_t y) {
        upX = x;
        upY = y;
    });
    PushMouseMove(c.at.x, c.at.y);
    PushMouse(SDL_MOUSEBUTTONDOWN, c.at.x, c.at.y);
    PushMouse(SDL_MOUSEBUTTONUP, c.at.x, c.at.y);
    WaitUntilHandled();
    EXPECT_EQ(Position(), std::pair(c.seen.x, c.seen.y));
    EXPECT_EQ(std::pair(upX.load(), upY.load()), std::pair(c.seen.x, c.seen.y));
    std::uint32_t code = 0;
    EXPECT_FALSE(Wimdows::GetKeyPressed(code) || Wimdows::KeyDown(13) || Wimdows::KeyDown(187) ||
                 Wimdows::KeyDown(189))
        << "the window's own keys are the caller's nothing";
}

// Mouse events read as the position does.
TEST_P(ScalingTest, MouseEventsReadInPicturePixels) {
    Wimdows::KeepMouseEvents(true);
    ASSERT_NO_FATAL_FAILURE(Open(GetParam()));
    const SDL_Point at = GetParam().at;
    PushMouse(SDL_MOUSEBUTTONDOWN, at.x, at.y, SDL_BUTTON_RIGHT);
    WaitUntilHandled();
    Wimdows::MouseEvent event;
    ASSERT_TRUE(Wimdows::GetMouseEvent(event));
    EXPECT_EQ(std::pair(event.x, event.y), std::pair(GetParam().seen.x, GetParam().seen.y));
}

INSTANTIATE_TEST_SUITE_P(
    Scales, ScalingTest,
    ::testing::Values(MouseCase{"Half", 200, 150, 1, 0, false, {299, 112}, {199, 74}},
                      // 5 x fits, 5.5 x would not: the largest multiple stays, and one
                      // step down from there is 4.5 x.
                      MouseCase{"Largest", 200, 150, 20, 0, false, {999, 749}, {199, 149}},
                      MouseCase{"BelowLargest", 200, 150, 20, 1, false, {899, 674}, {199, 149}},
                      // 5.12 x, bars above and below of 128 pixels, 25 picture pixels.
                      MouseCase{"FullWide", 200, 100, 0, 0, true, {1023, 0}, {199, Far - 25}},
                      // Bars left and right of 256 pixels, 50 picture pixels.
                      MouseCase{"FullTallEdge", 100, 150, 0, 0, true, {255, 5}, {Far - 1, 0}},
                      // Full screen holds over the chosen size.
                      MouseCase{"FullBigger", 100, 150, 3, 0, true, {767, 10}, {99, 1}}),
    [](const ::testing::TestParamInfo<MouseCase>& param) { return param.param.name; });

TEST(ScalingAcrossWindows, ChoiceHoldsForTheNextWindow) {
    Wimdows::Window("First", 200, 150);
    PushKey(true, SDL_SCANCODE_EQUALS, SDLK_PLUS, KMOD_RALT);
    PushKey(false, SDL_SCANCODE_EQUALS, SDLK_PLUS, KMOD_RALT);
    WaitUntilHandled();
    Wimdows::Window("Second", 100, 100);
    PushMouseMove(149, 149);
    WaitUntilHandled();
    std::int32_t x = 0;
    std::int32_t y = 0;
    Wimdows::MousePos(x, y);
    PushKey(true, SDL_SCANCODE_KP_MINUS, SDLK_KP_MINUS, KMOD_LALT);
    WaitUntilHandled();
    Wimdows::KillWindow();
    EXPECT_EQ(x, 99);
    EXPECT_EQ(y, 99);
}

// A picture of 20 x 14 distinct colours, scaled onto window surfaces without a window.
Wimdows::SurfacePtr Noise() {
    Wimdows::SurfacePtr picture = Wimdows::MakeSurface(20, 14);
    for (int i = 0; i < 20 * 14; ++i) {
        Wimdows::Row(picture.get(), i / 20)[i % 20] =
            static_cast<Uint32>(i) * 2654435761U & 0xFFFFFFU;
    }
    return picture;
}

std::vector<Uint32> All(SDL_Surface* surface) {
    const Uint32* p = Wimdows::Row(surface, 0);
    return {p, p + surface->h * surface->pitch / 4};
}

using ScalerTest = ::testing::TestWithParam<SDL_Point>;

// A part drawn on its own leaves the window as drawing the whole picture would.
TEST_P(ScalerTest, PartsMeetWithoutSeams) {
    const SDL_Point window = GetParam();
    Wimdows::Scaler scaler;
    ASSERT_TRUE(scaler.Fit(20, 14, window.x, window.y));
    const Wimdows::SurfacePtr before = Noise();
    const Wimdows::SurfacePtr after = Noise();
    const SDL_Rect part{7, 3, 5, 4};
    SDL_FillRect(after.get(), &part, 0xFFFFFFU);
    const Wimdows::SurfacePtr whole = Wimdows::MakeSurface(window.x, window.y);
    scaler.DrawAll(after.get(), whole.get());
    const Wimdows::SurfacePtr patched = Wimdows::MakeSurface(window.x, window.y);
    scaler.DrawAll(before.get(), patched.get());
    scaler.Draw(after.get(), patched.get(), scaler.Covering(part));
    EXPECT_EQ(All(patched.get()), All(whole.get()));
}

INSTANTIATE_TEST_SUITE_P(Windows, ScalerTest,
                         ::testing::Values(SDL_Point{20, 14}, SDL_Point{30, 21}, SDL_Point{40, 28},
                                           SDL_Point{61, 31}, SDL_Point{33, 40}, SDL_Point{13, 9}),
                         [](const ::testing::TestParamInfo<SDL_Point>& window) {
                             return std::to_string(window.param.x) + "x" +
                                    std::to_string(window.param.y);
                         });

// Sharp at whole multiples: every window pixel is a picture pixel; smooth otherwise: most are
// mixtures. The bars are black.
TEST(Scaler, SharpAtWholeMultiplesOnly) {
    const Wimdows::SurfacePtr picture = Wimdows::MakeSurface(4, 2);
    for (int i = 0; i < 8; ++i) {
        Wimdows::Row(picture.get(), i / 4)[i % 4] = i % 2 == 0 ? 0xFFFFFFU : 0;
    }
    for (const int w : {8, 10, 12, 14}) {
        const Wimdows::SurfacePtr window = Wimdows::MakeSurface(w, w / 2 + 9);
        SDL_FillRect(window.get(), nullptr, 0x123456U);
        Wimdows::Scaler scaler;
        scaler.Fit(4, 2, window->w, window->h);
        scaler.DrawAll(picture.get(), window.get());
        const SDL_Rect area = scaler.View().area;
        std::set<Uint32> colours;
        for (int j = 0; j < window->h; ++j) {
            for (int i = 0; i < w; ++i) {
                const SDL_Point at{i, j};
                const bool inside = SDL_PointInRect(&at, &area) == SDL_TRUE;
                EXPECT_TRUE(inside || Wimdows::Row(window.get(), j)[i] == 0)
                    << "bar at " << i << "," << j;
                colours.insert(inside ? Wimdows::Row(window.get(), j)[i] : 0);
            }
        }
        EXPECT_EQ(colours.size() > 2, w % 4 != 0) << w;
    }
}

} // namespace
