#include "game/DoolhofCheck.hpp"

#include "MazeFiles.hpp"

#include <cstdlib>
#include <fstream>
#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace {

using namespace Meandor;
using MazeTest::TempDir;
using ::testing::AnyOf;
using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::Not;

DoolhofGrid Basis(int lvl) {
    return MazeTest::Laad(MazeTest::BronMaze(lvl));
}

// The checker's report on grids taken as levels 1, 2, ... named like the game's files.
std::vector<std::string> Rapport(const std::vector<DoolhofGrid>& grids) {
    std::vector<DoolhofLevel> levels;
    for (const DoolhofGrid& grid : grids) {
        levels.push_back({DoolhofBestandsnaam(levels.size() + 1), grid});
    }
    std::vector<std::string> regels;
    for (const Overtreding& overtreding : ControleerDoolhoven(levels)) {
        regels.push_back(Beschrijf(overtreding));
    }
    return regels;
}

// The lines before, then fries at `cel` out of reach from both starting cells.
std::vector<std::string> FrietWeg(std::vector<std::string> ervoor, const std::string& cel) {
    for (const char* start : {"2)", "20)"}) {
        ervoor.push_back("cell " + cel + ": fries cannot be reached from (2, " + start +
                         " (demand 3)");
    }
    return ervoor;
}

std::string Rand(int x, int y) {
    return "cell (" + std::to_string(x) + ", " + std::to_string(y) +
           "): border cell is open to the player (demand 1)";
}

// The shipped first maze with one fault put in: the report names exactly that fault.
TEST(DoolhofCheck, ReportsExactlyTheFault) {
    const struct {
        const char* naam;
        std::function<void(DoolhofGrid&)> wijzig;
        std::vector<std::string> rapport; // each line after "doolhof1.txt: "
    } gevallen[] = {
        {"open border", [](DoolhofGrid& g) { g[15][1] = ' '; }, {Rand(15, 1)}},
        {"entry and exit open to enemies",
         [](DoolhofGrid& g) { g[1][20] = g[30][20] = ' '; },
         {"cell (1, 20): entry cell is open to enemies (demand 2)",
          "cell (30, 20): exit cell is open to enemies (demand 2)"}},
        {"exit walled",
         [](DoolhofGrid& g) { g[30][20] = '|'; },
         {"cell (30, 20): exit cell is a wall, the player cannot leave (demand 2)",
          "cell (30, 20): exit cannot be reached from (2, 2) (demand 3)",
          "cell (30, 20): exit cannot be reached from (2, 20) (demand 3)"}},
        {"nine fries",
         [](DoolhofGrid& g) { g[4][18] = ' '; },
         {"holds 9 portions of fries, needs exactly 10 (demand 3)"}},
        {"eleven fries",
         [](DoolhofGrid& g) { g[3][2] = 'f'; },
         {"holds 11 portions of fries, needs exactly 10 (demand 3)"}},
        {"fries walled in", [](DoolhofGrid& g) { g[3][18] = g[5][18] = '|'; },
         FrietWeg({}, "(4, 18)")},
        // Up is refused in column 1: fries above an opening in the left border are out of reach.
        {"fries above an opening in column 1",
         [](DoolhofGrid& g) { g[4][18] = g[1][10] = ' ', g[1][9] = 'f'; },
         FrietWeg({Rand(1, 9), Rand(1, 10)}, "(1, 9)")},
        // A closed door puts the player back in front of it, so nothing lies beyond the exit.
        {"fries beyond the exit", [](DoolhofGrid& g) { g[4][18] = ' ', g[30][19] = 'f'; },
         FrietWeg({Rand(30, 19)}, "(30, 19)")},
        {"enemy start closed",
         [](DoolhofGrid& g) { g[4][16] = 'o'; },
         {"cell (4, 16): start cell of enemy 1 is closed to enemies (demand 4)"}},
        {"one blank cell",
         [](DoolhofGrid& g) {
             for (auto& kolom : g) {
                 std::replace(kolom.begin(), kolom.begin() + 20, ' ', '.');
             }
             g[2][2] = ' ';
         },
         {"blank cells in rows 1 to 20: 1; the flag and the hamburger need at least 2 "
          "(item placement)"}},
    };
    for (const auto& geval : gevallen) {
        DoolhofGrid grid = Basis(1);
        geval.wijzig(grid);
        std::vector<std::string> verwacht;
        for (const std::string& regel : geval.rapport) {
            verwacht.push_back("doolhof1.txt: " + regel);
        }
        EXPECT_EQ(Rapport({grid}), verwacht) << geval.naam;
    }
}

