#include "game/Doolhof.hpp"

#include "MazeFiles.hpp"

#include <gtest/gtest.h>

namespace {

using namespace Meandor;
using MazeTest::TempDir;

// A different printable character for every line and position, never a line end.
char Teken(std::uint32_t regel, std::uint32_t positie) {
    return static_cast<char>('!' + (3 * regel + positie) % 90);
}

std::string Regel(std::uint32_t regel, std::uint32_t lengte) {
    std::string tekst;
    for (std::uint32_t positie = 1; positie <= lengte; ++positie) {
        tekst += Teken(regel, positie);
    }
    return tekst;
}

// Lines first..last of 21 characters each.
std::string Regels(std::uint32_t eerste, std::uint32_t laatste, const std::string& einde = "\n") {
    std::string tekst;
    for (std::uint32_t regel = eerste; regel <= laatste; ++regel) {
        tekst += Regel(regel, Rijen) + einde;
    }
    return tekst;
}

DoolhofGrid LeesTekst(const std::string& inhoud) {
    const TempDir map;
    return MazeTest::Laad(map.File("doolhof.txt", inhoud));
}

// Column x holds line `regel` in rows first..last.
void VerwachtKolom(const DoolhofGrid& grid, std::uint32_t x, std::uint32_t regel,
                   std::uint32_t eerste = 1, std::uint32_t laatste = Rijen) {
    for (std::uint32_t y = eerste; y <= laatste; ++y) {
        EXPECT_EQ(grid[x][y], Teken(regel, y)) << "column " << x << " row " << y;
    }
}

TEST(DoolhofLaden, CrLfAndLfLoadTheSameGrid) {
    const DoolhofGrid lf = LeesTekst(Regels(1, 30));
    const DoolhofGrid crlf = LeesTekst(Regels(1, 30, "\r\n"));
    EXPECT_EQ(lf, crlf);
    for (std::uint32_t x = 1; x <= Kolommen; ++x) {
        VerwachtKolom(lf, x, x);
    }
}

TEST(DoolhofLaden, FileIsTheScreenOnItsSide) {
    const DoolhofGrid grid = LeesTekst(Regels(1, 30));
    EXPECT_EQ(grid[1][1], Regel(1, 1)[0]); // first character of the first line: top left
    EXPECT_EQ(grid[UitgangCel.x][UitgangCel.y], Regel(30, 21)[19]); // line 30, character 20
    EXPECT_EQ(grid[2][1], Regel(2, 1)[0]);
    EXPECT_EQ(grid[1][2], Regel(1, 2)[1]);
}

TEST(DoolhofLaden, CharactersAfterTheTwentyFirstAreIgnored) {
    const DoolhofGrid grid = LeesTekst(Regel(1, 25) + "\r\n" + Regels(2, 30, "\r\n"));
    for (std::uint32_t x = 1; x <= Kolommen; ++x) {
        VerwachtKolom(grid, x, x);
    }
}

TEST(DoolhofLaden, ThirtyCharacterLineLeavesItsLineEndToTheNextColumn) {
    const DoolhofGrid grid =
        LeesTekst(Regels(1, 4, "\r\n") + Regel(5, 30) + "\r\n" + Regels(6, 30, "\r\n"));
    VerwachtKolom(grid, 4, 4);
    VerwachtKolom(grid, 5, 5);
    EXPECT_EQ(grid[6][1], '\0');
    VerwachtKolom(grid, 6, 5, 2);
    for (std::uint32_t x = 7; x <= Kolommen; ++x) {
        VerwachtKolom(grid, x, x - 1);
    }
}

TEST(DoolhofLaden, ShortLineKeepsThePreviousLinesCharacters) {
    const DoolhofGrid grid = LeesTekst(Regels(1, 2) + Regel(3, 10) + "\n" + Regels(4, 30));
    VerwachtKolom(grid, 3, 3, 1, 10);
    EXPECT_EQ(grid[3][11], '\0');
    VerwachtKolom(grid, 3, 2, 12);
    VerwachtKolom(grid, 4, 4);
}

TEST(DoolhofLaden, ShortFileRepeatsItsLastLineBehindANul) {
    const DoolhofGrid grid = LeesTekst(Regels(1, 10));
    VerwachtKolom(grid, 10, 10);
    for (std::uint32_t x = 11; x <= Kolommen; ++x) {
        EXPECT_EQ(grid[x][1], '\0');
        VerwachtKolom(grid, x, 10, 2);
    }
}

TEST(DoolhofLaden, ShortFirstLineAndEmptyFileAreWalledIn) {
    const DoolhofGrid kort = LeesTekst("ab\n");
    EXPECT_EQ(kort[1][1], 'a');
    EXPECT_EQ(kort[1][2], 'b');
    EXPECT_EQ(kort[1][3], '\0');
    const DoolhofGrid leeg = LeesTekst("");
    for (std::uint32_t y = 4; y <= Rijen; ++y) {
        EXPECT_TRUE(IsMuur(kort, 1, y)) << y;
    }
    for (std::uint32_t x = 1; x <= Kolommen; ++x) {
        EXPECT_EQ(leeg[x][1], '\0');
        for (std::uint32_t y = 2; y <= Rijen; ++y) {
            ASSERT_TRUE(IsMuur(leeg, x, y)) << x << "," << y;
        }
    }
}

TEST(DoolhofLaden, CtrlZAndALoneCrEndALine) {
    // Ctrl-Z ends the first line; the CR of the second swallows the X after it.
    const DoolhofGrid grid = LeesTekst(Regel(1, 5) + '\x1A' + Regel(2, 21) + "\rX" + Regel(3, 21) +
                                       "\n" + Regels(4, 30));
    VerwachtKolom(grid, 1, 1, 1, 5);
    EXPECT_EQ(grid[1][6], '\0');
    for (std::uint32_t x = 2; x <= Kolommen; ++x) {
        VerwachtKolom(grid, x, x);
    }
}

TEST(DoolhofLaden, BytesAreStoredAsTheyStand) {
    std::string regel = Regel(1, 21);
    regel[4] = '\xE9';
    regel[5] = '\0';
    regel[6] = '\t';
    const DoolhofGrid grid = LeesTekst(regel + "\n" + Regels(2, 30));
    EXPECT_EQ(grid[1][5], '\xE9');
    EXPECT_EQ(grid[1][6], '\0');
    EXPECT_EQ(grid[1][7], '\t');
    VerwachtKolom(grid, 2, 2);
}

class DoolhofladenLevel : public ::testing::Test {
  protected:
    void SetUp() override { std::filesystem::current_path(map.Path()); }
    void TearDown() override {
        std::filesystem::current_path(std::filesystem::temp_directory_path());
    }
    TempDir map;
};

TEST_F(DoolhofladenLevel, ReadsOnlyTheCurrentLevelsGrid) {
    for (std::uint32_t lvl = 1; lvl <= Levels; ++lvl) {
        doolhof[lvl][1][1] = static_cast<char>('0' + lvl);
    }
    map.File("doolhof3.txt", Regels(1, 30));
    level = 3;
    Doolhofladen();
    VerwachtKolom(doolhof[3], 1, 1);
    for (const std::uint32_t lvl : {1U, 2U, 4U, 5U}) {
        EXPECT_EQ(doolhof[lvl][1][1], static_cast<char>('0' + lvl));
        EXPECT_EQ(doolhof[lvl][2][1], '\0');
    }
}

TEST_F(DoolhofladenLevel, ReadingTheSameFileAgainKeepsTheGrid) {
    map.File("doolhof1.txt", Regel(1, 3) + "\n" + Regel(2, 12) + "\n");
    level = 1;
    Doolhofladen();
    const DoolhofGrid eerste = doolhof[1];
    doolhof[1][1][10] = 'x';
    Doolhofladen();
    EXPECT_EQ(doolhof[1], eerste);
}

TEST_F(DoolhofladenLevel, MissingFileIsFatalAndNamesIt) {
    map.File("doolhof1.txt", Regels(1, 30));
    level = 1;
    Doolhofladen();
    doolhof[2][1][1] = 'k';
    level = 2;
    try {
        Doolhofladen();
        FAIL() << "no error for a missing doolhof2.txt";
    } catch (const FatalError& fout) {
        EXPECT_STREQ(fout.what(), "FIO.OpenRead: cannot open file doolhof2.txt");
    }
    EXPECT_EQ(doolhof[2][1][1], 'k');

    std::filesystem::create_directory("doolhof2.txt");
    EXPECT_THROW(Doolhofladen(), FatalError);
    const std::string pad = (map.Path() / "nergens" / "doolhof9.txt").string();
    try {
        MazeTest::Laad(pad);
        FAIL() << "no error for " << pad;
    } catch (const FatalError& fout) {
        EXPECT_EQ(std::string(fout.what()), "FIO.OpenRead: cannot open file " + pad);
    }
}

} // namespace
