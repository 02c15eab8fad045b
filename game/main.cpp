#include "game/Doolhof.hpp"
#include "game/Meandor.hpp"
#include "game/PlayerSettings.hpp"
#include "game/Signals.hpp"
#include "game/Version.hpp"
#include "wimdows/Wimdows.hpp"

#include <iostream>
#include <optional>
#include <span>
#include <string_view>

namespace {

constexpr int UsageError = 2;

constexpr std::string_view Usage = "usage: meandor [--fullscreen | --windowed]\n"
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
    "  --fullscreen  play full screen this time, whatever the settings say\n"
    "  --windowed    play in a window this time, whatever the settings say\n"
    "  --help        show this text and exit\n"
    "  --version     show the version and exit\n";

// The settings are written before a signal ends the process.
int Play(Meandor::Display display) {
    const Meandor::PlayerSettings settings(display);
    try {
        return Meandor::Start();
    } catch (const Meandor::FatalError&) {
        Wimdows::KillWindow();
        throw;
    }
}

int RunGame(Meandor::Display display) {
    Meandor::StopOnSignals();
    Meandor::StartModules();
    try {
        const int status = Play(display);
        Meandor::EndIfSignalled();
        if (status != 0) {
            std::cerr << "meandor: cannot open a window (is there a display?)\n";
        }
        return status;
    } catch (const Meandor::FatalError& fout) {
        Meandor::EndIfSignalled();
        std::cerr << fout.what() << '\n';
        return 1;
    }
}

// The last of --fullscreen and --windowed counts; nothing for any other argument.
std::optional<Meandor::Display> DisplayOption(std::span<char* const> arguments) {
    Meandor::Display display = Meandor::Display::AsSaved;
    for (const std::string_view argument : arguments) {
        if (argument == "--fullscreen") {
            display = Meandor::Display::FullScreen;
        } else if (argument == "--windowed") {
            display = Meandor::Display::Windowed;
        } else {
            return std::nullopt;
        }
    }
    return display;
}

// Answers the informational options before any module starts, so they need no display.
int Answer(std::span<char* const> arguments) {
    const std::string_view option = arguments.size() == 1 ? arguments[0] : "";
    if (option == "--help") {
        std::cout << Usage << '\n' << Help;
        return 0;
    }
    if (option == "--version") {
        std::cout << "meandor " << Meandor::Version << '\n';
        return 0;
    }
    std::cerr << Usage;
    return UsageError;
}

} // namespace

int main(int argc, char** argv) {
    const std::span<char* const> arguments =
        std::span<char* const>(argv, static_cast<std::size_t>(argc)).subspan(argc > 0 ? 1 : 0);
    if (const std::optional<Meandor::Display> display = DisplayOption(arguments)) {
        return RunGame(*display);
    }
    return Answer(arguments);
}
