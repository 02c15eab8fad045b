#include "support/LocalTime.hpp"

namespace GeneralLib {

std::tm LocalTime(std::time_t seconds) {
    std::tm local{};
    localtime_r(&seconds, &local);
    return local;
}

} // namespace GeneralLib
