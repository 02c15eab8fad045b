#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace MusicTest {

// A fresh directory of the test's own, removed with everything in it.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The path of `name` inside the directory, as a string for LoadSound.
    std::string operator/(const std::string& name) const;

  private:
    std::filesystem::path path_;
};

// A 16-bit mono PCM sine tone at 32000 Hz, header written byte by byte.
void WriteWav(const std::string& path, double seconds);

// An MPEG layer III sine tone through libsndfile; false if it could not be written.
bool WriteMp3(const std::string& path, double seconds);

void WriteText(const std::string& path, const std::string& text);

// Whatever the host has, the tests play into SDL's silent dummy device.
void UseDummyAudio();

// Heap memory in use, in bytes, also under a sanitizer.
std::size_t HeapBytes();

} // namespace MusicTest
