#pragma once

#include "TestKit.hpp"
#include "wimdows/Wimdows.hpp"
#include "wimdows/WimdowsTesting.hpp"

#include <SDL.h>
#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace WimdowsTest {

inline constexpr int Width = 200;
inline constexpr int Height = 150;
// Letter keys from A that reach the caller: M is the window's own.
inline constexpr int Letters = 12;

// Every case starts with an open window of Width x Height and leaves none behind.
class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Wimdows::Window("Test", Width, Height);
        ASSERT_TRUE(Wimdows::WindowOpen());
    }
    void TearDown() override { Wimdows::KillWindow(); }
};

// Input through the real event path of the window thread.
using TestKit::KeyEvent;
using TestKit::PushKey;
inline void PushMouseMove(int x, int y) {
    TestKit::PushMouse(SDL_MOUSEMOTION, x, y);
}
// Into the queue in one step, as SDL queues what one platform event brings about.
void PushTogether(std::vector<SDL_Event> events);
// Every key code in the queue, oldest first, leaving it empty.
std::vector<std::uint32_t> DrainQueue();

// Every pixel of the back buffer or the window surface as colour values, row by row.
inline std::vector<std::uint32_t> Pixels(std::optional<std::uint32_t> (*read)(std::int32_t,
                                                                              std::int32_t)) {
    std::vector<std::uint32_t> pixels;
    for (int i = 0; i < Width * Height; ++i) {
        pixels.push_back(read(i % Width, i / Width).value_or(0xFF000000U));
    }
    return pixels;
}
inline std::vector<std::uint32_t> BackBuffer() {
    return Pixels(&Wimdows::Testing::BackBufferPixel);
}
inline std::vector<std::uint32_t> WindowSurface() {
    return Pixels(&Wimdows::Testing::WindowPixel);
}
inline std::pair<std::int32_t, std::int32_t> Position() {
    std::pair<std::int32_t, std::int32_t> at{-1, -1};
    Wimdows::MousePos(at.first, at.second);
    return at;
}
// Width and height of `text` in `style`.
inline std::pair<int, int> TextBox(std::string_view text, std::uint32_t style) {
    std::uint32_t w = 0;
    std::uint32_t h = 0;
    Wimdows::GetTextSize(text, style, w, h);
    return {static_cast<int>(w), static_cast<int>(h)};
}
inline void FillWindow(std::uint32_t color) {
    Wimdows::Rectangle(0, 0, Width - 1, Height - 1, color, true);
}

// Colour each pixel should have, or empty where the window keeps its background.
using Expected = std::function<std::optional<std::uint32_t>(int x, int y)>;
inline const Expected Nothing = [](int, int) { return std::optional<std::uint32_t>(); };

// A drawing and what it must leave on a window filled with one colour.
struct Drawing {
    const char* what;
    std::function<void()> draw;
    Expected expected;
};
// Each drawing on a window filled with `background` anew: the back buffer is as expected, and
// the window surface shows the same.
void ExpectDrawings(std::span<const Drawing> drawings, std::uint32_t background);

using TestKit::Picture;
using TestKit::PushMouse;
using TestKit::PushWindowEvent;
using TestKit::TempDir;
using TestKit::WindowEvent;

} // namespace WimdowsTest
