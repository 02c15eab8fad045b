#include "settings/AtomicFile.hpp"
#include "settings/Descriptor.hpp"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <iterator>
#include <random>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace Settings {
namespace {

// Opens a new file `file`.XXXXXX, as mkstemp does but with 0644 so that a new file gets the
// player's umask; its name goes to `path`. -1 with errno when none could be made.
int CreateBeside(const std::filesystem::path& file, std::string& path) {
    constexpr std::string_view Letters =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    constexpr std::size_t Unique = 6;
    constexpr int Tries = 100;
    std::random_device random;
    std::uniform_int_distribution<std::size_t> pick(0, Letters.size() - 1);
    for (int tried = 0; tried < Tries; ++tried) {
        path = file.string() + '.';
        std::generate_n(std::back_inserter(path), Unique, [&] { return Letters[pick(random)]; });
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

// A new file beside `file`, removed again unless kept.
class Temporary {
  public:
    explicit Temporary(const std::filesystem::path& file) : fd(CreateBeside(file, path)) {}
    ~Temporary() {
        if (made && !kept) {
            ::unlink(path.c_str());
        }
    }
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;

    const std::string& Path() const { return path; }
    Descriptor& File() { return fd; }
    void Keep() { kept = true; }

  private:
    std::string path;
    Descriptor fd;
    const bool made = fd.Get() >= 0;
    bool kept = false;
};

bool WriteAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t wrote = ::write(fd, text.data(), text.size());
        if (wrote < 0 && errno != EINTR) {
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(std::max<ssize_t>(wrote, 0)));
    }
    return true;
}

std::error_code LastError() {
    return {errno, std::generic_category()};
}

} // namespace

SmallFile ReadSmallFile(const std::filesystem::path& file, std::size_t limit) {
    SmallFile contents;
    const Descriptor in(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat status {};
    if (in.Get() < 0 || ::fstat(in.Get(), &status) != 0) {
        contents.error = LastError();
        contents.missing = errno == ENOENT;
        return contents;
    }
    contents.mode = status.st_mode & 07777U;
    std::array<char, 4096> buffer{};
    while (contents.text.size() <= limit) {
        const ssize_t got = ::read(in.Get(), buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            contents.error = LastError();
            return contents;
        }
        if (got == 0) {
            return contents;
        }
        contents.text.append(buffer.data(), static_cast<std::size_t>(got));
    }
    contents.cut = true;
    contents.text.resize(limit);
    return contents;
}

std::string ReplaceFile(const std::filesystem::path& file, std::string_view text,
                        std::optional<unsigned> mode) {
    const std::filesystem::path folderPath =
        file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
    std::error_code error;
    std::filesystem::create_directories(folderPath, error);
    if (error) {
        return error.message();
    }
    Temporary temporary(file);
    Descriptor& out = temporary.File();
    if (out.Get() < 0 || !WriteAll(out.Get(), text) || (mode && ::fchmod(out.Get(), *mode) != 0) ||
        ::fsync(out.Get()) != 0 || !out.Close() ||
        ::rename(temporary.Path().c_str(), file.c_str()) != 0) {
        return std::strerror(errno);
    }
    temporary.Keep();
    // The rename itself lasts a power cut only once the folder is synced.
    const Descriptor folder(::open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    ::fsync(folder.Get());
    return {};
}

} // namespace Settings
