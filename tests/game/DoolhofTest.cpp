#include "game/Doolhof.hpp"

#include "MazeFiles.hpp"

#include <gtest/gtest.h>
#include <vector>

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

struct Kolom {
    std::uint32_t x;
    std::uint32_t regel;
    std::uint32_t eerste = 1;
    std::uint32_t laatste = Rijen;
};
struct Teken1 {
    Cel cel;
    char teken;
};
struct Bestand {
    const char* naam;
    std::string inhoud;
    std::vector<Kolom> kolommen; // column x holds line `regel` in rows eerste..laatste
    std::vector<Teken1> tekens;
};

// Every column x from `vanaf` on holds line x - `terug`, or line `vast` when given.
std::vector<Kolom> Vanaf(std::uint32_t vanaf, std::uint32_t terug = 0, std::uint32_t eerste = 1,
                         std::uint32_t vast = 0) {
    std::vector<Kolom> kolommen;
    for (std::uint32_t x = vanaf; x <= Kolommen; ++x) {
        kolommen.push_back({x, vast != 0 ? vast : x - terug, eerste});
    }
    return kolommen;
}

std::vector<Kolom> Plus(std::vector<Kolom> a, const std::vector<Kolom>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class DoolhofLaden : public ::testing::TestWithParam<Bestand> {};

// The file is the screen on its side: line x is column x, its character y is row y.
TEST_P(DoolhofLaden, LoadsAsTheGameDoes) {
    const Bestand& bestand = GetParam();
    const DoolhofGrid grid = LeesTekst(bestand.inhoud);
    for (const Kolom& k : bestand.kolommen) {
        for (std::uint32_t y = k.eerste; y <= k.laatste; ++y) {
            EXPECT_EQ(grid[k.x][y], Teken(k.regel, y)) << "column " << k.x << " row " << y;
        }
    }
    for (const Teken1& t : bestand.tekens) {
        EXPECT_EQ(grid[t.cel.x][t.cel.y], t.teken) << t.cel.x << "," << t.cel.y;
    }
}

std::string MetVreemdeBytes(std::string regel) {
    regel[4] = '\xE9';
    regel[5] = '\0';
    regel[6] = '\t';
    return regel;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DoolhofLaden,
    ::testing::Values(
        Bestand{"Lf", Regels(1, 30), Vanaf(1), {}},
        Bestand{"CrLf", Regels(1, 30, "\r\n"), Vanaf(1), {}},
        Bestand{"CharactersAfterTheTwentyFirstAreIgnored",
                Regel(1, 25) + "\r\n" + Regels(2, 30, "\r\n"),
                Vanaf(1),
                {}},
        // The line end after thirty characters is left to the next column, which it ends.
        Bestand{"ThirtyCharacterLine",
                Regels(1, 4, "\r\n") + Regel(5, 30) + "\r\n" + Regels(6, 30, "\r\n"),
                Plus({{4, 4}, {5, 5}, {6, 5, 2}}, Vanaf(7, 1)),
                {{{6, 1}, '\0'}}},
        Bestand{"ShortLineKeepsThePreviousLinesCharacters",
                Regels(1, 2) + Regel(3, 10) + "\n" + Regels(4, 30),
                {{3, 3, 1, 10}, {3, 2, 12}, {4, 4}},
                {{{3, 11}, '\0'}}},
        Bestand{"ShortFileRepeatsItsLastLineBehindANul",
                Regels(1, 10),
                Plus({{10, 10}}, Vanaf(11, 0, 2, 10)),
                {{{11, 1}, '\0'}, {{30, 1}, '\0'}}},
        // Ctrl-Z ends the first line; the CR of the second swallows the X after it.
        Bestand{"CtrlZAndALoneCrEndALine",
                Regel(1, 5) + '\x1A' + Regel(2, 21) + "\rX" + Regel(3, 21) + "\n" + Regels(4, 30),
                Plus({{1, 1, 1, 5}}, Vanaf(2)),
                {{{1, 6}, '\0'}}},
        Bestand{"BytesAreStoredAsTheyStand",
                MetVreemdeBytes(Regel(1, 21)) + "\n" + Regels(2, 30),
                {{2, 2}},
                {{{1, 5}, '\xE9'}, {{1, 6}, '\0'}, {{1, 7}, '\t'}}}),
    [](const auto& geval) { return std::string(geval.param.naam); });

TEST(DoolhofLadenKort, ShortFirstLineAndEmptyFileAreWalledIn) {
    const DoolhofGrid kort = LeesTekst("ab\n");
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
    EXPECT_EQ(doolhof[3], LeesTekst(Regels(1, 30)));
    for (const std::uint32_t lvl : {1U, 2U, 4U, 5U}) {
        EXPECT_EQ(doolhof[lvl][1][1], static_cast<char>('0' + lvl));
        EXPECT_EQ(doolhof[lvl][2][1], '\0');
    }
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
}

} // namespace
