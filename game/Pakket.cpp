#include "game/Pakket.hpp"

#include "game/Doolhof.hpp"
#include "game/DoolhofCheck.hpp"
#include "settings/SettingsFolder.hpp"

#include <array>
#include <optional>
#include <system_error>
#include <utility>

namespace Meandor {
namespace {

// What is wrong with the file, or nothing once it is read into `lvl`.
std::optional<std::string> LeesLevel(const std::filesystem::path& pad, DoolhofLevel& lvl) {
    lvl.bestand = pad.string();
    std::error_code fout;
    if (!std::filesystem::exists(pad, fout)) {
        return lvl.bestand + ": no such file";
    }
    try {
        LaadDoolhofBestand(lvl.bestand, lvl.grid);
    } catch (const FatalError&) {
        return lvl.bestand + ": cannot be read";
    }
    return std::nullopt;
}

} // namespace

std::filesystem::path PakkettenMap() {
    const std::filesystem::path data = Settings::DataFolder();
    return data.empty() ? data : data / "mazes";
}

std::filesystem::path VindPakket(std::string_view naamOfMap) {
    if (naamOfMap.find('/') != std::string_view::npos) {
        return naamOfMap;
    }
    const std::filesystem::path pakketten = PakkettenMap();
    return pakketten.empty() ? pakketten : pakketten / naamOfMap;
}

std::vector<std::string> PakketBezwaren(const std::filesystem::path& map) {
    std::error_code fout;
    if (!std::filesystem::is_directory(map, fout)) {
        return {map.string() + ": no such folder"};
    }
    std::array<DoolhofLevel, Levels> levels;
    std::vector<std::string> bezwaren;
    for (std::uint32_t lvl = 1; lvl <= Levels; ++lvl) {
        if (auto bezwaar = LeesLevel(DoolhofPad(map, lvl), levels.at(lvl - 1))) {
            bezwaren.push_back(std::move(*bezwaar));
        }
    }
    if (!bezwaren.empty()) {
        return bezwaren;
    }
    for (const Overtreding& overtreding : ControleerDoolhoven(levels)) {
        bezwaren.push_back(Beschrijf(overtreding));
    }
    return bezwaren;
}

} // namespace Meandor
