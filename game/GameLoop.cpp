#include "game/Assets.hpp"
#include "game/Doolhof.hpp"
#include "game/Layout.hpp"
#include "game/Meandor.hpp"
#include "music/Music.hpp"
#include "support/GeneralLib.hpp"
#include "support/StandardLib.hpp"
#include "wimdows/Wimdows.hpp"

#include <chrono>
#include <thread>

namespace Meandor {
namespace {

using namespace std::chrono_literals;

constexpr std::uint32_t VlagTick = 10;
constexpr std::uint32_t VlagWegTick = 30;

// The level whose maze file doolhof[level] last read: the file is read again only when
// `level` moves on, which gives the same grid as reading it on every pass.
std::uint32_t geladenLevel = 0;
bool vensterMislukt = false;
Waarnemer waarnemer;

void LaadHuidigDoolhof() {
    Doolhofladen();
    geladenLevel = level;
}

void HerbouwFriet() {
    for (std::uint32_t x = 1; x <= Kolommen; ++x) {
        for (std::uint32_t y = 1; y <= Rijen; ++y) {
            frietArr[x][y] = doolhof[level][x][y] == FrietTeken;
        }
    }
}

void TekenDeur() {
    const FiguurPaar& deur =
        frietCount == FrietPerLevel ? figuur[FiguurDeurOpen] : figuur[FiguurDeurDicht];
    Wimdows::DrawBitmap(deur.beeld, DeurPlek.x, DeurPlek.y);
}

void TekenAchtergrond() {
    Wimdows::DrawBitmap(achtergrond, 0, 0);
    checkAchtergrondTekenen = false;
    TekenLevens();
    TekenScore();
    SchrijfHint("Press 'p' to pause");
}

void TekenCel(std::uint32_t x, std::uint32_t y) {
    const auto px = static_cast<std::int32_t>(CelNaarPixel(x));
    const auto py = static_cast<std::int32_t>(CelNaarPixel(y));
    auto masker = [&](const FiguurPaar& paar) {
        Wimdows::DrawMaskBitmap(paar.beeld, paar.masker, px, py);
    };
    if (frietArr[x][y]) {
        Wimdows::DrawBitmap(tegel, px, py);
        masker(figuur[FiguurFriet]);
    } else if (cheatArr[x][y]) {
        masker(figuur[FiguurHamburger]);
    } else if (vlagArr[x][y]) {
        Wimdows::DrawBitmap(tegel, px, py);
        masker(figuur[FiguurVlag]);
    } else if (!IsMuurTeken(doolhof[level][x][y])) {
        Wimdows::DrawBitmap(tegel, px, py);
    }
    if (x == zorpX && y == zorpY) {
        masker(figuur[FiguurZorp]);
    }
}

void StapStrikjes() {
    for (std::uint32_t i = 1; i <= MaxStrikjes; ++i) {
        if (GeneralLib::TimerReached(0) && strikArr[i]) {
            strikjes2(strikXArr[i], strikYArr[i]);
        }
    }
}

void Tick(std::uint32_t Speed) {
    if (!GeneralLib::TimerReached(0)) {
        return;
    }
    GeneralLib::SetTimer(0, Speed);
    ++countLoop;
    if (countLoop == VlagTick) {
        PlaatsVlag();
    } else if (countLoop == VlagWegTick) {
        VerwijderVlag();
    }
}

bool VlagPlekBestaat() {
    for (std::uint32_t x = 1; x <= Kolommen; ++x) {
        for (std::uint32_t y = 1; y <= LaatsteRij; ++y) {
            if (doolhof[level][x][y] == LeegTeken && !frietArr[x][y] && !cheatArr[x][y]) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

void MarkeerRijen1Tot20() {
    for (std::uint32_t x = 1; x <= Kolommen; ++x) {
        for (std::uint32_t y = 1; y <= LaatsteRij; ++y) {
            refresh[x][y] = true;
        }
    }
}

void NeemItemsWeg() {
    if (InDoolhof(XCheat, YCheat)) {
        cheatArr[XCheat][YCheat] = false;
    }
    if (InDoolhof(XVlag, YVlag)) {
        vlagArr[XVlag][YVlag] = false;
    }
}

bool OpenVenster(const char* title) {
    Wimdows::Window(title, VensterMaat.breedte, VensterMaat.hoogte);
    // A window closed as soon as it opened was still had: the player closed it.
    vensterMislukt = Wimdows::WindowFailed();
    return Wimdows::WindowOpen();
}

bool VensterMislukt() {
    return vensterMislukt;
}

bool VensterOpen() {
    return Wimdows::WindowOpen();
}

void SetWaarnemer(Waarnemer w) {
    waarnemer = std::move(w);
}

void Waarneem(Moment moment) {
    if (waarnemer) {
        waarnemer(moment);
    }
}

void WachtOpEnter(Bitmap picture) {
    // Enter is polled every few milliseconds; the picture is drawn again a few times a second,
    // which keeps it on screen just the same without spending a core on copying it.
    constexpr int PollsPerDrawing = 40;
    for (int poll = 0; VensterOpen(); ++poll) {
        if (poll % PollsPerDrawing == 0) {
            Wimdows::DrawBitmap(picture, 0, 0);
        }
        if (Wimdows::KeyDown(Wimdows::KEY_ENTER)) {
            break;
        }
        Waarneem(Moment::Wachten);
        std::this_thread::sleep_for(5ms);
    }
    Wimdows::FlushKeys();
}

void ZetLettertype() {
    Wimdows::SetFont(Wimdows::FONT_ANSI_FIXED, Wimdows::RGB(0, 0, 0));
}

void SchrijfHint(const char* tekst) {
    ZetLettertype();
    Wimdows::DrawBitmap(rechthoekTekst, HintPaneelPlek.x, HintPaneelPlek.y);
    Wimdows::Text(tekst, HintTekstPlek.x, HintTekstPlek.y);
}

void PlaatsVlag() {
    if (!VlagPlekBestaat()) {
        return;
    }
    do {
        XVlag = StandardLib::RandomCard(1, Kolommen);
        YVlag = StandardLib::RandomCard(1, LaatsteRij);
    } while (doolhof[level][XVlag][YVlag] != LeegTeken || frietArr[XVlag][YVlag] ||
             cheatArr[XVlag][YVlag]);
    vlagArr[XVlag][YVlag] = true;
    refresh[XVlag][YVlag] = true;
}

void VerwijderVlag() {
    vlagArr[XVlag][YVlag] = false;
    refresh[XVlag][YVlag] = true;
}

void TekenCellen() {
    for (std::uint32_t x = 1; x <= Kolommen; ++x) {
        for (std::uint32_t y = 1; y <= Rijen; ++y) {
            if (refresh[x][y]) {
                TekenCel(x, y);
                refresh[x][y] = false;
            }
        }
    }
}

void BeginWaarden(std::uint32_t Speed, std::uint32_t eersteLevel) {
    level = eersteLevel;
    LaadHuidigDoolhof();
    BitmapsLaden();
    BitmapsInArrays();
    MarkeerRijen1Tot20();
    NeemItemsWeg();
    const Cel start = eersteLevel == 1 ? StartCel : HerstartCel;
    zorpX = start.x;
    zorpY = start.y;
    levens = StartLevens;
    levendeStrikjes = ActieveStrikjes(eersteLevel);
    frietCount = 0;
    countLoop = 0;
    countCheat = 0;
    XCheat = 1;
    YCheat = 1;
    XVlag = 1;
    YVlag = 1;
    checkFriet = true;
    checkAchtergrondTekenen = true;
    einde = false;
    strikArr.fill(false);
    for (std::uint32_t i = 1; i <= MaxStrikjes; ++i) {
        strikXArr[i] = strikStartTabel[i].pixelX;
        strikYArr[i] = strikStartTabel[i].pixelY;
    }
    GeneralLib::SetTimer(0, Speed);
}

void SpelStart(std::uint32_t Speed, std::uint32_t eersteLevel) {
    if (!OpenVenster("Spel")) {
        einde = true;
        menuCheck = true;
        return;
    }
    if (Music::InitMusic()) {
        muziek[MuziekLevel] = Music::LoadSound(LevelMuziekBestand);
        Music::PlaySound(muziek[MuziekLevel], true);
        Music::SetSoundVolume(muziek[MuziekLevel], LevelMuziekVolume);
    }
    Provincies();
    WachtOpEnter(provincieArr[eersteLevel]);
    BeginWaarden(Speed, eersteLevel);
}

void PakkenEnBotsen() {
    PakIets(XCheat, YCheat, Bonus::Hamburger);
    PakIets(XVlag, YVlag, Bonus::Vlag);
    for (std::uint32_t x = 1; x <= Kolommen; ++x) {
        for (std::uint32_t y = 1; y <= Rijen; ++y) {
            PakFriet(x, y);
        }
    }
    for (std::uint32_t i = 1; i <= levendeStrikjes; ++i) {
        Dood(strikXArr[i], strikYArr[i]);
    }
}

void TekenRonde() {
    achtergrond = achtergrondArr[level];
    tegel = tegelArr[level];
    rechthoekHart = rechthoekHartArr[level];
    rechthoekScore = rechthoekScoreArr[level];
    rechthoekTekst = rechthoekTekstArr[level];
    if (checkFriet) {
        HerbouwFriet();
        checkFriet = false;
    }
    TekenDeur();
    if (checkAchtergrondTekenen) {
        TekenAchtergrond();
    }
    TekenCellen();
}

void SpelRonde(std::uint32_t Speed) {
    for (std::uint32_t i = 1; i <= levendeStrikjes; ++i) {
        strikArr[i] = true;
    }
    TekenRonde();
    CheckKey();
    PakkenEnBotsen();
    StapStrikjes();
    Tick(Speed);
    VeranderDoolhof();
    if (level != geladenLevel) {
        LaadHuidigDoolhof();
    }
}

void Spel(std::uint32_t Speed, std::uint32_t eersteLevel) {
    SpelStart(Speed, eersteLevel);
    while (!einde) {
        SpelRonde(Speed);
        if (!VensterOpen()) {
            einde = true;
            menuCheck = true;
        }
        Waarneem(Moment::Ronde);
        std::this_thread::sleep_for(1ms);
    }
}

} // namespace Meandor
