#pragma once

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>

// The whole state of a game, shared by the game's own files: the mazes, the per-cell flag
// grids, the player, the enemy table, counters, bonus items, artwork and sound handles.
// Everything lives on the main thread; nothing here is locked.
namespace Meandor {

using Bitmap = std::uint32_t; // 1-based handle into the window library's table, 0 = none
using Sound = std::uint32_t;  // 1-based handle into the sound table, 0 = none

// A fixed table indexed Eerste..Laatste, as the game writes its tables: levels, columns, rows
// and enemies from 1, pictures and music slots from 0. An index outside the range is a bug.
template <typename T, std::size_t Eerste, std::size_t Laatste> struct Tabel {
    static_assert(Eerste <= Laatste);
    static constexpr std::size_t eerste = Eerste;
    static constexpr std::size_t laatste = Laatste;
    static constexpr std::size_t grootte = Laatste - Eerste + 1;

    std::array<T, grootte> items{};

    // One unsigned comparison covers both ends: below Eerste wraps round to a huge offset.
    static constexpr bool Geldig(std::size_t i) { return i - Eerste < grootte; }

    constexpr T& operator[](std::size_t i) {
        assert(Geldig(i));
        return items[i - Eerste];
    }
    constexpr const T& operator[](std::size_t i) const {
        assert(Geldig(i));
        return items[i - Eerste];
    }

    constexpr void fill(const T& waarde) { items.fill(waarde); }
    constexpr auto begin() { return items.begin(); }
    constexpr auto end() { return items.end(); }
    constexpr auto begin() const { return items.begin(); }
    constexpr auto end() const { return items.end(); }
    friend constexpr bool operator==(const Tabel&, const Tabel&) = default;
};

// Maze geometry: 30 columns by 21 rows of 30-pixel cells, cell (x, y) at pixel (30x, 30y).
constexpr std::uint32_t Kolommen = 30;
constexpr std::uint32_t Rijen = 21;
constexpr std::uint32_t CelGrootte = 30;
constexpr std::uint32_t Levels = 5;
constexpr std::uint32_t MaxStrikjes = 10;
constexpr std::uint32_t StartStrikjes = 6;  // active in level 1; one more joins per level
constexpr std::uint32_t FrietPerLevel = 10; // exactly this many open the exit door

constexpr std::uint32_t PixelNaarCel(std::uint32_t pixel) {
    return pixel / CelGrootte;
}
constexpr std::uint32_t CelNaarPixel(std::uint32_t cel) {
    return cel * CelGrootte;
}

// Enemies 1..ActieveStrikjes(level) take part in that level.
constexpr std::uint32_t ActieveStrikjes(std::uint32_t lvl) {
    return StartStrikjes + lvl - 1;
}

// A cell as (column, row), both from 1.
struct Cel {
    std::uint32_t x = 0;
    std::uint32_t y = 0;
    friend constexpr bool operator==(const Cel&, const Cel&) = default;
};

constexpr Cel StartCel{2, 2};        // the player's first cell in a game
constexpr Cel HerstartCel{2, 20};    // after a lost life, at each new level, and from the entry
constexpr Cel UitgangCel{30, 20};    // the exit door
constexpr Cel IngangCel{1, 20};      // the entry; stepping on it sends the player to HerstartCel
constexpr Cel VoorDeDeurCel{29, 20}; // where a closed exit door puts the player back

// Where each enemy starts, in pixels, and the first level it takes part in.
struct StrikStart {
    std::uint32_t pixelX = 0;
    std::uint32_t pixelY = 0;
    std::uint32_t vanafLevel = 0;
    constexpr Cel cel() const { return {PixelNaarCel(pixelX), PixelNaarCel(pixelY)}; }
};

constexpr Tabel<StrikStart, 1, MaxStrikjes> strikStartTabel{{{
    {120, 480, 1},
    {180, 240, 1},
    {360, 150, 1},
    {570, 150, 1},
    {600, 300, 1},
    {330, 90, 1},
    {300, 120, 2},
    {600, 90, 3},
    {90, 180, 4},
    {270, 270, 5},
}}};

// The cell characters the game gives a meaning to; every other byte is plain floor.
constexpr char MuurMin = '-';
constexpr char MuurPlus = '+';
constexpr char MuurStreep = '|';
constexpr char BarriereO = 'o'; // open to the player, closed to enemies
constexpr char BarriereS = 'S';
constexpr char FrietTeken = 'f';
constexpr char LeegTeken = ' '; // the only cells that receive the flag or the hamburger

// A grid over all cells, indexed [x][y] (column first), both from 1.
template <typename T> using CelGrid = Tabel<Tabel<T, 1, Rijen>, 1, Kolommen>;
using DoolhofGrid = CelGrid<char>;
using VlagGrid = CelGrid<bool>;

// A picture and its mask, white where the picture shows; the final picture and the doors have
// no mask.
struct FiguurPaar {
    Bitmap masker = 0;
    Bitmap beeld = 0;
};

// The slots of `figuur`.
constexpr std::size_t FiguurZorp = 0; // the player as he faces now: a copy of slot 1 or 2
constexpr std::size_t FiguurZorpRechts = 1;
constexpr std::size_t FiguurZorpLinks = 2;
constexpr std::size_t FiguurStrik = 3;
constexpr std::size_t FiguurFriet = 4;
constexpr std::size_t FiguurHamburger = 5;
constexpr std::size_t FiguurVlag = 6;
constexpr std::size_t FiguurHart = 7;
constexpr std::size_t FiguurEinde = 8; // the final picture, the whole window
constexpr std::size_t FiguurDeurOpen = 9;
constexpr std::size_t FiguurDeurDicht = 10;

// The slots of `muziek`.
constexpr std::size_t MuziekLevel = 0;
constexpr std::size_t MuziekVolkslied = 1; // the final anthem
constexpr std::size_t MuziekMenu = 2;
constexpr std::size_t MuziekVoltooid = 3; // the jingle of a level cleared

// Volumes of the music, of 255: the level music plays softer than the rest.
constexpr std::uint32_t LevelMuziekVolume = 100;
constexpr std::uint32_t MenuMuziekVolume = 200; // also the final anthem's

// The lives beyond the current one at the start of each level.
constexpr std::uint32_t StartLevens = 3;

// The last row above the maze's bottom border: the flag and the hamburger go in rows 1 to this
// one, and so do the redraws of a whole maze.
constexpr std::uint32_t LaatsteRij = Rijen - 1;

// The difficulties in menu order, and how many hundredths of a second pass between two steps
// of the enemies at each.
struct Moeilijkheid {
    const char* naam;
    std::uint32_t snelheid;
};
constexpr std::array<Moeilijkheid, 3> moeilijkheden{{{"easy", 100}, {"medium", 75}, {"hard", 55}}};

constexpr bool IsMuurTeken(char c) {
    return c == MuurMin || c == MuurPlus || c == MuurStreep;
}
constexpr bool IsOpenVoorStrikTeken(char c) {
    return !IsMuurTeken(c) && c != BarriereO && c != BarriereS;
}

// Signed, so that a neighbour of a border cell (0 or -1 from a caller's arithmetic, or an
// unsigned wrap round) is simply outside.
constexpr bool InDoolhof(std::int64_t x, std::int64_t y) {
    return x >= 1 && x <= Kolommen && y >= 1 && y <= Rijen;
}

// The player's test: a wall character, or anywhere outside the grid.
constexpr bool IsMuur(const DoolhofGrid& grid, std::int64_t x, std::int64_t y) {
    if (!InDoolhof(x, y)) {
        return true;
    }
    return IsMuurTeken(grid[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)]);
}

