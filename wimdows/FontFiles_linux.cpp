#include "wimdows/FontFiles.hpp"

#include <fontconfig/fontconfig.h>
#include <memory>

namespace Wimdows {
namespace {

constexpr std::array<const char*, 4> Patterns{
    "DejaVu Sans:style=Book",
    "DejaVu Sans:style=Bold",
    "DejaVu Sans Mono:style=Book",
    "DejaVu Sans Mono:style=Bold",
};

struct ConfigDeleter {
    void operator()(FcConfig* config) const { FcConfigDestroy(config); }
};
struct PatternDeleter {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;

// Path of the installed font that best matches `pattern`; empty if there is none.
std::string Locate(FcConfig* config, const char* pattern) {
    const PatternPtr wanted{FcNameParse(reinterpret_cast<const FcChar8*>(pattern))};
    if (!wanted) {
        return {};
    }
    FcConfigSubstitute(config, wanted.get(), FcMatchPattern);
    FcDefaultSubstitute(wanted.get());
    FcResult result = FcResultNoMatch;
    const PatternPtr match{FcFontMatch(config, wanted.get(), &result)};
    FcChar8* file = nullptr;
    if (!match || FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch) {
        return {};
    }
    return reinterpret_cast<const char*>(file);
}

} // namespace

FontFileNames FindFontFiles() {
    FontFileNames files;
    const std::unique_ptr<FcConfig, ConfigDeleter> config{FcInitLoadConfigAndFonts()};
    if (!config) {
        return files;
    }
    for (std::size_t i = 0; i < Patterns.size(); ++i) {
        files[i] = Locate(config.get(), Patterns[i]);
    }
    return files;
}

} // namespace Wimdows
