#include "game/Meandor.hpp"
#include "wimdows/Wimdows.hpp"

#include <array>
#include <string>

namespace Meandor {
namespace {

constexpr std::array<const char*, Levels> provincieBestanden{
    "afbeeldingen/Limburg.bmp", "afbeeldingen/OostVlaanderen.bmp",
    "afbeeldingen/WestVlaanderen.bmp", "afbeeldingen/Antwerpen.bmp",
    "afbeeldingen/VlaamsBrabant.bmp"};
constexpr std::array<const char*, Levels> achtergrondBestanden{
    "afbeeldingen/gras.bmp", "afbeeldingen/fire.bmp", "afbeeldingen/water.bmp",
    "afbeeldingen/maan.bmp", "afbeeldingen/belgie.bmp"};

std::string PerLevel(const char* stam, std::uint32_t lvl) {
    return "afbeeldingen/" + std::string(stam) + std::to_string(lvl) + ".bmp";
}

Bitmap Laad(const std::string& file, std::uint32_t width, std::uint32_t height) {
    return Wimdows::LoadBitmap(file.c_str(), width, height);
}

Bitmap Sprite(const char* file) {
    return Laad(file, CelGrootte, CelGrootte);
}

// One per-level table filled in level order: the load order decides the handles.
template <typename Naam>
void VulPerLevel(Tabel<Bitmap, 1, Levels>& tabel, Naam naam, std::uint32_t w, std::uint32_t h) {
    for (std::uint32_t lvl = 1; lvl <= Levels; ++lvl) {
        tabel[lvl] = Laad(naam(lvl), w, h);
    }
}

} // namespace

void Provincies() {
    VulPerLevel(
        provincieArr, [](std::uint32_t l) { return std::string(provincieBestanden[l - 1]); }, 1000,
        700);
}

void BitmapsLaden() {
    figuur[1].beeld = Sprite("afbeeldingen/zorpR.bmp");
    figuur[2].beeld = Sprite("afbeeldingen/zorpL.bmp");
    figuur[1].masker = Sprite("afbeeldingen/zorpmaskR.bmp");
    figuur[2].masker = Sprite("afbeeldingen/zorpmaskL.bmp");
    figuur[3].beeld = Sprite("afbeeldingen/strik.bmp");
    figuur[3].masker = Sprite("afbeeldingen/strikmask.bmp");
    figuur[4].beeld = Sprite("afbeeldingen/friet.bmp");
    figuur[4].masker = Sprite("afbeeldingen/frietmask.bmp");
    figuur[9].beeld = Sprite("afbeeldingen/DoorOpen.bmp");
    figuur[10].beeld = Sprite("afbeeldingen/DoorClosed.bmp");
    figuur[5].beeld = Sprite("afbeeldingen/hamburger.bmp");
    figuur[5].masker = Sprite("afbeeldingen/hamburgermask.bmp");
    figuur[6].beeld = Sprite("afbeeldingen/vlag.bmp");
    figuur[6].masker = Sprite("afbeeldingen/vlagmask.bmp");
    figuur[7].beeld = Laad("afbeeldingen/hart.bmp", 60, 60);
    figuur[7].masker = Laad("afbeeldingen/hartmask.bmp", 60, 60);
    figuur[0] = figuur[1];
}

void BitmapsInArrays() {
    VulPerLevel(
        achtergrondArr, [](std::uint32_t l) { return std::string(achtergrondBestanden[l - 1]); },
        1000, 800);
    VulPerLevel(
        tegelArr, [](std::uint32_t l) { return PerLevel("tegel", l); }, 30, 30);
    VulPerLevel(
        rechthoekHartArr, [](std::uint32_t l) { return PerLevel("rechthoek", l); }, 380, 110);
    VulPerLevel(
        rechthoekScoreArr, [](std::uint32_t l) { return PerLevel("rechthoek", l); }, 150, 90);
    VulPerLevel(
        rechthoekTekstArr, [](std::uint32_t l) { return PerLevel("rechthoek", l); }, 198, 30);
}

} // namespace Meandor
