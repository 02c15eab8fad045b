#include "game/Doolhof.hpp"

#include "game/Assets.hpp"

#include <array>
#include <filesystem>
#include <fstream>
#include <utility>

namespace Meandor {
namespace {

constexpr std::size_t RegelLengte = 30;
using Regel = std::array<char, RegelLengte>;

constexpr int CtrlZ = 26;
constexpr int CR = 13;
constexpr int LF = 10;

std::filesystem::path doolhofMap;

// One line into the buffer. A line that fills all 30 positions stops there, without a NUL and
// without consuming its line end.
void LeesRegel(std::istream& invoer, Regel& regel) {
    constexpr auto Eof = std::char_traits<char>::eof();
    std::size_t positie = 0;
    while (true) {
        const auto teken = invoer.get();
        if (teken == Eof || teken == CtrlZ || teken == LF) {
            regel[positie] = '\0';
            return;
        }
        if (teken == CR) {
            regel[positie] = '\0';
            invoer.get(); // the LF of the pair, or whatever byte stands there
            return;
        }
        regel[positie] = std::char_traits<char>::to_char_type(teken);
        ++positie;
        if (positie == RegelLengte) {
            return;
        }
    }
}

[[noreturn]] void KanNietOpenen(const std::string& naam) {
    throw FatalError("FIO.OpenRead: cannot open file " + naam);
}

} // namespace

void LeesDoolhof(std::istream& invoer, DoolhofGrid& grid) {
    Regel regel;
    regel.fill(MuurPlus);
    for (std::size_t x = 1; x <= Kolommen; ++x) {
        LeesRegel(invoer, regel);
        for (std::size_t y = 1; y <= Rijen; ++y) {
            grid[x][y] = regel[y - 1];
        }
    }
}

void LaadDoolhofBestand(const std::string& naam, DoolhofGrid& grid) {
    // A directory opens as a stream on Linux but has no lines to give.
    std::error_code fout;
    if (std::filesystem::is_directory(naam, fout)) {
        KanNietOpenen(naam);
    }
    std::ifstream bestand(naam, std::ios::binary);
    if (!bestand.is_open()) {
        KanNietOpenen(naam);
    }
    LeesDoolhof(bestand, grid);
}

std::string DoolhofBestandsnaam(std::uint32_t lvl) {
    return LevelBestand(lvl).doolhof;
}

std::filesystem::path DoolhofPad(const std::filesystem::path& map, std::uint32_t lvl) {
    return map / DoolhofBestandsnaam(lvl);
}

void ZetDoolhofMap(std::filesystem::path map) {
    doolhofMap = std::move(map);
}

void Doolhofladen() {
    assert(level >= 1 && level <= Levels);
    LaadDoolhofBestand(DoolhofPad(doolhofMap, level).string(), doolhof[level]);
}

} // namespace Meandor
