#include "TestWindow.hpp"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <malloc.h>
#include <thread>
#include <tuple>

// Present when a sanitizer's allocator has replaced malloc.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes() __attribute__((weak));

namespace {

using namespace WimdowsTest;

// Heap memory in use by every thread, in bytes, also under a sanitizer's allocator.
std::int64_t HeapInUse() {
    if (&__sanitizer_get_current_allocated_bytes != nullptr) {
        return static_cast<std::int64_t>(__sanitizer_get_current_allocated_bytes());
    }
    const struct mallinfo2 info = ::mallinfo2();
    // Small chunks plus the large ones malloc maps on their own.
    return static_cast<std::int64_t>(info.uordblks + info.hblkhd);
}

// The lowest level over `within`, or the first at or below `limit`: the window thread may still
// be freeing what the closed window held after KillWindow returns.
std::int64_t SettledHeap(std::int64_t limit, std::chrono::seconds within) {
    const auto giveUp = std::chrono::steady_clock::now() + within;
    std::int64_t lowest = HeapInUse();
    while (lowest > limit && std::chrono::steady_clock::now() < giveUp) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        lowest = std::min(lowest, HeapInUse());
    }
    return lowest;
}

// mallinfo2 counts chunks parked in a thread's malloc cache as in use, and each arena a new
// thread adds stays for good. ctest switches both off; to run this program directly:
//   GLIBC_TUNABLES=glibc.malloc.tcache_count=0:glibc.malloc.arena_max=1 ./wimdows_soak_tests
bool HeapCountsFrees() {
    void* volatile chunk = std::malloc(40);
    const std::int64_t before = HeapInUse();
    std::free(chunk);
    return HeapInUse() < before;
}

// A file, the side it is loaded at, and whether it loads.
using Load = std::tuple<std::string, std::uint32_t, bool>;

// Small pictures between missing, empty and malformed files and sizes that are refused; the
// public BMP corpus goes through the loader in every fuzz run, under the leak checker.
std::vector<Load> LoadMix(const TempDir& dir) {
    return {{dir.Bmp("tile.bmp", 8, 8, [](int i, int j) { return (i ^ j) * 32U; }), 8, true},
            {dir.Bmp("dot.bmp", 1, 1, [](int, int) { return 0x0000FFU; }), 4, true},
            {dir / "tile.bmp", 0, false},
            {dir / "missing.bmp", 8, false},
            {dir.File("signature.bmp", "BM"), 8, false}};
}

constexpr int Keys = 52;

// A window (every other round a second one that replaces it) gets keys, loads the mix and draws
// with it and with a font of its own, then closes. Over the baseline, which has the buffers the
// library keeps for the next window, it holds at least the loaded pictures and queued keys.
void Round(int round, const std::vector<Load>& mix, std::int64_t baseline) {
    Wimdows::Window("Soak", Width, Height);
    if (round % 2 == 1) {
        Wimdows::Window("Soak again", Width, Height);
    }
    ASSERT_TRUE(Wimdows::WindowOpen());
    for (int i = 0; i < Keys; ++i) {
        const auto scancode = static_cast<SDL_Scancode>(SDL_SCANCODE_A + i % Letters);
        PushKey(true, scancode, SDLK_a + i % Letters);
        PushKey(false, scancode, SDLK_a + i % Letters);
    }
    std::uint32_t next = 1;
    std::int64_t held = Keys * 4;
    for (const auto& [file, side, valid] : mix) {
        ASSERT_EQ(Wimdows::LoadBitmap(file, side, side), valid ? next : 0U) << file;
        next += valid ? 1 : 0;
        held += valid ? std::int64_t{side} * side * 4 : 0;
    }
    Wimdows::DrawBitmap(next - 1, 0, 0);
    Wimdows::DrawMaskBitmap(1, 1, 20, 20);
    Wimdows::Text("round", 0, 10);
    Wimdows::Testing::WaitUntilHandled();
    ASSERT_GE(HeapInUse() - baseline, held) << "what the window holds unseen";
    // Every other round the keys are read back in order, the others flushed.
    std::uint32_t code = 0;
    for (int i = 0; round % 2 == 0 && i < Keys; ++i) {
        ASSERT_TRUE(Wimdows::GetKeyPressed(code) &&
                    code == 'A' + static_cast<std::uint32_t>(i % Letters))
            << i;
    }
    Wimdows::FlushKeys();
    ASSERT_FALSE(Wimdows::GetKeyPressed(code));
    Wimdows::KillWindow();
}

TEST(Soak, ThousandRoundsOfWindowsKeysAndBitmapsLeaveTheHeapFlat) {
    constexpr int WarmUp = 10;
    constexpr int Rounds = 1000;
    // A small allocation kept per round (32 bytes with malloc's header) exceeds 16 KiB; the
    // level otherwise moves by about 2 KiB, the last window thread's own frees.
    constexpr std::int64_t Tolerance = 16 * 1024;
    const TempDir dir;
    const std::vector<Load> mix = LoadMix(dir);
    std::int64_t baseline = 0;
    for (int round = 0; round < WarmUp + Rounds; ++round) {
        // A baseline taken before the frees are done only makes the check more lenient.
        baseline = round == WarmUp ? SettledHeap(0, std::chrono::seconds(1)) : baseline;
        SCOPED_TRACE(round);
        ASSERT_NO_FATAL_FAILURE(Round(round, mix, baseline));
    }
    const std::int64_t drift =
        SettledHeap(baseline + Tolerance, std::chrono::seconds(60)) - baseline;
    RecordProperty("heap_drift", std::to_string(drift));
    if (!HeapCountsFrees()) {
        GTEST_SKIP() << "malloc hides frees: see the comment on HeapCountsFrees";
    }
    EXPECT_LE(drift, Tolerance) << "heap grew by " << drift << " bytes over " << baseline;
}

} // namespace
