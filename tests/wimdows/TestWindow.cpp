#include "TestWindow.hpp"

#include <cstdlib>
#include <fstream>
#include <memory>

namespace WimdowsTest {
namespace {

void Push(SDL_Event& event) {
    // The queue only fills up when the window thread falls far behind; wait for it then.
    while (SDL_PushEvent(&event) != 1) {
        SDL_Delay(1);
    }
}

std::vector<std::uint32_t> Pixels(std::optional<std::uint32_t> (*read)(std::int32_t,
                                                                       std::int32_t)) {
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            pixels.push_back(read(x, y).value_or(0xFF000000U));
        }
    }
    return pixels;
}

} // namespace

SDL_Event KeyEvent(bool down, SDL_Scancode scancode, SDL_Keycode sym, Uint16 mod, bool repeat) {
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat ? 1 : 0;
    event.key.keysym.scancode = scancode;
    event.key.keysym.sym = sym;
    event.key.keysym.mod = mod;
    return event;
}

SDL_Event WindowEvent(SDL_WindowEventID id) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = static_cast<Uint8>(id);
    return event;
}

void PushKey(bool down, SDL_Scancode scancode, SDL_Keycode sym, Uint16 mod, bool repeat) {
    SDL_Event event = KeyEvent(down, scancode, sym, mod, repeat);
    Push(event);
}

void PushTogether(std::vector<SDL_Event> events) {
    ASSERT_EQ(SDL_PeepEvents(events.data(), static_cast<int>(events.size()), SDL_ADDEVENT, 0, 0),
              static_cast<int>(events.size()));
}

void PushMouseMove(int x, int y) {
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.x = x;
    event.motion.y = y;
    Push(event);
}

void PushButton(bool down, Uint8 button, int x, int y, Uint8 clicks) {
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.button = button;
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = clicks;
    event.button.x = x;
    event.button.y = y;
    Push(event);
}

void PushWindowEvent(SDL_WindowEventID id) {
    SDL_Event event = WindowEvent(id);
    Push(event);
}

void PushQuit() {
    SDL_Event event{};
    event.type = SDL_QUIT;
    Push(event);
}

std::vector<std::uint32_t> BackBuffer() {
    return Pixels(&Wimdows::Testing::BackBufferPixel);
}

std::vector<std::uint32_t> WindowSurface() {
    return Pixels(&Wimdows::Testing::WindowPixel);
}

void FillWindow(std::uint32_t color) {
    Wimdows::Rectangle(0, 0, Width - 1, Height - 1, color, true);
}

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "wimdows-XXXXXX").string();
    path = mkdtemp(pattern.data());
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

std::string TempDir::Bmp(const std::string& name, int width, int height,
                         const Picture& picture) const {
    const std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> surface{
        SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_XRGB8888),
        &SDL_FreeSurface};
    for (int j = 0; j < height; ++j) {
        auto* row =
            reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) + j * surface->pitch);
        for (int i = 0; i < width; ++i) {
            const std::uint32_t c = picture(i, j);
            row[i] = (c & 0xFFU) << 16U | (c & 0xFF00U) | (c >> 16U & 0xFFU);
        }
    }
    const std::string file = (path / name).string();
    EXPECT_EQ(SDL_SaveBMP(surface.get(), file.c_str()), 0) << SDL_GetError();
    return file;
}

std::string TempDir::File(const std::string& name, const std::string& bytes) const {
    const std::string file = (path / name).string();
    std::ofstream(file, std::ios::binary) << bytes;
    return file;
}

std::filesystem::path BmpSuite() {
    const std::filesystem::path suite =
        std::filesystem::path(MEANDOR_SOURCE_DIR) / ".." / "shared" / "corpora" / "bmpsuite";
    return std::filesystem::is_directory(suite) ? suite : std::filesystem::path{};
}

} // namespace WimdowsTest
