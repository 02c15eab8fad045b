#include "settings/SettingsFolder.hpp"

#include <cstdlib>
#include <optional>

namespace Settings {
namespace {

// A relative path would be read from the working directory, which is the runtime tree.
std::optional<std::filesystem::path> AbsolutePathIn(const char* variable) {
    const char* value = std::getenv(variable);
    if (value == nullptr) {
        return std::nullopt;
    }
    std::filesystem::path path(value);
    if (!path.is_absolute()) {
        return std::nullopt;
    }
    return path;
}

} // namespace

std::filesystem::path SettingsFolder() {
    if (const auto config = AbsolutePathIn("XDG_CONFIG_HOME")) {
        return *config / "meandor";
    }
    if (const auto home = AbsolutePathIn("HOME")) {
        return *home / ".config" / "meandor";
    }
    return {};
}

std::filesystem::path DataFolder() {
    if (const auto data = AbsolutePathIn("XDG_DATA_HOME")) {
        return *data / "meandor";
    }
    if (const auto home = AbsolutePathIn("HOME")) {
        return *home / ".local" / "share" / "meandor";
    }
    return {};
}

} // namespace Settings
