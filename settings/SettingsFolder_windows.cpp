#include "settings/SettingsFolder.hpp"

#include <memory>
#include <shlobj.h>

namespace Settings {
namespace {

struct TaskMemory {
    void operator()(wchar_t* text) const { CoTaskMemFree(text); }
};

// Asked of the shell, not read from %APPDATA%: a moved or redirected profile is known by the
// registry, and the environment may say otherwise. The shell names only a folder that exists:
// one moved to a place not made yet is made.
std::filesystem::path RoamingAppData() {
    wchar_t* found = nullptr;
    const HRESULT result =
        SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_CREATE, nullptr, &found);
    const std::unique_ptr<wchar_t, TaskMemory> owned(found);
    if (FAILED(result) || found == nullptr) {
        return {};
    }
    return std::filesystem::path(found);
}

std::filesystem::path MeandorFolder() {
    const std::filesystem::path roaming = RoamingAppData();
    return roaming.is_absolute() ? roaming / L"Meandor" : std::filesystem::path();
}

} // namespace

std::filesystem::path SettingsFolder() {
    return MeandorFolder();
}

std::filesystem::path DataFolder() {
    return MeandorFolder();
}

} // namespace Settings
