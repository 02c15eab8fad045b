#include "support/GeneralLib.hpp"

#include <array>
#include <chrono>
#include <ctime>

namespace GeneralLib {
namespace {

struct TimerRc {
    std::uint32_t Hrs1 = 0;
    std::uint32_t Mins1 = 0;
    std::uint32_t Secs1 = 0;
    std::uint32_t Hsecs1 = 0;
    std::uint32_t Time1 = 0;
};

std::array<TimerRc, TimerCount> Timer{};
Clock clockOverride;

constexpr std::uint32_t HSecondsOf(std::uint32_t hrs, std::uint32_t mins, std::uint32_t secs,
                                   std::uint32_t hsecs) {
    return hrs * 360000U + mins * 6000U + secs * 100U + hsecs;
}

TimeOfDay WallClock() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    return {static_cast<std::uint32_t>(local.tm_hour), static_cast<std::uint32_t>(local.tm_min),
            static_cast<std::uint32_t>(local.tm_sec), static_cast<std::uint32_t>(millis / 10)};
}

} // namespace

void Init() {}

TimeOfDay Now() { return clockOverride ? clockOverride() : WallClock(); }

void SetClock(Clock clock) { clockOverride = std::move(clock); }

void SetTimer(std::uint32_t TimerNbr, std::uint32_t HSeconds) {
    if (TimerNbr >= TimerCount) {
        return;
    }
    TimerRc& t = Timer[TimerNbr];
    const TimeOfDay now = Now();
    t.Hrs1 = now.Hrs;
    t.Mins1 = now.Mins;
    t.Secs1 = now.Secs;
    t.Hsecs1 = now.Hsecs;
    t.Time1 = HSecondsOf(t.Hrs1, t.Mins1, t.Secs1, t.Hsecs1) + HSeconds;
}

bool TimerReached(std::uint32_t TimerNbr) {
    if (TimerNbr >= TimerCount) {
        return true;
    }
    const TimerRc& t = Timer[TimerNbr];
    TimeOfDay now = Now();
    if (now.Hrs == 0 && t.Hrs1 == 23) {
        now.Hrs = 24;
    }
    return t.Time1 <= HSecondsOf(now.Hrs, now.Mins, now.Secs, now.Hsecs);
}

} // namespace GeneralLib
