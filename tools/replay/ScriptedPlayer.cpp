#include "tools/replay/ScriptedPlayer.hpp"

#include "game/GameState.hpp"
#include "tools/replay/Replay.hpp"
#include "wimdows/Wimdows.hpp"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <deque>
#include <optional>

namespace Replay {
namespace {

using namespace Meandor;

struct Zet {
    int dx;
    int dy;
    std::uint32_t toets;
};
constexpr std::array<Zet, 4> Zetten{{{1, 0, Wimdows::KEY_RIGHT},
                                     {-1, 0, Wimdows::KEY_LEFT},
                                     {0, 1, Wimdows::KEY_DOWN},
                                     {0, -1, Wimdows::KEY_UP}}};

void Druk(std::uint32_t toets) {
    SendKey(toets, true);
    SendKey(toets, false);
}

bool Doel(std::uint32_t x, std::uint32_t y) {
    if (frietCount < FrietPerLevel) {
        return frietArr[x][y];
    }
    return Cel{x, y} == UitgangCel;
}

bool StrikOp(std::int64_t x, std::int64_t y, int marge) {
    for (std::uint32_t i = 1; i <= levendeStrikjes; ++i) {
        const std::int64_t sx = strikXArr[i] / CelGrootte;
        const std::int64_t sy = strikYArr[i] / CelGrootte;
        if (std::abs(sx - x) + std::abs(sy - y) <= marge) {
            return true;
        }
    }
    return false;
}

// Breadth-first over the cells the player may enter; the first key of a shortest way.
std::optional<std::uint32_t> Zoek(int marge) {
    using Grid = CelGrid<int>;
    Grid eerste;
    for (auto& kolom : eerste) {
        kolom.fill(-1);
    }
    std::deque<Cel> rij;
    auto bezoek = [&](Cel van, std::size_t zet) {
        const Zet z = Zetten[zet];
        const std::int64_t x = std::int64_t{van.x} + z.dx;
        const std::int64_t y = std::int64_t{van.y} + z.dy;
        if (IsMuur(x, y) || (z.dy < 0 && van.x == 1) || StrikOp(x, y, marge)) {
            return;
        }
        const Cel naar{static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y)};
        if (naar == Cel{zorpX, zorpY} || eerste[naar.x][naar.y] >= 0) {
            return;
        }
        eerste[naar.x][naar.y] =
            van == Cel{zorpX, zorpY} ? static_cast<int>(zet) : eerste[van.x][van.y];
        rij.push_back(naar);
    };
    rij.push_back({zorpX, zorpY});
    while (!rij.empty()) {
        const Cel c = rij.front();
        rij.pop_front();
        if (c != Cel{zorpX, zorpY} && Doel(c.x, c.y)) {
            return Zetten[static_cast<std::size_t>(eerste[c.x][c.y])].toets;
        }
        for (std::size_t zet = 0; zet < Zetten.size(); ++zet) {
            bezoek(c, zet);
        }
    }
    return std::nullopt;
}

// An enemy that stepped onto the player is only noticed after the player's next key, so
// with no way to the goal the player still steps off to any free neighbour.
std::optional<std::uint32_t> Vlucht() {
    for (const Zet z : Zetten) {
        const std::int64_t x = std::int64_t{zorpX} + z.dx;
        const std::int64_t y = std::int64_t{zorpY} + z.dy;
        if (!IsMuur(x, y) && !(z.dy < 0 && zorpX == 1) && !StrikOp(x, y, 0)) {
            return z.toets;
        }
    }
    return std::nullopt;
}

bool NaarStrik(std::uint32_t toets) {
    for (const Zet z : Zetten) {
        if (z.toets == toets) {
            return StrikOp(std::int64_t{zorpX} + z.dx, std::int64_t{zorpY} + z.dy, 0);
        }
    }
    return false;
}

// Around the enemies with room to spare, else just around them, else straight up to the
// one in the way: it soon steps onto the player, who then slips past into its old cell.
std::optional<std::uint32_t> VolgendeToets() {
    for (const int marge : {1, 0, -1}) {
        const auto toets = Zoek(marge);
        if (toets && !NaarStrik(*toets)) {
            return toets;
        }
    }
    return StrikOp(zorpX, zorpY, 0) ? Vlucht() : std::nullopt;
}

// Out of the enemies' sight (more than three cells away in both directions), or as far
// from them as one step gets.
std::optional<std::uint32_t> Wijk() {
    auto afstand = [](std::int64_t x, std::int64_t y) {
        std::int64_t minste = 99;
        for (std::uint32_t i = 1; i <= levendeStrikjes; ++i) {
            const std::int64_t dx = std::abs(std::int64_t{strikXArr[i] / CelGrootte} - x);
            const std::int64_t dy = std::abs(std::int64_t{strikYArr[i] / CelGrootte} - y);
            minste = std::min(minste, std::max(dx, dy));
        }
        return minste;
    };
    std::int64_t beste = afstand(zorpX, zorpY);
    if (beste >= 4 && !StrikOp(zorpX, zorpY, 0)) {
        return std::nullopt;
    }
    std::optional<std::uint32_t> keuze;
    for (const Zet z : Zetten) {
        const std::int64_t x = std::int64_t{zorpX} + z.dx;
        const std::int64_t y = std::int64_t{zorpY} + z.dy;
        if (IsMuur(x, y) || (z.dy < 0 && zorpX == 1) || StrikOp(x, y, 0)) {
            continue;
        }
        if (afstand(x, y) > beste) {
            beste = afstand(x, y);
            keuze = z.toets;
        }
    }
    return keuze ? keuze : Vlucht();
}

} // namespace

void Speler::operator()(Moment moment) {
    if (moment == Moment::Wachten) {
        rondes = 0;
        terugTot = 0;
        if (!Wimdows::KeyDown(Wimdows::KEY_ENTER)) {
            SendKey(Wimdows::KEY_ENTER, true);
        }
        return;
    }
    AdvanceClock();
    if (++rondes > MaxRondes) {
        Druk(Wimdows::KEY_ESCAPE); // give up rather than hang
        return;
    }
    if (rondes < terugTot) {
        if (const auto toets = Wijk()) {
            Druk(*toets);
        }
        return;
    }
    if (const auto toets = VolgendeToets()) {
        Druk(*toets);
    } else if (!StrikOp(zorpX, zorpY, 0)) {
        // Enemies close by keep chasing, and bunch up in the way: stand back a few ticks so
        // that they wander off.
        terugTot = rondes + 2 * static_cast<int>(speed);
    }
}

void Speler::AdvanceClock() {
    klok.hundredths += 2;
    if (klok.hundredths < 100) {
        return;
    }
    klok.hundredths -= 100;
    if (++klok.seconds < 60) {
        return;
    }
    klok.seconds = 0;
    if (++klok.minutes < 60) {
        return;
    }
    klok.minutes = 0;
    klok.hours = (klok.hours + 1) % 24;
}

} // namespace Replay
