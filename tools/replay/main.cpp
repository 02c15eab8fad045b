// meandor-replay: plays a game of Meandor from a script, without a person and without a
// display, and prints the game state after every tick of the game timer and at the end.
// Exit status: 0 once the script has been played, whatever happened in the game; 1 when the
// game could not run (no window, a maze file missing); 2 for a wrong command line or script.
#include "game/Doolhof.hpp"
#include "game/Meandor.hpp"
#include "tools/replay/Replay.hpp"
#include "wimdows/Wimdows.hpp"

#include <SDL_stdinc.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

namespace {

constexpr int Played = 0;
constexpr int CouldNotRun = 1;
constexpr int BadUse = 2;

constexpr const char* Usage = "usage: meandor-replay [--assets DIR] SCRIPT\n"
                              "Plays the game as SCRIPT says, in DIR (the runtime tree with the "
                              "maze files; default the working directory).\n";

struct Arguments {
    std::string script;
    std::string assets;
};

bool ReadArguments(const std::vector<std::string>& args, Arguments& out) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--assets" && i + 1 < args.size()) {
            out.assets = args[++i];
        } else if (args[i].starts_with("-") || !out.script.empty()) {
            return false;
        } else {
            out.script = args[i];
        }
    }
    return !out.script.empty();
}

// Nothing to look at and nothing to hear, unless the caller chose otherwise.
void UseDummyDrivers() {
    SDL_setenv("SDL_VIDEODRIVER", "dummy", 0);
    SDL_setenv("SDL_AUDIODRIVER", "dummy", 0);
}

int Run(const Replay::Script& script) {
    Meandor::StartModules();
    try {
        Replay::Play(script, std::cout);
    } catch (const Meandor::FatalError& error) {
        Wimdows::KillWindow();
        std::cout.flush();
        std::cerr << "meandor-replay: " << error.what() << '\n';
        return CouldNotRun;
    }
    std::cout.flush();
    if (Meandor::VensterMislukt()) {
        std::cerr << "meandor-replay: cannot open a window\n";
        return CouldNotRun;
    }
    return Played;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> words(argv + 1, argv + argc);
    if (words.size() == 1 && (words[0] == "--help" || words[0] == "-h")) {
        std::cout << Usage;
        return Played;
    }
    Arguments args;
    if (!ReadArguments(words, args)) {
        std::cerr << Usage;
        return BadUse;
    }
    std::ifstream in(args.script);
    if (!in.is_open()) {
        std::cerr << "meandor-replay: cannot open " << args.script << '\n';
        return BadUse;
    }
    Replay::Script script;
    try {
        script = Replay::ParseScript(in, args.script);
    } catch (const Replay::ScriptError& error) {
        std::cerr << "meandor-replay: " << error.what() << '\n';
        return BadUse;
    }
    std::error_code error;
    if (!args.assets.empty()) {
        std::filesystem::current_path(args.assets, error);
    }
    if (error) {
        std::cerr << "meandor-replay: cannot work in " << args.assets << ": " << error.message()
                  << '\n';
        return BadUse;
    }
    UseDummyDrivers();
    return Run(script);
}
