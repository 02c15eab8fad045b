#include "editor/Pack.hpp"

#include "editor/Joined.hpp"
#include "game/Doolhof.hpp"
#include "settings/AtomicFile.hpp"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <sys/stat.h>

namespace Editor {
namespace {

using Meandor::Kolommen;
using Meandor::Levels;
using Meandor::Rijen;

constexpr std::size_t MazeLine = Rijen;

bool IsBorder(Cel cel) {
    return cel.x == 1 || cel.x == Kolommen || cel.y == 1 || cel.y == Rijen;
}

std::optional<std::string> ReadAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The lines of the file as the game splits them: at LF, at CR and the byte after it, and at
// the end of the file or a Ctrl+Z.
std::vector<std::string> GameLines(const std::string& bytes) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\x1a') {
            break;
        }
        if (c == '\n' || c == '\r') {
            i += c == '\r' ? 1 : 0;
            lines.emplace_back();
            continue;
        }
        lines.back() += c;
    }
    if (lines.back().empty()) {
        lines.pop_back();
    }
    return lines;
}

// "1 line", "2 lines".
std::string Lines(std::size_t n) {
    return std::to_string(n) + (n == 1 ? " line" : " lines");
}

// In words, how the file differs from the game's format; nothing when it does not.
std::vector<std::string> ReadingNotes(const std::string& bytes, const DoolhofGrid& grid) {
    if (bytes == MazeFileText(grid)) {
        return {};
    }
    std::vector<std::string> notes;
    const std::vector<std::string> lines = GameLines(bytes);
    if (lines.size() != Kolommen) {
        notes.push_back(
            Joined({"has ", Lines(lines.size()), ", the game reads ", std::to_string(Kolommen)}));
    }
    const auto odd = std::count_if(lines.begin(), lines.end(),
                                   [](const std::string& line) { return line.size() != MazeLine; });
    if (odd > 0) {
        notes.push_back(Joined({Lines(static_cast<std::size_t>(odd)), odd == 1 ? " is" : " are",
                                " not ", std::to_string(MazeLine), " characters long"}));
    }
    if (bytes.find('\r') != std::string::npos) {
        notes.emplace_back("has CR LF line ends");
    }
    notes.emplace_back("shown as the game reads it; saving writes that");
    return notes;
}

void Apply(DoolhofGrid& grid, const Step& step, bool forward) {
    for (const Change& change : step) {
        grid[change.cel.x][change.cel.y] = forward ? change.after : change.before;
    }
}

// A file keeps its permissions when it is written anew.
std::optional<mode_t> ModeOf(const std::filesystem::path& file) {
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0) {
        return std::nullopt;
    }
    return status.st_mode & 07777U;
}

} // namespace

char Paint(Tool tool) {
    switch (tool) {
    case Tool::Wall:
        return Meandor::MuurPlus;
    case Tool::Floor:
        return Meandor::LeegTeken;
    case Tool::Fries:
        return Meandor::FrietTeken;
    case Tool::Barrier:
        return Meandor::BarriereO;
    }
    return Meandor::LeegTeken;
}

bool IsFixed(std::uint32_t level, Cel cel) {
    if (IsBorder(cel) || cel == Meandor::StartCel || cel == Meandor::HerstartCel) {
        return true;
    }
    return std::any_of(Meandor::strikStartTabel.begin(), Meandor::strikStartTabel.end(),
                       [&](const Meandor::StrikStart& start) {
                           return start.vanafLevel == level && start.cel() == cel;
                       });
}

DoolhofGrid EmptyMaze() {
    DoolhofGrid grid{};
    for (std::uint32_t x = 1; x <= Kolommen; ++x) {
        for (std::uint32_t y = 1; y <= Rijen; ++y) {
            grid[x][y] = IsBorder({x, y}) ? Meandor::MuurPlus : Meandor::LeegTeken;
        }
    }
    grid[Meandor::IngangCel.x][Meandor::IngangCel.y] = Meandor::BarriereS;
    grid[Meandor::UitgangCel.x][Meandor::UitgangCel.y] = Meandor::BarriereS;
    return grid;
}

