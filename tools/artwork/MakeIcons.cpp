// Writes the desktop icon at every size the install puts in the hicolor theme,
// as ROOT/<size>x<size>/apps/NAME.png.
#include "tools/artwork/Icon.hpp"

#include <array>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: meandor_icons ROOT NAME\n";
        return 2;
    }
    try {
        const std::filesystem::path root = argv[1];
        const std::string name = argv[2];
        for (const int size : std::array{48, 128, 256}) {
            const std::string square = std::to_string(size) + "x" + std::to_string(size);
            const std::filesystem::path folder = root / square / "apps";
            std::filesystem::create_directories(folder);
            Artwork::WriteIcon(size, folder / (name + ".png"));
        }
    } catch (const std::exception& e) {
        std::cerr << "meandor_icons: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
