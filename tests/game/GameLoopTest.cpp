#include "MazeFiles.hpp"
#include "SpelTesting.hpp"
#include "game/Meandor.hpp"
#include "support/GeneralLib.hpp"
#include "wimdows/Wimdows.hpp"
#include "wimdows/WimdowsTesting.hpp"

#include <gtest/gtest.h>

namespace {

using namespace Meandor;
using Wimdows::RGB;
using Wimdows::Testing::WindowPixel;

constexpr std::uint32_t Speed = 100;

// A game on a clock the test moves by hand, in a directory with its own maze files.
class GameLoop : public SpelTesting::Spel {
  protected:
    void SetUp() override {
        GeneralLib::SetClock([this] {
            return GeneralLib::TimeOfDay{12, 0, tijd / 100, tijd % 100};
        });
        std::filesystem::current_path(map.Path());
        Spel::SetUp();
        SpelTesting::SchrijfDoolhofBestanden();
    }
    void TearDown() override {
        Spel::TearDown();
        GeneralLib::SetClock({});
        std::filesystem::current_path(std::filesystem::temp_directory_path());
    }
    void Begin() {
        SpelTesting::GeneratorOpBegin();
        BeginWaarden(Speed);
        levendeStrikjes = 0; // no enemies unless a case wants them
    }
    // A plain coloured picture, written as a BMP file, stands in for the artwork.
    Bitmap Plaatje(const char* naam, std::uint32_t kleur, std::int32_t b = 30,
                   std::int32_t h = 30) {
        return Wimdows::LoadBitmap(plaatjes.Bmp(naam, b, h, [=](int, int) { return kleur; }), b, h);
    }
    // One pass, after which the clock moves on by `verder` hundredths.
    void Ronde(std::uint32_t verder = 0) {
        SpelRonde(Speed);
        tijd += verder;
    }
    std::uint32_t tijd = 0;
    TestKit::TempDir map, plaatjes;
};

// The rest of the start of a game is pinned by the replay goldens, which see nothing drawn.
TEST_F(GameLoop, ANewGameClearsTheGameBeforeAndRedrawsAll) {
    cheatArr[4][4] = vlagArr[6][6] = true;
    XCheat = YCheat = 4, XVlag = YVlag = 6;
    checkFriet = checkAchtergrondTekenen = false;
    Begin();
    EXPECT_FALSE(cheatArr[4][4] || vlagArr[6][6]);
    EXPECT_TRUE(checkFriet && checkAchtergrondTekenen);
    EXPECT_TRUE(refresh[1][1] && refresh[30][20] && !refresh[1][21]) << "rows 1 to 20";
    XCheat = YCheat = XVlag = YVlag = 0; // as at program start: outside the grid
    Begin();
    EXPECT_EQ((Cel{XCheat, YCheat}), (Cel{1, 1}));
}

// A game from level 4 reads maze 4 and starts where level 4 starts after level 3 (the replay
// goldens pin level 1's start).
TEST_F(GameLoop, AGameFromALaterLevelStartsAsThatLevelDoes) {
    doolhof[4] = {};
    strikXArr[2] = strikYArr[9] = 0;
    SpelTesting::GeneratorOpBegin();
    BeginWaarden(Speed, 4);
    EXPECT_EQ(level, 4U);
    EXPECT_EQ(doolhof[4], MazeTest::Laad("doolhof4.txt"));
    EXPECT_EQ((Cel{zorpX, zorpY}), HerstartCel);
    EXPECT_EQ(levendeStrikjes, 9U);
    EXPECT_EQ((Cel{PixelNaarCel(strikXArr[2]), PixelNaarCel(strikYArr[2])}),
              strikStartTabel[2].cel());
    EXPECT_EQ((Cel{PixelNaarCel(strikXArr[9]), PixelNaarCel(strikYArr[9])}),
              strikStartTabel[9].cel());
    EXPECT_EQ(levens, StartLevens);
}

// The goldens pin where the flag comes but never hold it to its thirtieth tick, nor a life lost
// after it.
TEST_F(GameLoop, FlagShowsAtTheTenthTickGoesAtTheThirtiethAndALostLifeDoesNotBringItBack) {
    Begin();
    countLoop = 8;
    Ronde(Speed);
    Ronde(Speed);
    EXPECT_EQ((Cel{XVlag, YVlag}), (Cel{1, 1})) << "not yet at tick 9";
    Ronde(Speed);
    const Cel vlag{XVlag, YVlag};
    ASSERT_TRUE(vlagArr[vlag.x][vlag.y]);
    countLoop = 28;
    Ronde(Speed);
    EXPECT_TRUE(vlagArr[vlag.x][vlag.y]) << "still there at tick 29";
    Ronde(Speed);
    EXPECT_TRUE(!vlagArr[vlag.x][vlag.y] && refresh[vlag.x][vlag.y]);
    levendeStrikjes = 1;
    strikXArr[1] = CelNaarPixel(zorpX), strikYArr[1] = CelNaarPixel(zorpY);
    PakkenEnBotsen();
    ASSERT_EQ(levens, 2U);
    levendeStrikjes = 0;
    for (int tick = 0; tick < 12; ++tick) {
        Ronde(Speed);
    }
    EXPECT_EQ(vlagArr, decltype(vlagArr){}) << "no flag after the lost life";
}

// Every blank cell but (7, 4) holds fries or the hamburger: the flag goes to (7, 4), and is
// drawn there by the next pass, not when something else happens to redraw that cell.
TEST_F(GameLoop, FlagAvoidsFriesAndTheHamburgerAndIsDrawn) {
    Begin();
    for (std::uint32_t x = 1; x <= Kolommen; ++x) {
        for (std::uint32_t y = 1; y <= 20; ++y) {
            doolhof[1][x][y] = ' ';
            frietArr[x][y] = (x + y) % 2 == 0;
            cheatArr[x][y] = (x + y) % 2 == 1;
        }
    }
    frietArr[7][4] = cheatArr[7][4] = false;
    refresh = {};
    PlaatsVlag();
    EXPECT_EQ((Cel{XVlag, YVlag}), (Cel{7, 4}));
    EXPECT_TRUE(refresh[7][4]);
}

TEST_F(GameLoop, TimerRunningOutAmongTheEnemiesStepsOnlyTheLaterOnes) {
    Begin();
    levendeStrikjes = 6;
    Ronde();
    for (std::uint32_t i = 1; i <= 6; ++i) {
        strikXArr[i] = 150 + 90 * i, strikYArr[i] = 300; // apart, in row 10 of the open maze
    }
    // Each poll of the timer reads the clock once: the fourth poll of this pass finds it run out.
    int leesbeurten = 0;
    GeneralLib::SetClock([&] {
        return GeneralLib::TimeOfDay{12, 0, ++leesbeurten >= 4 ? 1U : 0U, 0};
    });
    Ronde();
    for (std::uint32_t i = 1; i <= 6; ++i) {
        EXPECT_EQ(strikXArr[i] + strikYArr[i] == 150 + 90 * i + 300, i <= 3) << "enemy " << i;
    }
    EXPECT_EQ(countLoop, 1U);
}

// In a level's first pass the background covers the door; later passes show it, open at
// exactly ten fries.
TEST_F(GameLoop, DoorShowsOpenExactlyAtTenFriesAfterTheFirstPass) {
    Begin();
    achtergrondArr[1] = Plaatje("achtergrond.bmp", RGB(0, 0, 250), 1000, 700);
    figuur[9].beeld = Plaatje("open.bmp", RGB(0, 250, 0), 100, 100);
    figuur[10].beeld = Plaatje("dicht.bmp", RGB(250, 0, 0), 100, 100);
    for (const std::uint32_t friet : {10U, 9U, 10U, 11U}) {
        const bool eerste = checkAchtergrondTekenen;
        frietCount = friet;
        Ronde();
        const std::uint32_t deur = friet == 10 ? RGB(0, 250, 0) : RGB(250, 0, 0);
        EXPECT_EQ(WindowPixel(950, 650), eerste ? RGB(0, 0, 250) : deur) << friet;
    }
}

TEST_F(GameLoop, RedrawPassDrawsTileItemsAndPlayerAndSixHearts) {
    Begin();
    Ronde();
    tegelArr[1] = Plaatje("tegel.bmp", RGB(0, 200, 0));
    // The mask shows the left half of a sprite; the right half shows what lies beneath.
    const Bitmap halfMasker = Wimdows::LoadBitmap(
        plaatjes.Bmp("half.bmp", 30, 30,
                     [](int i, int) { return i < 15 ? RGB(255, 255, 255) : 0U; }),
        30, 30);
    figuur[5] = {halfMasker, Plaatje("burger.bmp", RGB(200, 100, 0))};
    figuur[0] = {halfMasker, Plaatje("zorp.bmp", RGB(0, 0, 250))};
    figuur[7] = {Plaatje("hartmasker.bmp", RGB(255, 255, 255)),
                 Plaatje("hart.bmp", RGB(250, 0, 0))};
    Wimdows::Rectangle(0, 0, 999, 699, RGB(9, 9, 9), true);
    cheatArr[5][5] = true;
    refresh[5][5] = refresh[6][5] = refresh[2][2] = true;
    Ronde();
    levens = 6;
    TekenLevens();
    EXPECT_EQ(WindowPixel(155, 165), RGB(200, 100, 0)) << "hamburger";
    EXPECT_EQ(WindowPixel(175, 165), RGB(9, 9, 9)) << "no floor tile under it";
    EXPECT_EQ(WindowPixel(195, 165), RGB(0, 200, 0)) << "floor tile";
    EXPECT_EQ(WindowPixel(65, 75), RGB(0, 0, 250)) << "the player";
    EXPECT_EQ(WindowPixel(415, 665), RGB(250, 0, 0)) << "the sixth heart at (400, 650)";
    EXPECT_FALSE(refresh[5][5]);
}

} // namespace
