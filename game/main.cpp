#include "game/Doolhof.hpp"
#include "game/Meandor.hpp"
#include "game/Signals.hpp"
#include "game/Version.hpp"
#include "wimdows/Wimdows.hpp"

#include <iostream>
#include <span>
#include <string_view>

namespace {

constexpr int UsageError = 2;

constexpr std::string_view Usage = "usage: meandor [--help | --version]\n";
constexpr std::string_view Help =
    "Steer Zorp through five mazes, one per Flemish province: eat ten portions of fries to\n"
    "open each exit and dodge the bow ties. Arrow keys move, P pauses, S continues, H calls\n"
    "up a hamburger once per level, Escape ends the game. The menus take the mouse, or Up,\n"
    "Down and Tab to pick, Enter to choose and Escape to go back; a gamepad works everywhere.\n"
    "\n"
    "The game reads its mazes, pictures and sounds relative to the working directory; the\n"
    "installed command 'meandor' starts it inside its runtime tree.\n"
    "\n"
    "  --help     show this text and exit\n"
    "  --version  show the version and exit\n";

int RunGame() {
    Meandor::StopOnSignals();
    Meandor::StartModules();
    try {
        const int status = Meandor::Start();
        Meandor::EndIfSignalled();
        if (status != 0) {
            std::cerr << "meandor: cannot open a window (is there a display?)\n";
        }
        return status;
    } catch (const Meandor::FatalError& fout) {
        Wimdows::KillWindow();
        Meandor::EndIfSignalled();
        std::cerr << fout.what() << '\n';
        return 1;
    }
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
    const std::span<char* const> arguments(argv, static_cast<std::size_t>(argc));
    if (arguments.size() <= 1) {
        return RunGame();
    }
    return Answer(arguments.subspan(1));
}
