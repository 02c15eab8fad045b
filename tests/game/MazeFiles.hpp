#pragma once

#include "game/Doolhof.hpp"

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

// Shared by the game's tests: a scratch directory per test and maze files written into it.
namespace MazeTest {

class TempDir {
  public:
    TempDir()
        : pad_(std::filesystem::temp_directory_path() /
               ("meandor-game-" + std::to_string(std::random_device{}()))) {
        std::filesystem::create_directories(pad_);
    }
    ~TempDir() {
        std::error_code fout;
        std::filesystem::remove_all(pad_, fout);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Pad() const { return pad_; }

    std::string Schrijf(const std::string& naam, const std::string& inhoud) const {
        const auto bestand = pad_ / naam;
        std::ofstream(bestand, std::ios::binary) << inhoud;
        return bestand.string();
    }

  private:
    std::filesystem::path pad_;
};

inline std::string BronMaze(int lvl) {
    return std::string(MEANDOR_SOURCE_DIR) + "/assets/doolhof" + std::to_string(lvl) + ".txt";
}

inline Meandor::DoolhofGrid Laad(const std::string& pad) {
    Meandor::DoolhofGrid grid{};
    Meandor::LaadDoolhofBestand(pad, grid);
    return grid;
}

} // namespace MazeTest
