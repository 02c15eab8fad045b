#include "game/Doolhof.hpp"
#include "game/Meandor.hpp"
#include "music/Music.hpp"
#include "standardmenu/StandardMenu.hpp"
#include "support/GeneralLib.hpp"
#include "support/StandardLib.hpp"
#include "wimdows/Wimdows.hpp"

#include <iostream>

int main() {
    GeneralLib::Init();
    StandardMenu::Init();
    StandardLib::Init();
    Music::Init();
    Wimdows::Init();
    try {
        const int status = Meandor::Start();
        if (status != 0) {
            std::cerr << "meandor: cannot open a window (is there a display?)\n";
        }
        return status;
    } catch (const Meandor::FatalError& fout) {
        Wimdows::KillWindow();
        std::cerr << fout.what() << '\n';
        return 1;
    }
}
