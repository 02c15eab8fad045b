#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

// For tests only: what the window library holds, without a display to look at.
namespace Wimdows::Testing {

// Colour value (0x00BBGGRR) of a pixel; empty outside the client area or with no window open.
std::optional<std::uint32_t> BackBufferPixel(std::int32_t x, std::int32_t y);
std::optional<std::uint32_t> WindowPixel(std::int32_t x, std::int32_t y);

// Returns once the window thread has handled every event pushed before the call, and what the
// pads had done by then, or the window is gone.
void WaitUntilHandled();

// How a direction held on a pad repeats from now on: the first repeat after `delay`, then one
// every `interval`.
void SetPadRepeat(std::chrono::milliseconds delay, std::chrono::milliseconds interval);

} // namespace Wimdows::Testing
