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
    Wimdows::SetFont(4, 0);
    Wimdows::DrawBitmap(rechthoekScore, 800, 660);
    Wimdows::Text("Friet", 810, 680);
    Wimdows::TextCard(frietCount, 900, 680);
}

void PakFriet(std::uint32_t x, std::uint32_t y) {
    if (!frietArr[x][y] || !OpSpeler(x, y)) {
        return;
    }
    frietArr[x][y] = false;
    ++frietCount;
    SpeelEenKeer("muziek/Frietsound.MP3");
    TekenScore();
}

void PakIets(std::uint32_t x, std::uint32_t y, std::uint32_t bonus) {
    if (!OpSpeler(x, y)) {
        return;
    }
    if (!vlagArr[x][y] && !cheatArr[x][y]) {
        return;
    }
    if (bonus == 1) {
        cheatArr[x][y] = false;
    } else if (bonus == 2) {
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
    SpeelEenKeer("muziek/Levenkwijt.MP3");
    TekenLevens();
}

void TekenLevens() {
    Wimdows::DrawBitmap(rechthoekHart, 40, 640);
    for (std::uint32_t n = 1; n <= levens; ++n) {
        Wimdows::DrawMaskBitmap(figuur[7].beeld, figuur[7].masker,
                                static_cast<std::int32_t>(50 + 70 * (n - 1)), 650);
    }
}

void GameOver() {
    countLoop = 0;
    NeemItemsWeg();
    const Bitmap Gameoverscherm = Wimdows::LoadBitmap("afbeeldingen/Gameoverscherm.bmp", 1000, 700);
    const Sound Gameovermuziek = Music::LoadSound("muziek/Gameover.MP3");
    Music::StopSound(muziek[0]);
    Music::PlaySound(Gameovermuziek, false);
    WachtOpEnter(Gameoverscherm);
    einde = true;
    menuCheck = true;
}

} // namespace Meandor
