// Writes the generated pictures and sounds into the runtime tree given as the
// only argument.
#include "tools/artwork/Artwork.hpp"
#include "tools/synth/Synth.hpp"

#include <exception>
#include <filesystem>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: meandor_assets RUNTIME_DIR\n";
        return 2;
    }
    try {
        const std::filesystem::path root = argv[1];
        Artwork::WritePictures(root);
        Synth::WriteSounds(root);
    } catch (const std::exception& e) {
        std::cerr << "meandor_assets: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
