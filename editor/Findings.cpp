#include "editor/Findings.hpp"

#include "editor/Joined.hpp"
#include "game/Doolhof.hpp"

#include <algorithm>
#include <optional>

namespace Editor {
namespace {

using Meandor::Cel;
using Meandor::Soort;

std::string Number(std::size_t n) {
    return std::to_string(n);
}

std::string At(Cel cel) {
    return Joined({"(", Number(cel.x), ", ", Number(cel.y), ")"});
}

// "at (x, y)" for one cell, "at n cells" for more.
std::string Where(const std::vector<Cel>& cells) {
    return cells.size() == 1 ? Joined({"at ", At(cells.front())})
                             : Joined({"at ", Number(cells.size()), " cells"});
}

std::size_t Fries(const Meandor::DoolhofGrid& grid) {
    std::size_t fries = 0;
    for (const auto& column : grid) {
        fries +=
            static_cast<std::size_t>(std::count(column.begin(), column.end(), Meandor::FrietTeken));
    }
    return fries;
}

std::string Words(Soort kind, const std::vector<Cel>& cells, const Meandor::DoolhofGrid& grid) {
    const std::string needed = Number(Meandor::FrietPerLevel);
    switch (kind) {
    case Soort::RandOpen:
        return Joined({"the border is open ", Where(cells)});
    case Soort::IngangOpenVoorStrik:
        return "enemies can walk into the entry";
    case Soort::UitgangOpenVoorStrik:
        return "enemies can walk into the exit";
    case Soort::UitgangMuur:
        return "the exit is a wall";
    case Soort::FrietAantal:
        return Joined(
            {"there are ", Number(Fries(grid)), " portions of fries, ", needed, " are needed"});
    case Soort::FrietOnbereikbaar:
        return Joined({"only ", Number(Fries(grid) - cells.size()),
                       " portions of fries can be reached, ", needed, " are needed"});
    case Soort::UitgangOnbereikbaar:
        return "the exit cannot be reached from the start";
    case Soort::StrikStartDicht:
        return Joined({"an enemy starts in a closed cell ", Where(cells)});
    case Soort::StrikVast:
        return Joined({"an enemy can get stuck ", Where(cells)});
    case Soort::TeWeinigLeeg:
        return "too few blank cells for the flag and the hamburger";
    }
    return {};
}

} // namespace

std::vector<Finding> InWords(std::span<const Meandor::Overtreding> all, std::uint32_t level,
                             const Meandor::DoolhofGrid& grid) {
    const std::string file = Meandor::DoolhofBestandsnaam(level);
    std::vector<Soort> kinds;
    std::vector<std::vector<Cel>> cells;
    for (const Meandor::Overtreding& found : all) {
        if (found.bestand != file) {
            continue;
        }
        auto kind = std::find(kinds.begin(), kinds.end(), found.soort);
        if (kind == kinds.end()) {
            kinds.push_back(found.soort);
            cells.emplace_back();
            kind = kinds.end() - 1;
        }
        std::vector<Cel>& those = cells.at(static_cast<std::size_t>(kind - kinds.begin()));
        // A cell unreachable from both starts of the first level is one cell.
        if (found.cel && std::find(those.begin(), those.end(), *found.cel) == those.end()) {
            those.push_back(*found.cel);
        }
    }
    std::vector<Finding> words;
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        words.push_back({Words(kinds[i], cells[i], grid), cells[i]});
    }
    return words;
}

} // namespace Editor
