// meandor_autoplay: the game as a player starts it, with the scripted player at the keys in
// play and at the picture screens, on a clock that moves on with each pass. The menus are
// left to whoever drives the window (bench/memory.sh clicks them with xdotool).
#include "game/Doolhof.hpp"
#include "game/Meandor.hpp"
#include "support/GeneralLib.hpp"
#include "tools/replay/ScriptedPlayer.hpp"
#include "wimdows/Wimdows.hpp"

#include <functional>
#include <iostream>

int main() {
    constexpr std::uint32_t Easy = 100;
    Meandor::StartModules();
    GeneralLib::TimeOfDay klok{10, 0, 0, 0};
    GeneralLib::SetClock([&klok] { return klok; });
    Replay::Speler speler(klok, Easy);
    Meandor::SetWaarnemer(std::ref(speler));
    try {
        return Meandor::Start();
    } catch (const Meandor::FatalError& fout) {
        Wimdows::KillWindow();
        std::cerr << fout.what() << '\n';
        return 1;
    }
}
