#include "SpelTesting.hpp"

#include "game/Doolhof.hpp"
#include "game/Meandor.hpp"
#include "support/StandardLib.hpp"
#include "wimdows/Wimdows.hpp"
#include "wimdows/WimdowsTesting.hpp"

#include <SDL.h>
#include <fstream>
#include <stdexcept>
#include <string>

namespace SpelTesting {
namespace {

SDL_Keysym Keysym(std::uint32_t code) {
    SDL_Keysym keysym{};
    if (code >= 'A' && code <= 'Z') {
        keysym.scancode = static_cast<SDL_Scancode>(SDL_SCANCODE_A + (code - 'A'));
        keysym.sym = static_cast<SDL_Keycode>(SDLK_a + (code - 'A'));
        return keysym;
    }
    switch (code) {
    case 13:
        keysym.scancode = SDL_SCANCODE_RETURN;
        break;
    case 27:
        keysym.scancode = SDL_SCANCODE_ESCAPE;
        break;
    case 37:
        keysym.scancode = SDL_SCANCODE_LEFT;
        break;
    case 38:
        keysym.scancode = SDL_SCANCODE_UP;
        break;
    case 39:
        keysym.scancode = SDL_SCANCODE_RIGHT;
        break;
    case 40:
        keysym.scancode = SDL_SCANCODE_DOWN;
        break;
    default:
        throw std::invalid_argument("no test key for code " + std::to_string(code));
    }
    keysym.sym = SDL_SCANCODE_TO_KEYCODE(keysym.scancode);
    return keysym;
}

void Toets(std::uint32_t type, std::uint32_t code) {
    SDL_Event event{};
    event.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym = Keysym(code);
    TestKit::Push(event);
    Wimdows::Testing::WaitUntilHandled();
}

} // namespace

void OpenSpelVenster() {
    Wimdows::Window("Spel", 1000, 700);
}

void ToetsNeer(std::uint32_t code) {
    Toets(SDL_KEYDOWN, code);
}
void ToetsOp(std::uint32_t code) {
    Toets(SDL_KEYUP, code);
}

void Druk(std::uint32_t code) {
    ToetsNeer(code);
    ToetsOp(code);
}

void Klik(std::int32_t x, std::int32_t y) {
    TestKit::PushMouse(SDL_MOUSEMOTION, x, y);
    TestKit::PushMouse(SDL_MOUSEBUTTONDOWN, x, y);
    TestKit::PushMouse(SDL_MOUSEBUTTONUP, x, y);
    Wimdows::Testing::WaitUntilHandled();
}

void SluitMetKruisje() {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = SDL_WINDOWEVENT_CLOSE;
    TestKit::Push(event);
    Wimdows::Testing::WaitUntilHandled();
}

void ZetDoolhof(std::uint32_t lvl, const Rijen& rijen) {
    for (std::uint32_t y = 1; y <= Meandor::Rijen; ++y) {
        const std::string_view rij = rijen[y - 1];
        for (std::uint32_t x = 1; x <= Meandor::Kolommen; ++x) {
            Meandor::doolhof[lvl][x][y] = x <= rij.size() ? rij[x - 1] : '+';
        }
    }
}

Rijen OpenDoolhof() {
    static constexpr std::string_view rand = "++++++++++++++++++++++++++++++";
    static constexpr std::string_view binnen = "+                            +";
    static constexpr std::string_view gangen = "o                            S";
    Rijen rijen;
    rijen.fill(binnen);
    rijen[0] = rand;
    rijen[19] = gangen;
    rijen[20] = rand;
    return rijen;
}

void SchrijfDoolhofBestand(std::uint32_t lvl, const Rijen& rijen) {
    std::ofstream uit(Meandor::DoolhofBestandsnaam(lvl), std::ios::binary);
    for (std::uint32_t x = 1; x <= Meandor::Kolommen; ++x) {
        for (const std::string_view rij : rijen) {
            uit << (x <= rij.size() ? rij[x - 1] : '+');
        }
        uit << '\n';
    }
}

TijdelijkeMap::TijdelijkeMap() : vorige(std::filesystem::current_path()) {
    std::filesystem::current_path(map.Path());
}

TijdelijkeMap::~TijdelijkeMap() {
    std::filesystem::current_path(vorige);
}

void BeginLevel(std::uint32_t lvl, const Rijen& rijen) {
    using namespace Meandor;
    StandardLib::Init();
    ZetDoolhof(lvl, rijen);
    level = lvl;
    levendeStrikjes = ActieveStrikjes(lvl);
    zorpX = StartCel.x;
    zorpY = StartCel.y;
    levens = 3;
    frietCount = 0;
    countLoop = 0;
    countCheat = 0;
    XCheat = YCheat = XVlag = YVlag = 1;
    einde = false;
    for (std::uint32_t i = 1; i <= MaxStrikjes; ++i) {
        strikXArr[i] = strikStartTabel[i].pixelX;
        strikYArr[i] = strikStartTabel[i].pixelY;
    }
    for (std::uint32_t x = 1; x <= Kolommen; ++x) {
        for (std::uint32_t y = 1; y <= Meandor::Rijen; ++y) {
            frietArr[x][y] = doolhof[lvl][x][y] == FrietTeken;
            refresh[x][y] = false;
            vlagArr[x][y] = false;
            cheatArr[x][y] = false;
        }
    }
}

} // namespace SpelTesting
