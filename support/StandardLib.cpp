#include "support/StandardLib.hpp"

#include <chrono>
#include <iostream>
#include <random>

namespace StandardLib {

bool gPseudoRandom = false;

namespace {

std::uint32_t gSeed = 0;
bool initialised = false;

std::mt19937& RuntimeGenerator() {
    static std::mt19937 generator;
    return generator;
}

std::uint32_t PseudoRandomCardGenerator() {
    const std::uint32_t old = gSeed;
    std::uint32_t next = (old * 351U + 138U) % 1013U;
    if (next == old) {
        ++next;
    }
    gSeed = next;
    return next;
}

} // namespace

void Init() {
    if (initialised) {
        return;
    }
    initialised = true;
    const auto now = std::chrono::system_clock::now().time_since_epoch().count();
    RuntimeGenerator().seed(static_cast<std::mt19937::result_type>(now));
    gPseudoRandom = true;
    gSeed = 94;
}

std::uint32_t RandomCard(std::uint32_t min, std::uint32_t max) {
    if (max < min) {
        std::cout << "ERROR calling RandomCardFromInterval: min " << min << " is bigger than max "
                  << max << '\n';
        return min;
    }
    if (!gPseudoRandom) {
        std::uniform_int_distribution<std::uint32_t> pick(0, max - min);
        return min + pick(RuntimeGenerator());
    }
    // 0.99999 is deliberately the single-precision value: it decides the rounding at g = 1012.
    const double f = (static_cast<double>(max - min) + static_cast<double>(0.99999F)) / 1012.0;
    const std::uint32_t g = PseudoRandomCardGenerator();
    return min + static_cast<std::uint32_t>(f * g);
}

std::uint32_t Seed() { return gSeed; }

} // namespace StandardLib
