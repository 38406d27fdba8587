#include "platform/LocalTime.hpp"

namespace ox::platform {

bool localTime(std::time_t time, std::tm& local) {
    return localtime_r(&time, &local) != nullptr;
}

} // namespace ox::platform
