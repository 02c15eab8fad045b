#include "game/GameState.hpp"

namespace Meandor {

Tabel<Sound, MuziekLevel, MuziekVoltooid> muziek{};
Tabel<FiguurPaar, FiguurZorp, FiguurDeurDicht> figuur{};
std::uint32_t levendeStrikjes = 0;
std::uint32_t levens = 0;
std::uint32_t countCheat = 0;
std::uint32_t frietCount = 0;
std::uint32_t countLoop = 0;
std::uint32_t YVlag = 0;
std::uint32_t XVlag = 0;
std::uint32_t YCheat = 0;
std::uint32_t XCheat = 0;
std::uint32_t zorpY = 0;
std::uint32_t zorpX = 0;
Bitmap rechthoekTekst = 0;
std::uint32_t level = 0;
Bitmap rechthoekScore = 0;
Bitmap rechthoekHart = 0;
Bitmap tegel = 0;
Bitmap achtergrond = 0;
Tabel<DoolhofGrid, 1, Levels> doolhof{};
VlagGrid vlagArr{};
VlagGrid cheatArr{};
VlagGrid frietArr{};
VlagGrid refresh{};
bool menuCheck = false;
bool checkAchtergrondTekenen = false;
bool einde = false;
bool checkFriet = false;
Tabel<Bitmap, 1, Levels> rechthoekTekstArr{};
Tabel<Bitmap, 1, Levels> achtergrondArr{};
Tabel<Bitmap, 1, Levels> rechthoekScoreArr{};
Tabel<Bitmap, 1, Levels> rechthoekHartArr{};
Tabel<Bitmap, 1, Levels> provincieArr{};
Tabel<Bitmap, 1, Levels> tegelArr{};
Tabel<std::uint32_t, 1, MaxStrikjes> strikYArr{};
Tabel<std::uint32_t, 1, MaxStrikjes> strikXArr{};
Tabel<bool, 1, MaxStrikjes> strikArr{};

bool IsMuur(std::int64_t x, std::int64_t y) {
    return IsMuur(doolhof[level], x, y);
}

bool IsOpenVoorStrik(std::int64_t x, std::int64_t y) {
    return IsOpenVoorStrik(doolhof[level], x, y);
}

} // namespace Meandor
