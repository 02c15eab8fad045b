// The seed corpora, the public WAV corpus and every input a fuzzer found a fault with, through
// the fuzz targets' bodies: none may crash, hang or leak, and each gives what it must.
#include "FuzzBodies.hpp"

#include <SDL.h>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path Seeds = FUZZ_DIR "/seeds";
const fs::path Regressions = FUZZ_DIR "/regressions";
const fs::path WavCorpus = MEANDOR_SOURCE_DIR "/../shared/corpora/wavefile";

// Watches SDL's allocator, which the mixer and its decoders use, while it lives: the largest
// block requested, and the blocks not yet freed. Every request is handed on to SDL's own.
class SdlHeapWatch {
  public:
    SdlHeapWatch() {
        largest_ = 0;
        live_.clear();
        SDL_GetMemoryFunctions(&malloc_, &calloc_, &realloc_, &free_);
        SDL_SetMemoryFunctions(Malloc, Calloc, Realloc, Free);
    }
    ~SdlHeapWatch() { SDL_SetMemoryFunctions(malloc_, calloc_, realloc_, free_); }
    SdlHeapWatch(const SdlHeapWatch&) = delete;
    SdlHeapWatch& operator=(const SdlHeapWatch&) = delete;

    std::size_t Largest() const { return largest_; }
    std::size_t Live() const {
        const std::scoped_lock guard(lock_);
        return live_.size();
    }

  private:
    static void* Note(void* block, std::size_t size) {
        const std::scoped_lock guard(lock_);
        largest_ = std::max(largest_, size);
        if (block != nullptr) {
            live_.insert(block);
        }
        return block;
    }
    static void* Malloc(std::size_t size) { return Note(malloc_(size), size); }
    static void* Calloc(std::size_t count, std::size_t size) {
        return Note(calloc_(count, size), count * size);
    }
    static void* Realloc(void* block, std::size_t size) {
        Forget(block);
        return Note(realloc_(block, size), size);
    }
    static void Free(void* block) {
        Forget(block);
        free_(block);
    }
    static void Forget(void* block) {
        const std::scoped_lock guard(lock_);
        live_.erase(block);
    }

    static inline SDL_malloc_func malloc_ = nullptr;
    static inline SDL_calloc_func calloc_ = nullptr;
    static inline SDL_realloc_func realloc_ = nullptr;
    static inline SDL_free_func free_ = nullptr;
    static inline std::mutex lock_;
    static inline std::size_t largest_ = 0;
    static inline std::set<void*> live_;
};

constexpr std::size_t Megabyte = std::size_t{1} << 20U;

std::vector<std::uint8_t> Read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

TEST(DoolhofSeeds, TheShippedMazesPassAndBrokenOnesAreReportedNotFatal) {
    const std::pair<const char*, bool> seeds[] = {
        {"vijf-levels.txt", false}, // five levels of one game
        {"crlf.txt", false},        // CR LF line ends read like LF
        {"kort.txt", true},
    };
    for (const auto& [name, broken] : seeds) {
        EXPECT_EQ(Fuzz::DoolhofBytes(Read(Seeds / "doolhof" / name)) > 0, broken) << name;
    }
    EXPECT_GT(Fuzz::DoolhofBytes({}), 0U) << "an empty file is one level of walls";
}

// Every seed file with whether it must load; a seed without an entry fails the test.
void ExpectOutcomes(const fs::path& dir, const std::map<std::string, bool>& loads,
                    std::uint32_t (*body)(Fuzz::Bytes)) {
    std::size_t seen = 0;
    for (const auto& entry : fs::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        const auto expected = loads.find(name);
        if (expected == loads.end()) {
            ADD_FAILURE() << "no expected outcome for seed " << name;
            continue;
        }
        ++seen;
        EXPECT_EQ(body(Read(entry.path())) != 0, expected->second) << name;
    }
    EXPECT_EQ(seen, loads.size()) << "a seed named below is missing";
    EXPECT_EQ(body({}), 0U) << "an empty file";
}

TEST(Seeds, GoodFilesLoadAndBrokenOnesAreRefused) {
    ExpectOutcomes(Seeds / "bitmap",
                   {{"pal1wb.bmp", true},
                    {"pal2.bmp", true},
                    {"pal4rle.bmp", true},
                    {"pal8os2.bmp", true},
                    {"rgb16-565.bmp", true},
                    {"rgb24png.bmp", false}, // a PNG inside a BMP is not decoded
                    {"badrle.bmp", true},
                    {"shortfile.bmp", false}},
                   Fuzz::BitmapBytes);
    ExpectOutcomes(Seeds / "sound",
                   {{"mono-8k-cbr.mp3", true},
                    {"stereo-22k-vbr.mp3", true},
                    {"mono-16k-id3.mp3", true},
                    {"mono_pcm_8_44100.wav", true},
                    {"extensible_mono_pcm_8_44100.wav", true},
                    {"with_smpl_chunk_before_data_chunk.wav", true},
                    {"data_chunk_truncated.wav", true},
                    {"bad_channel_count.wav", false}},
                   Fuzz::SoundBytes);
}

