#pragma once

#include "wimdows/Sdl.hpp"

#include <array>
#include <cstdint>

namespace Wimdows {

// The six stock fonts, opened on first use and closed with the object.
class StockFonts {
  public:
    StockFonts();
    ~StockFonts();
    StockFonts(const StockFonts&) = delete;
    StockFonts& operator=(const StockFonts&) = delete;

    // The font of a font style; nullptr when it cannot be opened.
    TTF_Font* Get(std::uint32_t style);

    // The height of a line of the style's font, room for every character it can draw; 0 when
    // the font cannot be opened.
    int CellHeight(std::uint32_t style);

  private:
    bool ttf;
    std::array<FontPtr, 6> fonts;
    std::array<int, 6> cellHeights{};
};

} // namespace Wimdows
