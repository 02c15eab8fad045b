#include "FuzzBodies.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Fuzz::BitmapBytes({data, size});
    return 0;
}
