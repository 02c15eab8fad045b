#include "SpelTesting.hpp"

#include "game/Doolhof.hpp"
#include "game/Meandor.hpp"
#include "support/StandardLib.hpp"
#include "tools/replay/Replay.hpp"
#include "wimdows/Wimdows.hpp"
#include "wimdows/WimdowsTesting.hpp"

#include <SDL.h>
#include <fstream>
#include <stdexcept>
#include <string>

namespace SpelTesting {

void OpenSpelVenster() {
    Wimdows::Window("Spel", 1000, 700);
}

void ToetsNeer(std::uint32_t code) {
    Replay::SendKey(code, true);
}
void ToetsOp(std::uint32_t code) {
    Replay::SendKey(code, false);
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

void GeneratorOpBegin() {
    constexpr std::uint32_t BeginSeed = 94;
    constexpr int Toestanden = 1013;
    StandardLib::Init();
    for (int i = 0; i < Toestanden && StandardLib::Seed() != BeginSeed; ++i) {
        StandardLib::RandomCard(1, 2);
    }
    if (StandardLib::Seed() != BeginSeed) {
        throw std::logic_error("the generator never comes back to its first state");
    }
}

void BeginLevel(std::uint32_t lvl, const Rijen& rijen) {
    using namespace Meandor;
    GeneratorOpBegin();
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
