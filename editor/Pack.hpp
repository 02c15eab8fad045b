#pragma once

#include "game/DoolhofCheck.hpp"
#include "game/GameState.hpp"

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// A maze pack being edited: its five grids as the game reads them, painted cell by cell with
// undo and redo, checked by the maze checker, and written back in the game's own format.
namespace Editor {

using Meandor::Cel;
using Meandor::DoolhofGrid;

enum class Tool : std::uint8_t { Wall, Floor, Fries, Barrier };

// The byte each tool paints.
char Paint(Tool tool);

// A cell the editor keeps as it is in level `level`: the border with the entry and the exit,
// the player's start cells, and the cells where enemies join that level.
bool IsFixed(std::uint32_t level, Cel cel);

// Five empty levels: a wall all round but for the entry and the exit, closed to enemies.
DoolhofGrid EmptyMaze();

// One level of the pack: its grid, what is on disk, and its history.
struct Level {
    DoolhofGrid grid{};
    DoolhofGrid saved{};
    bool onDisk = false; // a file the grid was read from or written to
    // What the game's reading made of the file, in words; empty when it is in the game's
    // format already.
    std::vector<std::string> readingNotes;
};

// One cell's change; a step is every change of one stroke.
struct Change {
    Cel cel;
    char before = 0;
    char after = 0;
};
using Step = std::vector<Change>;

inline constexpr std::size_t UndoDepth = 500;

class Pack {
  public:
    // The pack in `folder`: each level from its file, read as the game reads it, or from
    // `start` where there is no file.
    static Pack Open(const std::filesystem::path& folder,
                     const std::array<DoolhofGrid, Meandor::Levels>& start);

    const std::filesystem::path& Folder() const { return folder; }
    const Level& At(std::uint32_t level) const { return levels.at(level - 1); }

    // Paints one cell as part of the stroke under way, which begins if none is; FALSE for a
    // fixed cell, a cell outside the maze or one that holds that byte already.
    bool PaintCell(std::uint32_t level, Cel cel, Tool tool);
    // Ends the stroke: its changes become one step to undo.
    void EndStroke();
    // FALSE when there is nothing to take back or to do again.
    bool Undo(std::uint32_t level);
    bool Redo(std::uint32_t level);
    std::size_t UndoSteps(std::uint32_t level) const;

    // A level whose grid differs from its file, or that has no file yet.
    bool Changed(std::uint32_t level) const;
    bool AnyChanged() const;

    // Writes the changed levels, each to a file beside it that is then renamed over it. The
    // files that could not be written, with why, one line each; empty when all were.
    std::vector<std::string> Save();

    // Every finding of the checker on the pack's five grids, as the game would play them.
    std::vector<Meandor::Overtreding> Findings() const;

  private:
    struct History {
        std::deque<Step> undo;
        std::vector<Step> redo;
    };

    std::filesystem::path folder;
    std::array<Level, Meandor::Levels> levels{};
    std::array<History, Meandor::Levels> histories{};
    std::optional<std::uint32_t> strokeLevel;
    Step stroke;
};

// The grid as the game's file: 30 lines, one a column, of its 21 bytes, each ended by LF.
std::string MazeFileText(const DoolhofGrid& grid);

} // namespace Editor