// The whole public WAV corpus: the valid files load except where the mixer's decoder is known
// to give up; the unsupported and invalid ones only must not crash, hang or leak.
TEST(SoundCorpus, ValidFilesLoadAndOddOnesDoNoHarm) {
    if (!fs::is_directory(WavCorpus)) {
        GTEST_SKIP() << "no corpus at " << WavCorpus;
    }
    // Floats of 64 bits the decoder refuses; no_samples.wav decodes to nothing.
    const std::set<std::string> refused = {
        "extensible_20_pcm_16_44100_speaker_mapping_overflow.wav",
        "extensible_mono_float_64_44100.wav",
        "extensible_stereo_float_64_44100.wav",
        "extensible_tri_float_64_44100.wav",
        "mono_float_64_44100.wav",
        "stereo_float_64_44100.wav",
        "tri_float_64_44100.wav",
        "no_samples.wav",
    };
    std::size_t valid = 0;
    for (const auto& entry : fs::directory_iterator(WavCorpus / "valid")) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() != ".wav") {
            continue;
        }
        ++valid;
        EXPECT_EQ(Fuzz::SoundBytes(Read(entry.path())) != 0, !refused.contains(name)) << name;
    }
    EXPECT_GT(valid, 60U);
    for (const char* folder : {"unsupported", "invalid"}) {
        for (const auto& entry : fs::directory_iterator(WavCorpus / folder)) {
            static_cast<void>(Fuzz::SoundBytes(Read(entry.path())));
        }
    }
}

// Inputs that once cost gigabytes: a WAV file of 7 KB whose data chunk declares 3.6 GB (the
// decoder allocated the declared size; now the length is cut to the file, and that plays) and
// an MP3 of 800 bytes whose ID3v2 title frame declares 3.9 GB (tags now stay out of the
// mixer's sight; the frames after them play). The mixer's other decoders (AIFF, Ogg, ...)
// trust sizes in their headers or play for ever, so only WAV and MP3 reach a decoder.
TEST(SoundRegressions, NoInputCostsMoreThanItHolds) {
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        bool plays;
    };
    const std::vector<std::uint8_t> aiff = {
        'F',  'O',  'R',  'M',  0, 0,  0, 46, 'A',  'I',  'F',  'F',  'C', 'O',
        'M',  'M',  0,    0,    0, 18, 0, 1,  0xFF, 0xFF, 0xFF, 0xFF, 0,   16,
        0x40, 0x0E, 0xAC, 0x44, 0, 0,  0, 0,  0,    0,    'S',  'S',  'N', 'D',
        0,    0,    0,    8,    0, 0,  0, 0,  0,    0,    0,    0};
    const Case cases[] = {
        {"data chunk of 3 GiB", Read(Regressions / "sound/wav-data-chunk-of-3-gib.wav"), true},
        {"ID3 frame of 3 GiB", Read(Regressions / "sound/id3-frame-of-3-gib.mp3"), true},
        {"AIFF", aiff, false},
        {"Ogg", Bytes("OggS and no more"), false},
        {"a tag with no frames after it", {'I', 'D', '3', 3, 0, 0, 0, 0, 0, 2, 0, 0}, false},
    };
    for (const Case& c : cases) {
        ASSERT_GT(c.bytes.size(), 10U) << c.what;
        const SdlHeapWatch heap;
        EXPECT_EQ(Fuzz::SoundBytes(c.bytes) != 0, c.plays) << c.what;
        EXPECT_LT(heap.Largest(), 16 * Megabyte) << c.what;
    }
}

// Six bytes that look like an MPEG frame: the mixer gives up on so short a file without
// closing the source it was handed. The source is now closed by the layer, whatever happens.
TEST(SoundRegressions, AFileTooShortToDecodeLeavesNothingBehind) {
    const std::vector<std::uint8_t> mp3 =
        Read(Regressions / "sound/six-bytes-leaked-the-source.mp3");
    ASSERT_EQ(mp3.size(), 6U);
    EXPECT_EQ(Fuzz::SoundBytes(mp3), 0U); // the first error sets up SDL's error buffer
    const SdlHeapWatch heap;
    EXPECT_EQ(Fuzz::SoundBytes(mp3), 0U);
    EXPECT_EQ(heap.Live(), 0U);
}

} // namespace
