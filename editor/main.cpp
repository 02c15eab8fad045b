#include "editor/Pack.hpp"
#include "editor/PlayGame.hpp"
#include "editor/Session.hpp"
#include "game/CommandLine.hpp"
#include "game/Doolhof.hpp"
#include "game/Meandor.hpp"
#include "game/Pakket.hpp"
#include "game/Signals.hpp"

#include <array>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

using Meandor::UsageError;

constexpr std::string_view Usage = "usage: meandor-edit [--empty] [DIR | NAME]\n"
                                   "       meandor-edit --help | --version\n";
constexpr std::string_view Help =
    "Draw maze packs for Meandor: five mazes, one per level, checked while you draw.\n"
    "Each level is shown as the game draws it. Pick a tool with 1 to 4 or its button (wall,\n"
    "floor, fries, enemy barrier) and paint with the left mouse button; the right one paints\n"
    "floor. The arrow keys move a cursor and Space paints there. PageUp and PageDown change\n"
    "the level, Ctrl+Z undoes, Ctrl+Y or Ctrl+Shift+Z redoes, Ctrl+S saves the changed\n"
    "files, F5 saves and plays the level in the game, Escape or the close box leaves.\n"
    "The panel lists what keeps each level from being played, and marks its cells.\n"
    "\n"
    "  DIR        the pack in DIR (a path with a slash in it); made if it is not there\n"
    "  NAME       the pack NAME in $XDG_DATA_HOME/meandor/mazes (~/.local/share/meandor/mazes)\n"
    "             made if it is not there\n"
    "             Without either, a new pack pack-1, pack-2, ... in that folder.\n"
    "  --empty    a new pack starts from five empty bordered mazes, not the game's own\n"
    "  --help     show this text and exit\n"
    "  --version  show the version and exit\n";

struct EditOptions {
    bool empty = false;
    std::optional<std::string_view> pack;
};

std::optional<EditOptions> EditOptionsIn(std::span<char* const> arguments) {
    EditOptions options;
    for (const std::string_view argument : arguments) {
        if (argument == "--empty") {
            options.empty = true;
        } else if (!argument.starts_with("-") && !options.pack) {
            options.pack = argument;
        } else {
            return std::nullopt;
        }
    }
    return options;
}

// The folder the options name; empty, with why on standard error, when there is none.
fs::path PackFolder(const EditOptions& options) {
    if (options.pack) {
        if (*options.pack == "." || *options.pack == "..") {
            std::cerr << "meandor-edit: '" << *options.pack << "' is not a pack's name\n";
            return {};
        }
        fs::path folder = Meandor::VindPakket(*options.pack);
        if (folder.empty()) {
            std::cerr << "meandor-edit: no folder for maze packs: neither XDG_DATA_HOME nor "
                         "HOME is an absolute path\n";
        }
        return folder;
    }
    const fs::path packs = Meandor::PakkettenMap();
    if (packs.empty()) {
        std::cerr << "meandor-edit: no folder for maze packs: give the pack's folder\n";
        return {};
    }
    for (int n = 1;; ++n) {
        fs::path folder = packs / ("pack-" + std::to_string(n));
        std::error_code error;
        const bool there = fs::exists(folder, error);
        if (error) {
            std::cerr << "meandor-edit: " << folder.string() << ": " << error.message() << '\n';
            return {};
        }
        if (!there) {
            return folder;
        }
    }
}

// The game's own mazes as the game reads them, or the empty ones; nothing, with why on
// standard error, when a file of the game cannot be read.
std::optional<std::array<Meandor::DoolhofGrid, Meandor::Levels>> StartGrids(bool empty) {
    std::array<Meandor::DoolhofGrid, Meandor::Levels> grids{};
    for (std::uint32_t lvl = 1; lvl <= Meandor::Levels; ++lvl) {
        if (empty) {
            grids.at(lvl - 1) = Editor::EmptyMaze();
            continue;
        }
        try {
            Meandor::LaadDoolhofBestand(Meandor::DoolhofBestandsnaam(lvl), grids.at(lvl - 1));
        } catch (const Meandor::FatalError& fault) {
            std::cerr << "meandor-edit: the game's own mazes are missing: " << fault.what() << '\n';
            return std::nullopt;
        }
    }
    return grids;
}

// A maze file that is there but cannot be read would be written over with a start grid.
bool Readable(const fs::path& folder) {
    for (std::uint32_t lvl = 1; lvl <= Meandor::Levels; ++lvl) {
        const fs::path file = Meandor::DoolhofPad(folder, lvl);
        std::error_code error;
        if (fs::exists(file, error) && !std::ifstream(file, std::ios::binary).is_open()) {
            std::cerr << "meandor-edit: " << file.string() << " cannot be read\n";
            return false;
        }
    }
    return true;
}

// A folder that is there but cannot be written, or that is not a folder.
bool ReadOnly(const fs::path& folder) {
    std::error_code error;
    return fs::exists(folder, error) && access(folder.c_str(), W_OK) != 0;
}

int EditPack(const EditOptions& options) {
    const fs::path folder = PackFolder(options);
    if (folder.empty()) {
        return UsageError;
    }
    std::error_code error;
    if (fs::exists(folder, error) && !fs::is_directory(folder, error)) {
        std::cerr << "meandor-edit: " << folder.string() << " is not a folder\n";
        return UsageError;
    }
    const auto start = StartGrids(options.empty);
    if (!start || !Readable(folder)) {
        return 1;
    }
    Editor::Pack pack = Editor::Pack::Open(fs::absolute(folder, error), *start);
    Meandor::StartModules();
    const int status = Editor::Edit(pack, ReadOnly(folder));
    Meandor::EndIfSignalled();
    if (status != 0) {
        std::cerr << "meandor-edit: cannot open a window (is there a display?)\n";
    }
    return status;
}

} // namespace

int main(int argc, char** argv) {
    Meandor::StopOnSignals();
    Editor::ChildrenEndWithEditor();
    const std::span<char* const> arguments = Meandor::Arguments(argc, argv);
    if (const std::optional<EditOptions> options = EditOptionsIn(arguments)) {
        return EditPack(*options);
    }
    return Meandor::AnswerInformational("meandor-edit", Usage, Help, arguments);
}
