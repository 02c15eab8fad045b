#include "support/GeneralLib.hpp"

#include <gtest/gtest.h>

namespace {

using GeneralLib::SetClock;
using GeneralLib::SetTimer;
using GeneralLib::TimeOfDay;
using GeneralLib::TimerReached;

// A clock the test sets by hand.
class FakeClockTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetClock([this] { return now; });
    }
    void TearDown() override { SetClock({}); }
    void At(std::uint32_t h, std::uint32_t m, std::uint32_t s, std::uint32_t hs) {
        now = {h, m, s, hs};
    }
    TimeOfDay now;
};

TEST_F(FakeClockTest, NeverArmedTimerHasReached) {
    At(15, 30, 0, 0);
    EXPECT_TRUE(TimerReached(5));
    EXPECT_TRUE(TimerReached(9));
}

TEST_F(FakeClockTest, ZeroDurationReachesAtOnce) {
    At(10, 0, 0, 0);
    SetTimer(0, 0);
    EXPECT_TRUE(TimerReached(0));
}

TEST_F(FakeClockTest, DeadlineEqualToNowCountsAsReached) {
    At(12, 0, 0, 0);
    SetTimer(0, 50);
    At(12, 0, 0, 49);
    EXPECT_FALSE(TimerReached(0));
    At(12, 0, 0, 50);
    EXPECT_TRUE(TimerReached(0));
    At(23, 59, 59, 99);
    EXPECT_TRUE(TimerReached(0)) << "stays reached for the rest of the day";
}

TEST_F(FakeClockTest, PollingDoesNotChangeTheTimer) {
    At(8, 0, 0, 0);
    SetTimer(3, 100);
    At(8, 0, 1, 0);
    EXPECT_TRUE(TimerReached(3));
    At(8, 0, 0, 99);
    EXPECT_FALSE(TimerReached(3)) << "a reached timer reads FALSE again below its deadline";
}

TEST_F(FakeClockTest, TimersAreIndependent) {
    At(9, 0, 0, 0);
    SetTimer(1, 10);
    SetTimer(2, 1000);
    At(9, 0, 1, 0);
    EXPECT_TRUE(TimerReached(1));
    EXPECT_FALSE(TimerReached(2));
}

TEST_F(FakeClockTest, MidnightRuleDuringHourZero) {
    At(23, 59, 59, 90);
    SetTimer(0, 20); // deadline 8640010, not reduced modulo one day
    At(23, 59, 59, 95);
    EXPECT_FALSE(TimerReached(0));
    At(0, 0, 0, 5);
    EXPECT_FALSE(TimerReached(0)) << "counts as 8640005";
    At(0, 0, 0, 10);
    EXPECT_TRUE(TimerReached(0)) << "counts as 8640010";
    At(0, 59, 59, 99);
    EXPECT_TRUE(TimerReached(0));
}

TEST_F(FakeClockTest, MidnightRuleEndsAtHourOne) {
    At(23, 59, 59, 90);
    SetTimer(0, 20);
    At(1, 0, 0, 0);
    EXPECT_FALSE(TimerReached(0));
}

TEST_F(FakeClockTest, DeadlinePastMidnightArmedBeforeHour23NeverReachesNextDay) {
    At(22, 30, 0, 0);
    SetTimer(0, 360000 * 2); // two hours
    At(0, 30, 0, 0);
    EXPECT_FALSE(TimerReached(0));
}

TEST_F(FakeClockTest, ClockSetBackMovesTheDeadlineAway) {
    At(3, 0, 0, 0);
    SetTimer(0, 100);
    At(2, 0, 1, 0);
    EXPECT_FALSE(TimerReached(0));
}

TEST_F(FakeClockTest, TimerNumberOutsideTheTableIsHarmless) {
    At(12, 0, 0, 0);
    SetTimer(10, 100);
    SetTimer(0xFFFFFFFFU, 100);
    EXPECT_TRUE(TimerReached(10));
    EXPECT_TRUE(TimerReached(0)) << "timer 0 was not armed by the out-of-range calls";
}

TEST(WallClock, GivesAPlausibleTimeOfDay) {
    const TimeOfDay now = GeneralLib::Now();
    EXPECT_LE(now.Hrs, 23U);
    EXPECT_LE(now.Mins, 59U);
    EXPECT_LE(now.Secs, 60U);
    EXPECT_LE(now.Hsecs, 99U);
}

} // namespace
