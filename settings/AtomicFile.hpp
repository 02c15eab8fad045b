#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

// The game's own small files: read whole, and replaced all at once.
namespace Settings {

struct SmallFile {
    std::string text;
    std::error_code error;
    // There is no such file: `error` is set too.
    bool missing = false;
    // Longer than the limit: `text` holds its first `limit` bytes.
    bool cut = false;
    // Its permission bits, where the system has them.
    std::optional<unsigned> mode;
};

// A FIFO or device in the file's place reads as empty instead of hanging.
SmallFile ReadSmallFile(const std::filesystem::path& file, std::size_t limit);

// Replaces `file` with one holding `text`, all at once: the text goes to a new file beside it,
// which is synced before it takes the old one's place, so a crash at any moment leaves the old
// file or the new one. The new file gets `mode`, or else the permissions a new file gets; its
// folder is made if need be. What went wrong, empty when nothing.
std::string ReplaceFile(const std::filesystem::path& file, std::string_view text,
                        std::optional<unsigned> mode);

} // namespace Settings
