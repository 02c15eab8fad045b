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
        levels.push_back(
            {DoolhofBestandsnaam(static_cast<std::uint32_t>(levels.size() + 1)), grid});
    }
    std::vector<std::string> regels;
    for (const Overtreding& overtreding : ControleerDoolhoven(levels)) {
        regels.push_back(Beschrijf(overtreding));
    }
    return regels;
}

struct Wijziging {
    const char* naam;
    std::function<void(DoolhofGrid&)> wijzig;
    std::vector<std::string> rapport; // each line after "doolhof1.txt: "
};

class DoolhofCheck : public ::testing::TestWithParam<Wijziging> {};

// The shipped first maze with one fault put in.
TEST_P(DoolhofCheck, ReportsExactlyTheFault) {
    DoolhofGrid grid = Basis(1);
    GetParam().wijzig(grid);
    std::vector<std::string> verwacht;
    for (const std::string& regel : GetParam().rapport) {
        verwacht.push_back("doolhof1.txt: " + regel);
    }
    EXPECT_EQ(Rapport({grid}), verwacht);
}

const std::string Onbereikbaar = " cannot be reached from (2, ";

// The lines before, then fries at `cel` out of reach from both starting cells.
std::vector<std::string> FrietWeg(std::vector<std::string> ervoor, const std::string& cel) {
    for (const char* start : {"2)", "20)"}) {
        ervoor.push_back("cell " + cel + ": fries" + Onbereikbaar + start + " (demand 3)");
    }
    return ervoor;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DoolhofCheck,
    ::testing::Values(
        Wijziging{"OpenBorder",
                  [](DoolhofGrid& g) { g[15][1] = ' '; },
                  {"cell (15, 1): border cell is open to the player (demand 1)"}},
        Wijziging{"EntryAndExitOpenToEnemies",
                  [](DoolhofGrid& g) { g[1][20] = g[30][20] = ' '; },
                  {"cell (1, 20): entry cell is open to enemies (demand 2)",
                   "cell (30, 20): exit cell is open to enemies (demand 2)"}},
        Wijziging{"ExitWalled",
                  [](DoolhofGrid& g) { g[30][20] = '|'; },
                  {"cell (30, 20): exit cell is a wall, the player cannot leave (demand 2)",
                   "cell (30, 20): exit" + Onbereikbaar + "2) (demand 3)",
                   "cell (30, 20): exit" + Onbereikbaar + "20) (demand 3)"}},
        Wijziging{"NineFries",
                  [](DoolhofGrid& g) { g[4][18] = ' '; },
                  {"holds 9 portions of fries, needs exactly 10 (demand 3)"}},
        Wijziging{"ElevenFries",
                  [](DoolhofGrid& g) { g[3][2] = 'f'; },
                  {"holds 11 portions of fries, needs exactly 10 (demand 3)"}},
        Wijziging{"FriesWalledIn", [](DoolhofGrid& g) { g[3][18] = g[5][18] = '|'; },
                  FrietWeg({}, "(4, 18)")},
        // Up is refused in column 1: fries above an opening in the left border are out of reach.
        Wijziging{"FriesAboveAnOpeningInColumnOne",
                  [](DoolhofGrid& g) {
                      g[4][18] = g[1][10] = ' ';
                      g[1][9] = 'f';
                  },
                  FrietWeg({"cell (1, 9): border cell is open to the player (demand 1)",
                            "cell (1, 10): border cell is open to the player (demand 1)"},
                           "(1, 9)")},
        // A closed door puts the player back in front of it, so nothing lies beyond the exit.
        Wijziging{
            "FriesBeyondTheExit",
            [](DoolhofGrid& g) {
                g[4][18] = ' ';
                g[30][19] = 'f';
            },
            FrietWeg({"cell (30, 19): border cell is open to the player (demand 1)"}, "(30, 19)")},
        Wijziging{"EnemyStartClosed",
                  [](DoolhofGrid& g) { g[4][16] = 'o'; },
                  {"cell (4, 16): start cell of enemy 1 is closed to enemies (demand 4)"}},
        Wijziging{"OneBlankCell",
                  [](DoolhofGrid& g) {
                      for (std::uint32_t x = 1; x <= Kolommen; ++x) {
                          for (std::uint32_t y = 1; y <= 20; ++y) {
                              g[x][y] = g[x][y] == ' ' ? '.' : g[x][y];
                          }
                      }
                      g[2][2] = ' ';
                  },
                  {"blank cells in rows 1 to 20: 1; the flag and the hamburger need at least 2 "
                   "(item placement)"}}),
    [](const auto& geval) { return std::string(geval.param.naam); });

