#include "wimdows/Scaling.hpp"

#include "TestWindow.hpp"
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
    int width;
    int height;
    int bigger;      // Alt+Plus presses
    int smaller;     // Alt+Minus presses, after them
    bool fullScreen; // Alt+Enter
    SDL_Point at;    // on the window
    SDL_Point seen;  // by the caller
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
    Wimdows::Window("Scaled", static_cast<std::uint32_t>(c.width),
                    static_cast<std::uint32_t>(c.height));
    ASSERT_TRUE(Wimdows::WindowOpen());
    Wimdows::OnMouseLeftUp([this](std::int32_t x, std::int32_t y) {
        upX = x;
        upY = y;
    });
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
    PushMouseMove(c.at.x, c.at.y);
    PushButton(true, SDL_BUTTON_LEFT, c.at.x, c.at.y);
    PushButton(false, SDL_BUTTON_LEFT, c.at.x, c.at.y);
    WaitUntilHandled();

    std::int32_t x = -1;
    std::int32_t y = -1;
    Wimdows::MousePos(x, y);
    EXPECT_EQ(x, c.seen.x);
    EXPECT_EQ(y, c.seen.y);
    EXPECT_EQ(upX, c.seen.x);
    EXPECT_EQ(upY, c.seen.y);
    // The window's keys are the caller's nothing.
    std::uint32_t code = 0;
    EXPECT_FALSE(Wimdows::GetKeyPressed(code)) << code;
    for (std::uint32_t k : {13U, 187U, 189U}) {
        EXPECT_FALSE(Wimdows::KeyDown(k)) << k;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Scales, ScalingTest,
    ::testing::Values(MouseCase{"Own", 200, 150, 0, 0, false, {199, 149}, {199, 149}},
                      MouseCase{"Half", 200, 150, 1, 0, false, {299, 112}, {199, 74}},
                      MouseCase{"Double", 200, 150, 2, 0, false, {399, 1}, {199, 0}},
                      // 5 x fits, 5.5 x would not: the largest multiple stays, and one
                      // step down from there is 4.5 x.
                      MouseCase{"Largest", 200, 150, 20, 0, false, {999, 749}, {199, 149}},
                      MouseCase{"BelowLargest", 200, 150, 20, 1, false, {899, 674}, {199, 149}},
                      // 5.12 x, bars above and below of 128 pixels, 25 picture pixels.
                      MouseCase{"FullWide", 200, 100, 0, 0, true, {1023, 0}, {199, Far - 25}},
                      MouseCase{"FullWideMiddle", 200, 100, 0, 0, true, {512, 384}, {100, 50}},
                      // Bars left and right of 256 pixels, 50 picture pixels.
                      MouseCase{"FullTall", 100, 150, 0, 0, true, {0, 767}, {Far - 50, 149}},
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

// SDL makes a window of no size one pixel, and so it scales.
TEST(ScalingAcrossWindows, WindowOfNoSizeIsOnePixel) {
    Wimdows::Window("Empty", 0, 0);
    ASSERT_TRUE(Wimdows::WindowOpen());
    PushKey(true, SDL_SCANCODE_EQUALS, SDLK_EQUALS, KMOD_LALT);
    PushKey(true, SDL_SCANCODE_MINUS, SDLK_MINUS, KMOD_LALT);
    WaitUntilHandled();
    EXPECT_TRUE(Wimdows::Testing::BackBufferPixel(0, 0).has_value());
    EXPECT_FALSE(Wimdows::Testing::BackBufferPixel(1, 0).has_value());
    Wimdows::KillWindow();
}

// A picture of distinct colours, scaled onto window surfaces without a window.
class ScalerTest : public ::testing::TestWithParam<SDL_Point> {
  protected:
    static constexpr int W = 20;
    static constexpr int H = 14;

    static Wimdows::SurfacePtr Picture(Uint32 seed) {
        Wimdows::SurfacePtr picture = Wimdows::MakeSurface(W, H);
        for (int j = 0; j < H; ++j) {
            for (int i = 0; i < W; ++i) {
                Pixels(picture.get())[j * picture->pitch / 4 + i] =
                    (static_cast<Uint32>(i * 37 + j * 101) * 2654435761U + seed) & 0xFFFFFFU;
            }
        }
        return picture;
    }

    static Uint32* Pixels(SDL_Surface* surface) { return static_cast<Uint32*>(surface->pixels); }

    static std::vector<Uint32> All(SDL_Surface* surface) {
        const Uint32* p = Pixels(surface);
        return {p, p + surface->h * surface->pitch / 4};
    }
};

// A part drawn on its own leaves the window as drawing the whole picture would.
TEST_P(ScalerTest, PartsMeetWithoutSeams) {
    const SDL_Point window = GetParam();
    Wimdows::Scaler scaler;
    ASSERT_TRUE(scaler.Fit(W, H, window.x, window.y));
    const Wimdows::SurfacePtr before = Picture(0);
    const Wimdows::SurfacePtr after = Picture(0);
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
                                           SDL_Point{61, 31}, SDL_Point{33, 40}, SDL_Point{13, 9}));

// Sharp at whole multiples: every window pixel is a picture pixel; smooth otherwise: most are
// mixtures. The bars are black.
TEST(Scaler, SharpAtWholeMultiplesOnly) {
    const Wimdows::SurfacePtr picture = Wimdows::MakeSurface(4, 2);
    for (int i = 0; i < 8; ++i) {
        static_cast<Uint32*>(picture->pixels)[i % 4 + i / 4 * picture->pitch / 4] =
            i % 2 == 0 ? 0xFFFFFFU : 0;
    }
    for (const int times : {2, 3}) {
        for (const bool half : {false, true}) {
            const int w = 4 * times + (half ? 2 : 0);
            const Wimdows::SurfacePtr window = Wimdows::MakeSurface(w, 2 * times + 9);
            SDL_FillRect(window.get(), nullptr, 0x123456U);
            Wimdows::Scaler scaler;
            scaler.Fit(4, 2, window->w, window->h);
            scaler.DrawAll(picture.get(), window.get());
            std::set<Uint32> colours;
            const SDL_Rect area = scaler.View().area;
            for (int j = 0; j < window->h; ++j) {
                for (int i = 0; i < window->w; ++i) {
                    const Uint32 pixel = static_cast<Uint32*>(window->pixels)[j * w + i];
                    const bool inside =
                        i >= area.x && i < area.x + area.w && j >= area.y && j < area.y + area.h;
                    if (!inside) {
                        EXPECT_EQ(pixel, 0U);
                        continue;
                    }
                    colours.insert(pixel);
                }
            }
            EXPECT_EQ(colours.size() > 2, half) << times << (half ? ".5" : "");
        }
    }
}

} // namespace
