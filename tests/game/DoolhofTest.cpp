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

// Columns x1..x2, rows y1..y2 hold line `regel` (one further for each column when `mee`), or
// NUL for line 0.
struct Blok {
    std::uint32_t x1, x2, y1, y2, regel;
    bool mee = false;
};

// The file is the screen on its side: line x is column x, its character y is row y.
TEST(DoolhofLaden, LoadsAsTheGameDoes) {
    std::string vreemd = Regel(1, Rijen);
    vreemd.replace(4, 3, std::string("\xE9\0\t", 3));
    const struct {
        const char* naam;
        std::string inhoud;
        std::vector<Blok> blokken;
    } bestanden[] = {
        {"LF", Regels(1, 30), {{1, 30, 1, 21, 1, true}}},
        {"CR LF", Regels(1, 30, "\r\n"), {{1, 30, 1, 21, 1, true}}},
        {"after the 21st ignored",
         Regel(1, 25) + "\r\n" + Regels(2, 30, "\r\n"),
         {{1, 30, 1, 21, 1, true}}},
        // The line end after thirty characters is left to the next column, which it ends.
        {"thirty characters",
         Regels(1, 4, "\r\n") + Regel(5, 30) + "\r\n" + Regels(6, 30, "\r\n"),
         {{4, 5, 1, 21, 4, true}, {6, 6, 1, 1, 0}, {6, 6, 2, 21, 5}, {7, 30, 1, 21, 6, true}}},
        {"a short line keeps the line before's characters",
         Regels(1, 2) + Regel(3, 10) + "\n" + Regels(4, 30),
         {{3, 3, 1, 10, 3}, {3, 3, 11, 11, 0}, {3, 3, 12, 21, 2}, {4, 4, 1, 21, 4}}},
        {"a short file repeats its last line behind a NUL",
         Regels(1, 10),
         {{10, 10, 1, 21, 10}, {11, 30, 1, 1, 0}, {11, 30, 2, 21, 10}}},
        // Ctrl-Z ends the first line; the CR of the second swallows the X after it.
        {"Ctrl-Z and a lone CR end a line",
         Regel(1, 5) + '\x1A' + Regel(2, 21) + "\rX" + Regel(3, 21) + "\n" + Regels(4, 30),
         {{1, 1, 1, 5, 1}, {1, 1, 6, 6, 0}, {2, 30, 1, 21, 2, true}}},
        {"bytes stored as they stand",
         vreemd + "\n" + Regels(2, 30),
         {{1, 1, 1, 4, 1}, {1, 1, 6, 6, 0}, {1, 1, 8, 21, 1}, {2, 2, 1, 21, 2}}},
    };
    for (const auto& bestand : bestanden) {
        const DoolhofGrid grid = LeesTekst(bestand.inhoud);
        for (const Blok& b : bestand.blokken) {
            for (std::uint32_t x = b.x1; x <= b.x2; ++x) {
                for (std::uint32_t y = b.y1; y <= b.y2; ++y) {
                    const std::uint32_t regel = b.regel + (b.mee ? x - b.x1 : 0);
                    ASSERT_EQ(grid[x][y], b.regel == 0 ? '\0' : Teken(regel, y))
                        << bestand.naam << ": column " << x << " row " << y;
                }
            }
        }
    }
}

TEST(DoolhofLaden, ShortFirstLineAndEmptyFileAreWalledIn) {
    const DoolhofGrid kort = LeesTekst("ab\n");
    EXPECT_TRUE(kort[1][2] == 'b' && kort[1][3] == '\0');
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

// Which file goes with which level, and its message, are pinned by the replays.
TEST(DoolhofLaden, OnlyTheCurrentLevelsGridAndNoneWhenTheFileIsMissing) {
    const TempDir map;
    std::filesystem::current_path(map.Path());
    for (std::uint32_t lvl = 1; lvl <= Levels; ++lvl) {
        doolhof[lvl][1][1] = static_cast<char>('0' + lvl);
    }
    map.File("doolhof3.txt", Regels(1, 30));
    level = 3;
    Doolhofladen();
    EXPECT_EQ(doolhof[3], LeesTekst(Regels(1, 30)));
    EXPECT_EQ(doolhof[2][1][1], '2');
    EXPECT_EQ(doolhof[4][2][1], '\0');
    level = 2;
    EXPECT_THROW(Doolhofladen(), FatalError);
    EXPECT_EQ(doolhof[2][1][1], '2');
    std::filesystem::create_directory("doolhof2.txt");
    EXPECT_THROW(Doolhofladen(), FatalError);
    std::filesystem::current_path(std::filesystem::temp_directory_path());
}

} // namespace
