#include "TestWindow.hpp"

namespace WimdowsTest {
void PushTogether(std::vector<SDL_Event> events) {
    ASSERT_EQ(SDL_PeepEvents(events.data(), static_cast<int>(events.size()), SDL_ADDEVENT, 0, 0),
              static_cast<int>(events.size()));
}

std::vector<std::uint32_t> DrainQueue() {
    std::vector<std::uint32_t> codes;
    std::uint32_t code = 0;
    while (Wimdows::GetKeyPressed(code)) {
        codes.push_back(code);
    }
    return codes;
}

void ExpectDrawings(std::span<const Drawing> drawings, std::uint32_t background) {
    for (const Drawing& drawing : drawings) {
        FillWindow(background);
        drawing.draw();
        const std::vector<std::uint32_t> back = BackBuffer();
        EXPECT_EQ(WindowSurface(), back) << drawing.what;
        int wrong = 0;
        for (std::size_t i = 0; i < back.size(); ++i) {
            const int x = static_cast<int>(i) % Width;
            wrong +=
                back[i] != drawing.expected(x, static_cast<int>(i) / Width).value_or(background);
        }
        EXPECT_EQ(wrong, 0) << drawing.what << ": pixels not as expected";
    }
}

} // namespace WimdowsTest
