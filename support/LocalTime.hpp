#pragma once

#include <ctime>

namespace GeneralLib {

// The wall-clock time of `seconds` in the local time zone, safe from any thread.
std::tm LocalTime(std::time_t seconds);

} // namespace GeneralLib
