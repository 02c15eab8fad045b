#include "game/Meandor.hpp"
#include "support/StandardLib.hpp"
#include "wimdows/Wimdows.hpp"

#include <chrono>
#include <thread>

namespace Meandor {
namespace {

bool CheatPlekBestaat() {
    for (std::uint32_t x = 1; x <= Kolommen; ++x) {
        for (std::uint32_t y = 1; y <= LaatsteRij; ++y) {
            if (doolhof[level][x][y] == LeegTeken && !frietArr[x][y]) {
                return true;
            }
        }
    }
    return false;
}

void Hamburger() {
    if (countCheat != 0 || !CheatPlekBestaat()) {
        return;
    }
    do {
        XCheat = StandardLib::RandomCard(1, Kolommen);
        YCheat = StandardLib::RandomCard(1, LaatsteRij);
    } while (doolhof[level][XCheat][YCheat] != LeegTeken || frietArr[XCheat][YCheat]);
    cheatArr[XCheat][YCheat] = true;
    refresh[XCheat][YCheat] = true;
    countCheat = 1;
}

// Holds the game until S; every other key is dropped. Polls a few milliseconds apart, and gives
// up when the window has gone, since no S can come then.
void Pauze() {
    using namespace std::chrono_literals;
    SchrijfHint("Press 's' to continue");
    bool HULP = false;
    while (!HULP && VensterOpen()) {
        std::uint32_t pushedkey = 0;
        if (Wimdows::GetKeyPressed(pushedkey) && pushedkey == Wimdows::KEY_S) {
            SchrijfHint("Press 'p' to pause");
            HULP = true;
        } else {
            Waarneem(Moment::Wachten);
            std::this_thread::sleep_for(5ms);
        }
    }
}

void Stap(std::int64_t dx, std::int64_t dy) {
    const std::int64_t x = std::int64_t{zorpX} + dx;
    const std::int64_t y = std::int64_t{zorpY} + dy;
    if (IsMuur(x, y)) {
        return;
    }
    if (dx > 0) {
        figuur[FiguurZorp] = figuur[FiguurZorpRechts];
    } else if (dx < 0) {
        figuur[FiguurZorp] = figuur[FiguurZorpLinks];
    } else if (dy < 0 && zorpX == 1) {
        return;
    }
    zorpX = static_cast<std::uint32_t>(x);
    zorpY = static_cast<std::uint32_t>(y);
}

} // namespace

void CheckKey() {
    std::uint32_t pushedkey = 0;
    if (!Wimdows::GetKeyPressed(pushedkey)) {
        return;
    }
    refresh[zorpX][zorpY] = true;
    switch (pushedkey) {
    case Wimdows::KEY_RIGHT:
        Stap(1, 0);
        break;
    case Wimdows::KEY_DOWN:
        Stap(0, 1);
        break;
    case Wimdows::KEY_LEFT:
        Stap(-1, 0);
        break;
    case Wimdows::KEY_UP:
        Stap(0, -1);
        break;
    case Wimdows::KEY_H:
        Hamburger();
        break;
    case Wimdows::KEY_ESCAPE:
        einde = true;
        menuCheck = true;
        break;
    case Wimdows::KEY_P:
        Pauze();
        break;
    default:
        break;
    }
    refresh[zorpX][zorpY] = true;
}

} // namespace Meandor
