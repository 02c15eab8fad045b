#include "settings/Settings.hpp"

#include "TestKit.hpp"

#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <ostream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace Settings {

void PrintTo(const Values& v, std::ostream* out) {
    *out << v.fullScreen << ' ' << v.windowWidth << 'x' << v.windowHeight << ' ' << v.musicVolume
         << ' ' << v.effectsVolume << ' ' << v.mute << ' ' << v.pauseWhenAway;
}

} // namespace Settings

namespace {

namespace fs = std::filesystem;
using Settings::Values;
using TestKit::ReadFile;
using TestKit::TempDir;

std::string Problem(const fs::path& file, const std::string& what) {
    return std::string(program_invocation_short_name) + ": " + file.string() + ": " + what;
}

std::ptrdiff_t Entries(const fs::path& folder) {
    return std::distance(fs::directory_iterator(folder), fs::directory_iterator());
}

// Changes from two threads at once, the last still pending as the Keeper goes: the file, made
// with its folder, holds the last of each in the fresh layout.
TEST(Settings, AFreshFileHoldsTheLastChanges) {
    const TempDir home;
    const fs::path file = home.Path() / "config/meandor/settings";
    {
        Settings::Keeper keeper(file, Values{});
        const auto step = [&keeper](std::uint32_t Values::*volume) {
            for (std::uint32_t percent = 0; percent <= 40; ++percent) {
                keeper.Change([&](Values& values) { values.*volume = percent; });
            }
        };
        std::thread music(step, &Values::musicVolume);
        step(&Values::effectsVolume);
        music.join();
        keeper.Change([](Values& values) { values.windowWidth = 1920, values.mute = true; });
    }
    EXPECT_EQ(ReadFile(file), "# Meandor's settings. Edit while the game is not running; the "
                              "game rewrites this file when a\n# setting changes in play.\n"
                              "full-screen = no            # yes or no\n"
                              "window-size = 1920x700      # the window's inside, WIDTHxHEIGHT "
                              "pixels\nmusic-volume = 40           # percent, 0 to 100\n"
                              "effects-volume = 40         # percent, 0 to 100\n"
                              "mute = yes\npause-when-away = yes\n");
    const mode_t umaskNow = umask(0);
    umask(umaskNow);
    EXPECT_EQ(fs::status(file).permissions(), fs::perms(0644 & ~umaskNow));
    EXPECT_EQ(Entries(file.parent_path()), 1);
}

// A line with a problem is left out, the rest counts; the first problem is told with its line.
TEST(Settings, BrokenLinesAreLeftOutAndTold) {
    const TempDir dir;
    const std::string file = dir / "settings";
    // Cut after "music-volume = 1": a line the limit splits is left out whole.
    const std::string huge =
        "mute = on\n" + std::string(64 * 1024 - 26, '\n') + "music-volume = 10\nfull-screen = on\n";
    const struct {
        std::string text;
        std::function<void(Values&)> expected;
        std::string problem;
    } cases[] = {
        {"", [](Values&) {}, ""},
        {"mute = YES\r\nfull-screen=On  \r\n\t pause-when-away = 0 # no\r\n",
         [](Values& v) { v.mute = v.fullScreen = true, v.pauseWhenAway = false; }, ""},
        {std::string("\0\xfe=\x01\n\n\x80\x81", 8), [](Values&) {},
         "line 1: no setting is called \"?\xfe\" (and 1 more)"},
        {"music-volume = 150\nwindow-size = 0 x 99999999999999999999\neffects-volume = -3\n",
         [](Values& v) {
             v.musicVolume = 100, v.effectsVolume = 0, v.windowWidth = 1, v.windowHeight = 16384;
         },
         "line 1: music-volume: \"150\" is out of 0 to 100, 100 used (and 2 more)"},
        {"\nwindow-size = 12x\nmute = maybe\nfull-screen\nsound = on\nmusic-volume = 5\n"
         "music-volume = 7\neffects-volume = 1.5\n",
         [](Values& v) { v.musicVolume = 5; },
         "line 2: window-size: \"12x\" is not WIDTHxHEIGHT (and 5 more)"},
        {huge, [](Values& v) { v.mute = true; }, "longer than 64 KiB, the rest was left out"}};
    for (const auto& [text, expected, problem] : cases) {
        dir.File("settings", text);
        Values values;
        expected(values);
        const Settings::Loaded loaded = Settings::Load(file);
        EXPECT_EQ(loaded.values, values) << text;
        EXPECT_EQ(loaded.problem, problem.empty() ? "" : Problem(file, problem)) << text;
    }
}

// No file is no problem; a file that cannot be read is, and a FIFO does not hang the game.
TEST(Settings, AnUnreadableFileGivesTheDefaultsAndTheReason) {
    const TempDir dir;
    const fs::path file = dir.Path() / "settings";
    EXPECT_EQ(Settings::Load(file).problem, "");
    fs::create_directory(file);
    EXPECT_EQ(Settings::Load(file).problem, Problem(file, "Is a directory"));
    fs::remove(file);
    ASSERT_EQ(mkfifo(file.c_str(), 0600), 0);
    EXPECT_EQ(Settings::Load(file).problem, "");
    fs::remove(file);
    if (geteuid() != 0) {
        dir.File("settings", "mute = yes\n");
        fs::permissions(file, fs::perms::none);
        EXPECT_EQ(Settings::Load(file).values, Values{});
        EXPECT_EQ(Settings::Load(file).problem, Problem(file, "Permission denied"));
    }
}

// Also through a link to the file, which stays a link.
TEST(Settings, ARewriteKeepsThePlayersLinesAndMode) {
    const TempDir dir;
    const std::string file = dir.File("dotfile", "# mine\r\n\nmute = no   # hush\ncolour = blue\n"
                                                 "music-volume=loud\nmute = yes\n"
                                                 "window-size = 800x600");
    fs::permissions(file, fs::perms(0600));
    const fs::path link = dir / "settings";
    fs::create_symlink("dotfile", link);
    Settings::Keeper keeper(link, Settings::Load(link).values);
    keeper.Change([](Values& values) { values.mute = true, values.musicVolume = 40; });
    keeper.Flush();
    EXPECT_EQ(ReadFile(file), "# mine\r\n\nmute = yes  # hush\ncolour = blue\nmusic-volume=40\n"
                              "mute = yes\nwindow-size = 800x600\n"
                              "full-screen = no            # yes or no\n"
                              "effects-volume = 100        # percent, 0 to 100\n"
                              "pause-when-away = yes\n");
    EXPECT_EQ(fs::status(file).permissions(), fs::perms(0600));
    EXPECT_TRUE(fs::is_symlink(link));
}

// Neither a first run that changes nothing nor a change to what the file holds writes, and
// neither starts a thread.
TEST(Settings, NothingIsWrittenWhileTheFileHoldsTheValues) {
    const TempDir dir;
    const auto threads = Entries("/proc/self/task");
    const fs::path missing = dir.Path() / "meandor/settings";
    const std::string file = dir.File("settings", "mute = yes\n");
    struct stat before {};
    ASSERT_EQ(stat(file.c_str(), &before), 0);
    for (const fs::path& path : {missing, fs::path(file)}) {
        Settings::Keeper keeper(path, Settings::Load(path).values);
        keeper.Change([](Values& values) { values.musicVolume = 100; });
        keeper.Flush();
        EXPECT_EQ(Entries("/proc/self/task"), threads);
    }
    struct stat after {};
    ASSERT_EQ(stat(file.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_FALSE(fs::exists(missing.parent_path()));
}

// M, and M again, each written before the next: the file holds the first value again, and so
// the next run starts as the first did.
TEST(Settings, AChangeTakenBackIsWrittenToo) {
    const TempDir dir;
    const fs::path file = dir.Path() / "settings";
    {
        Settings::Keeper keeper(file, Settings::Load(file).values);
        for (const bool mute : {true, false}) {
            keeper.Change([mute](Values& values) { values.mute = mute; });
            keeper.Flush();
            EXPECT_EQ(Settings::Load(file).values.mute, mute);
        }
    }
    EXPECT_EQ(Settings::Load(file).values, Values{});
}

// With its folder's place taken by a file, every write fails but only the first is told; with
// no path at all nothing is.
TEST(Settings, FailedWritesAreToldOnceAndTheValuesKept) {
    const TempDir dir;
    const fs::path blocked = fs::path(dir.File("blocker", "")) / "meandor/settings";
    for (const fs::path& file : {blocked, fs::path()}) {
        testing::internal::CaptureStderr();
        {
            Settings::Keeper keeper(file, Values{});
            for (std::uint32_t percent = 1; percent <= 3; ++percent) {
                keeper.Change([percent](Values& values) { values.musicVolume = percent; });
                keeper.Flush();
            }
            EXPECT_EQ(keeper.Get().musicVolume, 3U);
        }
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  file.empty() ? "" : Problem(file, "Not a directory") + "\n");
    }
}

// A file size limit stops the write partway through the new file: by SIGXFSZ, as a kill would,
// or, with that ignored, by a failed write that must take its temporary file away. The limit
// leaves room for the line on stderr, which goes to a file in a death test.
TEST(Settings, AStoppedWriteLeavesTheOldFileWhole) {
    GTEST_FLAG_SET(death_test_style, "fast");
    const TempDir dir;
    const std::string old = "# " + std::string(300, '=') + "\nmute = yes\n";
    const std::string file = dir.File("settings", old);
    const auto writeStopped = [&file](bool killed) {
        std::signal(SIGXFSZ, killed ? SIG_DFL : SIG_IGN);
        const rlimit limit{256, 256};
        setrlimit(RLIMIT_FSIZE, &limit);
        Settings::Keeper keeper(file, Settings::Load(file).values);
        keeper.Change([](Values& values) { values.mute = false; });
        keeper.Flush();
        std::exit(0);
    };
    EXPECT_EXIT(writeStopped(false), testing::ExitedWithCode(0), ": File too large\n$");
    EXPECT_EQ(Entries(dir.Path()), 1);
    EXPECT_EXIT(writeStopped(true), testing::KilledBySignal(SIGXFSZ), "");
    // The killed write's temporary file: nothing was left to take it away.
    EXPECT_EQ(Entries(dir.Path()), 2);
    EXPECT_EQ(ReadFile(file), old);
}

} // namespace
