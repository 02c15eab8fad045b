#include "settings/SettingsFolder.hpp"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace {

// One environment variable set (or, for nullptr, unset) while it lives, put back after.
class Variable {
  public:
    Variable(const char* nameIn, const char* value) : name(nameIn) {
        if (const char* old = std::getenv(name)) {
            before = old;
        }
        Set(value);
    }
    ~Variable() { Set(before ? before->c_str() : nullptr); }
    Variable(const Variable&) = delete;
    Variable& operator=(const Variable&) = delete;

  private:
    void Set(const char* value) const {
        if (value != nullptr) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }

    const char* name;
    std::optional<std::string> before;
};

// Each variable counts only as an absolute path; an empty one is as good as unset.
TEST(SettingsFolder, TheConfigHomeElseTheHomeFolder) {
    const struct {
        const char* configHome;
        const char* home;
        const char* folder;
    } cases[] = {
        {"/cfg", "/home/p", "/cfg/meandor"},
        {"/cfg/", nullptr, "/cfg/meandor"},
        {"cfg", "/home/p", "/home/p/.config/meandor"},
        {"", "/home/p", "/home/p/.config/meandor"},
        {nullptr, "/home/p", "/home/p/.config/meandor"},
        {"cfg", "home/p", ""},
        {nullptr, "", ""},
        {nullptr, nullptr, ""},
    };
    for (const auto& [configHome, home, folder] : cases) {
        const Variable config("XDG_CONFIG_HOME", configHome);
        const Variable homeFolder("HOME", home);
        EXPECT_EQ(Settings::SettingsFolder(), std::filesystem::path(folder))
            << (configHome ? configHome : "(unset)") << ", " << (home ? home : "(unset)");
    }
}

} // namespace
