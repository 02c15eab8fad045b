#include "TestWindow.hpp"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace WimdowsTest;
using Wimdows::Testing::WaitUntilHandled;

std::int64_t HeapInUse() {
    return static_cast<std::int64_t>(TestKit::HeapBytes());
}

// The window thread is detached: after KillWindow returns it still frees its own record and
// SDL's per-thread data. A level above `limit` is looked at again for a while before it counts.
std::int64_t SettledHeap(std::int64_t limit) {
    constexpr int Tries = 200;
    std::int64_t now = HeapInUse();
    for (int i = 0; i < Tries && now > limit; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        now = HeapInUse();
    }
    return now;
}

// The lowest level over a tenth of a second, once the last window thread has had time to end.
std::int64_t Baseline() {
    std::int64_t lowest = HeapInUse();
    for (int i = 0; i < 20; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        lowest = std::min(lowest, HeapInUse());
    }
    return lowest;
}

// Heap at the end of a soak, `baseline` taken after the warm-up, within `tolerance` of it.
void ExpectFlat(const char* what, std::int64_t baseline, std::int64_t tolerance) {
    const std::int64_t drift = SettledHeap(baseline + tolerance) - baseline;
    ::testing::Test::RecordProperty(what, std::to_string(drift));
    EXPECT_LE(drift, tolerance) << what << ": heap grew by " << drift << " bytes over " << baseline;
}

// mallinfo2 counts chunks parked in a thread's malloc cache as in use, tens of kilobytes that
// come and go with the order of frees; so the soaks run with that cache off, and with one
// arena, since each arena a new thread adds stays for good. ctest sets both; a soak started
// without them runs again in a child process that has them.
constexpr const char* Tunables = "glibc.malloc.tcache_count=0:glibc.malloc.arena_max=1";

bool HeapCountsFrees() {
    constexpr std::size_t Small = 40;
    void* volatile chunk = std::malloc(Small);
    const std::int64_t before = HeapInUse();
    std::free(chunk);
    return HeapInUse() < before;
}

int RunInChildWithTunables() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string command = "GLIBC_TUNABLES=" + std::string(Tunables) + " '" +
                                std::filesystem::read_symlink("/proc/self/exe").string() +
                                "' --gtest_filter=" + test->test_suite_name() + "." + test->name() +
                                " >&2";
    return std::system(command.c_str());
}

class Soak : public ::testing::Test {
  protected:
    void SetUp() override {
        if (HeapCountsFrees()) {
            return;
        }
        ASSERT_EQ(std::getenv("GLIBC_TUNABLES"), nullptr)
            << "malloc hides frees under " << Tunables;
        ASSERT_EQ(RunInChildWithTunables(), 0);
        GTEST_SKIP() << "passed in a child process run with GLIBC_TUNABLES=" << Tunables;
    }
};

// Key i is the letter A to Z in turn.
std::uint32_t LetterCode(int i) {
    return static_cast<std::uint32_t>('A' + i % 26);
}

// Back buffer and window surface at four bytes a pixel: what an open window holds at least,
// and what the library keeps for the next window of the same size once it has closed.
constexpr std::int64_t WindowBuffers = std::int64_t{2} * Width * Height * 4;

// Opens a window (on odd cycles a second one that replaces it), draws text with a font the
// window owns, and closes it again.
void WindowCycle(int cycle) {
    Wimdows::Window("Soak", Width, Height);
    ASSERT_TRUE(Wimdows::WindowOpen()) << cycle;
    if (cycle % 2 == 1) {
        Wimdows::Window("Soak again", Width, Height);
        ASSERT_TRUE(Wimdows::WindowOpen()) << cycle;
    }
    Wimdows::Rectangle(0, 0, 9, 9, 0x0000FF00U, true);
    Wimdows::Text("cycle", 0, 10);
    ASSERT_EQ(Wimdows::Testing::BackBufferPixel(5, 5), 0x0000FF00U) << cycle;
    Wimdows::KillWindow();
    ASSERT_FALSE(Wimdows::WindowOpen()) << cycle;
}

