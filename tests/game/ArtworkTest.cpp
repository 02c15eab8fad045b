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

// Every picture of the game written in a colour of its own, so a handle shows which file it
// was loaded from.
TEST(Artwork, EachTableHoldsItsOwnFiles) {
    const TestKit::TempDir map;
    std::filesystem::current_path(map.Path());
    std::vector<std::pair<Bitmap*, std::string>> plaatjes{
        {&figuur[1].beeld, "zorpR"},    {&figuur[1].masker, "zorpmaskR"},
        {&figuur[2].beeld, "zorpL"},    {&figuur[2].masker, "zorpmaskL"},
        {&figuur[9].beeld, "DoorOpen"}, {&figuur[10].beeld, "DoorClosed"},
        {&figuur[0].beeld, "zorpR"},
    };
    const char* sprites[] = {"strik", "friet", "hamburger", "vlag", "hart"};
    const char* provincies[] = {"Limburg", "OostVlaanderen", "WestVlaanderen", "Antwerpen",
                                "VlaamsBrabant"};
    const char* achtergronden[] = {"gras", "fire", "water", "maan", "belgie"};
    for (std::uint32_t i = 0; i < Levels; ++i) {
        plaatjes.push_back({&figuur[3 + i].beeld, sprites[i]});
        plaatjes.push_back({&figuur[3 + i].masker, std::string(sprites[i]) + "mask"});
        plaatjes.push_back({&provincieArr[i + 1], provincies[i]});
        plaatjes.push_back({&achtergrondArr[i + 1], achtergronden[i]});
        const std::string n = std::to_string(i + 1);
        plaatjes.push_back({&tegelArr[i + 1], "tegel" + n});
        for (Bitmap* rechthoek :
             {&rechthoekHartArr[i + 1], &rechthoekScoreArr[i + 1], &rechthoekTekstArr[i + 1]}) {
            plaatjes.push_back({rechthoek, "rechthoek" + n});
        }
    }
    auto kleur = [](const std::string& bestand) {
        return static_cast<std::uint32_t>(std::hash<std::string>{}(bestand)&0xFFFFFF);
    };
    std::filesystem::create_directory("afbeeldingen");
    for (const auto& [handle, bestand] : plaatjes) {
        map.Bmp("afbeeldingen/" + bestand + ".bmp", 2, 2,
                [&kleur, &bestand = bestand](int, int) { return kleur(bestand); });
    }
    Wimdows::Window("Spel", 1000, 700);
    Provincies();
    BitmapsLaden();
    BitmapsInArrays();
    for (const auto& [handle, bestand] : plaatjes) {
        Wimdows::DrawBitmap(*handle, 0, 0);
        EXPECT_EQ(Wimdows::Testing::BackBufferPixel(1, 1), kleur(bestand)) << bestand;
    }
    Wimdows::KillWindow();
    std::filesystem::current_path(std::filesystem::temp_directory_path());
}

} // namespace
