#pragma once

#include "game/Meandor.hpp"
#include "support/GeneralLib.hpp"

#include <cstdint>

// A player for the game that needs no person: it reads the game state only to plan and acts
// only through key events, as a person's keys would arrive.
namespace Replay {

// Installed with Meandor::SetWaarnemer. At each pass it moves the clock on by two hundredths
// and presses the first key of the shortest way to the nearest fries (or the open door),
// around the enemies where it can; at each picture screen it holds Enter down. After
// `MaxRondes` passes in one level it presses Escape rather than play on for ever.
class Speler {
  public:
    static constexpr int MaxRondes = 60000;

    // `tijd` is the time of day the game's clock reads; `snelheid` the game's Speed.
    Speler(GeneralLib::TimeOfDay& tijd, std::uint32_t snelheid) : klok(tijd), speed(snelheid) {}

    void operator()(Meandor::Moment moment);

  private:
    void AdvanceClock();

    GeneralLib::TimeOfDay& klok;
    std::uint32_t speed;
    int rondes = 0;
    int terugTot = 0;
};

} // namespace Replay
