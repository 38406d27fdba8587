#pragma once

#include <ctime>

namespace ox::platform {

// The local calendar time of `time` into `local`, safe to call from any
// thread (std::localtime shares one result); false when it cannot be had.
bool localTime(std::time_t time, std::tm& local);

} // namespace ox::platform
