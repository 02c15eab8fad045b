#include "support/GeneralLib.hpp"
#include "support/StandardLib.hpp"

#include <cstdlib>
#include <gtest/gtest.h>
#include <set>
#include <tuple>
#include <vector>

namespace {

using namespace GeneralLib;
using namespace StandardLib;

// A clock the test sets by hand.
class Timers : public ::testing::Test {
  protected:
    void SetUp() override {
        SetClock([this] { return now; });
    }
    void TearDown() override { SetClock({}); }
    TimeOfDay now;
};

// Armed at `armed` for `hundredths`, polled at `at`; hour 0 after 23 counts as hour 24.
TEST_F(Timers, DeadlinesOnTheTimeOfDay) {
    const std::tuple<TimeOfDay, std::uint32_t, TimeOfDay, bool> cases[] = {
        {{10, 0, 0, 0}, 0, {10, 0, 0, 0}, true},
        {{12, 0, 0, 0}, 50, {12, 0, 0, 49}, false},
        {{12, 0, 0, 0}, 50, {12, 0, 0, 50}, true},
        {{9, 0, 0, 0}, 6000, {9, 1, 0, 0}, true},
        {{23, 59, 59, 90}, 20, {23, 59, 59, 95}, false},
        {{23, 59, 59, 90}, 20, {0, 0, 0, 5}, false},
        {{23, 59, 59, 90}, 20, {0, 0, 0, 10}, true},
        {{23, 59, 59, 90}, 20, {1, 0, 0, 0}, false},
        {{22, 30, 0, 0}, 720000, {0, 30, 0, 0}, false},
        {{3, 0, 0, 0}, 100, {2, 0, 1, 0}, false},
    };
    for (const auto& [armed, hundredths, at, reached] : cases) {
        now = armed;
        SetTimer(0, hundredths);
        now = at;
        EXPECT_EQ(TimerReached(0), reached) << at.hours << ":" << at.minutes << ":" << at.seconds;
        now = armed;
        EXPECT_EQ(TimerReached(0), hundredths == 0) << "polling changed the timer";
    }
    // Each number is its own timer; numbers past the table are ignored, not folded onto 0.
    now = {9, 0, 0, 0};
    for (const std::uint32_t timer : {0U, 1U, 2U, 10U, 0xFFFFFFFFU}) {
        SetTimer(timer, timer == 0 ? 0 : timer == 1 ? 10 : 1000);
    }
    now = {9, 0, 1, 0};
    EXPECT_TRUE(TimerReached(0) && TimerReached(1) && TimerReached(10));
    EXPECT_FALSE(TimerReached(2));
}

constexpr std::uint32_t FirstSeed = 94;

// Init seeds only once a process; the generator is stepped round its cycle back to where a
// fresh start has it.
class RandomCardTest : public ::testing::Test {
  protected:
    void SetUp() override { Restart(); }
    static void Restart() {
        StandardLib::Init();
        gPseudoRandom = true;
        for (int i = 0; i < 1013 && Seed() != FirstSeed; ++i) {
            RandomCard(0, 1);
        }
    }
};

// Timers start unarmed and Init seeds only once a process: looked at in a process of its own.
bool FreshProcess() {
    StandardLib::Init();
    return TimerReached(0) && TimerReached(9) && gPseudoRandom && Seed() == FirstSeed;
}

TEST(AtStart, TimersUnarmedAndOwnGeneratorSeeded94) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(std::exit(FreshProcess() ? 0 : 1), ::testing::ExitedWithCode(0), "");
}

TEST_F(RandomCardTest, FullPeriodEndsAndKnownSequences) {
    // A period of exactly 1012 steps; the scale factor's rounding makes state 0 give min and
    // state 1012 give max, spread over a wide interval.
    std::set<std::uint32_t> seen;
    std::set<std::uint32_t> ends;
    for (int i = 0; i < 1012; ++i) {
        const std::uint32_t r = RandomCard(1, 1000000);
        seen.insert(Seed());
        if (Seed() == 0 || Seed() == 1012) {
            ends.insert(r);
        }
    }
    EXPECT_EQ(Seed(), FirstSeed);
    EXPECT_EQ(seen.size(), 1012U);
    EXPECT_EQ(ends, (std::set<std::uint32_t>{1, 1000000}));
    const std::tuple<std::uint32_t, std::uint32_t, std::vector<std::uint32_t>> sequences[] = {
        {0, 1012, {716, 230, 841, 546, 327, 446, 682, 452, 762, 168}},
        {1, 4, {3, 1, 4, 3, 2, 2, 3, 2}},
        {1, 2, {2, 1, 2, 2, 1, 1, 2, 1}},
    };
    for (const auto& [min, max, first] : sequences) {
        Restart();
        std::vector<std::uint32_t> drawn;
        while (drawn.size() < first.size()) {
            drawn.push_back(RandomCard(min, max));
        }
        EXPECT_EQ(drawn, first) << min << ".." << max;
    }
}

// A reversed interval is reported and leaves the generator alone, a single value still
// advances it, a second Init does not reseed, and the runtime generator leaves it alone too.
TEST_F(RandomCardTest, EdgeIntervalsAndTheRuntimeGenerator) {
    testing::internal::CaptureStdout();
    EXPECT_EQ(RandomCard(5, 3), 5U);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "ERROR calling RandomCardFromInterval: min 5 is bigger than max 3\n");
    EXPECT_EQ(Seed(), FirstSeed);
    EXPECT_EQ(RandomCard(7, 7), 7U);
    EXPECT_EQ(Seed(), 716U);
    StandardLib::Init();
    EXPECT_EQ(Seed(), 716U);
    gPseudoRandom = false;
    std::set<std::uint32_t> values;
    for (int i = 0; i < 1000; ++i) {
        values.insert(RandomCard(10, 13));
    }
    EXPECT_EQ(values, (std::set<std::uint32_t>{10, 11, 12, 13}));
    EXPECT_EQ(Seed(), 716U);
}

} // namespace