TEST_F(Soak, ThousandWindowsOpenedAndClosed) {
    constexpr int WarmUp = 10;
    constexpr int Cycles = 1000;
    // One small allocation kept per cycle (32 bytes with malloc's header) exceeds 16 KiB; the
    // level otherwise moves by about 2 KiB, the last window thread's own frees.
    constexpr std::int64_t Tolerance = 16 * 1024;
    const std::int64_t before = HeapInUse();
    for (int i = 0; i < WarmUp; ++i) {
        ASSERT_NO_FATAL_FAILURE(WindowCycle(i));
    }
    const std::int64_t baseline = Baseline();
    ASSERT_GE(baseline, before + WindowBuffers) << "the windows' buffers unseen";
    for (int i = 0; i < Cycles; ++i) {
        ASSERT_NO_FATAL_FAILURE(WindowCycle(i));
    }
    ExpectFlat("window_cycles_drift", baseline, Tolerance);
}

// SDL's event queue holds at most 65535 events; a batch of key presses, each a down and an up
// event, stays well inside it together with the sync request that follows.
constexpr int BatchKeys = 10000;

void PushKeys(int count) {
    for (int i = 0; i < count; ++i) {
        const auto scancode = static_cast<SDL_Scancode>(SDL_SCANCODE_A + i % 26);
        PushKey(true, scancode, SDLK_a + i % 26);
        PushKey(false, scancode, SDLK_a + i % 26);
    }
}

// SDL keeps the entries of its event queue for reuse, as many as were ever queued at once.
// The window thread is held in a left-release callback while a whole batch is pushed, so
// that pool reaches its full size before the baseline is taken.
void FillEventPool(int count) {
    std::atomic<bool> open{false};
    Wimdows::OnMouseLeftUp([&open](std::int32_t, std::int32_t) { open.wait(false); });
    PushButton(false, SDL_BUTTON_LEFT, 1, 1);
    PushKeys(count);
    open.store(true);
    open.notify_all();
    WaitUntilHandled();
    Wimdows::OnMouseLeftUp({});
}

// Takes every queued code; each must be the next letter pressed.
int DrainInOrder() {
    int taken = 0;
    for (std::uint32_t code = 0; Wimdows::GetKeyPressed(code) && code == LetterCode(taken);) {
        ++taken;
    }
    return taken;
}

TEST_F(Soak, HundredThousandKeysQueuedAndFlushed) {
    constexpr int Batches = 10;
    // A list node of a code and two links; the queue holds its keys and nothing more.
    constexpr std::int64_t NodeBound = 64;
    // A node kept per key would be over 300 KiB a batch; with the window open nothing else moves.
    constexpr std::int64_t Tolerance = 16 * 1024;
    Wimdows::Window("Keys", Width, Height);
    ASSERT_TRUE(Wimdows::WindowOpen());
    FillEventPool(BatchKeys);
    Wimdows::FlushKeys();
    const std::int64_t baseline = HeapInUse();
    for (int batch = 0; batch < Batches; ++batch) {
        PushKeys(BatchKeys);
        WaitUntilHandled();
        const std::int64_t full = HeapInUse() - baseline;
        EXPECT_GE(full, std::int64_t{BatchKeys} * 4) << batch << ": the queued keys unseen";
        EXPECT_LE(full, BatchKeys * NodeBound + Tolerance) << batch;
        // The queue has no size limit: every other batch is read back whole, the rest flushed.
        if (batch % 2 == 0) {
            EXPECT_EQ(DrainInOrder(), BatchKeys) << batch;
        } else {
            std::uint32_t first = 0;
            ASSERT_TRUE(Wimdows::GetKeyPressed(first)) << batch;
            EXPECT_EQ(first, LetterCode(0));
            Wimdows::FlushKeys();
        }
        std::uint32_t code = 0;
        EXPECT_FALSE(Wimdows::GetKeyPressed(code)) << batch;
        ASSERT_FALSE(Wimdows::KeyDown(LetterCode(BatchKeys - 1))) << batch;
    }
    ExpectFlat("key_queue_drift", baseline, Tolerance);
    Wimdows::KillWindow();
}

struct Load {
    std::string file;
    std::uint32_t side;
    bool valid;
};

