#include "wimdows/Fonts.hpp"

#include "wimdows/FontFiles.hpp"

#include <algorithm>
#include <string>

namespace Wimdows {
namespace {

// DejaVu faces and pixel sizes close to the cells of the Windows stock fonts they stand for.
struct Face {
    FontFace face;
    int size;
};
constexpr std::array<Face, 6> Faces{{
    {FontFace::Sans, 11},     // DEFAULT_GUI_FONT: MS Shell Dlg, 13-pixel cell
    {FontFace::SansBold, 13}, // SYSTEM_FONT: bold proportional, 16-pixel cell
    {FontFace::MonoBold, 13}, // SYSTEM_FIXED_FONT: Fixedsys, 8 by 15
    {FontFace::Sans, 12},     // ANSI_VAR_FONT: MS Sans Serif
    {FontFace::Mono, 13},     // ANSI_FIXED_FONT: Courier, 8 pixels a character
    {FontFace::Mono, 12},     // OEM_FIXED_FONT: Terminal, 8 by 12
}};

// Looking the files up may cost tens of milliseconds, so every window shares one lookup.
const std::string& FontFile(std::size_t index) {
    static const FontFileNames files = FindFontFiles();
    return files[static_cast<std::size_t>(Faces[index].face)];
}

// Unknown styles are the default interface font.
std::size_t FaceIndex(std::uint32_t style) {
    return style < Faces.size() ? style : 0;
}

// TTF_FontHeight leaves out whatever reaches below the font's descent (in DejaVu at 11 and 12
// pixels '_', '|' and descenders go one row lower), while a rendered line grows to hold it. A
// line of every Latin-1 character is as high as any line can be.
int LineHeight(TTF_Font* font) {
    std::string all;
    for (int c = 1; c < 256; ++c) {
        all.push_back(static_cast<char>(c));
    }
    int width = 0;
    int height = 0;
    if (TTF_SizeText(font, all.c_str(), &width, &height) != 0) {
        return TTF_FontHeight(font);
    }
    return std::max(height, TTF_FontHeight(font));
}

} // namespace

StockFonts::StockFonts() : ttf(TTF_Init() == 0) {}

StockFonts::~StockFonts() {
    for (FontPtr& font : fonts) {
        font.reset();
    }
    if (ttf) {
        TTF_Quit();
    }
}

TTF_Font* StockFonts::Get(std::uint32_t style) {
    const std::size_t index = FaceIndex(style);
    if (!ttf) {
        return nullptr;
    }
    if (!fonts[index]) {
        const std::string& file = FontFile(index);
        if (!file.empty()) {
            fonts[index].reset(TTF_OpenFont(file.c_str(), Faces[index].size));
        }
    }
    return fonts[index].get();
}

int StockFonts::CellHeight(std::uint32_t style) {
    TTF_Font* font = Get(style);
    if (font == nullptr) {
        return 0;
    }
    int& height = cellHeights[FaceIndex(style)];
    if (height == 0) {
        height = LineHeight(font);
    }
    return height;
}

} // namespace Wimdows
