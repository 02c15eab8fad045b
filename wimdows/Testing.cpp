#include "wimdows/Gamepad.hpp"
#include "wimdows/Pixels.hpp"
#include "wimdows/Shared.hpp"
#include "wimdows/WimdowsTesting.hpp"

namespace Wimdows::Testing {
namespace {

std::optional<std::uint32_t> Pixel(SurfacePtr Canvas::*surface, std::int32_t x, std::int32_t y) {
    const std::scoped_lock guard(windowMutex);
    if (state.Load(std::memory_order_relaxed) != STATE_ACTIVE) {
        return std::nullopt;
    }
    const SDL_Surface* s = ((*canvas).*surface).get();
    if (x < 0 || y < 0 || x >= s->w || y >= s->h) {
        return std::nullopt;
    }
    return ToColor(ReadPixel(s, x, y));
}

} // namespace

std::optional<std::uint32_t> BackBufferPixel(std::int32_t x, std::int32_t y) {
    return Pixel(&Canvas::backBuffer, x, y);
}

std::optional<std::uint32_t> WindowPixel(std::int32_t x, std::int32_t y) {
    return Pixel(&Canvas::shown, x, y);
}

void WaitUntilHandled() {
    std::uint64_t ticket = 0;
    {
        const std::scoped_lock guard(windowMutex);
        if (state.Load(std::memory_order_relaxed) != STATE_ACTIVE || !PushRequest(Request::Sync)) {
            return;
        }
        ticket = ++syncRequested;
    }
    for (std::uint64_t handled = syncHandled.Load(std::memory_order_acquire); handled < ticket;
         handled = syncHandled.Load(std::memory_order_acquire)) {
        syncHandled.Wait(handled, std::memory_order_acquire);
    }
}

void SetPadRepeat(std::chrono::milliseconds delay, std::chrono::milliseconds interval) {
    repeatDelayMs.store(static_cast<std::uint32_t>(delay.count()), std::memory_order_relaxed);
    repeatIntervalMs.store(static_cast<std::uint32_t>(interval.count()), std::memory_order_relaxed);
}

} // namespace Wimdows::Testing
