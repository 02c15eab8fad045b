#pragma once

#include "game/GameState.hpp"

#include <array>
#include <string_view>
#include <vector>

// Every file of the runtime tree by its path in that tree: the game reads them, the generators
// write them, and the preview and the asset test look at them, all by these names, so that a
// picture renamed in one place cannot go missing in another.
namespace Meandor {

// A picture drawn through its mask, white where it shows.
struct SpriteBestand {
    const char* beeld;
    const char* masker;
};

// A menu button as it stands, and lit for the mouse or the focus.
struct KnopBestand {
    const char* uit;
    const char* aan;
};

// What each level has of its own, in level order.
struct LevelBestanden {
    const char* provincie; // the title picture before the level
    const char* achtergrond;
    const char* tegel;
    const char* rechthoek; // the panel behind the hearts, the score and the hint
    const char* doolhof;
};

inline constexpr std::array<LevelBestanden, Levels> levelBestanden{{
    {"afbeeldingen/Limburg.bmp", "afbeeldingen/gras.bmp", "afbeeldingen/tegel1.bmp",
     "afbeeldingen/rechthoek1.bmp", "doolhof1.txt"},
    {"afbeeldingen/OostVlaanderen.bmp", "afbeeldingen/fire.bmp", "afbeeldingen/tegel2.bmp",
     "afbeeldingen/rechthoek2.bmp", "doolhof2.txt"},
    {"afbeeldingen/WestVlaanderen.bmp", "afbeeldingen/water.bmp", "afbeeldingen/tegel3.bmp",
     "afbeeldingen/rechthoek3.bmp", "doolhof3.txt"},
    {"afbeeldingen/Antwerpen.bmp", "afbeeldingen/maan.bmp", "afbeeldingen/tegel4.bmp",
     "afbeeldingen/rechthoek4.bmp", "doolhof4.txt"},
    {"afbeeldingen/VlaamsBrabant.bmp", "afbeeldingen/belgie.bmp", "afbeeldingen/tegel5.bmp",
     "afbeeldingen/rechthoek5.bmp", "doolhof5.txt"},
}};

// Level `lvl`, from 1.
constexpr const LevelBestanden& LevelBestand(std::uint32_t lvl) {
    return levelBestanden.at(lvl - 1);
}

inline constexpr SpriteBestand ZorpRechtsBestand{"afbeeldingen/zorpR.bmp",
                                                 "afbeeldingen/zorpmaskR.bmp"};
inline constexpr SpriteBestand ZorpLinksBestand{"afbeeldingen/zorpL.bmp",
                                                "afbeeldingen/zorpmaskL.bmp"};
inline constexpr SpriteBestand StrikBestand{"afbeeldingen/strik.bmp", "afbeeldingen/strikmask.bmp"};
inline constexpr SpriteBestand FrietBestand{"afbeeldingen/friet.bmp", "afbeeldingen/frietmask.bmp"};
inline constexpr SpriteBestand HamburgerBestand{"afbeeldingen/hamburger.bmp",
                                                "afbeeldingen/hamburgermask.bmp"};
inline constexpr SpriteBestand VlagBestand{"afbeeldingen/vlag.bmp", "afbeeldingen/vlagmask.bmp"};
inline constexpr SpriteBestand HartBestand{"afbeeldingen/hart.bmp", "afbeeldingen/hartmask.bmp"};
inline constexpr std::array<SpriteBestand, 7> spriteBestanden{
    ZorpRechtsBestand, ZorpLinksBestand, StrikBestand, FrietBestand,
    HamburgerBestand,  VlagBestand,      HartBestand};

inline constexpr const char* DeurOpenBestand = "afbeeldingen/DoorOpen.bmp";
inline constexpr const char* DeurDichtBestand = "afbeeldingen/DoorClosed.bmp";

inline constexpr const char* GameOverBestand = "afbeeldingen/Gameoverscherm.bmp";
inline constexpr const char* EindBestand = "afbeeldingen/eindscherm.bmp";
inline constexpr const char* InstructiesBestand = "afbeeldingen/Instructiescherm.bmp";
inline constexpr const char* CreditsBestand = "afbeeldingen/creditscherm.bmp";
inline constexpr const char* MenuAchtergrondBestand = "menu/begincartoon.bmp";

inline constexpr KnopBestand StartKnop{"menu/Start0.bmp", "menu/Start1.bmp"};
inline constexpr KnopBestand InstructionsKnop{"menu/Instructions0.bmp", "menu/Instructions1.bmp"};
inline constexpr KnopBestand CreditsKnop{"menu/Credits0.bmp", "menu/Credits1.bmp"};
inline constexpr KnopBestand QuitKnop{"menu/Quit0.bmp", "menu/Quit1.bmp"};
inline constexpr KnopBestand EasyKnop{"menu/easy0.bmp", "menu/easy1.bmp"};
inline constexpr KnopBestand MediumKnop{"menu/medium0.bmp", "menu/medium1.bmp"};
inline constexpr KnopBestand HardKnop{"menu/hard0.bmp", "menu/hard1.bmp"};
inline constexpr KnopBestand BackKnop{"menu/Back0.bmp", "menu/Back1.bmp"};
inline constexpr std::array<KnopBestand, 8> knopBestanden{
    StartKnop, InstructionsKnop, CreditsKnop, QuitKnop, EasyKnop, MediumKnop, HardKnop, BackKnop};

// The maze editor's panel buttons.
inline constexpr KnopBestand MuurKnop{"bewerker/Wall0.bmp", "bewerker/Wall1.bmp"};
inline constexpr KnopBestand VloerKnop{"bewerker/Floor0.bmp", "bewerker/Floor1.bmp"};
inline constexpr KnopBestand FrietKnop{"bewerker/Fries0.bmp", "bewerker/Fries1.bmp"};
inline constexpr KnopBestand BarriereKnop{"bewerker/Barrier0.bmp", "bewerker/Barrier1.bmp"};
inline constexpr KnopBestand VorigLevelKnop{"bewerker/Previous0.bmp", "bewerker/Previous1.bmp"};
inline constexpr KnopBestand VolgendLevelKnop{"bewerker/Next0.bmp", "bewerker/Next1.bmp"};
inline constexpr KnopBestand BewaarKnop{"bewerker/Save0.bmp", "bewerker/Save1.bmp"};
inline constexpr KnopBestand SpeelKnop{"bewerker/Play0.bmp", "bewerker/Play1.bmp"};
inline constexpr std::array<KnopBestand, 8> bewerkerKnopBestanden{
    MuurKnop,       VloerKnop,        FrietKnop,  BarriereKnop,
    VorigLevelKnop, VolgendLevelKnop, BewaarKnop, SpeelKnop};

inline constexpr const char* LevelMuziekBestand = "muziek/Levelmuziek.WAV";
inline constexpr const char* MenuMuziekBestand = "muziek/Menumuziek.MP3";
inline constexpr const char* VolksliedBestand = "muziek/vlaamseleeuw.MP3";
inline constexpr const char* FrietGeluidBestand = "muziek/Frietsound.MP3";
inline constexpr const char* LevenKwijtBestand = "muziek/Levenkwijt.MP3";
inline constexpr const char* LevelVoltooidBestand = "muziek/Levelvoltooid.MP3";
inline constexpr const char* GameOverMuziekBestand = "muziek/Gameover.MP3";

inline constexpr auto losseBeeldBestanden =
    std::to_array<const char*>({DeurOpenBestand, DeurDichtBestand, GameOverBestand, EindBestand,
                                InstructiesBestand, CreditsBestand, MenuAchtergrondBestand});
inline constexpr auto geluidBestanden = std::to_array<const char*>(
    {LevelMuziekBestand, MenuMuziekBestand, VolksliedBestand, FrietGeluidBestand, LevenKwijtBestand,
     LevelVoltooidBestand, GameOverMuziekBestand});

// Every picture and sound, each once: what a runtime tree holds beside the mazes.
inline std::vector<std::string_view> AlleBeeldEnGeluid() {
    std::vector<std::string_view> namen(losseBeeldBestanden.begin(), losseBeeldBestanden.end());
    namen.insert(namen.end(), geluidBestanden.begin(), geluidBestanden.end());
    for (const LevelBestanden& l : levelBestanden) {
        namen.insert(namen.end(), {l.provincie, l.achtergrond, l.tegel, l.rechthoek});
    }
    for (const SpriteBestand& s : spriteBestanden) {
        namen.insert(namen.end(), {s.beeld, s.masker});
    }
    for (const auto& knoppen : {knopBestanden, bewerkerKnopBestanden}) {
        for (const KnopBestand& k : knoppen) {
            namen.insert(namen.end(), {k.uit, k.aan});
        }
    }
    return namen;
}

} // namespace Meandor
