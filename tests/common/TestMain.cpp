#include <cstdlib>
#include <gtest/gtest.h>

// Every test program runs on SDL's dummy drivers unless told otherwise, so that it runs the
// same by hand as from ctest, with or without a display.
int main(int argc, char** argv) {
    ::setenv("SDL_VIDEODRIVER", "dummy", 0);
    ::setenv("SDL_AUDIODRIVER", "dummy", 0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
