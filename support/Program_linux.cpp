#include "support/Program.hpp"

#include <cerrno>
#include <malloc.h>

namespace Program {

std::string Name() {
    return program_invocation_short_name;
}

// A fixed threshold: glibc would otherwise raise it to the largest block freed so far.
void ReturnLargeBlocks() {
    constexpr int LargeBlock = 128 * 1024;
    mallopt(M_MMAP_THRESHOLD, LargeBlock);
}

} // namespace Program
