#include "game/Assets.hpp"
#include "game/Layout.hpp"
#include "game/Meandor.hpp"
#include "music/Music.hpp"
#include "wimdows/Wimdows.hpp"

namespace Meandor {
namespace {

bool OpSpeler(std::uint32_t x, std::uint32_t y) {
    return zorpX == x && zorpY == y;
}

void SpeelEenKeer(const char* file) {
    const Sound geluid = Music::LoadSound(file);
    Music::PlaySound(geluid, false);
}

} // namespace

void TekenScore() {
    ZetLettertype();
    Wimdows::DrawBitmap(rechthoekScore, ScorePaneelPlek.x, ScorePaneelPlek.y);
    Wimdows::Text("Friet", ScoreTekstPlek.x, ScoreTekstPlek.y);
    Wimdows::TextCard(frietCount, ScoreGetalPlek.x, ScoreGetalPlek.y);
}

void PakFriet(std::uint32_t x, std::uint32_t y) {
    if (!frietArr[x][y] || !OpSpeler(x, y)) {
        return;
    }
    frietArr[x][y] = false;
    ++frietCount;
    SpeelEenKeer(FrietGeluidBestand);
    TekenScore();
}

void PakIets(std::uint32_t x, std::uint32_t y, Bonus bonus) {
    if (!OpSpeler(x, y)) {
        return;
    }
    if (!vlagArr[x][y] && !cheatArr[x][y]) {
        return;
    }
    if (bonus == Bonus::Hamburger) {
        cheatArr[x][y] = false;
    } else {
        vlagArr[x][y] = false;
    }
    ++levens;
    TekenLevens();
}

void Dood(std::uint32_t X, std::uint32_t Y) {
    if (!OpSpeler(PixelNaarCel(X), PixelNaarCel(Y))) {
        return;
    }
    if (levens == 0) {
        GameOver();
        return;
    }
    --levens;
    zorpX = HerstartCel.x;
    zorpY = HerstartCel.y;
    refresh[HerstartCel.x][HerstartCel.y] = true;
    SpeelEenKeer(LevenKwijtBestand);
    TekenLevens();
}

void TekenLevens() {
    Wimdows::DrawBitmap(rechthoekHart, HartenPaneelPlek.x, HartenPaneelPlek.y);
    const FiguurPaar& hart = figuur[FiguurHart];
    for (std::uint32_t n = 1; n <= levens; ++n) {
        Wimdows::DrawMaskBitmap(hart.beeld, hart.masker, HartPlek(n).x, HartPlek(n).y);
    }
}

void GameOver() {
    countLoop = 0;
    NeemItemsWeg();
    const Bitmap Gameoverscherm =
        Wimdows::LoadBitmap(GameOverBestand, VensterMaat.breedte, VensterMaat.hoogte);
    const Sound Gameovermuziek = Music::LoadSound(GameOverMuziekBestand);
    Music::StopSound(muziek[MuziekLevel]);
    Music::PlaySound(Gameovermuziek, false);
    WachtOpEnter(Gameoverscherm);
    einde = true;
    menuCheck = true;
}

} // namespace Meandor
