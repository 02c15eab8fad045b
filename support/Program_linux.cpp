#include "support/Program.hpp"

#include <cerrno>
#include <malloc.h>
#include <system_error>

namespace Program {

std::string Name() {
    return program_invocation_short_name;
}

std::filesystem::path Folder() {
    std::error_code error;
    const std::filesystem::path file = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : file.parent_path();
}

// A fixed threshold: glibc would otherwise raise it to the largest block freed so far.
void ReturnLargeBlocks() {
    constexpr int LargeBlock = 128 * 1024;
    mallopt(M_MMAP_THRESHOLD, LargeBlock);
}

} // namespace Program
