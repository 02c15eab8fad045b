// The seed corpora, the public WAV corpus and every input a fuzzer found a fault with, through
// the fuzz targets' bodies: none may crash, hang or leak, and each gives what it must.
#include "FuzzBodies.hpp"

#include <SDL.h>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <mutex>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Watches SDL's allocator, which the mixer and its decoders use, while it lives: the largest
// block requested, and the blocks not yet freed. Every request is handed on to SDL's own.
struct SdlHeapWatch {
    SdlHeapWatch() {
        largest = 0;
        live.clear();
        SDL_GetMemoryFunctions(&malloc_, &calloc_, &realloc_, &free_);
        SDL_SetMemoryFunctions(
            [](std::size_t n) { return Note(nullptr, malloc_(n), n); },
            [](std::size_t c, std::size_t n) { return Note(nullptr, calloc_(c, n), c * n); },
            [](void* p, std::size_t n) { return Note(p, realloc_(p, n), n); },
            [](void* p) { Note(p, nullptr, 0), free_(p); });
    }
    ~SdlHeapWatch() { SDL_SetMemoryFunctions(malloc_, calloc_, realloc_, free_); }

    // `gone` freed, `block` of `size` bytes given out.
    static void* Note(void* gone, void* block, std::size_t size) {
        const std::scoped_lock guard(lock);
        live.erase(gone);
        largest = std::max(largest, size);
        live.insert(block);
        live.erase(nullptr);
        return block;
    }

    static inline std::size_t largest = 0;
    static inline std::set<void*> live;
    static inline std::mutex lock;
    static inline SDL_malloc_func malloc_ = nullptr;
    static inline SDL_calloc_func calloc_ = nullptr;
    static inline SDL_realloc_func realloc_ = nullptr;
    static inline SDL_free_func free_ = nullptr;
};

std::vector<std::uint8_t> Read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Whether a sound loads; no input may make the mixer ask for more than 16 MiB at once, as a
// WAV data chunk or an ID3 frame declaring gigabytes once did.
bool SoundLoads(Fuzz::Bytes bytes) {
    const SdlHeapWatch heap;
    const bool loads = Fuzz::SoundBytes(bytes) != 0;
    EXPECT_LT(SdlHeapWatch::largest, std::size_t{16} << 20U);
    return loads;
}

// The names of the files in `dir` that `good` refuses.
std::set<std::string> Refused(const fs::path& dir, const std::function<bool(Fuzz::Bytes)>& good) {
    std::set<std::string> refused;
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (!good(Read(entry.path()))) {
            refused.insert(entry.path().filename());
        }
    }
    return refused;
}

// Each file of each directory is good (a maze without faults, a picture or sound that loads)
// unless it is named, and an empty input is not.
TEST(Regressions, EachSeedAndPastFaultGivesWhatItMust) {
    using Body = std::function<bool(Fuzz::Bytes)>;
    const Body maze = [](Fuzz::Bytes b) { return Fuzz::DoolhofBytes(b) == 0; };
    const Body picture = [](Fuzz::Bytes b) { return Fuzz::BitmapBytes(b) != 0; };
    const std::tuple<const char*, Body, std::set<std::string>> dirs[] = {
        {"seeds/doolhof", maze, {"kort.txt", "leeg.txt"}},
        {"seeds/bitmap", picture, {"rgb24png.bmp", "shortfile.bmp"}}, // a PNG inside is not read
        {"seeds/sound", SoundLoads, {"bad_channel_count.wav"}},
        // Only WAV and MP3 reach a decoder: the others trust their headers or play for ever.
        {"regressions/sound",
         SoundLoads,
         {"six-bytes-leaked-the-source.mp3", "ogg-header-only.ogg", "aiff-of-4-billion-frames.aiff",
          "id3-tag-without-frames.mp3"}},
    };
    for (const auto& [dir, good, refused] : dirs) {
        EXPECT_EQ(Refused(fs::path(FUZZ_DIR) / dir, good), refused) << dir;
        EXPECT_FALSE(good({})) << dir << ": an empty input";
    }
}

// The mixer gave up on six bytes that look like an MPEG frame without closing the source it
// was handed; the layer now closes it, whatever happens.
TEST(Regressions, AFileTooShortToDecodeLeavesNothingBehind) {
    const std::vector<std::uint8_t> mp3 =
        Read(FUZZ_DIR "/regressions/sound/six-bytes-leaked-the-source.mp3");
    EXPECT_EQ(Fuzz::SoundBytes(mp3), 0U); // the first error sets up SDL's error buffer
    const SdlHeapWatch heap;
    EXPECT_EQ(Fuzz::SoundBytes(mp3), 0U);
    EXPECT_TRUE(SdlHeapWatch::live.empty());
}

// The whole public WAV corpus: the valid files load except where the mixer's decoder is known
// to give up (floats of 64 bits, no samples); the others only must do no harm.
TEST(Regressions, ThePublicWavCorpusLoadsOrDoesNoHarm) {
    const fs::path corpus = MEANDOR_SOURCE_DIR "/../shared/corpora/wavefile";
    if (!fs::is_directory(corpus)) {
        GTEST_SKIP() << "no corpus at " << corpus;
    }
    for (const std::string& name : Refused(corpus / "valid", SoundLoads)) {
        EXPECT_TRUE(name.find("float_64") != std::string::npos || name == "no_samples.wav" ||
                    name == "README.markdown" || name.ends_with("speaker_mapping_overflow.wav"))
            << name;
    }
    Refused(corpus / "unsupported", SoundLoads);
    Refused(corpus / "invalid", SoundLoads);
}

} // namespace
