#include "support/LocalTime.hpp"

namespace GeneralLib {

std::tm LocalTime(std::time_t seconds) {
    std::tm local{};
    localtime_s(&local, &seconds);
    return local;
}

} // namespace GeneralLib
