#include "game/CommandLine.hpp"
#include "game/Console.hpp"
#include "game/Doolhof.hpp"
#include "game/Meandor.hpp"
#include "game/Pakket.hpp"
#include "game/PlayerSettings.hpp"
#include "game/Signals.hpp"
#include "wimdows/Wimdows.hpp"

#include <charconv>
#include <filesystem>
#include <iostream>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Meandor::UsageError;

constexpr std::string_view Usage =
    "usage: meandor [--fullscreen | --windowed] [--mazes DIR | --mazes NAME] [--level N]\n"
    "       meandor --help | --version\n";
constexpr std::string_view Help =
    "Steer Zorp through five mazes, one per Flemish province: eat ten portions of fries to\n"
    "open each exit and dodge the bow ties. Arrow keys move, P pauses, S continues, H calls\n"
    "up a hamburger once per level, Escape ends the game. The menus take the mouse, or Up,\n"
    "Down and Tab to pick, Enter to choose and Escape to go back; a gamepad works everywhere.\n"
    "M mutes and unmutes the sound, Alt+Enter switches full screen, Alt+Plus and Alt+Minus\n"
    "size the window. A game pauses when its window loses the focus.\n"
    "\n"
    "Full screen, the window's size, mute, the music and effects volumes and the pause when\n"
    "away are kept in $XDG_CONFIG_HOME/meandor/settings (~/.config/meandor/settings).\n"
    "The game reads its mazes, pictures and sounds relative to the working directory; the\n"
    "installed command 'meandor' starts it inside its runtime tree.\n"
    "\n"
    "A maze pack is a folder of five mazes, doolhof1.txt ... doolhof5.txt, in the game's own\n"
    "format. The game checks a pack with doolhofcheck's rules before it opens a window, and\n"
    "refuses one that fails them, naming each fault (exit status 2).\n"
    "\n"
    "  --fullscreen  play full screen this time, whatever the settings say\n"
    "  --windowed    play in a window this time, whatever the settings say\n"
    "  --mazes DIR   play the maze pack in DIR (a path with a slash in it) instead of the\n"
    "                game's own mazes: the same game, with only the mazes taken from DIR\n"
    "  --mazes NAME  play the pack NAME in $XDG_DATA_HOME/meandor/mazes\n"
    "                (~/.local/share/meandor/mazes)\n"
    "  --level N     try out one maze: an easy game from level N's province picture (1 to 5),\n"
    "                without the menus; the program ends when that game does\n"
    "  --help        show this text and exit\n"
    "  --version     show the version and exit\n";

struct GameOptions {
    Meandor::Display display = Meandor::Display::AsSaved;
    std::optional<std::string_view> mazes;
    std::optional<std::string_view> level;
};

// The settings are written before a signal ends the process.
int Play(Meandor::Display display, std::optional<std::uint32_t> level) {
    const Meandor::PlayerSettings settings(display);
    try {
        return level ? Meandor::StartOpLevel(*level) : Meandor::Start();
    } catch (const Meandor::FatalError&) {
        Wimdows::KillWindow();
        throw;
    }
}

int RunGame(Meandor::Display display, std::optional<std::uint32_t> level) {
    Meandor::StopOnSignals();
    Meandor::StartModules();
    try {
        const int status = Play(display, level);
        Meandor::EndIfSignalled();
        if (status != 0) {
            Meandor::TellPlayer("meandor: cannot open a window (is there a display?)");
        }
        return status;
    } catch (const Meandor::FatalError& fout) {
        Meandor::EndIfSignalled();
        Meandor::TellPlayer(fout.what());
        return 1;
    }
}

// The game's options, the last of each kind counting; nothing for any other argument, or for
// an option without its value.
std::optional<GameOptions> GameOptionsIn(std::span<char* const> arguments) {
    GameOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == "--fullscreen") {
            options.display = Meandor::Display::FullScreen;
        } else if (argument == "--windowed") {
            options.display = Meandor::Display::Windowed;
        } else if (argument == "--mazes" && hasValue) {
            options.mazes = arguments[++i];
        } else if (argument == "--level" && hasValue) {
            options.level = arguments[++i];
        } else {
            return std::nullopt;
        }
    }
    return options;
}

// A level's number, 1 to Levels, written in digits alone.
std::optional<std::uint32_t> LevelNumber(std::string_view text) {
    std::uint32_t level = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), level);
    if (error != std::errc{} || end != text.data() + text.size() || level < 1 ||
        level > Meandor::Levels) {
        return std::nullopt;
    }
    return level;
}

// Has the game read its mazes from the pack, or says on standard error why it cannot be played.
bool UsePack(std::string_view nameOrFolder) {
    const std::filesystem::path folder = Meandor::VindPakket(nameOrFolder);
    if (folder.empty()) {
        std::cerr << "meandor: no folder for maze packs: neither XDG_DATA_HOME nor HOME is an "
                     "absolute path\n";
        return false;
    }
    const std::vector<std::string> faults = Meandor::PakketBezwaren(folder);
    if (!faults.empty()) {
        std::cerr << "meandor: the maze pack " << folder.string() << " cannot be played:\n";
        for (const std::string& fault : faults) {
            std::cerr << fault << '\n';
        }
        return false;
    }
    Meandor::ZetDoolhofMap(folder);
    return true;
}

// Everything the options name is checked before any module starts.
int RunWith(const GameOptions& options) {
    std::optional<std::uint32_t> level;
    if (options.level) {
        level = LevelNumber(*options.level);
        if (!level) {
            std::cerr << "meandor: --level takes a level from 1 to " << Meandor::Levels << ", not '"
                      << *options.level << "'\n"
                      << Usage;
            return UsageError;
        }
    }
    if (options.mazes && !UsePack(*options.mazes)) {
        return UsageError;
    }
    return RunGame(options.display, level);
}

} // namespace

int main(int argc, char** argv) {
    Meandor::MeetConsole();
    const std::span<char* const> arguments = Meandor::Arguments(argc, argv);
    if (const std::optional<GameOptions> options = GameOptionsIn(arguments)) {
        return RunWith(*options);
    }
    return Meandor::AnswerInformational("meandor", Usage, Help, arguments);
}
