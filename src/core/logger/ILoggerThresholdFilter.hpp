#pragma once

#include "core/logger/ELogLevel.hpp"

namespace ox::core::logger {

// A level threshold: levels greater than or equal to it pass. Every channel and
// every writer has its own. Main thread only.
struct ILoggerThresholdFilter {
    virtual ~ILoggerThresholdFilter() = default;
    // Returns the threshold that was in force before the call.
    virtual ELogLevel setThreshold(const ELogLevel& level) = 0;
    virtual ELogLevel getThreshold() = 0;
    virtual bool isEnabled(const ELogLevel& level) = 0;
};

} // namespace ox::core::logger
