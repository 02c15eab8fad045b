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

} // namespace