TEST(DoolhofCheckMore, MovesAndEnemiesAcrossLevels) {
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

    // (2, 2) is open to enemies in level 1; boxed in on level 2, an enemy left there is stuck.
    DoolhofGrid tweede = Basis(2);
    tweede[3][2] = '|';
    EXPECT_EQ(Rapport({Basis(1), tweede}),
              std::vector<std::string>{"doolhof2.txt: cell (2, 2): an enemy from the previous "
                                       "level stands here but no neighbour is open to enemies "
                                       "(demand 4)"});
    EXPECT_THAT(Rapport({tweede}), Not(Contains(HasSubstr("cell (2, 2)"))));

    // Enemy 7 joins in level 2 only.
    DoolhofGrid zeven = Basis(2);
    zeven[10][4] = 'S';
    EXPECT_EQ(Rapport({Basis(1), zeven}),
              std::vector<std::string>{
                  "doolhof2.txt: cell (10, 4): start cell of enemy 7 is closed to enemies "
                  "(demand 4)"});
    EXPECT_THAT(Rapport({zeven}), Not(Contains(HasSubstr("enemy 7"))));
}

TEST(DoolhofCheckMore, EmptyFileIsReportedNotCrashed) {
    const TempDir map;
    const std::vector<std::string> leeg = Rapport({MazeTest::Laad(map.File("leeg", ""))});
    EXPECT_THAT(leeg, Contains("doolhof1.txt: cell (2, 1): border cell is open to the player "
                               "(demand 1)"));
    EXPECT_THAT(leeg,
                Contains("doolhof1.txt: holds 0 portions of fries, needs exactly 10 (demand 3)"));
    EXPECT_THAT(leeg, Contains(HasSubstr("blank cells in rows 1 to 20: 0;")));
}

TEST(DoolhofCheckMore, DumpShowsRowsOnScreenWithUnprintableAsQuestionMarks) {
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
    const std::string punten(28, '.');
    EXPECT_EQ(dump.substr(0, 124),
              "a" + punten + "~\nb" + punten + "?\nc" + punten + "?\nd" + punten + "?\n");
    EXPECT_EQ(dump.substr(dump.size() - 31), "u" + punten + ".\n");
}

struct Aanroep {
    const char* naam;
    std::string argumenten;
    int code;
    std::string uit;
    std::string fout; // a part of standard error
};

class DoolhofCheckProgram : public ::testing::TestWithParam<Aanroep> {};

std::string Lees(const std::filesystem::path& pad) {
    std::ifstream bestand(pad, std::ios::binary);
    return {std::istreambuf_iterator<char>(bestand), std::istreambuf_iterator<char>()};
}

// The real program: FILE stands for a maze with nine portions of fries, MISSING for no file.
TEST_P(DoolhofCheckProgram, ExitStatusAndOutput) {
    const TempDir map;
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
    auto vul = [&](std::string s) {
        for (const auto& [van, naar] : {std::pair<std::string, std::string>{"FILE", kapot},
                                        {"MISSING", map / "doolhof2.txt"},
                                        {"LEVEL1", MazeTest::BronMaze(1)}}) {
            for (std::size_t at = s.find(van); at != std::string::npos; at = s.find(van)) {
                s.replace(at, van.size(), naar);
            }
        }
        return s;
    };
    const std::string opdracht = std::string(DOOLHOFCHECK) + " " + vul(GetParam().argumenten) +
                                 " >" + (map / "uit") + " 2>" + (map / "fout");
    const int status = std::system(opdracht.c_str());
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, GetParam().code);
    EXPECT_EQ(Lees(map / "uit"), vul(GetParam().uit));
    EXPECT_THAT(Lees(map / "fout"), HasSubstr(vul(GetParam().fout)));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DoolhofCheckProgram,
    ::testing::Values(
        Aanroep{"Violation", "FILE", 1,
                "FILE: holds 9 portions of fries, needs exactly 10 (demand 3)\n", ""},
        Aanroep{"Dump", "--dump FILE", 0, DumpDoolhof(Basis(1)).replace(17 * 31 + 3, 1, " "), ""},
        Aanroep{"MissingFile", "LEVEL1 MISSING", 3, "", "FIO.OpenRead: cannot open file MISSING\n"},
        Aanroep{"NoArguments", "", 2, "", "usage: doolhofcheck"},
        Aanroep{"DumpWithoutFile", "--dump", 2, "", "usage: doolhofcheck"},
        Aanroep{"DumpOfTwo", "--dump FILE FILE", 2, "", "usage: doolhofcheck"},
        Aanroep{"UnknownOption", "--snel FILE", 2, "", "usage: doolhofcheck"},
        Aanroep{"SixFiles", "FILE FILE FILE FILE FILE FILE", 2, "", "usage: doolhofcheck"}),
    [](const auto& geval) { return std::string(geval.param.naam); });

} // namespace
