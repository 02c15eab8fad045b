#include "SpelTesting.hpp"

#include "game/Doolhof.hpp"
#include "game/Meandor.hpp"
#include "support/StandardLib.hpp"
#include "tools/replay/Replay.hpp"
#include "wimdows/Wimdows.hpp"

#include <fstream>
#include <stdexcept>

namespace SpelTesting {

using namespace Meandor;

void Druk(std::uint32_t code) {
    Replay::SendKey(code, true);
    Replay::SendKey(code, false);
}

void BeginLevel() {
    GeneratorOpBegin();
    for (std::uint32_t x = 1; x <= Kolommen; ++x) {
        for (std::uint32_t y = 1; y <= Rijen; ++y) {
            const bool rand = x == 1 || x == Kolommen || y == 1 || y == Rijen;
            doolhof[1][x][y] = rand ? '+' : ' ';
        }
    }
    doolhof[1][IngangCel.x][IngangCel.y] = 'o';
    doolhof[1][UitgangCel.x][UitgangCel.y] = 'S';
    level = 1, levendeStrikjes = StartStrikjes, levens = 3;
    zorpX = StartCel.x, zorpY = StartCel.y;
    frietCount = countLoop = countCheat = 0;
    XCheat = YCheat = XVlag = YVlag = 1;
    einde = false;
    frietArr = refresh = vlagArr = cheatArr = {};
    for (std::uint32_t i = 1; i <= MaxStrikjes; ++i) {
        strikXArr[i] = strikStartTabel[i].pixelX, strikYArr[i] = strikStartTabel[i].pixelY;
    }
}

void SchrijfDoolhofBestanden() {
    for (std::uint32_t lvl = 1; lvl <= Levels; ++lvl) {
        std::ofstream uit(DoolhofBestandsnaam(lvl), std::ios::binary);
        for (std::uint32_t x = 1; x <= Kolommen; ++x) {
            for (std::uint32_t y = 1; y <= Rijen; ++y) {
                uit << doolhof[1][x][y];
            }
            uit << '\n';
        }
    }
}

void Spel::SetUp() {
    Wimdows::Window("Spel", 1000, 700);
    BeginLevel();
}

void Spel::TearDown() {
    Wimdows::KillWindow();
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

} // namespace SpelTesting
