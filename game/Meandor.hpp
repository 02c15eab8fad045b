#pragma once

#include "game/GameState.hpp"

#include <cstdint>
#include <functional>

// The game's procedures, by the file that holds them. All run on the main thread and work on
// the state of GameState.hpp.
namespace Meandor {

// Screens.cpp: the program's screens outside the maze.
enum class Scherm { Menu, SubMenu, Instructions, Credits, Einde, GeenVenster };
Scherm Menu();
Scherm SubMenu();
Scherm Instructions();
Scherm Credits();
// Starts the modules in the order the program needs them, and has the heap hand every large
// block (a screen picture is megabytes) straight back to the system when it is freed, so that
// memory does not settle at the high-water mark of the screens visited so far.
void StartModules();
// Runs the screens from the main menu until Quit or a closed window: 0, or 1 when no window
// could be opened. Does not return to the main menu by recursion, so games in a row are flat.
int Start();
// One easy game from level `lvl`'s province picture, as if the levels before it had just been
// finished, without the menus; then the program ends: 0, or 1 when no window could be opened.
int StartOpLevel(std::uint32_t lvl);

// Artwork.cpp: loads the level pictures and sprites into their tables.
void Provincies();
void BitmapsLaden();
void BitmapsInArrays();

// GameLoop.cpp: one whole game, from level 1 or from `eersteLevel`.
void Spel(std::uint32_t Speed, std::uint32_t eersteLevel = 1);
// The steps of Spel: opening the window, music and the first picture, the starting values,
// one pass of the loop (without its sleep). A game from a later level starts as that level
// does after the one before: the player at HerstartCel, one more enemy per level, all of
// them at their start cells.
void SpelStart(std::uint32_t Speed, std::uint32_t eersteLevel = 1);
void BeginWaarden(std::uint32_t Speed, std::uint32_t eersteLevel = 1);
void SpelRonde(std::uint32_t Speed);
// The pass's drawing: the level's pictures chosen, the fries laid out again when asked, the
// door, the background when asked and the cells marked for drawing.
void TekenRonde();
// The pass's pickups and collisions, decided on the player's cell after the key.
void PakkenEnBotsen();
void TekenCellen();
void PlaatsVlag();
void MarkeerRijen1Tot20();
// Takes the hamburger and the flag off the cells their coordinates name. Before the first
// game those coordinates are (0, 0), outside the grid, and nothing is touched.
void NeemItemsWeg();
void VerwijderVlag();
// Opens a screen's window; FALSE (and remembered) when none could be opened.
bool OpenVenster(const char* title);
bool VensterMislukt();
// FALSE once the player has closed the window: every wait gives up then.
bool VensterOpen();
// Draws `picture` over the whole window until Enter is held, then empties the key queue.
void WachtOpEnter(Bitmap picture);
// The game's text: the fixed-pitch stock font, in black.
void ZetLettertype();
// The line on the panel at the top: how to pause, or how to go on.
void SchrijfHint(const char* tekst);

// A scripted player or a replay acts here, on the game thread: after every pass of the loop
// and at every poll of a wait (a picture waiting for Enter, the pause).
enum class Moment { Ronde, Wachten };
using Waarnemer = std::function<void(Moment)>;
void SetWaarnemer(Waarnemer waarnemer);
void Waarneem(Moment moment);

// Keys.cpp: the player's commands.
void CheckKey();

// Enemies.cpp: the bow ties.
void strikjeLeft(std::uint32_t& X, std::uint32_t& Y);
void strikjeRight(std::uint32_t& X, std::uint32_t& Y);
void strikjeUp(std::uint32_t& X, std::uint32_t& Y);
void strikjeDown(std::uint32_t& X, std::uint32_t& Y);
void strikjes(std::uint32_t& X, std::uint32_t& Y);
void strikjes2(std::uint32_t& X, std::uint32_t& Y);

// Pickups.cpp: fries, bonus items, collisions, lives.
enum class Bonus { Hamburger, Vlag };
void PakFriet(std::uint32_t x, std::uint32_t y);
// A life when the player is on (x, y) and the flag or the hamburger lies there; the item `bonus`
// is taken off that cell.
void PakIets(std::uint32_t x, std::uint32_t y, Bonus bonus);
void Dood(std::uint32_t X, std::uint32_t Y);
void TekenLevens();
void GameOver();
void TekenScore();

// Levels.cpp: the exit and the finale.
void VeranderDoolhof();
void Eindscherm();

} // namespace Meandor
