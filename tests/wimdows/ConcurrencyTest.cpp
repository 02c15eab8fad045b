#include "TestWindow.hpp"

#include <atomic>
#include <chrono>
#include <thread>

namespace {

using namespace WimdowsTest;
using Wimdows::Testing::WaitUntilHandled;

// The user closes the window while the caller is in the middle of drawing: every drawing
// operation after the close does nothing, nothing fails, nothing waits for ever.
TEST(Concurrency, WindowClosedFromTheWindowSideWhileDrawing) {
    TempDir dir;
    const std::string tile = dir.Bmp(
        "tile.bmp", 30, 30, [](int i, int j) { return (i + j) % 2 == 0 ? 0x00FFFFFFU : 0U; });
    for (int round = 0; round < 5; ++round) {
        Wimdows::Window("Closing", Width, Height);
        ASSERT_TRUE(Wimdows::WindowOpen());
        const std::uint32_t picture = Wimdows::LoadBitmap(tile, 30, 30);
        std::thread user([round] {
            std::this_thread::sleep_for(std::chrono::milliseconds(5 * round));
            PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
        });
        int afterClose = 0;
        for (int i = 0; afterClose < 200; ++i) {
            afterClose += Wimdows::WindowOpen() ? 0 : 1;
            Wimdows::Rectangle(i % Width, 0, i % Width + 10, 10, static_cast<std::uint32_t>(i),
                               true);
            Wimdows::DrawBitmap(picture, i % Width, 20);
            Wimdows::DrawMaskBitmap(picture, picture, i % Width, 60);
            Wimdows::Text("Drawing", i % Width, 100);
            Wimdows::UpdateWindow();
            EXPECT_NE(Wimdows::LoadBitmap(tile, 30, 30), 0U) << "with a window or without";
        }
        user.join();
        EXPECT_FALSE(Wimdows::WindowOpen());
        EXPECT_FALSE(Wimdows::Testing::BackBufferPixel(0, 0).has_value());
        Wimdows::KillWindow();
    }
    // Bitmaps loaded with no window open go with the next window that closes.
    Wimdows::Window("Closing", Width, Height);
    Wimdows::KillWindow();
}

TEST(Concurrency, HundredWindowsOpenedAndClosed) {
    TempDir dir;
    const std::string tile = dir.Bmp("tile.bmp", 8, 8, [](int, int) { return 0x000000FFU; });
    for (int i = 0; i < 100; ++i) {
        Wimdows::Window("Cycle", 64, 48);
        ASSERT_TRUE(Wimdows::WindowOpen()) << i;
        ASSERT_EQ(Wimdows::LoadBitmap(tile, 8, 8), 1U);
        Wimdows::DrawBitmap(1, i % 64, 0);
        Wimdows::Text("cycle", 0, 10);
        Wimdows::KillWindow();
        ASSERT_FALSE(Wimdows::WindowOpen());
    }
}

// Keys and mouse moves arrive while the caller drains the queue and reads the position:
// every key arrives once and in order, and a position is never half of one move and half
// of another (each move pushed has x equal to y).
TEST(Concurrency, InputArrivesWhileTheCallerDrains) {
    Wimdows::Window("Input", Width, Height);
    ASSERT_TRUE(Wimdows::WindowOpen());
    std::atomic<int> releases{0};
    Wimdows::OnMouseLeftUp([&releases](std::int32_t, std::int32_t) { ++releases; });
    constexpr int Keys = 3000;
    std::thread producer([] {
        for (int i = 0; i < Keys; ++i) {
            const auto scancode = static_cast<SDL_Scancode>(SDL_SCANCODE_A + i % 26);
            PushKey(true, scancode, SDLK_a + i % 26);
            PushMouseMove(i % 1000, i % 1000);
            if (i % 100 == 0) {
                PushButton(false, SDL_BUTTON_LEFT, 1, 1);
            }
        }
    });
    std::vector<std::uint32_t> received;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    while (received.size() < Keys && std::chrono::steady_clock::now() < deadline) {
        std::uint32_t code = 0;
        if (Wimdows::GetKeyPressed(code)) {
            received.push_back(code);
        }
        std::int32_t x = 0;
        std::int32_t y = 0;
        Wimdows::MousePos(x, y);
        ASSERT_EQ(x, y);
        (void)Wimdows::KeyDown(code);
    }
    producer.join();
    WaitUntilHandled();
    ASSERT_EQ(received.size(), static_cast<std::size_t>(Keys));
    for (int i = 0; i < Keys; ++i) {
        ASSERT_EQ(received[static_cast<std::size_t>(i)], static_cast<std::uint32_t>('A' + i % 26));
    }
    EXPECT_EQ(releases.load(), Keys / 100);
    Wimdows::KillWindow();
}

} // namespace
