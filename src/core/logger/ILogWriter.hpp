#pragma once

#include "core/logger/ILoggerThresholdFilter.hpp"

#include <string_view>

namespace ox::core::logger {

// A sink for finished log lines. The writer filters by its own threshold. Shared
// between whoever made it and the logger root it was added to, which calls it
// from dispatch. Main thread only.
struct ILogWriter : ILoggerThresholdFilter {
    virtual void write(const ELogLevel& level, const std::string_view& line) = 0;
};

} // namespace ox::core::logger
