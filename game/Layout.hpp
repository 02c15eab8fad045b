#pragma once

#include "game/GameState.hpp"

#include <cstdint>

// Where the game draws on its window and the size it loads each picture at, in pixels; the
// preview tool composes its screens from the same numbers.
namespace Meandor {

struct Plek {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

struct Maat {
    std::int32_t breedte = 0;
    std::int32_t hoogte = 0;
};

constexpr Maat VensterMaat{1000, 700}; // every window, and each picture that fills one
constexpr Maat AchtergrondMaat{1000, 800};
constexpr Maat CelMaat{CelGrootte, CelGrootte};

constexpr Plek CelPlek(Cel cel) {
    return {static_cast<std::int32_t>(CelNaarPixel(cel.x)),
            static_cast<std::int32_t>(CelNaarPixel(cel.y))};
}

constexpr Plek DeurPlek = CelPlek(UitgangCel);

// The panel picture of a level, drawn at three sizes: behind the hearts, the fries count and
// the hint at the top.
constexpr Plek HartenPaneelPlek{40, 640};
constexpr Maat HartenPaneelMaat{380, 110};
constexpr Maat HartMaat{60, 60};
// Heart n, from 1.
constexpr Plek HartPlek(std::uint32_t n) {
    return {50 + 70 * static_cast<std::int32_t>(n - 1), 650};
}

constexpr Plek ScorePaneelPlek{800, 660};
constexpr Maat ScorePaneelMaat{150, 90};
constexpr Plek ScoreTekstPlek{810, 680};
constexpr Plek ScoreGetalPlek{900, 680};

constexpr Plek HintPaneelPlek{2, 20};
constexpr Maat HintPaneelMaat{198, 30};
constexpr Plek HintTekstPlek{5, 30};

// A column of menu buttons: the first one's corner and the step to the next.
struct MenuKolom {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t stap = 0;
};

constexpr Maat KnopMaat{250, 75};
constexpr Maat BewerkerKnopMaat{135, 40};         // the maze editor's panel buttons
constexpr MenuKolom StartMenuKolom{110, 50, 150}; // the main menu and the difficulties
constexpr MenuKolom InfoMenuKolom{750, 550, 80};  // Back and Quit under instructions and credits

} // namespace Meandor
