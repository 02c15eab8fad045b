#include "TestKit.hpp"

#include <gtest/gtest.h>

// Every test program runs on SDL's dummy drivers unless told otherwise, so that it runs the
// same by hand as from ctest, with or without a display.
int main(int argc, char** argv) {
    TestKit::SetEnv("SDL_VIDEODRIVER", "dummy", false);
    TestKit::SetEnv("SDL_AUDIODRIVER", "dummy", false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
