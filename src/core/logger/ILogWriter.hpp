#pragma once

#include "core/logger/ILoggerThresholdFilter.hpp"

#include <string_view>

namespace ox::core::logger {

// A sink for finished log lines. The writer filters by its own threshold.
struct ILogWriter : ILoggerThresholdFilter {
    virtual void write(const ELogLevel& level, const std::string_view& line) = 0;
};

} // namespace ox::core::logger
