#include "support/GeneralLib.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>
#include <vector>

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

struct Poll {
    TimeOfDay at;
    bool reached;
};

struct TimerCase {
    const char* what;
    TimeOfDay armed;
    std::uint32_t hundredths;
    std::vector<Poll> polls; // in this order, on the one timer
};

TEST_F(Timers, DeadlinesOnTheTimeOfDay) {
    const TimerCase cases[] = {
        {"zero duration", {10, 0, 0, 0}, 0, {{{10, 0, 0, 0}, true}}},
        {"reached at the deadline itself, and polling changes nothing",
         {12, 0, 0, 0},
         50,
         {{{12, 0, 0, 49}, false},
          {{12, 0, 0, 50}, true},
          {{23, 59, 59, 99}, true},
          {{12, 0, 0, 49}, false}}},
        {"a minute is 6000 hundredths", {9, 0, 0, 0}, 6000,
         {{{9, 0, 59, 99}, false}, {{9, 1, 0, 0}, true}}},
        {"armed in hour 23: hour 0 counts as 24, hour 1 no more",
         {23, 59, 59, 90},
         20,
         {{{23, 59, 59, 95}, false},
          {{0, 0, 0, 5}, false},
          {{0, 0, 0, 10}, true},
          {{0, 59, 59, 99}, true},
          {{1, 0, 0, 0}, false}}},
        {"past midnight armed before hour 23", {22, 30, 0, 0}, 720000,
         {{{0, 30, 0, 0}, false}}},
        {"clock set back", {3, 0, 0, 0}, 100, {{{2, 0, 1, 0}, false}}},
    };
    for (const TimerCase& c : cases) {
        now = c.armed;
        SetTimer(0, c.hundredths);
        for (const Poll& poll : c.polls) {
            now = poll.at;
            EXPECT_EQ(TimerReached(0), poll.reached)
                << c.what << ", at " << now.Hrs << ':' << now.Mins << ':' << now.Secs << '.'
                << now.Hsecs;
        }
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
    EXPECT_EXIT(std::exit(TimerReached(0) && TimerReached(9) ? 0 : 1),
                ::testing::ExitedWithCode(0), "");
}

} // namespace
