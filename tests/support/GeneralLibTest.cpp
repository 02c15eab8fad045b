#include "support/GeneralLib.hpp"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

using GeneralLib::SetTimer;
using GeneralLib::TimeOfDay;
using GeneralLib::TimerReached;

// A clock the test sets by hand.
class Timers : public ::testing::Test {
  protected:
    void SetUp() override {
        GeneralLib::SetClock([this] { return now; });
    }
    void TearDown() override { GeneralLib::SetClock({}); }
    TimeOfDay now;
};

TEST_F(Timers, DeadlinesOnTheTimeOfDay) {
    struct Case {
        const char* what;
        TimeOfDay armed;
        std::uint32_t hundredths;
        TimeOfDay at;
        bool reached;
    };
    const Case cases[] = {
        {"no wait", {10, 0, 0, 0}, 0, {10, 0, 0, 0}, true},
        {"a hundredth short", {12, 0, 0, 0}, 50, {12, 0, 0, 49}, false},
        {"at the deadline", {12, 0, 0, 0}, 50, {12, 0, 0, 50}, true},
        {"later that day", {12, 0, 0, 0}, 50, {23, 59, 59, 99}, true},
        {"a minute short", {9, 0, 0, 0}, 6000, {9, 0, 59, 99}, false},
        {"a minute", {9, 0, 0, 0}, 6000, {9, 1, 0, 0}, true},
        {"before midnight", {23, 59, 59, 90}, 20, {23, 59, 59, 95}, false},
        {"hour 0 after 23 counts as 24, short", {23, 59, 59, 90}, 20, {0, 0, 0, 5}, false},
        {"hour 0 after 23 counts as 24", {23, 59, 59, 90}, 20, {0, 0, 0, 10}, true},
        {"to the end of hour 0", {23, 59, 59, 90}, 20, {0, 59, 59, 99}, true},
        {"hour 1 no more", {23, 59, 59, 90}, 20, {1, 0, 0, 0}, false},
        {"past midnight, armed before 23:00", {22, 30, 0, 0}, 720000, {0, 30, 0, 0}, false},
        {"clock set back", {3, 0, 0, 0}, 100, {2, 0, 1, 0}, false},
    };
    for (const Case& c : cases) {
        now = c.armed;
        SetTimer(0, c.hundredths);
        now = c.at;
        EXPECT_EQ(TimerReached(0), c.reached) << c.what;
        now = c.armed;
        EXPECT_EQ(TimerReached(0), c.hundredths == 0) << c.what << ": polling changed the timer";
    }
}

TEST_F(Timers, EachNumberIsItsOwnTimerAndOthersAreIgnored) {
    now = {9, 0, 0, 0};
    SetTimer(0, 0);
    SetTimer(1, 10);
    SetTimer(2, 1000);
    SetTimer(10, 1000);
    SetTimer(0xFFFFFFFFU, 1000);
    now = {9, 0, 1, 0};
    EXPECT_TRUE(TimerReached(0)) << "not armed again by the numbers past the table";
    EXPECT_TRUE(TimerReached(1));
    EXPECT_FALSE(TimerReached(2));
    EXPECT_TRUE(TimerReached(10));
}

// Timers start unarmed only once a process: looked at in a process of its own.
TEST(TimersAtStart, NeverArmedHasReached) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(std::exit(TimerReached(0) && TimerReached(9) ? 0 : 1), ::testing::ExitedWithCode(0),
                "");
}

} // namespace
