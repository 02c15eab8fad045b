#include "TestKit.hpp"

#include "wimdows/Sdl.hpp"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <thread>
#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace TestKit {

TempDir::TempDir() {
    const std::filesystem::path folder = std::filesystem::temp_directory_path();
    std::random_device random;
    for (int tried = 0; tried < 100; ++tried) {
        path = folder / ("meandor-" + std::to_string(random()));
        std::error_code error;
        if (std::filesystem::create_directory(path, error)) {
            return;
        }
    }
    throw std::runtime_error("no scratch directory in " + folder.string());
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

void SetEnv(const char* name, const char* value, bool overwrite) {
    if (!overwrite && std::getenv(name) != nullptr) {
        return;
    }
#ifdef _WIN32
    _putenv_s(name, value);
#else
    ::setenv(name, value, 1);
#endif
}

void UnsetEnv(const char* name) {
#ifdef _WIN32
    _putenv_s(name, "");
#else
    ::unsetenv(name);
#endif
}

void EndAfter(unsigned seconds) {
    std::thread([seconds] {
        std::this_thread::sleep_for(std::chrono::seconds(seconds));
        std::_Exit(124);
    }).detach();
}

std::string TempDir::operator/(const std::string& name) const {
    return (path / name).string();
}

std::string TempDir::Special(const std::string& name) const {
    const std::string file = *this / name;
#ifdef _WIN32
    const bool made = std::filesystem::create_directory(file);
#else
    const bool made = mkfifo(file.c_str(), 0600) == 0;
#endif
    if (!made) {
        throw std::runtime_error("cannot make " + file);
    }
    return file;
}

std::string TempDir::File(const std::string& name, const std::string& bytes) const {
    const std::string file = *this / name;
    std::ofstream(file, std::ios::binary) << bytes;
    return file;
}

std::string TempDir::Bmp(const std::string& name, int width, int height,
                         const Picture& picture) const {
    const Wimdows::SurfacePtr surface{
        SDL_CreateRGBSurfaceWithFormat(0, width, height, 24, SDL_PIXELFORMAT_BGR24)};
    for (int j = 0; j < height; ++j) {
        auto* row = static_cast<Uint8*>(surface->pixels) + j * surface->pitch;
        for (int i = 0; i < width; ++i) {
            const std::uint32_t c = picture(i, j);
            row[3 * i] = static_cast<Uint8>(c >> 16U);
            row[3 * i + 1] = static_cast<Uint8>(c >> 8U);
            row[3 * i + 2] = static_cast<Uint8>(c);
        }
    }
    const std::string file = *this / name;
    if (SDL_SaveBMP(surface.get(), file.c_str()) != 0) {
        throw std::runtime_error(file + ": " + SDL_GetError());
    }
    return file;
}

std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Push(SDL_Event event) {
    // The queue only fills up when the window thread falls far behind; wait for it then.
    while (SDL_PushEvent(&event) != 1) {
        SDL_Delay(1);
    }
}

void PushMouse(SDL_EventType type, int x, int y, Uint8 button, Uint8 clicks) {
    SDL_Event event{};
    event.type = type;
    if (type == SDL_MOUSEMOTION) {
        event.motion.x = x;
        event.motion.y = y;
    } else {
        event.button.button = button;
        event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.button.clicks = clicks;
        event.button.x = x;
        event.button.y = y;
    }
    Push(event);
}

SDL_Event KeyEvent(bool down, SDL_Scancode scancode, SDL_Keycode sym, Uint16 mod, bool repeat) {
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat ? 1 : 0;
    event.key.keysym = {scancode, sym, mod, 0};
    return event;
}

SDL_Event WindowEvent(SDL_WindowEventID id) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = static_cast<Uint8>(id);
    return event;
}

} // namespace TestKit
