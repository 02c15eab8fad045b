#pragma once

#include <SDL.h>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

// Helpers every test program shares: scratch files and input events.
namespace TestKit {

// Colour of pixel (i, j) of a picture, as Wimdows::RGB gives it.
using Picture = std::function<std::uint32_t(int i, int j)>;

// A directory of the test's own, removed with everything in it.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path; }
    // The path of `name` inside the directory.
    std::string operator/(const std::string& name) const;
    // Writes `bytes` as the file `name` and returns its path.
    std::string File(const std::string& name, const std::string& bytes) const;
    // Makes `name` a file that is not a regular one and returns its path: a FIFO, or on Windows,
    // which has none, a folder.
    std::string Special(const std::string& name) const;
    // Writes a 24-bit BMP file of the picture and returns its path.
    std::string Bmp(const std::string& name, int width, int height, const Picture& picture) const;

  private:
    std::filesystem::path path;
};

// Sets or removes an environment variable, for the C library and SDL alike.
void SetEnv(const char* name, const char* value, bool overwrite = true);
void UnsetEnv(const char* name);

// Ends the process with a failure after `seconds`, for a case in a process of its own that
// might hang.
void EndAfter(unsigned seconds);

// The whole of a file; empty when it cannot be read.
std::string ReadFile(const std::filesystem::path& file);

// Into SDL's queue, waiting while the queue is full.
void Push(SDL_Event event);
void PushMouse(SDL_EventType type, int x, int y, Uint8 button = SDL_BUTTON_LEFT, Uint8 clicks = 1);
SDL_Event KeyEvent(bool down, SDL_Scancode scancode, SDL_Keycode sym, Uint16 mod = KMOD_NONE,
                   bool repeat = false);
inline void PushKey(bool down, SDL_Scancode scancode, SDL_Keycode sym, Uint16 mod = KMOD_NONE,
                    bool repeat = false) {
    Push(KeyEvent(down, scancode, sym, mod, repeat));
}
SDL_Event WindowEvent(SDL_WindowEventID id);
inline void PushWindowEvent(SDL_WindowEventID id) {
    Push(WindowEvent(id));
}

} // namespace TestKit
