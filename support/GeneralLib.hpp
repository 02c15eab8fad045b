#pragma once

#include <cstdint>
#include <functional>

// Ten one-shot deadline timers in hundredths of a second on the local time of day.
namespace GeneralLib {

struct TimeOfDay {
    std::uint32_t Hrs = 0;
    std::uint32_t Mins = 0;
    std::uint32_t Secs = 0;
    std::uint32_t Hsecs = 0;
};

using Clock = std::function<TimeOfDay()>;

constexpr std::uint32_t TimerCount = 10;

void Init();

// Arms timer `TimerNbr` (0..9) to expire `HSeconds` hundredths from now.
void SetTimer(std::uint32_t TimerNbr, std::uint32_t HSeconds);

// TRUE once the time of day has reached the timer's deadline.
bool TimerReached(std::uint32_t TimerNbr);

// The one place the wall clock is read; an empty clock restores the real one.
void SetClock(Clock clock);
TimeOfDay Now();

} // namespace GeneralLib
