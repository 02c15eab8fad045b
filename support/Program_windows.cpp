#include "support/Program.hpp"
#include "support/ProgramFolder_windows.hpp"

#include <string>
#include <windows.h>

namespace Program {
namespace {

std::filesystem::path File() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

} // namespace

std::string Name() {
    const std::u8string name = File().stem().u8string();
    return name.empty() ? "meandor" : std::string(name.begin(), name.end());
}

std::filesystem::path Folder() {
    return File().parent_path();
}

// Windows' heap gives blocks of this size back by itself.
void ReturnLargeBlocks() {}

} // namespace Program