TEST(DoolhofCheck, MovesAndEnemiesAcrossLevels) {
    // Down in column 1 is an ordinary move.
    DoolhofGrid omlaag = Basis(1);
    omlaag[4][18] = omlaag[1][10] = ' ';
    omlaag[1][9] = omlaag[2][11] = '|';
    omlaag[1][11] = 'f';
    EXPECT_THAT(Rapport({omlaag}), Not(Contains(HasSubstr("fries cannot be reached"))));

    DoolhofGrid ingemetseld = Basis(1);
    ingemetseld[3][16] = ingemetseld[5][16] = '|';
    ingemetseld[4][15] = ingemetseld[4][17] = '-';
    EXPECT_THAT(Rapport({ingemetseld}),
                Contains("doolhof1.txt: cell (4, 16): an enemy starts here but no neighbour is "
                         "open to enemies (demand 4)"));

    // (2, 2) is open to enemies in level 1, where an enemy may be left; enemy 7 joins in level 2.
    DoolhofGrid tweede = Basis(2);
    tweede[3][2] = '|';
    tweede[10][4] = 'S';
    EXPECT_EQ(Rapport({Basis(1), tweede}),
              (std::vector<std::string>{
                  "doolhof2.txt: cell (10, 4): start cell of enemy 7 is closed to enemies "
                  "(demand 4)",
                  "doolhof2.txt: cell (2, 2): an enemy from the previous level stands here but no "
                  "neighbour is open to enemies (demand 4)"}));
    EXPECT_THAT(Rapport({tweede}),
                ::testing::Each(Not(AnyOf(HasSubstr("cell (2, 2)"), HasSubstr("enemy 7")))))
        << "as level 1";
}

TEST(DoolhofCheck, DumpShowsRowsOnScreenWithUnprintableAsQuestionMarks) {
    DoolhofGrid grid{};
    for (auto& kolom : grid) {
        kolom.fill('.');
    }
    for (std::uint32_t y = 1; y <= Rijen; ++y) {
        grid[1][y] = static_cast<char>('a' + y - 1);
    }
    grid[30][1] = '~';
    grid[30][2] = '\x7F';
    grid[30][3] = '\xE9';
    grid[30][4] = '\0';
    const std::string dump = DumpDoolhof(grid);
    const std::string punten(28, '.');
    EXPECT_EQ(dump.substr(0, 124),
              "a" + punten + "~\nb" + punten + "?\nc" + punten + "?\nd" + punten + "?\n");
    EXPECT_EQ(dump.substr(dump.size() - 31), "u" + punten + ".\n");
}

std::string Lees(const std::string& pad) {
    std::ifstream bestand(pad, std::ios::binary);
    return {std::istreambuf_iterator<char>(bestand), std::istreambuf_iterator<char>()};
}

// The real program, in a directory holding kapot.txt, the first maze with nine fries.
TEST(DoolhofCheck, ProgramExitStatusAndOutput) {
    const TempDir map;
    std::string negen = Lees(MazeTest::BronMaze(1));
    negen[3 * 22 + 17] = ' '; // column 4 row 18
    map.File("kapot.txt", negen);
    const std::string dump = DumpDoolhof(MazeTest::Laad(map / "kapot.txt"));
    const struct {
        std::string argumenten;
        int code;
        std::string uit, fout; // a part of standard error
    } aanroepen[] = {
        {"kapot.txt", 1, "kapot.txt: holds 9 portions of fries, needs exactly 10 (demand 3)\n", ""},
        {"--dump kapot.txt", 0, dump, ""},
        {"kapot.txt doolhof2.txt", 3, "", "FIO.OpenRead: cannot open file doolhof2.txt\n"},
        {"", 2, "", "usage: doolhofcheck"},
        {"--dump", 2, "", "usage: doolhofcheck"},
        {"--dump kapot.txt kapot.txt", 2, "", "usage: doolhofcheck"},
        {"--snel kapot.txt", 2, "", "usage: doolhofcheck"},
        {"kapot.txt kapot.txt kapot.txt kapot.txt kapot.txt kapot.txt", 2, "",
         "usage: doolhofcheck"},
    };
    for (const auto& aanroep : aanroepen) {
        const std::string opdracht = "cd " + map.Path().string() + " && " + DOOLHOFCHECK + " " +
                                     aanroep.argumenten + " >uit 2>fout";
        const int status = std::system(opdracht.c_str());
        EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, aanroep.code) << aanroep.argumenten;
        EXPECT_EQ(Lees(map / "uit"), aanroep.uit) << aanroep.argumenten;
        EXPECT_THAT(Lees(map / "fout"), HasSubstr(aanroep.fout)) << aanroep.argumenten;
    }
}

} // namespace
