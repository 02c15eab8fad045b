#include "wimdows/FontFiles.hpp"

#include "support/ProgramFolder_windows.hpp"

#include <filesystem>

namespace Wimdows {

FontFileNames FindFontFiles() {
    constexpr std::array<const char*, 4> Names{
        "DejaVuSans.ttf",
        "DejaVuSans-Bold.ttf",
        "DejaVuSansMono.ttf",
        "DejaVuSansMono-Bold.ttf",
    };
    const std::filesystem::path folder = Program::Folder() / "fonts";
    FontFileNames files;
    for (std::size_t i = 0; i < Names.size(); ++i) {
        const std::filesystem::path file = folder / Names[i];
        std::error_code error;
        if (std::filesystem::is_regular_file(file, error)) {
            // SDL opens files by UTF-8 names.
            const std::u8string name = file.u8string();
            files[i].assign(name.begin(), name.end());
        }
    }
    return files;
}

} // namespace Wimdows
