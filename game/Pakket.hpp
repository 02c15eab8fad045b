#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// Maze packs: a folder of the five maze files, doolhof1.txt ... doolhof5.txt, played in place
// of the game's own. Packs have a folder of their own in the player's data folder.
namespace Meandor {

// <data folder>/mazes; empty when there is no data folder.
std::filesystem::path PakkettenMap();

// `naamOfMap` with a slash in it is a pack's folder as written; without one, the name of a
// pack in PakkettenMap(), and empty when there is no such folder.
std::filesystem::path VindPakket(std::string_view naamOfMap);

// What keeps the pack in `map` from being played, one line each: the folder or a file that is
// not there or cannot be read, or else every finding of the maze checker on the five files
// as levels 1 to 5, read as the game reads them. Empty when the pack can be played.
std::vector<std::string> PakketBezwaren(const std::filesystem::path& map);

} // namespace Meandor
