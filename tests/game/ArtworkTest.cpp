#include "SpelTesting.hpp"
#include "game/Meandor.hpp"
#include "wimdows/Wimdows.hpp"
#include "wimdows/WimdowsTesting.hpp"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using namespace Meandor;

struct Plaatje {
    Bitmap* handle;
    std::string bestand;
};

// Every picture of the game written in a colour of its own, so a handle shows which file it
// was loaded from.
TEST(Artwork, EachTableHoldsItsOwnFiles) {
    const SpelTesting::TijdelijkeMap map;
    std::vector<Plaatje> plaatjes{
        {&figuur[1].beeld, "zorpR"},          {&figuur[1].masker, "zorpmaskR"},
        {&figuur[2].beeld, "zorpL"},          {&figuur[2].masker, "zorpmaskL"},
        {&figuur[3].beeld, "strik"},          {&figuur[3].masker, "strikmask"},
        {&figuur[4].beeld, "friet"},          {&figuur[4].masker, "frietmask"},
        {&figuur[5].beeld, "hamburger"},      {&figuur[5].masker, "hamburgermask"},
        {&figuur[6].beeld, "vlag"},           {&figuur[6].masker, "vlagmask"},
        {&figuur[7].beeld, "hart"},           {&figuur[7].masker, "hartmask"},
        {&figuur[9].beeld, "DoorOpen"},       {&figuur[10].beeld, "DoorClosed"},
        {&figuur[0].beeld, "zorpR"},          {&provincieArr[1], "Limburg"},
        {&provincieArr[2], "OostVlaanderen"}, {&provincieArr[3], "WestVlaanderen"},
        {&provincieArr[4], "Antwerpen"},      {&provincieArr[5], "VlaamsBrabant"},
        {&achtergrondArr[1], "gras"},         {&achtergrondArr[2], "fire"},
        {&achtergrondArr[3], "water"},        {&achtergrondArr[4], "maan"},
        {&achtergrondArr[5], "belgie"},
    };
    for (std::uint32_t lvl = 1; lvl <= Levels; ++lvl) {
        const std::string n = std::to_string(lvl);
        plaatjes.push_back({&tegelArr[lvl], "tegel" + n});
        plaatjes.push_back({&rechthoekHartArr[lvl], "rechthoek" + n});
        plaatjes.push_back({&rechthoekScoreArr[lvl], "rechthoek" + n});
        plaatjes.push_back({&rechthoekTekstArr[lvl], "rechthoek" + n});
    }
    std::filesystem::create_directory("afbeeldingen");
    const TestKit::TempDir& dir = map.Map();
    auto kleur = [&](const std::string& bestand) {
        const auto i = static_cast<std::uint8_t>(
            std::find_if(plaatjes.begin(), plaatjes.end(),
                         [&](const Plaatje& p) { return p.bestand == bestand; }) -
            plaatjes.begin());
        return Wimdows::RGB(i * 5, 255 - i * 5, 100);
    };
    for (const Plaatje& plaatje : plaatjes) {
        dir.Bmp("afbeeldingen/" + plaatje.bestand + ".bmp", 2, 2,
                [&](int, int) { return kleur(plaatje.bestand); });
    }
    SpelTesting::OpenSpelVenster();
    Provincies();
    BitmapsLaden();
    BitmapsInArrays();
    for (const Plaatje& plaatje : plaatjes) {
        Wimdows::DrawBitmap(*plaatje.handle, 0, 0);
        EXPECT_EQ(Wimdows::Testing::BackBufferPixel(1, 1), kleur(plaatje.bestand))
            << plaatje.bestand;
    }
    Wimdows::KillWindow();
}

} // namespace
