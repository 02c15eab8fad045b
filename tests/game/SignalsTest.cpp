#include "game/Signals.hpp"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

namespace {

// A signal that comes once the game has ended without one, as the program winds down, still
// ends the process by that signal instead of being taken and forgotten. In a process of its
// own, as the signal thread lives until the process ends.
TEST(Signals, OneAfterTheEndStillEndsTheProcessByIt) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            Meandor::StopOnSignals();
            Meandor::EndIfSignalled();
            kill(getpid(), SIGTERM);
            // Long enough for a busy machine to deliver it.
            std::this_thread::sleep_for(std::chrono::seconds(60));
            std::exit(0);
        },
        ::testing::KilledBySignal(SIGTERM), "");
}

// A signal while the program waits on what it cannot break off ends it there; and one that
// came before such a wait ends it as the wait begins.
TEST(Signals, WhileAWaitCannotBeBrokenOffOneEndsTheProcessAtOnce) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            Meandor::StopOnSignals();
            const Meandor::EndAtOnce guard;
            kill(getpid(), SIGINT);
            std::this_thread::sleep_for(std::chrono::seconds(60));
            std::exit(0);
        },
        ::testing::KilledBySignal(SIGINT), "");
    EXPECT_EXIT(
        {
            Meandor::StopOnSignals();
            kill(getpid(), SIGHUP);
            // Once the signal has been taken, as no window is open to close.
            while (true) {
                const Meandor::EndAtOnce guard;
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        },
        ::testing::KilledBySignal(SIGHUP), "");
}

// Without the guard the signal is taken, and the program ends by it only at its end.
TEST(Signals, AfterTheWaitASignalIsTakenAgain) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            Meandor::StopOnSignals();
            { const Meandor::EndAtOnce guard; }
            kill(getpid(), SIGTERM);
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            std::exit(7);
        },
        ::testing::ExitedWithCode(7), "");
}

} // namespace
