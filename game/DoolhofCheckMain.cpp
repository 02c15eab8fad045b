// doolhofcheck: reads maze files with the game's own loader and reports every way they fail
// the game. Exit status: 0 all demands met, 1 violations found, 2 usage error, 3 a file that
// cannot be opened.
#include "game/Doolhof.hpp"
#include "game/DoolhofCheck.hpp"

#include <iostream>
#include <string_view>
#include <vector>

namespace {

constexpr int Goed = 0;
constexpr int Overtreden = 1;
constexpr int Gebruiksfout = 2;
constexpr int Onleesbaar = 3;

constexpr std::string_view Gebruik = "usage: doolhofcheck FILE1 [FILE2 ... FILE5]\n"
                                     "       doolhofcheck --dump FILE\n"
                                     "Checks up to five maze files as levels 1 to 5, or prints one "
                                     "maze as loaded, row 1 first.\n";

int FoutGebruik() {
    std::cerr << Gebruik;
    return Gebruiksfout;
}

int Dump(const std::string& bestand) {
    Meandor::DoolhofGrid grid{};
    Meandor::LaadDoolhofBestand(bestand, grid);
    std::cout << Meandor::DumpDoolhof(grid);
    return Goed;
}

int Controleer(const std::vector<std::string>& bestanden) {
    std::vector<Meandor::DoolhofLevel> levels;
    for (const std::string& bestand : bestanden) {
        Meandor::DoolhofLevel& lvl = levels.emplace_back();
        lvl.bestand = bestand;
        Meandor::LaadDoolhofBestand(bestand, lvl.grid);
    }
    const auto overtredingen = Meandor::ControleerDoolhoven(levels);
    for (const auto& overtreding : overtredingen) {
        std::cout << Meandor::Beschrijf(overtreding) << '\n';
    }
    return overtredingen.empty() ? Goed : Overtreden;
}

int Hoofd(const std::vector<std::string>& argumenten) {
    if (argumenten.empty()) {
        return FoutGebruik();
    }
    if (argumenten[0] == "--help" || argumenten[0] == "-h") {
        std::cout << Gebruik;
        return Goed;
    }
    if (argumenten[0] == "--dump") {
        return argumenten.size() == 2 ? Dump(argumenten[1]) : FoutGebruik();
    }
    for (const std::string& argument : argumenten) {
        if (argument.starts_with("-")) {
            return FoutGebruik();
        }
    }
    if (argumenten.size() > Meandor::Levels) {
        return FoutGebruik();
    }
    return Controleer(argumenten);
}

} // namespace

int main(int argc, char** argv) {
    try {
        return Hoofd(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const Meandor::FatalError& fout) {
        std::cerr << fout.what() << '\n';
        return Onleesbaar;
    }
}
