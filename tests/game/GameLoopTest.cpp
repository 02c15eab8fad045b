#include "SpelTesting.hpp"
#include "game/Meandor.hpp"
#include "support/GeneralLib.hpp"
#include "support/StandardLib.hpp"
#include "wimdows/Wimdows.hpp"
#include "wimdows/WimdowsTesting.hpp"

#include <SDL.h>
#include <gtest/gtest.h>

namespace {

using namespace Meandor;

constexpr std::uint32_t Speed = 100;

// A game on a clock the test moves by hand, in a directory with its own maze files.
class GameLoop : public ::testing::Test {
  protected:
    void SetUp() override {
        GeneralLib::SetClock([this] { return Tijd(); });
        rijen = SpelTesting::OpenDoolhof();
        for (std::uint32_t lvl = 1; lvl <= Levels; ++lvl) {
            SpelTesting::SchrijfDoolhofBestand(lvl, rijen);
        }
        SpelTesting::OpenSpelVenster();
    }
    void TearDown() override {
        Wimdows::KillWindow();
        GeneralLib::SetClock({});
    }
    GeneralLib::TimeOfDay Tijd() const { return {12, 0, honderdsten / 100, honderdsten % 100}; }
    void Begin() {
        SpelTesting::GeneratorOpBegin();
        BeginWaarden(Speed);
        for (std::uint32_t i = 1; i <= MaxStrikjes; ++i) {
            strikXArr[i] = 900; // parked in column 30, clear of the player
            strikYArr[i] = 90;
        }
        levendeStrikjes = 0; // no enemies unless a case wants them
    }
    // A plain coloured picture, written as a BMP file, stands in for the artwork.
    Bitmap Plaatje(const char* naam, Uint8 r, Uint8 g, Uint8 b) {
        return Wimdows::LoadBitmap(
            plaatjes.Bmp(naam, 30, 30, [=](int, int) { return Wimdows::RGB(r, g, b); }), 30, 30);
    }
    // One pass, after which the clock moves on by `tijd` hundredths.
    void Ronde(std::uint32_t tijd = 0) {
        SpelRonde(Speed);
        honderdsten += tijd;
    }
    std::uint32_t honderdsten = 0;
    SpelTesting::TijdelijkeMap map;
    TestKit::TempDir plaatjes;
    SpelTesting::Rijen rijen;
};

// The rest of the start of a game is pinned by the replay goldens, which play one game each
// and see nothing drawn.
TEST_F(GameLoop, ANewGameClearsTheGameBeforeAndRedrawsAll) {
    cheatArr[4][4] = vlagArr[6][6] = true;
    XCheat = YCheat = 4;
    XVlag = YVlag = 6;
    checkFriet = checkAchtergrondTekenen = false;
    refresh = {};
    Begin();
    EXPECT_FALSE(cheatArr[4][4]);
    EXPECT_FALSE(vlagArr[6][6]);
    EXPECT_TRUE(checkFriet && checkAchtergrondTekenen);
    EXPECT_TRUE(refresh[1][1] && refresh[30][20]) << "rows 1 to 20";
    EXPECT_FALSE(refresh[1][21]);
    XCheat = YCheat = XVlag = YVlag = 0; // as at program start: outside the grid
    Begin();
    EXPECT_EQ((Cel{XCheat, YCheat}), (Cel{1, 1}));
}

// Only the removal is checked here; the goldens pin where the flag comes but never hold it
// to its thirtieth tick.
TEST_F(GameLoop, FlagShowsAtTheTenthTickAndGoesAtTheThirtieth) {
    Begin();
    countLoop = 8;
    honderdsten += Speed;
    Ronde();
    EXPECT_EQ((Cel{XVlag, YVlag}), (Cel{1, 1})) << "not yet at tick 9";
    honderdsten += Speed;
    Ronde();
    ASSERT_TRUE(vlagArr[XVlag][YVlag]);
    const Cel vlag{XVlag, YVlag};
    countLoop = 28;
    honderdsten += Speed;
    Ronde();
    EXPECT_TRUE(vlagArr[vlag.x][vlag.y]) << "still there at tick 29";
    honderdsten += Speed;
    Ronde();
    EXPECT_FALSE(vlagArr[vlag.x][vlag.y]);
    EXPECT_TRUE(refresh[vlag.x][vlag.y]);
}

TEST_F(GameLoop, ALostLifeDoesNotBringTheFlagBack) {
    Begin();
    levendeStrikjes = 1;
    Ronde();
    countLoop = 12;
    strikXArr[1] = CelNaarPixel(zorpX);
    strikYArr[1] = CelNaarPixel(zorpY);
    Ronde(Speed);
    ASSERT_EQ(levens, 2U);
    strikXArr[1] = 900;
    for (int tick = 0; tick < 12; ++tick) {
        Ronde(Speed);
    }
    EXPECT_FALSE(vlagArr[XVlag][YVlag]);
    EXPECT_EQ((Cel{XVlag, YVlag}), (Cel{1, 1})) << "never placed";
}

struct Bezet {
    const char* naam;
    bool friet;
};

class FlagPlace : public GameLoop, public ::testing::WithParamInterface<Bezet> {};

// Every blank cell but (7, 4) holds fries, or the hamburger: the flag goes to (7, 4).
TEST_P(FlagPlace, AvoidsCellsTaken) {
    Begin();
    for (std::uint32_t x = 1; x <= Kolommen; ++x) {
        for (std::uint32_t y = 1; y <= 20; ++y) {
            doolhof[1][x][y] = ' ';
            frietArr[x][y] = GetParam().friet;
            cheatArr[x][y] = !GetParam().friet;
        }
    }
    frietArr[7][4] = cheatArr[7][4] = false;
    PlaatsVlag();
    EXPECT_EQ((Cel{XVlag, YVlag}), (Cel{7, 4}));
}

INSTANTIATE_TEST_SUITE_P(Cases, FlagPlace,
                         ::testing::Values(Bezet{"Fries", true}, Bezet{"Hamburger", false}),
                         [](const auto& geval) { return std::string(geval.param.naam); });

TEST_F(GameLoop, TimerRunningOutAmongTheEnemiesStepsOnlyTheLaterOnes) {
    Begin();
    levendeStrikjes = 6;
    Ronde();
    for (std::uint32_t i = 1; i <= 6; ++i) {
        strikXArr[i] = 150 + 90 * i; // apart, in row 10 of the open maze
        strikYArr[i] = 300;
    }
    // Each poll of the timer reads the clock once: the fourth poll of this pass finds it run out.
    int leesbeurten = 0;
    GeneralLib::SetClock([&] {
        ++leesbeurten;
        return GeneralLib::TimeOfDay{12, 0, leesbeurten >= 4 ? 1U : 0U, 0};
    });
    Ronde();
    for (std::uint32_t i = 1; i <= 3; ++i) {
        EXPECT_EQ(strikXArr[i] + strikYArr[i], 150 + 90 * i + 300) << "enemy " << i;
    }
    for (std::uint32_t i = 4; i <= 6; ++i) {
        EXPECT_NE(strikXArr[i] + strikYArr[i], 150 + 90 * i + 300) << "enemy " << i;
    }
    EXPECT_EQ(countLoop, 1U);
}

TEST_F(GameLoop, DoorShowsOpenExactlyAtTenFriesOnEveryPass) {
    Begin();
    Ronde();
    figuur[9].beeld = Plaatje("open.bmp", 0, 250, 0);
    figuur[10].beeld = Plaatje("dicht.bmp", 250, 0, 0);
    using Wimdows::Testing::WindowPixel;
    for (const std::uint32_t friet : {9U, 10U, 11U}) {
        frietCount = friet;
        Ronde();
        EXPECT_EQ(WindowPixel(915, 615),
                  friet == 10 ? Wimdows::RGB(0, 250, 0) : Wimdows::RGB(250, 0, 0))
            << friet << " fries";
    }
}

TEST_F(GameLoop, RedrawPassDrawsTileItemsAndPlayerButNotWalls) {
    Begin();
    Ronde();
    tegelArr[1] = Plaatje("tegel.bmp", 0, 200, 0);
    // The mask shows the left half of a sprite; the right half shows what lies beneath.
    const Bitmap halfMasker = Wimdows::LoadBitmap(
        plaatjes.Bmp("half.bmp", 30, 30,
                     [](int i, int) { return i < 15 ? Wimdows::RGB(255, 255, 255) : 0U; }),
        30, 30);
    figuur[5] = {halfMasker, Plaatje("burger.bmp", 200, 100, 0)};
    figuur[0] = {halfMasker, Plaatje("zorp.bmp", 0, 0, 250)};
    Wimdows::Rectangle(0, 0, 999, 699, Wimdows::RGB(9, 9, 9), true);
    cheatArr[5][5] = true;
    refresh[5][5] = refresh[6][5] = refresh[1][1] = refresh[2][2] = true;
    Ronde();
    using Wimdows::Testing::WindowPixel;
    EXPECT_EQ(WindowPixel(155, 165), Wimdows::RGB(200, 100, 0)) << "hamburger";
    EXPECT_EQ(WindowPixel(175, 165), Wimdows::RGB(9, 9, 9)) << "no floor tile under it";
    EXPECT_EQ(WindowPixel(195, 165), Wimdows::RGB(0, 200, 0)) << "floor tile";
    EXPECT_EQ(WindowPixel(45, 45), Wimdows::RGB(9, 9, 9)) << "a wall draws nothing";
    EXPECT_EQ(WindowPixel(65, 75), Wimdows::RGB(0, 0, 250)) << "the player";
    EXPECT_EQ(WindowPixel(85, 75), Wimdows::RGB(0, 200, 0)) << "on the floor tile";
    EXPECT_FALSE(refresh[5][5]);
}

TEST_F(GameLoop, SixHeartsInARow) {
    Begin();
    figuur[7] = {Plaatje("hartmasker.bmp", 255, 255, 255), Plaatje("hart.bmp", 250, 0, 0)};
    levens = 6;
    TekenLevens();
    using Wimdows::Testing::WindowPixel;
    EXPECT_EQ(WindowPixel(415, 665), Wimdows::RGB(250, 0, 0)) << "the sixth at (400, 650)";
}

} // namespace
