#include "TestKit.hpp"
#include "settings/Settings.hpp"
#include "support/Program.hpp"

#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <windows.h>

// The settings file on Windows: wide paths, a replace that NTFS makes in one step, and a file
// the system will not let go.
namespace {

namespace fs = std::filesystem;
using Settings::Values;
using TestKit::ReadFile;
using TestKit::TempDir;

std::ptrdiff_t Entries(const fs::path& folder) {
    return std::distance(fs::directory_iterator(folder), fs::directory_iterator());
}

std::string Problem(const fs::path& file) {
    const std::u8string name = file.u8string();
    return Program::Name() + ": " + std::string(name.begin(), name.end()) + ": ";
}

// A profile such as C:\Users\Zoë Müller, or one in Cyrillic.
fs::path Profile() {
    return fs::path(L"Zo\u00eb M\u00fcller") / L"\u041c\u0435\u0430\u043d\u0434\u043e\u0440";
}

TEST(WindowsSettings, AFolderWithLettersOutsideAsciiHoldsTheFile) {
    const TempDir home;
    const fs::path file = home.Path() / Profile() / L"settings";
    {
        Settings::Keeper keeper(file, Values{});
        keeper.Change(
            [](Values& values) { values.windowWidth = 1500, values.windowHeight = 1050; });
    }
    EXPECT_THAT(ReadFile(file), testing::HasSubstr("window-size = 1500x1050 "));
    EXPECT_EQ(Entries(file.parent_path()), 1) << "no file beside it";
    EXPECT_EQ(Settings::Load(file).values.windowWidth, 1500U);
    EXPECT_EQ(Settings::Load(file).problem, "");
}

// Windows will not replace a file another program has open, such as a virus scanner or an
// editor: the old file stays whole and nothing is left beside it, and the next change, once
// the file is let go, is written.
TEST(WindowsSettings, AFileHeldOpenIsReplacedOnceLetGo) {
    const TempDir dir;
    const fs::path file = dir.Path() / L"settings";
    const std::string old = dir.File("settings", "# mine\r\nmute = no\r\n");
    const HANDLE reader = CreateFileW(file.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    testing::internal::CaptureStderr();
    Settings::Keeper keeper(file, Settings::Load(file).values);
    keeper.Change([](Values& values) { values.mute = true; });
    keeper.Flush();
    EXPECT_THAT(testing::internal::GetCapturedStderr(), testing::StartsWith(Problem(file)));
    EXPECT_EQ(ReadFile(file), "# mine\r\nmute = no\r\n");
    EXPECT_EQ(Entries(dir.Path()), 1);
    CloseHandle(reader);
    keeper.Change([](Values& values) { values.musicVolume = 50; });
    keeper.Flush();
    EXPECT_THAT(ReadFile(file), testing::StartsWith("# mine\r\nmute = yes\r\n"));
    EXPECT_THAT(ReadFile(file), testing::HasSubstr("\nmusic-volume = 50 "));
    EXPECT_EQ(Entries(dir.Path()), 1);
}

// A read-only file stays as it is: the write fails, is told once, and leaves nothing beside it;
// the values stay in memory.
TEST(WindowsSettings, AReadOnlyFileIsLeftWhole) {
    const TempDir dir;
    const fs::path file = dir.Path() / L"settings";
    dir.File("settings", "mute = no\n");
    ASSERT_NE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY), 0);
    testing::internal::CaptureStderr();
    {
        Settings::Keeper keeper(file, Settings::Load(file).values);
        for (std::uint32_t percent = 1; percent <= 3; ++percent) {
            keeper.Change([percent](Values& values) { values.musicVolume = percent; });
            keeper.Flush();
        }
        EXPECT_EQ(keeper.Get().musicVolume, 3U);
    }
    const std::string told = testing::internal::GetCapturedStderr();
    EXPECT_THAT(told, testing::StartsWith(Problem(file)));
    EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), 1) << told;
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadFile(file), "mute = no\n");
    EXPECT_EQ(Entries(dir.Path()), 1);
}

// No file is no problem; a folder in its place is one, told with the file's name.
TEST(WindowsSettings, AFolderInTheFilesPlaceGivesTheDefaults) {
    const TempDir dir;
    const fs::path file = dir.Path() / Profile() / L"settings";
    EXPECT_EQ(Settings::Load(file).problem, "");
    fs::create_directories(file);
    const Settings::Loaded loaded = Settings::Load(file);
    EXPECT_EQ(loaded.values, Values{});
    EXPECT_THAT(loaded.problem, testing::StartsWith(Problem(file)));
}

} // namespace
