#include "game/Pakket.hpp"

#include "MazeFiles.hpp"
#include "TestKit.hpp"

#include <cstdlib>
#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using namespace Meandor;
using MazeTest::TempDir;
using ::testing::ElementsAre;

// A copy of the game's five mazes in a folder of its own.
class Pakket : public ::testing::Test {
  protected:
    void SetUp() override {
        for (std::uint32_t lvl = 1; lvl <= Levels; ++lvl) {
            std::filesystem::copy_file(MazeTest::BronMaze(static_cast<int>(lvl)),
                                       DoolhofPad(pak.Path(), lvl));
        }
    }
    // The file of level `lvl` with cell (x, y) changed to `teken`.
    void ZetCel(std::uint32_t lvl, std::uint32_t x, std::uint32_t y, char teken) const {
        const std::filesystem::path pad = DoolhofPad(pak.Path(), lvl);
        std::string tekst = TestKit::ReadFile(pad);
        std::size_t regel = 0;
        for (std::uint32_t kolom = 1; kolom < x; ++kolom) {
            regel = tekst.find('\n', regel) + 1;
        }
        tekst.at(regel + y - 1) = teken;
        pak.File(pad.filename().string(), tekst);
    }
    std::string Bestand(std::uint32_t lvl) const { return DoolhofPad(pak.Path(), lvl).string(); }

    TempDir pak;
};

TEST(PakketVinden, ANameInThePacksFolderAPathAsWritten) {
    const std::string home = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "/";
    TestKit::SetEnv("XDG_DATA_HOME", "/data");
    TestKit::SetEnv("HOME", "/home/p");
    EXPECT_EQ(PakkettenMap(), std::filesystem::path("/data/meandor/mazes"));
    EXPECT_EQ(VindPakket("mine"), std::filesystem::path("/data/meandor/mazes/mine"));
    EXPECT_EQ(VindPakket("./mine"), std::filesystem::path("./mine"));
    EXPECT_EQ(VindPakket("packs/mine/"), std::filesystem::path("packs/mine/"));
    EXPECT_EQ(VindPakket("/elders/mine"), std::filesystem::path("/elders/mine"));
    TestKit::UnsetEnv("XDG_DATA_HOME");
    EXPECT_EQ(VindPakket("mine"), std::filesystem::path("/home/p/.local/share/meandor/mazes/mine"));
    // Without a data folder a name finds nothing, rather than a folder in the runtime tree.
    TestKit::UnsetEnv("HOME");
    EXPECT_EQ(PakkettenMap(), std::filesystem::path());
    EXPECT_EQ(VindPakket("mine"), std::filesystem::path());
    EXPECT_EQ(VindPakket("./mine"), std::filesystem::path("./mine"));
    TestKit::SetEnv("HOME", home.c_str());
}

TEST_F(Pakket, TheGamesOwnMazesPass) {
    pak.File("pack.txt", "Mine\nA. Player\n");
    EXPECT_THAT(PakketBezwaren(pak.Path()), ElementsAre());
}

// Each finding names the pack's file of the level it was found in.
TEST_F(Pakket, OneBrokenMazeIsNamedWithItsCellAndRule) {
    ZetCel(3, 15, 1, 'x');
    ZetCel(5, 30, 20, '|');
    EXPECT_THAT(
        PakketBezwaren(pak.Path()),
        ElementsAre(Bestand(3) + ": cell (15, 1): border cell is open to the player (demand 1)",
                    Bestand(5) + ": cell (30, 20): exit cell is a wall, the player cannot leave "
                                 "(demand 2)",
                    Bestand(5) +
                        ": cell (30, 20): exit cannot be reached from (2, 20) (demand 3)"));
}

// The checker only runs on a whole pack; every file that is not there is named.
TEST_F(Pakket, AMissingFolderOrFileIsNamed) {
    ZetCel(1, 15, 1, 'x');
    std::filesystem::remove(Bestand(4));
    std::filesystem::remove(Bestand(2));
    std::filesystem::create_directory(Bestand(2));
    EXPECT_THAT(PakketBezwaren(pak.Path()),
                ElementsAre(Bestand(2) + ": cannot be read", Bestand(4) + ": no such file"));
    EXPECT_THAT(PakketBezwaren(pak / "nergens"), ElementsAre(pak / "nergens: no such folder"));
    EXPECT_THAT(PakketBezwaren(Bestand(1)), ElementsAre(Bestand(1) + ": no such folder"));
}

} // namespace
