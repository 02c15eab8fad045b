#include "FuzzBodies.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Fuzz::DoolhofBytes({data, size});
    return 0;
}
