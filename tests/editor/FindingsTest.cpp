#include "editor/Findings.hpp"

#include "editor/Pack.hpp"
#include "game/Doolhof.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace Editor {
void PrintTo(const Finding& finding, std::ostream* out) {
    *out << '"' << finding.words << "\" at " << finding.cells.size() << " cells";
}
} // namespace Editor

namespace {

using Editor::Finding;
using Meandor::Cel;
using Meandor::DoolhofGrid;
using ::testing::ElementsAre;
using ::testing::Field;

// An empty maze with ten portions of fries in row 10: every demand met.
DoolhofGrid Clean() {
    DoolhofGrid grid = Editor::EmptyMaze();
    for (std::uint32_t x = 5; x <= 14; ++x) {
        grid[x][10] = 'f';
    }
    return grid;
}

void Wall(DoolhofGrid& grid, std::uint32_t x) {
    for (std::uint32_t y = 2; y <= 20; ++y) {
        grid[x][y] = '|';
    }
}

// The findings on `grid` as the first of five levels, the others clean.
std::vector<Finding> Level1(const DoolhofGrid& grid) {
    std::array<Meandor::DoolhofLevel, Meandor::Levels> levels;
    for (std::uint32_t lvl = 1; lvl <= Meandor::Levels; ++lvl) {
        levels.at(lvl - 1) = {Meandor::DoolhofBestandsnaam(lvl), lvl == 1 ? grid : Clean()};
    }
    return Editor::InWords(Meandor::ControleerDoolhoven(levels), 1, grid);
}

auto Says(const std::string& words, std::vector<Cel> cells) {
    return ::testing::AllOf(Field(&Finding::words, words), Field(&Finding::cells, cells));
}

TEST(Findings, ACleanMazeHasNone) {
    EXPECT_THAT(Level1(Clean()), ElementsAre());
}

TEST(Findings, FriesCountedAndReached) {
    EXPECT_THAT(Level1(Editor::EmptyMaze()),
                ElementsAre(Says("there are 0 portions of fries, 10 are needed", {})));
    DoolhofGrid cut = Clean();
    cut[14][10] = ' ';
    cut[22][10] = 'f';
    Wall(cut, 16);
    // Both starts of the first level are left of the wall: each cell is named once.
    EXPECT_THAT(
        Level1(cut),
        ElementsAre(Says("only 9 portions of fries can be reached, 10 are needed", {{22, 10}}),
                    Says("the exit cannot be reached from the start", {{30, 20}})));
    DoolhofGrid eleven = Clean();
    eleven[20][5] = 'f';
    EXPECT_THAT(Level1(eleven),
                ElementsAre(Says("there are 11 portions of fries, 10 are needed", {})));
}

TEST(Findings, TheBorderTheEntryAndTheExit) {
    DoolhofGrid one = Clean();
    one[9][1] = ' ';
    EXPECT_THAT(Level1(one), ElementsAre(Says("the border is open at (9, 1)", {{9, 1}})));
    DoolhofGrid two = one;
    two[30][3] = 'f';
    two[29][3] = 'x';
    EXPECT_THAT(Level1(two).front(), Says("the border is open at 2 cells", {{9, 1}, {30, 3}}));
    DoolhofGrid ends = Clean();
    ends[1][20] = ' ';
    ends[30][20] = '+';
    EXPECT_THAT(Level1(ends),
                ElementsAre(Says("enemies can walk into the entry", {{1, 20}}),
                            Says("the exit is a wall", {{30, 20}}),
                            Says("the exit cannot be reached from the start", {{30, 20}})));
    DoolhofGrid exit = Clean();
    exit[30][20] = ' ';
    EXPECT_THAT(Level1(exit), ElementsAre(Says("enemies can walk into the exit", {{30, 20}})));
}

TEST(Findings, EnemiesAndItems) {
    // Enemy 1 starts at (4, 16).
    DoolhofGrid boxed = Clean();
    for (const Cel around : {Cel{3, 16}, Cel{5, 16}, Cel{4, 15}, Cel{4, 17}}) {
        boxed[around.x][around.y] = 'o';
    }
    EXPECT_THAT(Level1(boxed), ElementsAre(Says("an enemy can get stuck at (4, 16)", {{4, 16}})));
    DoolhofGrid closed = Clean();
    closed[4][16] = 'S';
    EXPECT_THAT(Level1(closed),
                ElementsAre(Says("an enemy starts in a closed cell at (4, 16)", {{4, 16}})));
    DoolhofGrid full = Clean();
    for (std::uint32_t x = 2; x <= 29; ++x) {
        for (std::uint32_t y = 2; y <= 20; ++y) {
            full[x][y] = full[x][y] == 'f' ? 'f' : 'x';
        }
    }
    EXPECT_THAT(Level1(full),
                ElementsAre(Says("too few blank cells for the flag and the hamburger", {})));
}

// Each level is told its own findings, by the file name the checker gives it.
TEST(Findings, OnlyTheLevelsOwn) {
    std::array<Meandor::DoolhofLevel, Meandor::Levels> levels;
    for (std::uint32_t lvl = 1; lvl <= Meandor::Levels; ++lvl) {
        levels.at(lvl - 1) = {Meandor::DoolhofBestandsnaam(lvl), Clean()};
    }
    levels.at(2).grid[9][1] = ' ';
    const auto all = Meandor::ControleerDoolhoven(levels);
    EXPECT_THAT(Editor::InWords(all, 2, levels.at(1).grid), ElementsAre());
    EXPECT_THAT(Editor::InWords(all, 3, levels.at(2).grid),
                ElementsAre(Says("the border is open at (9, 1)", {{9, 1}})));
}

} // namespace
