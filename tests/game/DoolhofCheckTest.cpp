#include "game/DoolhofCheck.hpp"

#include "MazeFiles.hpp"

#include <cstdlib>
#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>

namespace {

using namespace Meandor;
using MazeTest::TempDir;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

DoolhofGrid Basis(int lvl) {
    return MazeTest::Laad(MazeTest::BronMaze(lvl));
}

// The checker's report on grids taken as levels 1, 2, ... named like the game's files.
std::vector<std::string> Rapport(const std::vector<DoolhofGrid>& grids) {
    std::vector<DoolhofLevel> levels;
    for (const DoolhofGrid& grid : grids) {
        levels.push_back(
            {DoolhofBestandsnaam(static_cast<std::uint32_t>(levels.size() + 1)), grid});
    }
    std::vector<std::string> regels;
    for (const Overtreding& overtreding : ControleerDoolhoven(levels)) {
        regels.push_back(Beschrijf(overtreding));
    }
    return regels;
}

void Vervang(DoolhofGrid& grid, char van, char naar, std::uint32_t laatsteRij = Rijen) {
    for (std::uint32_t x = 1; x <= Kolommen; ++x) {
        for (std::uint32_t y = 1; y <= laatsteRij; ++y) {
            grid[x][y] = grid[x][y] == van ? naar : grid[x][y];
        }
    }
}

TEST(DoolhofCheck, ShippedMazesMeetEveryDemandAndDiffer) {
    std::vector<DoolhofGrid> grids;
    for (int lvl = 1; lvl <= 5; ++lvl) {
        grids.push_back(Basis(lvl));
    }
    EXPECT_THAT(Rapport(grids), IsEmpty());
    for (std::size_t a = 0; a < grids.size(); ++a) {
        for (std::size_t b = a + 1; b < grids.size(); ++b) {
            EXPECT_NE(grids[a], grids[b]) << "levels " << a + 1 << " and " << b + 1;
        }
    }
}

TEST(DoolhofCheck, BorderEntryAndExit) {
    DoolhofGrid rand = Basis(1);
    rand[15][1] = ' ';
    EXPECT_THAT(
        Rapport({rand}),
        ElementsAre("doolhof1.txt: cell (15, 1): border cell is open to the player (demand 1)"));

    DoolhofGrid ingang = Basis(1);
    ingang[1][20] = ' ';
    ingang[30][20] = ' ';
    EXPECT_THAT(
        Rapport({ingang}),
        ElementsAre("doolhof1.txt: cell (1, 20): entry cell is open to enemies (demand 2)",
                    "doolhof1.txt: cell (30, 20): exit cell is open to enemies (demand 2)"));

    DoolhofGrid uitgang = Basis(1);
    uitgang[30][20] = '|';
    EXPECT_THAT(
        Rapport({uitgang}),
        ElementsAre(
            "doolhof1.txt: cell (30, 20): exit cell is a wall, the player cannot leave (demand 2)",
            "doolhof1.txt: cell (30, 20): exit cannot be reached from (2, 2) (demand 3)",
            "doolhof1.txt: cell (30, 20): exit cannot be reached from (2, 20) (demand 3)"));
}

TEST(DoolhofCheck, FriesMustBeExactlyTen) {
    DoolhofGrid negen = Basis(1);
    ASSERT_EQ(negen[4][18], 'f');
    negen[4][18] = ' ';
    EXPECT_THAT(
        Rapport({negen}),
        ElementsAre("doolhof1.txt: holds 9 portions of fries, needs exactly 10 (demand 3)"));
    negen[4][18] = 'f';
    negen[3][2] = 'f';
    EXPECT_THAT(Rapport({negen}), ElementsAre("doolhof1.txt: holds 11 portions of fries, needs "
                                              "exactly 10 (demand 3)"));
}

TEST(DoolhofCheck, FriesOutOfThePlayersReach) {
    DoolhofGrid ingesloten = Basis(1);
    ingesloten[3][18] = '|';
    ingesloten[5][18] = '|';
    EXPECT_THAT(
        Rapport({ingesloten}),
        ElementsAre("doolhof1.txt: cell (4, 18): fries cannot be reached from (2, 2) (demand 3)",
                    "doolhof1.txt: cell (4, 18): fries cannot be reached from (2, 20) (demand 3)"));

    // Up is refused in column 1: fries above an opening in the left border stay out of reach.
    DoolhofGrid omhoog = Basis(1);
    omhoog[4][18] = ' ';
    omhoog[1][10] = ' ';
    omhoog[1][9] = 'f';
    EXPECT_THAT(
        Rapport({omhoog}),
        ElementsAre("doolhof1.txt: cell (1, 9): border cell is open to the player (demand 1)",
                    "doolhof1.txt: cell (1, 10): border cell is open to the player (demand 1)",
                    "doolhof1.txt: cell (1, 9): fries cannot be reached from (2, 2) (demand 3)",
                    "doolhof1.txt: cell (1, 9): fries cannot be reached from (2, 20) (demand 3)"));
    // Down in column 1 is an ordinary move.
    DoolhofGrid omlaag = omhoog;
    omlaag[1][9] = '|';
    omlaag[2][11] = '|';
    omlaag[1][11] = 'f';
    EXPECT_THAT(Rapport({omlaag}), Not(Contains(HasSubstr("fries cannot be reached"))));

    // A closed door puts the player back in front of it, so nothing lies beyond the exit.
    DoolhofGrid voorbij = Basis(1);
    voorbij[4][18] = ' ';
    voorbij[30][19] = 'f';
    EXPECT_THAT(
        Rapport({voorbij}),
        ElementsAre(
            "doolhof1.txt: cell (30, 19): border cell is open to the player (demand 1)",
            "doolhof1.txt: cell (30, 19): fries cannot be reached from (2, 2) (demand 3)",
            "doolhof1.txt: cell (30, 19): fries cannot be reached from (2, 20) (demand 3)"));
}

TEST(DoolhofCheck, EnemiesNeedAWayOut) {
    DoolhofGrid ingemetseld = Basis(1);
    for (const Cel buur : {Cel{3, 16}, Cel{5, 16}, Cel{4, 15}, Cel{4, 17}}) {
        ingemetseld[buur.x][buur.y] = buur.x == 4 ? '-' : '|';
    }
    EXPECT_THAT(Rapport({ingemetseld}),
                Contains("doolhof1.txt: cell (4, 16): an enemy starts here but no neighbour is "
                         "open to enemies (demand 4)"));

    DoolhofGrid dicht = Basis(1);
    dicht[4][16] = 'o';
    EXPECT_THAT(Rapport({dicht}),
                ElementsAre("doolhof1.txt: cell (4, 16): start cell of enemy 1 is closed to "
                            "enemies (demand 4)"));
}

TEST(DoolhofCheck, EnemiesCarryTheirPlacesIntoTheNextLevel) {
    // (2, 2) is open to enemies in level 1; boxed in on level 2, an enemy left there is stuck.
    DoolhofGrid tweede = Basis(2);
    tweede[3][2] = '|';
    EXPECT_THAT(Rapport({Basis(1), tweede}),
                ElementsAre("doolhof2.txt: cell (2, 2): an enemy from the previous level stands "
                            "here but no neighbour is open to enemies (demand 4)"));
    EXPECT_THAT(Rapport({tweede}), Not(Contains(HasSubstr("cell (2, 2)"))));

    // Enemy 7 joins in level 2 only.
    DoolhofGrid zeven = Basis(2);
    zeven[10][4] = 'S';
    EXPECT_THAT(Rapport({Basis(1), zeven}),
                ElementsAre("doolhof2.txt: cell (10, 4): start cell of enemy 7 is closed to "
                            "enemies (demand 4)"));
    EXPECT_THAT(Rapport({zeven}), Not(Contains(HasSubstr("enemy 7"))));
}

TEST(DoolhofCheck, FlagAndHamburgerNeedTwoBlankCells) {
    DoolhofGrid grid = Basis(1);
    Vervang(grid, ' ', '.', 20);
    grid[2][2] = ' ';
    EXPECT_THAT(Rapport({grid}),
                ElementsAre("doolhof1.txt: blank cells in rows 1 to 20: 1; the flag and the "
                            "hamburger need at least 2 (item placement)"));
    grid[3][2] = ' ';
    EXPECT_THAT(Rapport({grid}), IsEmpty());
}

TEST(DoolhofCheck, EmptyAndJunkFilesAreReportedNotCrashed) {
    const TempDir map;
    const std::vector<std::string> leeg = Rapport({MazeTest::Laad(map.File("leeg", ""))});
    EXPECT_THAT(leeg, Contains("doolhof1.txt: cell (2, 1): border cell is open to the player "
                               "(demand 1)"));
    EXPECT_THAT(leeg, Contains("doolhof1.txt: cell (30, 20): exit cell is a wall, the player "
                               "cannot leave (demand 2)"));
    EXPECT_THAT(leeg,
                Contains("doolhof1.txt: holds 0 portions of fries, needs exactly 10 (demand 3)"));
    EXPECT_THAT(leeg, Contains(HasSubstr("blank cells in rows 1 to 20: 0;")));

    std::string rommel;
    std::uint32_t toestand = 12345;
    for (int i = 0; i < 4000; ++i) {
        toestand = toestand * 1103515245U + 12345U;
        rommel += static_cast<char>(toestand >> 24);
    }
    const DoolhofGrid grid = MazeTest::Laad(map.File("rommel", rommel));
    const std::vector<std::string> rapport = Rapport({grid, grid, grid, grid, grid});
    EXPECT_THAT(rapport, Not(IsEmpty()));
    EXPECT_THAT(rapport, Contains(HasSubstr("doolhof5.txt: ")));

    std::istringstream dump(DumpDoolhof(grid));
    int regels = 0;
    for (std::string regel; std::getline(dump, regel); ++regels) {
        ASSERT_EQ(regel.size(), Kolommen);
        for (const char c : regel) {
            ASSERT_TRUE(c >= ' ' && c <= '~') << static_cast<int>(c);
        }
    }
    EXPECT_EQ(regels, static_cast<int>(Rijen));
}

TEST(DoolhofCheck, DumpShowsRowsOnScreenWithUnprintableAsQuestionMarks) {
    DoolhofGrid grid{};
    for (std::uint32_t x = 1; x <= Kolommen; ++x) {
        for (std::uint32_t y = 1; y <= Rijen; ++y) {
            grid[x][y] = x == 1 ? static_cast<char>('a' + y - 1) : '.';
        }
    }
    grid[30][1] = '~';
    grid[30][2] = '\x7F';
    grid[30][3] = '\xE9';
    grid[30][4] = '\0';
    const std::string dump = DumpDoolhof(grid);
    EXPECT_EQ(dump.substr(0, 62),
              "a" + std::string(28, '.') + "~\n" + "b" + std::string(28, '.') + "?\n");
    EXPECT_EQ(dump.substr(62, 62),
              "c" + std::string(28, '.') + "?\n" + "d" + std::string(28, '.') + "?\n");
    EXPECT_EQ(dump.substr(dump.size() - 31), "u" + std::string(29, '.') + "\n");
}

// The real program, its output and its exit status.
struct Uitvoer {
    int code = -1;
    std::string uit;
    std::string fout;
};

std::string LeesBestand(const std::filesystem::path& pad) {
    std::ifstream bestand(pad, std::ios::binary);
    return {std::istreambuf_iterator<char>(bestand), std::istreambuf_iterator<char>()};
}

Uitvoer Draai(const TempDir& map, const std::string& argumenten) {
    const auto uit = map.Path() / "stdout";
    const auto fout = map.Path() / "stderr";
    const std::string opdracht = std::string("'") + DOOLHOFCHECK + "' " + argumenten + " >'" +
                                 uit.string() + "' 2>'" + fout.string() + "'";
    const int status = std::system(opdracht.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, LeesBestand(uit), LeesBestand(fout)};
}

std::string Pad(const std::string& pad) {
    return "'" + pad + "'";
}

TEST(DoolhofCheckProgram, ChecksAndDumpsWithTheGamesLoader) {
    const TempDir map;
    std::string alle;
    for (int lvl = 1; lvl <= 5; ++lvl) {
        alle += Pad(MazeTest::BronMaze(lvl)) + " ";
    }
    const Uitvoer goed = Draai(map, alle);
    EXPECT_EQ(goed.code, 0) << goed.uit;
    EXPECT_EQ(goed.uit, "");

    const Uitvoer dump = Draai(map, "--dump " + Pad(MazeTest::BronMaze(1)));
    EXPECT_EQ(dump.code, 0);
    EXPECT_EQ(dump.uit, DumpDoolhof(Basis(1)));
    EXPECT_EQ(dump.uit.substr(19 * 31, 31), "S" + std::string(28, ' ') + "S\n"); // row 20

    DoolhofGrid negen = Basis(1);
    negen[4][18] = ' ';
    std::string tekst;
    for (std::uint32_t x = 1; x <= Kolommen; ++x) {
        for (std::uint32_t y = 1; y <= Rijen; ++y) {
            tekst += negen[x][y];
        }
        tekst += "\r\n";
    }
    const std::string kapot = map.File("kapot.txt", tekst);
    const Uitvoer fout = Draai(map, Pad(kapot));
    EXPECT_EQ(fout.code, 1);
    EXPECT_EQ(fout.uit, kapot + ": holds 9 portions of fries, needs exactly 10 (demand 3)\n");
}

TEST(DoolhofCheckProgram, MissingFileAndUsageErrors) {
    const TempDir map;
    const std::string weg = (map.Path() / "doolhof2.txt").string();
    const Uitvoer ontbreekt = Draai(map, Pad(MazeTest::BronMaze(1)) + " " + Pad(weg));
    EXPECT_EQ(ontbreekt.code, 3);
    EXPECT_EQ(ontbreekt.fout, "FIO.OpenRead: cannot open file " + weg + "\n");
    EXPECT_EQ(ontbreekt.uit, "");

    const std::string een = Pad(MazeTest::BronMaze(1));
    for (const std::string& argumenten :
         {std::string(), std::string("--dump"), "--dump " + een + " " + een, "--snel " + een,
          een + " " + een + " " + een + " " + een + " " + een + " " + een}) {
        const Uitvoer gebruik = Draai(map, argumenten);
        EXPECT_EQ(gebruik.code, 2) << argumenten;
        EXPECT_THAT(gebruik.fout, HasSubstr("usage: doolhofcheck")) << argumenten;
    }
}

} // namespace