// Small pictures of our own and good corpus files, between missing, empty, truncated,
// malformed and unreadable ones, and sizes that are refused.
std::vector<Load> LoadMix(const TempDir& dir) {
    const std::string tile = dir.Bmp("tile.bmp", 8, 8, [](int i, int j) { return (i ^ j) * 32U; });
    const std::string stripe = dir.Bmp("stripe.bmp", 16, 4, [](int i, int) { return i * 16U; });
    const std::string dot = dir.Bmp("dot.bmp", 1, 1, [](int, int) { return 0x0000FFU; });
    std::vector<Load> mix{{tile, 8, true},
                          {stripe, 16, true},
                          {dot, 4, true},
                          {tile, 0, false},
                          {dir / "missing.bmp", 8, false},
                          {dir.File("empty.bmp", ""), 8, false},
                          {dir.File("signature.bmp", "BM"), 8, false},
                          {dir.File("text.bmp", "not a picture at all, only words"), 8, false},
                          {dir.Path().string(), 8, false}};
    const std::filesystem::path suite = BmpSuite();
    if (!suite.empty()) {
        for (const char* good : {"g/pal1.bmp", "g/pal8.bmp", "g/rgb24.bmp", "g/pal4rle.bmp"}) {
            mix.push_back({(suite / good).string(), 12, true});
        }
        // Bad files the decoder refuses, and one whose declared size is refused before it.
        for (const char* bad : {"b/badbitcount.bmp", "b/badwidth.bmp", "b/shortfile.bmp",
                                "b/rgb16-880.bmp", "b/reallybig.bmp"}) {
            mix.push_back({(suite / bad).string(), 12, false});
        }
    }
    return mix;
}

// Loads `count` files of the mix in turn on an open window: good ones take the next handle,
// broken ones give 0 and use up no number. Returns the pixel bytes the table holds.
std::int64_t LoadRound(const std::vector<Load>& mix, int count) {
    std::uint32_t next = 1;
    std::int64_t pixels = 0;
    for (int i = 0; i < count && !::testing::Test::HasFailure(); ++i) {
        const Load& load = mix[static_cast<std::size_t>(i) % mix.size()];
        EXPECT_EQ(Wimdows::LoadBitmap(load.file, load.side, load.side), load.valid ? next : 0U)
            << load.file;
        next += load.valid ? 1 : 0;
        pixels += load.valid ? std::int64_t{load.side} * load.side * 4 : 0;
    }
    Wimdows::DrawBitmap(next - 1, 0, 0);
    Wimdows::DrawMaskBitmap(1, 1, 20, 20);
    return pixels;
}

// One window's round: open, load, see the table on the heap, close.
void BitmapRound(const std::vector<Load>& mix, int loads, std::int64_t baseline) {
    Wimdows::Window("Bitmaps", Width, Height);
    ASSERT_TRUE(Wimdows::WindowOpen());
    const std::int64_t pixels = LoadRound(mix, loads);
    ASSERT_FALSE(::testing::Test::HasFailure());
    ASSERT_GE(HeapInUse() - baseline, WindowBuffers + pixels) << "the table unseen";
    Wimdows::KillWindow();
    ASSERT_FALSE(Wimdows::WindowOpen());
}

TEST_F(Soak, TenThousandBitmapsLoadedOnOneWindow) {
    constexpr int Loads = 10000;
    constexpr int Rounds = 3;
    // Allows under 2 bytes a load, while a round's table takes hundreds of kilobytes: a leaked
    // entry per load, a table kept per round or room kept for the largest table shows.
    constexpr std::int64_t Tolerance = 16 * 1024;
    const TempDir dir;
    const std::vector<Load> mix = LoadMix(dir);
    // Two small rounds: SDL allocates a little for good the second time it starts its video.
    const int warmUpLoads = static_cast<int>(mix.size()) * 2;
    for (int round = 0; round < 2; ++round) {
        ASSERT_NO_FATAL_FAILURE(BitmapRound(mix, warmUpLoads, 0));
    }
    const std::int64_t baseline = Baseline();
    for (int round = 0; round < Rounds; ++round) {
        SCOPED_TRACE(round);
        ASSERT_NO_FATAL_FAILURE(BitmapRound(mix, Loads, baseline));
        ExpectFlat("bitmap_round_drift", baseline, Tolerance);
        if (HasFailure()) {
            return;
        }
    }
    // The table went with the window: numbering starts again.
    Wimdows::Window("After", Width, Height);
    EXPECT_EQ(Wimdows::LoadBitmap(mix.front().file, 8, 8), 1U);
    Wimdows::KillWindow();
}

} // namespace
