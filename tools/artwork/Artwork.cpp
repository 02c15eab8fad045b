#include "tools/artwork/Artwork.hpp"

#include "tools/artwork/Levels.hpp"
#include "tools/artwork/Screens.hpp"
#include "tools/artwork/Sprites.hpp"

namespace Artwork {

void WritePictures(const std::filesystem::path& root) {
    WriteSprites(root);
    WriteLevels(root);
    WriteScreens(root);
}

} // namespace Artwork
