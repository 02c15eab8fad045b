#include "game/Assets.hpp"
#include "game/Layout.hpp"
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
    levens = StartLevens;
    NeemItemsWeg();
    countCheat = 0;
    muziek[MuziekVoltooid] = Music::LoadSound(LevelVoltooidBestand);
    Music::PlaySound(muziek[MuziekVoltooid], false);
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
    FiguurPaar& eind = figuur[FiguurEinde];
    eind.beeld = Wimdows::LoadBitmap(EindBestand, VensterMaat.breedte, VensterMaat.hoogte);
    if (Music::InitMusic()) {
        muziek[MuziekVolkslied] = Music::LoadSound(VolksliedBestand);
        Music::StopSound(muziek[MuziekLevel]);
        Music::PlaySound(muziek[MuziekVolkslied], true);
        Music::SetSoundVolume(muziek[MuziekVolkslied], MenuMuziekVolume);
    }
    WachtOpEnter(eind.beeld);
    einde = true;
    menuCheck = true;
}

} // namespace Meandor
