#include "game/Meandor.hpp"
#include "music/Music.hpp"
#include "wimdows/Wimdows.hpp"

namespace Meandor {
namespace {

void VolgendLevel() {
    ++level;
    ++levendeStrikjes;
    zorpX = HerstartCel.x;
    zorpY = HerstartCel.y;
    frietCount = 0;
    checkAchtergrondTekenen = true;
    checkFriet = true;
    countLoop = 0;
    levens = 3;
    NeemItemsWeg();
    countCheat = 0;
    muziek[3] = Music::LoadSound("muziek/Levelvoltooid.MP3");
    Music::PlaySound(muziek[3], false);
    MarkeerRijen1Tot20();
    WachtOpEnter(provincieArr[level]);
}

} // namespace

void VeranderDoolhof() {
    if (zorpX == UitgangCel.x && zorpY == UitgangCel.y) {
        if (frietCount == FrietPerLevel && level < Levels) {
            VolgendLevel();
        } else if (frietCount == FrietPerLevel) {
            Eindscherm();
        } else {
            zorpX = VoorDeDeurCel.x;
        }
    }
    if (zorpX == IngangCel.x && zorpY == IngangCel.y) {
        zorpX = HerstartCel.x;
        MarkeerRijen1Tot20();
    }
}

void Eindscherm() {
    figuur[8].beeld = Wimdows::LoadBitmap("afbeeldingen/eindscherm.bmp", 1000, 700);
    if (Music::InitMusic()) {
        muziek[1] = Music::LoadSound("muziek/vlaamseleeuw.MP3");
        Music::StopSound(muziek[0]);
        Music::PlaySound(muziek[1], true);
        Music::SetSoundVolume(muziek[1], 200);
    }
    WachtOpEnter(figuur[8].beeld);
    einde = true;
    menuCheck = true;
}

} // namespace Meandor
