#include "editor/MazeView.hpp"

#include "game/Layout.hpp"
#include "game/Meandor.hpp"
#include "wimdows/Wimdows.hpp"

namespace Editor {
namespace {

using Meandor::Cel;

constexpr std::uint32_t FixedColour = Wimdows::RGB(96, 96, 96);
constexpr std::uint32_t FindingColour = Wimdows::RGB(230, 0, 0);
constexpr std::uint32_t CursorColour = Wimdows::RGB(255, 255, 0);

// A frame `thickness` pixels wide just inside the cell, `inset` pixels in from its edge.
void Frame(Cel cel, std::uint32_t colour, std::int32_t inset, std::int32_t thickness) {
    const Meandor::Plek corner = Meandor::CelPlek(cel);
    const std::int32_t last = static_cast<std::int32_t>(Meandor::CelGrootte) - 1;
    for (std::int32_t ring = inset; ring < inset + thickness; ++ring) {
        Wimdows::Rectangle(corner.x + ring, corner.y + ring, corner.x + last - ring,
                           corner.y + last - ring, colour, false);
    }
}

// The game's state as a level begins, on the editor's grid: the door closed, no bonus lying.
void StartLevel(std::uint32_t lvl, const Meandor::DoolhofGrid& grid) {
    Meandor::level = lvl;
    Meandor::doolhof[lvl] = grid;
    const Cel start = lvl == 1 ? Meandor::StartCel : Meandor::HerstartCel;
    Meandor::zorpX = start.x;
    Meandor::zorpY = start.y;
    Meandor::frietCount = 0;
    Meandor::levens = Meandor::StartLevens;
    Meandor::cheatArr = {};
    Meandor::vlagArr = {};
    Meandor::checkFriet = true;
    Meandor::checkAchtergrondTekenen = true;
    Meandor::MarkeerRijen1Tot20();
}

void DrawEnemies(std::uint32_t lvl) {
    const Meandor::FiguurPaar& strik = Meandor::figuur[Meandor::FiguurStrik];
    for (std::uint32_t i = 1; i <= Meandor::ActieveStrikjes(lvl); ++i) {
        const Meandor::StrikStart& start = Meandor::strikStartTabel[i];
        Wimdows::DrawMaskBitmap(strik.beeld, strik.masker, static_cast<std::int32_t>(start.pixelX),
                                static_cast<std::int32_t>(start.pixelY));
    }
}

} // namespace

void LoadMazeArt() {
    Meandor::BitmapsLaden();
    Meandor::BitmapsInArrays();
}

void DrawMaze(std::uint32_t level, const Meandor::DoolhofGrid& grid, const Marks& marks) {
    StartLevel(level, grid);
    Meandor::TekenRonde();
    // The game's first pass draws the door under the background; its next one shows it.
    Meandor::TekenRonde();
    DrawEnemies(level);
    for (const Cel cel : marks.fixed) {
        Frame(cel, FixedColour, 1, 1);
    }
    for (const Cel cel : marks.findings) {
        Frame(cel, FindingColour, 0, 2);
    }
    if (marks.cursor) {
        Frame(*marks.cursor, CursorColour, 3, 2);
    }
}

std::optional<Meandor::Cel> CellAt(std::int32_t x, std::int32_t y) {
    if (x < 0 || y < 0) {
        return std::nullopt;
    }
    const Cel cel{Meandor::PixelNaarCel(static_cast<std::uint32_t>(x)),
                  Meandor::PixelNaarCel(static_cast<std::uint32_t>(y))};
    if (!Meandor::InDoolhof(cel.x, cel.y)) {
        return std::nullopt;
    }
    return cel;
}

} // namespace Editor
