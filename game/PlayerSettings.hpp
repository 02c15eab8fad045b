#pragma once

#include "settings/Settings.hpp"

// What the player keeps between runs: read as the program starts, handed to the window and the
// sound, and written back each time the player changes it.
namespace Meandor {

// Full screen or a window for this run only, whatever the settings say; never saved.
enum class Display { AsSaved, FullScreen, Windowed };

class PlayerSettings {
  public:
    explicit PlayerSettings(Display display);
    // Everything changed is written before this returns.
    ~PlayerSettings();
    PlayerSettings(const PlayerSettings&) = delete;
    PlayerSettings& operator=(const PlayerSettings&) = delete;

  private:
    PlayerSettings(Settings::Loaded loaded, Display display);
    void Apply(Display display);

    Settings::Keeper keeper;
    // What the window last told, under the window library's lock: only what changed is saved,
    // so a size dragged in a run started with --windowed leaves full screen as saved.
    Settings::Values shown;
};

} // namespace Meandor
