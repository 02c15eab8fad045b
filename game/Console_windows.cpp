#include "game/Console.hpp"
#include "support/ProgramFolder_windows.hpp"

#include <cstdio>
#include <iostream>
#include <string>
#include <windows.h>

namespace Meandor {
namespace {

bool Has(DWORD stream) {
    const HANDLE handle = GetStdHandle(stream);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

// Output a caller sent to a file or a pipe stays there; only what would be lost goes to the
// console the program was started from.
void AttachToStartingConsole() {
    if (Has(STD_OUTPUT_HANDLE) && Has(STD_ERROR_HANDLE)) {
        return;
    }
    if (AttachConsole(ATTACH_PARENT_PROCESS) == 0) {
        return;
    }
    FILE* reopened = nullptr;
    if (!Has(STD_OUTPUT_HANDLE)) {
        freopen_s(&reopened, "CONOUT$", "w", stdout);
    }
    if (!Has(STD_ERROR_HANDLE)) {
        freopen_s(&reopened, "CONOUT$", "w", stderr);
    }
    std::cout.clear();
    std::cerr.clear();
}

std::wstring Wide(std::string_view utf8) {
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                        length);
    return wide;
}

} // namespace

void MeetConsole() {
    AttachToStartingConsole();
    const std::filesystem::path folder = Program::Folder();
    if (!folder.empty()) {
        SetCurrentDirectoryW(folder.c_str());
    }
}

void TellPlayer(std::string_view error) {
    std::cerr << error << std::endl;
    MessageBoxW(nullptr, Wide(error).c_str(), L"Meandor", MB_ICONERROR | MB_OK);
}

} // namespace Meandor
