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
// `vast` for line 0.
struct Blok {
    std::uint32_t x1, x2, y1, y2, regel;
    bool mee = false;
    char vast = '\0';
};

// The file is the screen on its side: line x is column x, its character y is row y.
TEST(DoolhofLaden, LoadsAsTheGameDoes) {
    std::string vreemd = Regel(1, Rijen);
    vreemd.replace(4, 3, std::string("\xE9\0\t", 3));
    const std::tuple<const char*, std::string, std::vector<Blok>> bestanden[] = {
        {"after the 21st ignored",
         Regel(1, 25) + "\r\n" + Regels(2, 30, "\r\n"),
         {{1, 30, 1, 21, 1, true}}},
        // The line end after thirty characters is left to the next column, which it ends.
        {"thirty characters",
         Regels(1, 4, "\r\n") + Regel(5, 30) + "\r\n" + Regels(6, 30, "\r\n"),
         {{4, 5, 1, 21, 4, true}, {6, 6, 1, 1, 0}, {6, 6, 2, 21, 5}, {7, 30, 1, 21, 6, true}}},
        // A short line keeps the line before's characters; a short file repeats its last line.
        {"short line and short file",
         Regels(1, 2) + Regel(3, 10) + "\n" + Regels(4, 10),
         {{3, 3, 1, 10, 3},
          {3, 3, 11, 11, 0},
          {3, 3, 12, 21, 2},
          {4, 10, 1, 21, 4, true},
          {11, 30, 1, 1, 0},
          {11, 30, 2, 21, 10}}},
        // Bytes are stored as they stand; Ctrl-Z ends the second line; the CR of the third
        // swallows the X after it.
        {"bytes, Ctrl-Z and a lone CR",
         vreemd + "\n" + Regel(2, 5) + '\x1A' + Regel(3, 21) + "\rX" + Regel(4, 21) + "\n" +
             Regels(5, 30),
         {{1, 1, 1, 4, 1},
          {1, 1, 6, 6, 0},
          {1, 1, 8, 21, 1},
          {2, 2, 1, 5, 2},
          {2, 2, 6, 6, 0},
          {3, 30, 1, 21, 3, true}}},
        {"an empty file is walled in", "", {{1, 30, 1, 1, 0}, {1, 30, 2, 21, 0, false, '+'}}},
    };
    for (const auto& [naam, inhoud, blokken] : bestanden) {
        const DoolhofGrid grid = LeesTekst(inhoud);
        for (const Blok& b : blokken) {
            for (std::uint32_t x = b.x1; x <= b.x2; ++x) {
                for (std::uint32_t y = b.y1; y <= b.y2; ++y) {
                    const std::uint32_t regel = b.regel + (b.mee ? x - b.x1 : 0);
                    ASSERT_EQ(grid[x][y], b.regel == 0 ? b.vast : Teken(regel, y))
                        << naam << ": column " << x << " row " << y;
                }
            }
        }
    }
}

// Which file goes with which level, and its message, are pinned by the replays.
TEST(DoolhofLaden, TheCurrentLevelsGridAndNoneWhenTheFileIsMissing) {
    const TempDir map;
    std::filesystem::current_path(map.Path());
    map.File("doolhof3.txt", Regels(1, 30));
    level = 3;
    Doolhofladen();
    EXPECT_EQ(doolhof[3], LeesTekst(Regels(1, 30)));
    level = 2;
    EXPECT_THROW(Doolhofladen(), FatalError);
    std::filesystem::create_directory("doolhof2.txt");
    EXPECT_THROW(Doolhofladen(), FatalError);
    std::filesystem::current_path(std::filesystem::temp_directory_path());
}

// What Doolhofladen throws, or nothing.
std::string FoutBijLaden() {
    try {
        Doolhofladen();
    } catch (const FatalError& fout) {
        return fout.what();
    }
    return "";
}

// A maze pack's folder stands in for the working directory, and only for the maze files.
TEST(DoolhofLaden, FromAMazePackInsteadOfTheWorkingDirectory) {
    const TempDir map;
    const TempDir pak;
    std::filesystem::current_path(map.Path());
    map.File("doolhof2.txt", Regels(1, 30));
    pak.File("doolhof2.txt", Regels(2, 31));
    level = 2;
    ZetDoolhofMap(pak.Path());
    Doolhofladen();
    EXPECT_EQ(doolhof[2], LeesTekst(Regels(2, 31)));
    level = 4;
    map.File("doolhof4.txt", Regels(1, 30));
    EXPECT_EQ(FoutBijLaden(), "FIO.OpenRead: cannot open file " + (pak / "doolhof4.txt"));
    ZetDoolhofMap({});
    level = 2;
    Doolhofladen();
    EXPECT_EQ(doolhof[2], LeesTekst(Regels(1, 30)));
    std::filesystem::current_path(std::filesystem::temp_directory_path());
}

} // namespace
