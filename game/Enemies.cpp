#include "game/Meandor.hpp"
#include "support/StandardLib.hpp"
#include "wimdows/Wimdows.hpp"

#include <cstdlib>

namespace Meandor {
namespace {

struct Richting {
    std::int64_t dx;
    std::int64_t dy;
};

constexpr Richting Links{-1, 0};
constexpr Richting Rechts{1, 0};
constexpr Richting Omlaag{0, 1};
constexpr Richting Omhoog{0, -1};

bool Open(std::uint32_t X, std::uint32_t Y, Richting r) {
    return IsOpenVoorStrik(std::int64_t{PixelNaarCel(X)} + r.dx,
                           std::int64_t{PixelNaarCel(Y)} + r.dy);
}

// One step: move, draw the bow tie at once, and have the cell it left redrawn.
void Stap(std::uint32_t& X, std::uint32_t& Y, Richting r) {
    if (!Open(X, Y, r)) {
        return;
    }
    X = static_cast<std::uint32_t>(std::int64_t{X} + r.dx * CelGrootte);
    Y = static_cast<std::uint32_t>(std::int64_t{Y} + r.dy * CelGrootte);
    const FiguurPaar& strik = figuur[FiguurStrik];
    Wimdows::DrawMaskBitmap(strik.beeld, strik.masker, static_cast<std::int32_t>(X),
                            static_cast<std::int32_t>(Y));
    refresh[static_cast<std::size_t>(PixelNaarCel(X) - r.dx)]
           [static_cast<std::size_t>(PixelNaarCel(Y) - r.dy)] = true;
}

// A step towards `r` if that cell is open, otherwise a random one.
void Probeer(std::uint32_t& X, std::uint32_t& Y, Richting r) {
    if (Open(X, Y, r)) {
        Stap(X, Y, r);
    } else {
        strikjes(X, Y);
    }
}

} // namespace

void strikjeLeft(std::uint32_t& X, std::uint32_t& Y) {
    Stap(X, Y, Links);
}
void strikjeRight(std::uint32_t& X, std::uint32_t& Y) {
    Stap(X, Y, Rechts);
}
void strikjeUp(std::uint32_t& X, std::uint32_t& Y) {
    Stap(X, Y, Omhoog);
}
void strikjeDown(std::uint32_t& X, std::uint32_t& Y) {
    Stap(X, Y, Omlaag);
}

void strikjes(std::uint32_t& X, std::uint32_t& Y) {
    // Walled in on all four sides (only a broken maze does that): stay put this tick rather
    // than draw numbers for ever.
    if (!Open(X, Y, Links) && !Open(X, Y, Rechts) && !Open(X, Y, Omlaag) && !Open(X, Y, Omhoog)) {
        return;
    }
    for (;;) {
        const std::uint32_t E = StandardLib::RandomCard(1, 4);
        if (E == 1 && Open(X, Y, Links)) {
            strikjeLeft(X, Y);
            return;
        }
        if (E == 2 && Open(X, Y, Rechts)) {
            strikjeRight(X, Y);
            return;
        }
        if (E == 3 && Open(X, Y, Omlaag)) {
            strikjeDown(X, Y);
            return;
        }
        if (E == 4 && Open(X, Y, Omhoog)) {
            strikjeUp(X, Y);
            return;
        }
    }
}

void strikjes2(std::uint32_t& X, std::uint32_t& Y) {
    const std::int64_t k = PixelNaarCel(X);
    const std::int64_t l = PixelNaarCel(Y);
    const std::int64_t px = zorpX;
    const std::int64_t py = zorpY;
    const std::int64_t verschilX = px - k;
    const std::int64_t verschilY = py - l;
    if (std::llabs(verschilX) >= 4 || std::llabs(verschilY) >= 4) {
        strikjes(X, Y);
    } else if (px == k && py < l) {
        Probeer(X, Y, Omhoog);
    } else if (px == k && py > l) {
        Probeer(X, Y, Omlaag);
    } else if (py == l && px < k) {
        Probeer(X, Y, Links);
    } else if (py == l && px > k) {
        Probeer(X, Y, Rechts);
    } else if (k == px - 1 && (l == py + 1 || l == py - 1)) {
        Probeer(X, Y, StandardLib::RandomCard(1, 2) == 1 ? Omhoog : Rechts);
    } else if (k == px + 1 && (l == py + 1 || l == py - 1)) {
        Probeer(X, Y, StandardLib::RandomCard(1, 2) == 1 ? Links : Omlaag);
    } else {
        strikjes(X, Y);
    }
}

} // namespace Meandor