std::string MazeFileText(const DoolhofGrid& grid) {
    std::string text;
    text.reserve(Kolommen * (MazeLine + 1));
    for (std::uint32_t x = 1; x <= Kolommen; ++x) {
        for (std::uint32_t y = 1; y <= Rijen; ++y) {
            text += grid[x][y];
        }
        text += '\n';
    }
    return text;
}

Pack Pack::Open(const std::filesystem::path& folder, const std::array<DoolhofGrid, Levels>& start) {
    Pack pack;
    pack.folder = folder;
    for (std::uint32_t lvl = 1; lvl <= Levels; ++lvl) {
        Level& level = pack.levels.at(lvl - 1);
        const std::optional<std::string> bytes = ReadAll(Meandor::DoolhofPad(folder, lvl));
        if (bytes) {
            std::istringstream in(*bytes);
            Meandor::LeesDoolhof(in, level.grid);
            level.readingNotes = ReadingNotes(*bytes, level.grid);
            level.onDisk = true;
        } else {
            level.grid = start.at(lvl - 1);
        }
        level.saved = level.grid;
    }
    return pack;
}

bool Pack::PaintCell(std::uint32_t level, Cel cel, Tool tool) {
    if (!Meandor::InDoolhof(cel.x, cel.y) || IsFixed(level, cel)) {
        return false;
    }
    if (strokeLevel && *strokeLevel != level) {
        EndStroke();
    }
    char& byte = levels.at(level - 1).grid[cel.x][cel.y];
    const char after = Paint(tool);
    if (byte == after) {
        return false;
    }
    strokeLevel = level;
    stroke.push_back({cel, byte, after});
    byte = after;
    return true;
}

void Pack::EndStroke() {
    if (!strokeLevel) {
        return;
    }
    History& history = histories.at(*strokeLevel - 1);
    history.undo.push_back(std::move(stroke));
    if (history.undo.size() > UndoDepth) {
        history.undo.pop_front();
    }
    history.redo.clear();
    stroke.clear();
    strokeLevel.reset();
}

bool Pack::Undo(std::uint32_t level) {
    EndStroke();
    History& history = histories.at(level - 1);
    if (history.undo.empty()) {
        return false;
    }
    Apply(levels.at(level - 1).grid, history.undo.back(), false);
    history.redo.push_back(std::move(history.undo.back()));
    history.undo.pop_back();
    return true;
}

bool Pack::Redo(std::uint32_t level) {
    EndStroke();
    History& history = histories.at(level - 1);
    if (history.redo.empty()) {
        return false;
    }
    Apply(levels.at(level - 1).grid, history.redo.back(), true);
    history.undo.push_back(std::move(history.redo.back()));
    history.redo.pop_back();
    return true;
}

std::size_t Pack::UndoSteps(std::uint32_t level) const {
    return histories.at(level - 1).undo.size();
}

bool Pack::Changed(std::uint32_t level) const {
    const Level& l = At(level);
    return !l.onDisk || l.grid != l.saved;
}

bool Pack::AnyChanged() const {
    for (std::uint32_t lvl = 1; lvl <= Levels; ++lvl) {
        if (Changed(lvl)) {
            return true;
        }
    }
    return false;
}

std::vector<std::string> Pack::Save() {
    EndStroke();
    std::vector<std::string> failures;
    for (std::uint32_t lvl = 1; lvl <= Levels; ++lvl) {
        if (!Changed(lvl)) {
            continue;
        }
        Level& level = levels.at(lvl - 1);
        const std::filesystem::path file = Meandor::DoolhofPad(folder, lvl);
        if (const std::string why =
                Settings::ReplaceFile(file, MazeFileText(level.grid), ModeOf(file));
            !why.empty()) {
            failures.push_back(Joined({file.string(), ": cannot be written: ", why}));
            continue;
        }
        level.saved = level.grid;
        level.onDisk = true;
        level.readingNotes.clear();
    }
    return failures;
}

std::vector<Meandor::Overtreding> Pack::Findings() const {
    std::array<Meandor::DoolhofLevel, Levels> checked;
    for (std::uint32_t lvl = 1; lvl <= Levels; ++lvl) {
        checked.at(lvl - 1) = {Meandor::DoolhofBestandsnaam(lvl), At(lvl).grid};
    }
    return Meandor::ControleerDoolhoven(checked);
}

} // namespace Editor
