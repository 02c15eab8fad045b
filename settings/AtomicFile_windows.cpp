#include "settings/AtomicFile.hpp"

#include <windows.h>
// Windows names one of its own calls so, as a macro.
#undef ReplaceFile

#include <algorithm>
#include <array>
#include <iterator>
#include <random>
#include <utility>

namespace Settings {
namespace {

class Handle {
  public:
    explicit Handle(HANDLE opened) : handle(opened) {}
    ~Handle() {
        if (handle != INVALID_HANDLE_VALUE) {
            CloseHandle(handle);
        }
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    HANDLE Get() const { return handle; }
    bool Close() { return CloseHandle(std::exchange(handle, INVALID_HANDLE_VALUE)) != 0; }

  private:
    HANDLE handle;
};

std::error_code LastError() {
    return {static_cast<int>(GetLastError()), std::system_category()};
}

std::string LastMessage() {
    return LastError().message();
}

bool Missing(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// Opens a new file `file`.XXXXXX; its name goes to `path`.
HANDLE CreateBeside(const std::filesystem::path& file, std::filesystem::path& path) {
    constexpr std::wstring_view Letters =
        L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    constexpr std::size_t Unique = 6;
    constexpr int Tries = 100;
    std::random_device random;
    std::uniform_int_distribution<std::size_t> pick(0, Letters.size() - 1);
    for (int tried = 0; tried < Tries; ++tried) {
        std::wstring name = file.native() + L'.';
        std::generate_n(std::back_inserter(name), Unique, [&] { return Letters[pick(random)]; });
        path = name;
        const HANDLE handle = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) {
            return handle;
        }
    }
    return INVALID_HANDLE_VALUE;
}

// A new file beside `file`, removed again unless kept.
class Temporary {
  public:
    explicit Temporary(const std::filesystem::path& file) : handle(CreateBeside(file, path)) {}
    ~Temporary() {
        if (made && !kept) {
            handle.Close();
            DeleteFileW(path.c_str());
        }
    }
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;

    const std::filesystem::path& Path() const { return path; }
    Handle& File() { return handle; }
    void Keep() { kept = true; }

  private:
    std::filesystem::path path;
    Handle handle;
    const bool made = handle.Get() != INVALID_HANDLE_VALUE;
    bool kept = false;
};

bool WriteAll(HANDLE handle, std::string_view text) {
    while (!text.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(text.size(), 1U << 20));
        DWORD wrote = 0;
        if (WriteFile(handle, text.data(), chunk, &wrote, nullptr) == 0) {
            return false;
        }
        text.remove_prefix(wrote);
    }
    return true;
}

} // namespace

SmallFile ReadSmallFile(const std::filesystem::path& file, std::size_t limit) {
    SmallFile contents;
    const Handle in(CreateFileW(file.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (in.Get() == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        contents.error = {static_cast<int>(error), std::system_category()};
        contents.missing = Missing(error);
        return contents;
    }
    if (GetFileType(in.Get()) != FILE_TYPE_DISK) {
        return contents;
    }
    std::array<char, 4096> buffer{};
    while (contents.text.size() <= limit) {
        DWORD got = 0;
        if (ReadFile(in.Get(), buffer.data(), buffer.size(), &got, nullptr) == 0) {
            contents.error = LastError();
            return contents;
        }
        if (got == 0) {
            return contents;
        }
        contents.text.append(buffer.data(), got);
    }
    contents.cut = true;
    contents.text.resize(limit);
    return contents;
}

// Windows has no permission bits to keep: a new file takes its folder's.
std::string ReplaceFile(const std::filesystem::path& file, std::string_view text,
                        std::optional<unsigned>) {
    const std::filesystem::path folderPath =
        file.has_parent_path() ? file.parent_path() : std::filesystem::path(L".");
    std::error_code error;
    std::filesystem::create_directories(folderPath, error);
    if (error) {
        return error.message();
    }
    // MoveFileEx refuses to replace a read-only file on Windows (not always under Wine): the
    // player has chosen so.
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return LastMessage();
    }
    Temporary temporary(file);
    Handle& out = temporary.File();
    // On NTFS the move is one rename that replaces the old file, and it reaches the disk
    // before the call returns.
    if (out.Get() == INVALID_HANDLE_VALUE || !WriteAll(out.Get(), text) ||
        FlushFileBuffers(out.Get()) == 0 || !out.Close() ||
        MoveFileExW(temporary.Path().c_str(), file.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == 0) {
        return LastMessage();
    }
    temporary.Keep();
    return {};
}

} // namespace Settings
