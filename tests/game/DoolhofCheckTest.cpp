#include "game/DoolhofCheck.hpp"

#include "MazeFiles.hpp"

#include <cstdlib>
#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace {

using namespace Meandor;

// The checker's report on a grid taken as level 1, named like the game's file.
std::vector<std::string> Rapport(const DoolhofGrid& grid) {
    const DoolhofLevel level{DoolhofBestandsnaam(1), grid};
    std::vector<std::string> regels;
    for (const Overtreding& overtreding : ControleerDoolhoven({&level, 1})) {
        regels.push_back(Beschrijf(overtreding));
    }
    return regels;
}

// The shipped first maze with one fault put in, one for each rule: the report names exactly it.
TEST(DoolhofCheck, ReportsExactlyTheFault) {
    const std::pair<std::function<void(DoolhofGrid&)>, std::vector<std::string>> gevallen[] = {
        {[](DoolhofGrid& g) { g[15][1] = g[1][20] = ' '; },
         {"cell (15, 1): border cell is open to the player (demand 1)",
          "cell (1, 20): entry cell is open to enemies (demand 2)"}},
        {[](DoolhofGrid& g) { g[30][20] = '|'; },
         {"cell (30, 20): exit cell is a wall, the player cannot leave (demand 2)",
          "cell (30, 20): exit cannot be reached from (2, 2) (demand 3)",
          "cell (30, 20): exit cannot be reached from (2, 20) (demand 3)"}},
        {[](DoolhofGrid& g) { g[3][18] = g[5][18] = '|'; },
         {"cell (4, 18): fries cannot be reached from (2, 2) (demand 3)",
          "cell (4, 18): fries cannot be reached from (2, 20) (demand 3)"}},
        {[](DoolhofGrid& g) { g[3][16] = g[5][16] = '|', g[4][15] = g[4][17] = '-'; },
         {"cell (4, 16): an enemy starts here but no neighbour is open to enemies (demand 4)"}},
        {[](DoolhofGrid& g) {
             for (auto& kolom : g) {
                 std::replace(kolom.begin(), kolom.begin() + 20, ' ', '.');
             }
             g[2][2] = ' ';
         },
         {"blank cells in rows 1 to 20: 1; the flag and the hamburger need at least 2 "
          "(item placement)"}},
    };
    for (const auto& [wijzig, rapport] : gevallen) {
        DoolhofGrid grid = MazeTest::Laad(MazeTest::BronMaze(1));
        wijzig(grid);
        std::vector<std::string> verwacht;
        for (const std::string& regel : rapport) {
            verwacht.push_back("doolhof1.txt: " + regel);
        }
        EXPECT_EQ(Rapport(grid), verwacht) << rapport[0];
    }
}

// The real program, in a directory holding kapot.txt: the first maze with nine fries and
// unprintable bytes, which the dump shows as question marks.
TEST(DoolhofCheck, ProgramExitStatusAndOutput) {
    const TestKit::TempDir map;
    std::string negen = TestKit::ReadFile(MazeTest::BronMaze(1));
    negen[3 * 22 + 17] = ' '; // column 4 row 18
    negen[22 + 4] = '\xE9';   // column 2 rows 5 and 6
    negen[22 + 5] = '\x7F';
    map.File("kapot.txt", negen);
    const std::string dump = DumpDoolhof(MazeTest::Laad(map / "kapot.txt"));
    ASSERT_EQ((std::string{dump[4 * 31 + 1], dump[5 * 31 + 1], dump[5 * 31 - 1]}), "??\n");
    // Arguments, exit status, standard output and a part of standard error.
    const std::tuple<std::string, int, std::string, std::string> aanroepen[] = {
        {"kapot.txt", 1, "kapot.txt: holds 9 portions of fries, needs exactly 10 (demand 3)\n", ""},
        {"--dump kapot.txt", 0, dump, ""},
        {"kapot.txt doolhof2.txt", 3, "", "FIO.OpenRead: cannot open file doolhof2.txt\n"},
        {"", 2, "", "usage: doolhofcheck"},
    };
    for (const auto& [argumenten, code, uit, fout] : aanroepen) {
        const std::string opdracht =
            "cd " + map.Path().string() + " && " + DOOLHOFCHECK + " " + argumenten + " >uit 2>fout";
        const int status = std::system(opdracht.c_str());
        EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, code) << argumenten;
        EXPECT_EQ(TestKit::ReadFile(map / "uit"), uit) << argumenten;
        EXPECT_THAT(TestKit::ReadFile(map / "fout"), ::testing::HasSubstr(fout)) << argumenten;
    }
}

} // namespace
