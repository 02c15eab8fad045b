// The seed corpora and every input a fuzzer found a fault with, through
// the fuzz targets' bodies: none may crash, hang or leak, and each gives what it must.
#include "FuzzBodies.hpp"
#include "TestKit.hpp"

#include <SDL.h>
#include <atomic>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <tuple>

namespace {

namespace fs = std::filesystem;

// Watches SDL's allocator, which the mixer and its decoders use, while it lives: the largest
// block requested. Every request is handed on to SDL's own. Leaks are the leak checker's, in
// the sanitizer build and every fuzz run.
struct SdlHeapWatch {
    SdlHeapWatch() {
        largest = 0;
        SDL_GetMemoryFunctions(&sdlMalloc, &sdlCalloc, &sdlRealloc, &sdlFree);
        SDL_SetMemoryFunctions(
            [](std::size_t n) { return Note(sdlMalloc(n), n); },
            [](std::size_t c, std::size_t n) { return Note(sdlCalloc(c, n), c * n); },
            [](void* p, std::size_t n) { return Note(sdlRealloc(p, n), n); }, sdlFree);
    }
    ~SdlHeapWatch() { SDL_SetMemoryFunctions(sdlMalloc, sdlCalloc, sdlRealloc, sdlFree); }

    static void* Note(void* block, std::size_t size) {
        for (std::size_t seen = largest;
             size > seen && !largest.compare_exchange_weak(seen, size);) {
        }
        return block;
    }

    static inline std::atomic<std::size_t> largest = 0;
    static inline SDL_malloc_func sdlMalloc = nullptr;
    static inline SDL_calloc_func sdlCalloc = nullptr;
    static inline SDL_realloc_func sdlRealloc = nullptr;
    static inline SDL_free_func sdlFree = nullptr;
};

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
        const std::string bytes = TestKit::ReadFile(entry.path());
        if (!good({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()})) {
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
        // Only WAV and MP3 reach a decoder: the others trust their headers or play for ever. A
        // damaged tag behind the audio refuses an MP3, as the mixer itself refuses it.
        {"regressions/sound",
         SoundLoads,
         {"six-bytes-leaked-the-source.mp3", "ogg-header-only.ogg", "aiff-of-4-billion-frames.aiff",
          "id3-tag-without-frames.mp3", "id3v1-behind-a-lyrics3-end-without-begin.mp3"}},
    };
    for (const auto& [dir, good, refused] : dirs) {
        EXPECT_EQ(Refused(fs::path(FUZZ_DIR) / dir, good), refused) << dir;
        EXPECT_FALSE(good({})) << dir << ": an empty input";
    }
}

} // namespace
