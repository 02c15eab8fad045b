#pragma once

#include <filesystem>

// Where the player's own files for the game live, by the XDG base directory rules.
namespace Settings {

// $XDG_CONFIG_HOME/meandor, or $HOME/.config/meandor when XDG_CONFIG_HOME is not an absolute
// path; empty when neither variable gives an absolute path.
std::filesystem::path SettingsFolder();

} // namespace Settings
