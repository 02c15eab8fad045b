#include "game/Assets.hpp"
#include "game/Layout.hpp"
#include "game/Meandor.hpp"
#include "wimdows/Wimdows.hpp"

namespace Meandor {
namespace {

Bitmap Laad(std::string_view file, Maat maat) {
    return Wimdows::LoadBitmap(file, maat.breedte, maat.hoogte);
}

Bitmap Sprite(std::string_view file) {
    return Laad(file, CelMaat);
}

// One per-level table filled in level order: the load order decides the handles.
void VulPerLevel(Tabel<Bitmap, 1, Levels>& tabel, const char* LevelBestanden::*naam, Maat maat) {
    for (std::uint32_t lvl = 1; lvl <= Levels; ++lvl) {
        tabel[lvl] = Laad(LevelBestand(lvl).*naam, maat);
    }
}

} // namespace

void Provincies() {
    VulPerLevel(provincieArr, &LevelBestanden::provincie, VensterMaat);
}

void BitmapsLaden() {
    figuur[FiguurZorpRechts].beeld = Sprite(ZorpRechtsBestand.beeld);
    figuur[FiguurZorpLinks].beeld = Sprite(ZorpLinksBestand.beeld);
    figuur[FiguurZorpRechts].masker = Sprite(ZorpRechtsBestand.masker);
    figuur[FiguurZorpLinks].masker = Sprite(ZorpLinksBestand.masker);
    figuur[FiguurStrik].beeld = Sprite(StrikBestand.beeld);
    figuur[FiguurStrik].masker = Sprite(StrikBestand.masker);
    figuur[FiguurFriet].beeld = Sprite(FrietBestand.beeld);
    figuur[FiguurFriet].masker = Sprite(FrietBestand.masker);
    figuur[FiguurDeurOpen].beeld = Sprite(DeurOpenBestand);
    figuur[FiguurDeurDicht].beeld = Sprite(DeurDichtBestand);
    figuur[FiguurHamburger].beeld = Sprite(HamburgerBestand.beeld);
    figuur[FiguurHamburger].masker = Sprite(HamburgerBestand.masker);
    figuur[FiguurVlag].beeld = Sprite(VlagBestand.beeld);
    figuur[FiguurVlag].masker = Sprite(VlagBestand.masker);
    figuur[FiguurHart].beeld = Laad(HartBestand.beeld, HartMaat);
    figuur[FiguurHart].masker = Laad(HartBestand.masker, HartMaat);
    figuur[FiguurZorp] = figuur[FiguurZorpRechts];
}

void BitmapsInArrays() {
    VulPerLevel(achtergrondArr, &LevelBestanden::achtergrond, AchtergrondMaat);
    VulPerLevel(tegelArr, &LevelBestanden::tegel, CelMaat);
    VulPerLevel(rechthoekHartArr, &LevelBestanden::rechthoek, HartenPaneelMaat);
    VulPerLevel(rechthoekScoreArr, &LevelBestanden::rechthoek, ScorePaneelMaat);
    VulPerLevel(rechthoekTekstArr, &LevelBestanden::rechthoek, HintPaneelMaat);
}

} // namespace Meandor
