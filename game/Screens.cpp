#include "game/Assets.hpp"
#include "game/Layout.hpp"
#include "game/Meandor.hpp"
#include "music/Music.hpp"
#include "standardmenu/StandardMenu.hpp"
#include "support/GeneralLib.hpp"
#include "support/Program.hpp"
#include "support/StandardLib.hpp"
#include "wimdows/Wimdows.hpp"

#include <array>
#include <optional>

namespace Meandor {
namespace {

using StandardMenu::ButtonRc;
using StandardMenu::CreateButton;

using StartMenu = std::array<ButtonRc, 4>;
using BackMenu = std::array<ButtonRc, 2>;

ButtonRc Knop(const KnopBestand& knop) {
    return CreateButton(KnopMaat.breedte, KnopMaat.hoogte, knop.uit, knop.aan);
}

void Kolom(const MenuKolom& kolom, std::span<ButtonRc> menu) {
    StandardMenu::SetVerticalMenu(kolom.x, kolom.y, kolom.stap, menu);
}

Bitmap LaadScherm(const char* picture) {
    return Wimdows::LoadBitmap(picture, VensterMaat.breedte, VensterMaat.hoogte);
}

void LoadStartMenu(StartMenu& startMenu) {
    startMenu = {Knop(StartKnop), Knop(InstructionsKnop), Knop(CreditsKnop), Knop(QuitKnop)};
    Kolom(StartMenuKolom, startMenu);
}

void LoadSubStartMenu(StartMenu& startMenu) {
    startMenu = {Knop(EasyKnop), Knop(MediumKnop), Knop(HardKnop), Knop(BackKnop)};
    Kolom(StartMenuKolom, startMenu);
}

// `back`: the button Escape chooses; none on the main menu, where leaving takes Quit.
std::int32_t Toon(Bitmap picture, std::span<const ButtonRc> menu,
                  std::optional<std::size_t> back = std::nullopt) {
    Wimdows::ClearScreen();
    Wimdows::DrawBitmap(picture, 0, 0);
    Wimdows::UpdateWindow();
    return StandardMenu::MenuSelection(menu, back);
}

// A screen whose window is gone ends the program, as Quit would, but without a fuss.
Scherm Verlaten() {
    return VensterMislukt() ? Scherm::GeenVenster : Scherm::Einde;
}

// The instructions and credits screens differ only in title and picture.
Scherm InfoScherm(const char* title, const char* picture) {
    if (!OpenVenster(title)) {
        return Verlaten();
    }
    BackMenu back{Knop(BackKnop), Knop(QuitKnop)};
    const Bitmap info = LaadScherm(picture);
    Kolom(InfoMenuKolom, back);
    switch (Toon(info, back, 0)) {
    case 0:
        return Scherm::Menu;
    case 1:
        Music::StopSound(muziek[MuziekMenu]);
        Wimdows::KillWindow();
        return Scherm::Einde;
    default:
        return Verlaten();
    }
}

// The program's end after the last screen: silence, no window, and its exit status.
int Sluit(Scherm laatste) {
    for (const Sound s : muziek) {
        Music::StopSound(s);
    }
    Wimdows::KillWindow();
    return laatste == Scherm::GeenVenster ? 1 : 0;
}

} // namespace

Scherm Menu() {
    if (!OpenVenster("Menu")) {
        return Verlaten();
    }
    StartMenu startMenu;
    LoadStartMenu(startMenu);
    const Bitmap background = LaadScherm(MenuAchtergrondBestand);
    menuCheck = false;
    if (Music::InitMusic()) {
        muziek[MuziekMenu] = Music::LoadSound(MenuMuziekBestand);
        Music::PlaySound(muziek[MuziekMenu], true);
        Music::SetSoundVolume(muziek[MuziekMenu], MenuMuziekVolume);
    }
    switch (Toon(background, startMenu)) {
    case 0:
        return Scherm::SubMenu;
    case 1:
        return Scherm::Instructions;
    case 2:
        return Scherm::Credits;
    case 3:
        Wimdows::KillWindow();
        Music::StopSound(muziek[MuziekMenu]);
        return Scherm::Einde;
    default:
        return Verlaten();
    }
}

Scherm SubMenu() {
    if (!OpenVenster("SubMenu")) {
        return Verlaten();
    }
    StartMenu startMenu;
    LoadSubStartMenu(startMenu);
    const Bitmap background = LaadScherm(MenuAchtergrondBestand);
    menuCheck = false;
    const std::int32_t select = Toon(background, startMenu, 3);
    if (select < 0) {
        return Verlaten();
    }
    if (select == 3) {
        return Scherm::Menu;
    }
    Spel(moeilijkheden.at(static_cast<std::size_t>(select)).snelheid);
    return VensterOpen() ? Scherm::Menu : Verlaten();
}

Scherm Instructions() {
    return InfoScherm("Instuctions", InstructiesBestand);
}

Scherm Credits() {
    return InfoScherm("Credits", CreditsBestand);
}

void StartModules() {
    Program::ReturnLargeBlocks();
    GeneralLib::Init();
    StandardMenu::Init();
    StandardLib::Init();
    Music::Init();
    Wimdows::Init();
}

int Start() {
    Scherm scherm = Scherm::Menu;
    while (scherm != Scherm::Einde && scherm != Scherm::GeenVenster) {
        switch (scherm) {
        case Scherm::Menu:
            scherm = Menu();
            break;
        case Scherm::SubMenu:
            scherm = SubMenu();
            break;
        case Scherm::Instructions:
            scherm = Instructions();
            break;
        case Scherm::Credits:
            scherm = Credits();
            break;
        default:
            break;
        }
    }
    return Sluit(scherm);
}

int StartOpLevel(std::uint32_t lvl) {
    Spel(moeilijkheden.front().snelheid, lvl);
    return Sluit(Verlaten());
}

} // namespace Meandor
