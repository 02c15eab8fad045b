#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace Settings {

// Replaces `file` with one holding `text`, all at once: the text goes to a new file beside it,
// which is synced before it is renamed over the old, so a crash at any moment leaves the old
// file or the new one. The new file gets `mode`, or else the permissions a new file gets; its
// folder is made if need be. What went wrong, empty when nothing.
std::string ReplaceFile(const std::filesystem::path& file, std::string_view text,
                        std::optional<mode_t> mode);

} // namespace Settings
