#include "tools/artwork/Artwork.hpp"

#include "tools/artwork/Levels.hpp"
#include "tools/artwork/Screens.hpp"
#include "tools/artwork/Sprites.hpp"

namespace artwork {

void WritePictures(const std::filesystem::path& root) {
    const std::filesystem::path pictures = root / "afbeeldingen";
    const std::filesystem::path menu = root / "menu";
    std::filesystem::create_directories(pictures);
    std::filesystem::create_directories(menu);
    WriteSprites(pictures);
    WriteLevels(pictures);
    WriteScreens(pictures, menu);
}

} // namespace artwork
