#pragma once

#include <filesystem>

// Where the player's own files for the game live: by the XDG base directory rules, and on
// Windows both in %APPDATA%\Meandor, the roaming application data folder the shell names.
namespace Settings {

// $XDG_CONFIG_HOME/meandor, or $HOME/.config/meandor when XDG_CONFIG_HOME is not an absolute
// path; empty when neither variable gives an absolute path.
std::filesystem::path SettingsFolder();

// The player's data, such as maze packs: $XDG_DATA_HOME/meandor, or $HOME/.local/share/meandor
// when XDG_DATA_HOME is not an absolute path; empty when neither gives one.
std::filesystem::path DataFolder();

} // namespace Settings
