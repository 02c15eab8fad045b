#include "SpelTesting.hpp"
#include "game/Meandor.hpp"
#include "support/StandardLib.hpp"
#include "wimdows/Wimdows.hpp"
#include "wimdows/WimdowsTesting.hpp"

#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace {

using namespace Meandor;
using SpelTesting::Druk;

constexpr std::uint32_t Links = 37, Omhoog = 38, Rechts = 39, Omlaag = 40;

class Keys : public SpelTesting::Spel {
  protected:
    static void Toets(std::uint32_t code) {
        Druk(code);
        CheckKey();
    }
    static Cel Zorp() { return {zorpX, zorpY}; }
};

// The player starts facing right; only a move left or right turns the sprite.
TEST_F(Keys, OneCellUnlessClosed) {
    // Where from, a cell and what it holds, the key, where to, and whether facing left.
    const std::tuple<Cel, Cel, char, std::uint32_t, Cel, bool> zetten[] = {
        {{2, 2}, {9, 9}, ' ', Rechts, {3, 2}, false},
        {{3, 2}, {9, 9}, ' ', Links, {2, 2}, true},
        {{2, 2}, {9, 9}, ' ', Omlaag, {2, 3}, false},
        {{2, 3}, {9, 9}, ' ', Omhoog, {2, 2}, false},
        {{3, 2}, {2, 2}, '|', Links, {3, 2}, false},
        {{1, 20}, {1, 19}, ' ', Omhoog, {1, 20}, false},
        {{2, 20}, {9, 9}, ' ', Omlaag, {2, 20}, false},
        {{2, 2}, {3, 2}, 'o', Rechts, {3, 2}, false},
        {{30, 5}, {30, 5}, ' ', Rechts, {30, 5}, false},
    };
    for (const auto& [van, muur, teken, toets, naar, naarLinks] : zetten) {
        SpelTesting::BeginLevel();
        figuur[1] = {11, 12}, figuur[2] = {21, 22}, figuur[0] = figuur[1];
        zorpX = van.x, zorpY = van.y;
        doolhof[1][muur.x][muur.y] = teken;
        Toets(toets);
        SCOPED_TRACE(::testing::Message() << van.x << "," << van.y << " key " << toets);
        EXPECT_EQ(Zorp(), naar);
        const FiguurPaar& kant = figuur[naarLinks ? 2 : 1];
        EXPECT_TRUE(figuur[0].beeld == kant.beeld && figuur[0].masker == kant.masker);
        EXPECT_TRUE(refresh[van.x][van.y] && refresh[naar.x][naar.y]);
    }
}

TEST_F(Keys, OneKeyPerCallAndNoneMarksNothing) {
    CheckKey();
    EXPECT_FALSE(refresh[2][2]);
    Druk(Rechts);
    Druk(Rechts);
    CheckKey();
    EXPECT_EQ(Zorp(), (Cel{3, 2}));
    CheckKey();
    EXPECT_EQ(Zorp(), (Cel{4, 2}));
}

TEST_F(Keys, HamburgerOncePerLevelOnABlankCellWithoutFries) {
    for (std::uint32_t x = 2; x <= 29; ++x) {
        for (std::uint32_t y = 2; y <= 20; ++y) {
            doolhof[1][x][y] = (x + y) % 2 ? 'f' : 'x';
        }
    }
    doolhof[1][7][4] = doolhof[1][8][4] = ' ';
    frietArr[8][4] = true;
    Toets('H');
    EXPECT_EQ((Cel{XCheat, YCheat}), (Cel{7, 4})) << "the only blank cell free of fries";
    EXPECT_TRUE(cheatArr[7][4] && refresh[7][4]);
    const std::uint32_t seed = StandardLib::Seed();
    Toets('H');
    EXPECT_EQ(StandardLib::Seed(), seed) << "a second H does nothing";
}

// The pause drops every key but S, and S puts the hint back.
TEST_F(Keys, PauseIgnoresEverythingButS) {
    const TestKit::TempDir plaatjes;
    rechthoekTekst = Wimdows::LoadBitmap(
        plaatjes.Bmp("strook.bmp", 2, 2, [](int, int) { return Wimdows::RGB(0, 0, 90); }), 198, 30);
    Wimdows::DrawBitmap(rechthoekTekst, 2, 20);
    Wimdows::SetFont(4, 0);
    Wimdows::Text("Press 'p' to pause", 5, 30);
    // What the hint strip shows: the strip's picture with a line of text on it.
    const auto hintstrook = [] {
        std::vector<std::optional<std::uint32_t>> pixels;
        for (std::int32_t i = 0; i < 198 * 30; ++i) {
            pixels.push_back(Wimdows::Testing::WindowPixel(2 + i % 198, 20 + i / 198));
        }
        return pixels;
    };
    const auto hint = hintstrook();
    for (const std::uint32_t code : {std::uint32_t{'P'}, 27U, Rechts, std::uint32_t{'S'}, Omlaag}) {
        Druk(code);
    }
    CheckKey();
    EXPECT_FALSE(einde) << "Escape was dropped during the pause";
    EXPECT_EQ(Zorp(), StartCel);
    EXPECT_EQ(hintstrook(), hint);
    CheckKey();
    EXPECT_EQ(Zorp(), (Cel{2, 3})) << "keys after S are handled again";
}

} // namespace
