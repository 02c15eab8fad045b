#include "game/Meandor.hpp"
#include "wimdows/Wimdows.hpp"

#include <array>
#include <filesystem>
#include <gtest/gtest.h>
#include <utility>

namespace {

using namespace Meandor;

// The game's own picture names against the generated runtime tree: every picture loads, and
// the handles come out in the game's load order.
class Artwork : public ::testing::Test {
  protected:
    void SetUp() override {
        vorige = std::filesystem::current_path();
        std::filesystem::current_path(MEANDOR_RUNTIME_DIR);
        Wimdows::Window("Spel", 1000, 700);
    }
    void TearDown() override {
        Wimdows::KillWindow();
        std::filesystem::current_path(vorige);
    }
    std::filesystem::path vorige;
};

TEST_F(Artwork, EveryPictureLoadsInTheGamesOrder) {
    Provincies();
    BitmapsLaden();
    BitmapsInArrays();
    for (std::uint32_t lvl = 1; lvl <= Levels; ++lvl) {
        EXPECT_EQ(provincieArr[lvl], lvl);
        EXPECT_EQ(achtergrondArr[lvl], 21 + lvl);
        EXPECT_EQ(tegelArr[lvl], 26 + lvl);
        EXPECT_EQ(rechthoekHartArr[lvl], 31 + lvl);
        EXPECT_EQ(rechthoekScoreArr[lvl], 36 + lvl);
        EXPECT_EQ(rechthoekTekstArr[lvl], 41 + lvl);
    }
    const std::array<std::pair<FiguurPaar, FiguurPaar>, 9> sprites{{
        {figuur[1], {8, 6}},
        {figuur[2], {9, 7}},
        {figuur[3], {11, 10}},
        {figuur[4], {13, 12}},
        {figuur[9], {0, 14}},
        {figuur[10], {0, 15}},
        {figuur[5], {17, 16}},
        {figuur[6], {19, 18}},
        {figuur[7], {21, 20}},
    }};
    for (const auto& [geladen, verwacht] : sprites) {
        EXPECT_EQ(geladen.masker, verwacht.masker);
        EXPECT_EQ(geladen.beeld, verwacht.beeld);
    }
    EXPECT_EQ(figuur[0].beeld, figuur[1].beeld) << "the player starts facing right";
    EXPECT_EQ(figuur[0].masker, figuur[1].masker);
}

} // namespace
