#pragma once

#include "game/GameState.hpp"

#include <filesystem>
#include <istream>
#include <stdexcept>
#include <string>

// Reading the maze files "doolhof1.txt" ... "doolhof5.txt": 30 lines, line n is column n of
// the maze and its characters 1 to 21 are the rows, so the file is the screen on its side.
namespace Meandor {

// The one failure the game cannot go on from: a maze file that cannot be opened. Nothing
// catches it inside the game; the program entry prints what() on standard error and exits
// non-zero. what() is exactly "FIO.OpenRead: cannot open file " and the name as passed.
class FatalError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Reads the maze file of the current `level` (1..5) from the maze folder into
// doolhof[level]; the other grids stay as they are. Throws FatalError if it cannot be opened.
void Doolhofladen();

// The folder Doolhofladen reads from: a maze pack's, or empty (the default) for the working
// directory, whose files are then named without a folder.
void ZetDoolhofMap(std::filesystem::path map);

// The file name of a level's maze, "doolhof<level>.txt".
std::string DoolhofBestandsnaam(std::uint32_t lvl);

// That file in `map`, or the bare name when `map` is empty.
std::filesystem::path DoolhofPad(const std::filesystem::path& map, std::uint32_t lvl);

// Reads the named file into one grid. Throws FatalError (grid untouched) if it cannot be opened.
void LaadDoolhofBestand(const std::string& naam, DoolhofGrid& grid);

// Reads 30 lines from any byte source into one grid. Lines end at CR LF, LF, Ctrl-Z or the
// end of the input. One 30-character buffer serves the whole file and is not cleared between
// lines, so a short line keeps the previous line's characters after its NUL, and a line of 30
// or more characters leaves its remainder to be read as the next line. The buffer starts out
// full of wall characters, so a short first line is walled in.
void LeesDoolhof(std::istream& invoer, DoolhofGrid& grid);

} // namespace Meandor
