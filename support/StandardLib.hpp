#pragma once

#include <cstdint>

// Whole random numbers in a closed interval from a small fixed-seed generator.
namespace StandardLib {

// TRUE: RandomCard uses the module's own generator; FALSE: the runtime's.
extern bool gPseudoRandom;

void Init();

// A number in min..max, both included. With max < min: an error line on
// standard output, min is returned and the generator does not move.
std::uint32_t RandomCard(std::uint32_t min, std::uint32_t max);

// The own generator's state (the last number it gave), for reports and replays.
std::uint32_t Seed();

} // namespace StandardLib
