#include "TestWindow.hpp"

#include <atomic>
#include <chrono>
#include <thread>

namespace {

using namespace WimdowsTest;
using Wimdows::Testing::WaitUntilHandled;

// The user closes the window while the caller is in the middle of drawing: every call after
// the close does nothing, nothing fails or waits for ever, and text measures 0 by 0.
TEST(Concurrency, WindowClosedFromTheWindowSideWhileDrawing) {
    TempDir dir;
    const std::string tile = dir.Bmp("tile.bmp", 30, 30, [](int i, int) { return i * 8U; });
    Wimdows::Window("Closing", Width, Height);
    const std::uint32_t picture = Wimdows::LoadBitmap(tile, 30, 30);
    std::thread user([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
    });
    for (int i = 0, afterClose = 0; afterClose < 200; ++i) {
        afterClose += Wimdows::WindowOpen() ? 0 : 1;
        const int x = i % Width;
        Wimdows::Rectangle(x, 0, x + 10, 10, static_cast<std::uint32_t>(i), true);
        Wimdows::DrawBitmap(picture, x, 20);
        Wimdows::DrawMaskBitmap(picture, picture, x, 60);
        Wimdows::Text("Clipped at the edges", x - 30, i % 2 == 0 ? -5 : Height - 5);
        Wimdows::TextInt(-i, x, 120);
        Wimdows::ClearScreen();
        Wimdows::UpdateWindow();
        EXPECT_NE(Wimdows::LoadBitmap(tile, 30, 30), 0U) << "with a window or without";
    }
    user.join();
    WaitUntilHandled();
    EXPECT_FALSE(Wimdows::Testing::BackBufferPixel(0, 0).has_value());
    std::uint32_t width = 7;
    std::uint32_t height = 7;
    Wimdows::GetTextSize("Hello", 4, width, height);
    EXPECT_EQ(std::pair(width, height), std::pair(0U, 0U));
    // Bitmaps loaded with no window open go with the next window that closes.
    Wimdows::Window("Closing", Width, Height);
    Wimdows::KillWindow();
}

// Keys and mouse moves arrive while the caller drains the queue and reads the position: every
// key arrives once and in order, and a position is never half of one move and half of another
// (each move has x equal to y).
TEST(Concurrency, InputArrivesWhileTheCallerDrains) {
    Wimdows::Window("Input", Width, Height);
    std::atomic<int> releases{0};
    Wimdows::OnMouseLeftUp([&releases](std::int32_t, std::int32_t) { ++releases; });
    constexpr int Keys = 3000;
    std::thread producer([] {
        for (int i = 0; i < Keys; ++i) {
            PushKey(true, static_cast<SDL_Scancode>(SDL_SCANCODE_A + i % 26), SDLK_a + i % 26);
            PushMouseMove(i % 1000, i % 1000);
            if (i % 100 == 0) {
                PushButton(false, SDL_BUTTON_LEFT, 1, 1);
            }
        }
    });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    int received = 0;
    while (received < Keys && std::chrono::steady_clock::now() < deadline) {
        std::uint32_t code = 0;
        if (Wimdows::GetKeyPressed(code)) {
            ASSERT_EQ(code, static_cast<std::uint32_t>('A' + received++ % 26)) << received;
        }
        std::int32_t x = 0;
        std::int32_t y = 0;
        Wimdows::MousePos(x, y);
        ASSERT_EQ(x, y);
        (void)Wimdows::KeyDown(code);
    }
    producer.join();
    WaitUntilHandled();
    EXPECT_EQ(received, Keys);
    EXPECT_EQ(releases.load(), Keys / 100);
    Wimdows::KillWindow();
}

} // namespace
