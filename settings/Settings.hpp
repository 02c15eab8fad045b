#pragma once

#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

// The player's settings file, SettingsFolder() / "settings", which the player may edit by hand
// while the game is not running: one `name = value` a line; a `#` starts a comment, after a
// value too.
namespace Settings {

inline constexpr std::uint32_t MaxVolume = 100;
inline constexpr std::uint32_t MaxWindowSide = 16384;

// What the player keeps between runs.
struct Values {
    bool fullScreen = false;
    // The window's inside, in pixels.
    std::uint32_t windowWidth = 1000;
    std::uint32_t windowHeight = 700;
    // Percent of what the game asks for, 0 to MaxVolume.
    std::uint32_t musicVolume = 100;
    std::uint32_t effectsVolume = 100;
    bool mute = false;
    bool pauseWhenAway = true;

    bool operator==(const Values&) const = default;
};

struct Loaded {
    Values values;
    // One line for stderr: the file and its first problem ("meandor: /x/settings: line 3: ..."
    // and " (and N more)"); empty when the file is fine or missing.
    std::string problem;
};

// What can be read from `file` is used, the rest keeps its default. A line with a problem is
// left out; a value out of range is brought within it, and counts as a problem too.
Loaded Load(const std::filesystem::path& file);

// Keeps the settings file up to date from any thread. A writer thread of its own, started at
// the first change that needs it, writes the latest values; changes that come while it writes
// make one more write, not one each. A write replaces the whole file at once, keeping the
// player's own lines. Only the first failed write of a Keeper is told on stderr; the values
// stay in memory all the same. With an empty path the values are kept in memory only.
class Keeper {
  public:
    // `loaded`: what the file holds now.
    Keeper(std::filesystem::path settingsFile, Values loaded);
    // Writes what is still pending.
    ~Keeper();
    Keeper(const Keeper&) = delete;
    Keeper& operator=(const Keeper&) = delete;

    Values Get() const;
    // `change` runs under the Keeper's lock: it must not call the Keeper.
    void Change(const std::function<void(Values&)>& change);
    // Waits until every change so far is written or has failed.
    void Flush();

  private:
    void Write();

    const std::filesystem::path file;
    mutable std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable idle;
    Values values;
    // What the file holds.
    Values saved;
    bool pending = false;
    bool writing = false;
    bool stopping = false;
    // Touched by the writer thread alone.
    bool complained = false;
    std::thread writer;
};

} // namespace Settings
