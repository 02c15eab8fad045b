#include "TestWindow.hpp"

namespace WimdowsTest {
namespace {

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
    TestKit::Push(KeyEvent(down, scancode, sym, mod, repeat));
}

void PushTogether(std::vector<SDL_Event> events) {
    ASSERT_EQ(SDL_PeepEvents(events.data(), static_cast<int>(events.size()), SDL_ADDEVENT, 0, 0),
              static_cast<int>(events.size()));
}

void PushMouseMove(int x, int y) {
    TestKit::PushMouse(SDL_MOUSEMOTION, x, y);
}

void PushButton(bool down, Uint8 button, int x, int y, Uint8 clicks) {
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.button = button;
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = clicks;
    event.button.x = x;
    event.button.y = y;
    TestKit::Push(event);
}

void PushWindowEvent(SDL_WindowEventID id) {
    TestKit::Push(WindowEvent(id));
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

void ExpectShown(const Expected& expected, std::uint32_t background) {
    const std::vector<std::uint32_t> back = BackBuffer();
    EXPECT_EQ(WindowSurface(), back);
    int wrong = 0;
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            const std::uint32_t want = expected(x, y).value_or(background);
            if (back[static_cast<std::size_t>(y * Width + x)] != want && ++wrong <= 5) {
                ADD_FAILURE() << "pixel (" << x << ", " << y << ")";
            }
        }
    }
    EXPECT_EQ(wrong, 0);
}

void ExpectDrawings(std::span<const Drawing> drawings, std::uint32_t background) {
    for (const Drawing& drawing : drawings) {
        SCOPED_TRACE(drawing.what);
        FillWindow(background);
        drawing.draw();
        ExpectShown(drawing.expected, background);
    }
}

std::filesystem::path BmpSuite() {
    const std::filesystem::path suite =
        std::filesystem::path(MEANDOR_SOURCE_DIR) / ".." / "shared" / "corpora" / "bmpsuite";
    return std::filesystem::is_directory(suite) ? suite : std::filesystem::path{};
}

} // namespace WimdowsTest
