// Every file of the public WAV corpus through LoadSound: odd files must not crash or play
// garbage, and the valid ones load except where the decoder is known to give up.
#include "TestSounds.hpp"
#include "music/Music.hpp"

#include <SDL_mixer.h>
#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path Corpus = MEANDOR_SOURCE_DIR "/../shared/corpora/wavefile";

// SDL2_mixer cannot decode these; no_samples.wav decodes to nothing, which counts as no sound.
const std::set<std::string> ValidButRefused = {
    "extensible_20_pcm_16_44100_speaker_mapping_overflow.wav",
    "extensible_mono_float_64_44100.wav",
    "extensible_stereo_float_64_44100.wav",
    "extensible_tri_float_64_44100.wav",
    "mono_float_64_44100.wav",
    "stereo_float_64_44100.wav",
    "tri_float_64_44100.wav",
    "no_samples.wav",
};

std::vector<fs::path> WavFiles(const std::string& folder) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(Corpus / folder)) {
        if (entry.path().extension() == ".wav") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

class CorpusTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!fs::is_directory(Corpus)) {
            GTEST_SKIP() << "no corpus at " << Corpus;
        }
        MusicTest::UseDummyAudio();
        ASSERT_TRUE(Music::InitMusic());
    }

    // Loads, plays and stops the file; its handle.
    static std::uint32_t Exercise(const fs::path& file) {
        const std::uint32_t sound = Music::LoadSound(file.string());
        Music::PlaySound(sound, false);
        Music::StopSound(sound);
        return sound;
    }
};

TEST_F(CorpusTest, ValidFilesLoad) {
    const std::vector<fs::path> files = WavFiles("valid");
    ASSERT_GT(files.size(), 60U);
    std::size_t loaded = 0;
    for (const fs::path& file : files) {
        const bool refused = ValidButRefused.contains(file.filename().string());
        const std::uint32_t sound = Exercise(file);
        EXPECT_EQ(sound == 0, refused) << file.filename();
        loaded += sound == 0 ? 0 : 1;
    }
    EXPECT_EQ(loaded, files.size() - ValidButRefused.size());
}

TEST_F(CorpusTest, UnsupportedAndInvalidFilesDoNotCrash) {
    std::size_t loaded = 0;
    for (const std::string folder : {"unsupported", "invalid"}) {
        for (const fs::path& file : WavFiles(folder)) {
            loaded += Exercise(file) == 0 ? 0 : 1;
            EXPECT_EQ(Mix_Playing(-1), 0) << file.filename() << " did not stop";
        }
    }
    RecordProperty("odd_files_loaded", std::to_string(loaded));
}

} // namespace
