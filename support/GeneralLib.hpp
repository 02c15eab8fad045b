#pragma once

#include <cstdint>
#include <functional>

// Ten one-shot deadline timers in hundredths of a second on the local time of day.
namespace GeneralLib {

struct TimeOfDay {
    std::uint32_t hours = 0;
    std::uint32_t minutes = 0;
    std::uint32_t seconds = 0;
    std::uint32_t hundredths = 0;
};

using Clock = std::function<TimeOfDay()>;

constexpr std::uint32_t TimerCount = 10;

void Init();

// Arms timer `timer` (0..9) to expire `hundredths` hundredths from now.
void SetTimer(std::uint32_t timer, std::uint32_t hundredths);

// TRUE once the time of day has reached the timer's deadline.
bool TimerReached(std::uint32_t timer);

// The one place the wall clock is read; an empty clock restores the real one.
void SetClock(Clock clock);
TimeOfDay Now();

} // namespace GeneralLib
