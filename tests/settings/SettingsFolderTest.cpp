#include "settings/SettingsFolder.hpp"

#include "TestKit.hpp"

#include <cstdlib>
#include <gtest/gtest.h>
#include <tuple>

namespace {

void SetOrUnset(const char* name, const char* value) {
    if (value != nullptr) {
        TestKit::SetEnv(name, value);
    } else {
        TestKit::UnsetEnv(name);
    }
}

// Each variable counts only as an absolute path; an empty one is as good as unset.
TEST(SettingsFolder, TheConfigHomeElseTheHomeFolder) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"/cfg", "/home/p", "/cfg/meandor"},
        {"/cfg/", nullptr, "/cfg/meandor"},
        {"cfg", "/home/p", "/home/p/.config/meandor"},
        {"", "/home/p", "/home/p/.config/meandor"},
        {nullptr, "/home/p", "/home/p/.config/meandor"},
        {"cfg", "home/p", ""},
        {nullptr, "", ""},
        {nullptr, nullptr, ""}};
    for (const auto& [configHome, home, folder] : cases) {
        SetOrUnset("XDG_CONFIG_HOME", configHome);
        SetOrUnset("HOME", home);
        EXPECT_EQ(Settings::SettingsFolder(), std::filesystem::path(folder)) << folder;
    }
}

// The same rules for the data folder, which never takes the config home.
TEST(SettingsFolder, DataFolderTheDataHomeElseTheHomeFolder) {
    TestKit::SetEnv("XDG_CONFIG_HOME", "/cfg");
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"/data", "/home/p", "/data/meandor"},
        {"data", "/home/p", "/home/p/.local/share/meandor"},
        {"", "/home/p", "/home/p/.local/share/meandor"},
        {nullptr, "/home/p", "/home/p/.local/share/meandor"},
        {nullptr, "home/p", ""},
        {nullptr, nullptr, ""}};
    for (const auto& [dataHome, home, folder] : cases) {
        SetOrUnset("XDG_DATA_HOME", dataHome);
        SetOrUnset("HOME", home);
        EXPECT_EQ(Settings::DataFolder(), std::filesystem::path(folder)) << folder;
    }
    TestKit::UnsetEnv("XDG_CONFIG_HOME");
}

} // namespace
