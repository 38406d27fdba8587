#include "platform/LocalTime.hpp"

namespace ox::platform {

bool localTime(std::time_t time, std::tm& local) {
    // The C runtime's own thread-safe form, with its arguments swapped.
    return localtime_s(&local, &time) == 0;
}

} // namespace ox::platform
