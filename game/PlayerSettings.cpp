#include "game/PlayerSettings.hpp"

#include "music/Music.hpp"
#include "settings/SettingsFolder.hpp"
#include "wimdows/Wimdows.hpp"

#include <iostream>

namespace Meandor {
namespace {

std::filesystem::path SettingsFile() {
    const std::filesystem::path folder = Settings::SettingsFolder();
    return folder.empty() ? folder : folder / "settings";
}

Settings::Loaded LoadSettings() {
    const std::filesystem::path file = SettingsFile();
    Settings::Loaded loaded = file.empty() ? Settings::Loaded{} : Settings::Load(file);
    if (!loaded.problem.empty()) {
        std::cerr << loaded.problem << '\n';
    }
    return loaded;
}

bool FullScreen(Display display, bool saved) {
    return display == Display::FullScreen || (display == Display::AsSaved && saved);
}

} // namespace

PlayerSettings::PlayerSettings(Display display) : PlayerSettings(LoadSettings(), display) {}

PlayerSettings::PlayerSettings(Settings::Loaded loaded, Display display)
    : keeper(SettingsFile(), loaded.values), shown(loaded.values) {
    Apply(display);
}

PlayerSettings::~PlayerSettings() {
    Wimdows::OnPlacementChanged({});
    Wimdows::OnMuteKey({});
    keeper.Flush();
}

void PlayerSettings::Apply(Display display) {
    const Settings::Values values = keeper.Get();
    shown.fullScreen = FullScreen(display, values.fullScreen);
    Wimdows::SetPlacement({shown.fullScreen, values.windowWidth, values.windowHeight});
    Wimdows::SetPauseWhenAway(values.pauseWhenAway);
    Music::SetVolumes(values.musicVolume, values.effectsVolume);
    Music::SetMute(values.mute);
    Wimdows::OnPlacementChanged([this](const Wimdows::Placement& placement) {
        const bool fullScreenChanged = placement.fullScreen != shown.fullScreen;
        const bool sizeChanged =
            placement.width != shown.windowWidth || placement.height != shown.windowHeight;
        shown.fullScreen = placement.fullScreen;
        shown.windowWidth = placement.width;
        shown.windowHeight = placement.height;
        keeper.Change([&](Settings::Values& saved) {
            if (fullScreenChanged) {
                saved.fullScreen = placement.fullScreen;
            }
            if (sizeChanged) {
                saved.windowWidth = placement.width;
                saved.windowHeight = placement.height;
            }
        });
    });
    Wimdows::OnMuteKey([this] {
        const bool mute = !Music::Muted();
        Music::SetMute(mute);
        keeper.Change([mute](Settings::Values& saved) { saved.mute = mute; });
    });
}

} // namespace Meandor