// The enemies' test: none of the walls nor "o"/"S", and inside the grid.
constexpr bool IsOpenVoorStrik(const DoolhofGrid& grid, std::int64_t x, std::int64_t y) {
    if (!InDoolhof(x, y)) {
        return false;
    }
    return IsOpenVoorStrikTeken(grid[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)]);
}

// The same tests on the maze of the current `level`.
bool IsMuur(std::int64_t x, std::int64_t y);
bool IsOpenVoorStrik(std::int64_t x, std::int64_t y);

// The game state, 0 or FALSE at program start, in the order the game declares it.
extern Tabel<Sound, MuziekLevel, MuziekVoltooid> muziek;
extern Tabel<FiguurPaar, FiguurZorp, FiguurDeurDicht> figuur;
extern std::uint32_t levendeStrikjes;
extern std::uint32_t levens;
extern std::uint32_t countCheat;
extern std::uint32_t frietCount;
extern std::uint32_t countLoop;
extern std::uint32_t YVlag;
extern std::uint32_t XVlag;
extern std::uint32_t YCheat;
extern std::uint32_t XCheat;
extern std::uint32_t zorpY;
extern std::uint32_t zorpX;
extern Bitmap rechthoekTekst;
extern std::uint32_t level;
extern Bitmap rechthoekScore;
extern Bitmap rechthoekHart;
extern Bitmap tegel;
extern Bitmap achtergrond;
extern Tabel<DoolhofGrid, 1, Levels> doolhof;
extern VlagGrid vlagArr;
extern VlagGrid cheatArr;
extern VlagGrid frietArr;
extern VlagGrid refresh;
extern bool menuCheck;
extern bool checkAchtergrondTekenen;
extern bool einde;
extern bool checkFriet;
extern Tabel<Bitmap, 1, Levels> rechthoekTekstArr;
extern Tabel<Bitmap, 1, Levels> achtergrondArr;
extern Tabel<Bitmap, 1, Levels> rechthoekScoreArr;
extern Tabel<Bitmap, 1, Levels> rechthoekHartArr;
extern Tabel<Bitmap, 1, Levels> provincieArr;
extern Tabel<Bitmap, 1, Levels> tegelArr;
extern Tabel<std::uint32_t, 1, MaxStrikjes> strikYArr;
extern Tabel<std::uint32_t, 1, MaxStrikjes> strikXArr;
extern Tabel<bool, 1, MaxStrikjes> strikArr;

} // namespace Meandor
