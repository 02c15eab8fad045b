#include "support/GeneralLib.hpp"

#include "support/LocalTime.hpp"

#include <array>
#include <chrono>
#include <ctime>

namespace GeneralLib {
namespace {

struct TimerRc {
    std::uint32_t hours = 0;
    std::uint32_t minutes = 0;
    std::uint32_t seconds = 0;
    std::uint32_t hundredths = 0;
    std::uint32_t deadline = 0;
};

std::array<TimerRc, TimerCount> timers{};
Clock clockOverride;

constexpr std::uint32_t HSecondsOf(std::uint32_t hrs, std::uint32_t mins, std::uint32_t secs,
                                   std::uint32_t hsecs) {
    return hrs * 360000U + mins * 6000U + secs * 100U + hsecs;
}

TimeOfDay WallClock() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    const std::tm local = LocalTime(seconds);
    const auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    return {static_cast<std::uint32_t>(local.tm_hour), static_cast<std::uint32_t>(local.tm_min),
            static_cast<std::uint32_t>(local.tm_sec), static_cast<std::uint32_t>(millis / 10)};
}

} // namespace

void Init() {}

TimeOfDay Now() {
    return clockOverride ? clockOverride() : WallClock();
}

void SetClock(Clock clock) {
    clockOverride = std::move(clock);
}

void SetTimer(std::uint32_t timer, std::uint32_t hundredths) {
    if (timer >= TimerCount) {
        return;
    }
    TimerRc& t = timers[timer];
    const TimeOfDay now = Now();
    t.hours = now.hours;
    t.minutes = now.minutes;
    t.seconds = now.seconds;
    t.hundredths = now.hundredths;
    t.deadline = HSecondsOf(t.hours, t.minutes, t.seconds, t.hundredths) + hundredths;
}

bool TimerReached(std::uint32_t timer) {
    if (timer >= TimerCount) {
        return true;
    }
    const TimerRc& t = timers[timer];
    TimeOfDay now = Now();
    if (now.hours == 0 && t.hours == 23) {
        now.hours = 24;
    }
    return t.deadline <= HSecondsOf(now.hours, now.minutes, now.seconds, now.hundredths);
}

} // namespace GeneralLib
