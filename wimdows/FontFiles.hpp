#pragma once

#include <array>
#include <string>

// Where the DejaVu fonts that stand for the Windows stock fonts are: as fontconfig finds them on
// the system, or in the fonts folder beside the program, where the Windows build brings them.
namespace Wimdows {

enum class FontFace { Sans, SansBold, Mono, MonoBold };

// Indexed by FontFace; an empty path for a face that is not there.
using FontFileNames = std::array<std::string, 4>;

FontFileNames FindFontFiles();

} // namespace Wimdows
