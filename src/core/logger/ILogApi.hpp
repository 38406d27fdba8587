#pragma once

#include "core/logger/ILoggerThresholdFilter.hpp"

#include <string>
#include <string_view>

namespace ox::core::logger {

// A named log channel. Callers format their text, ask isEnabled(level) and only
// then call log(level, text); log itself does not consult the threshold. Made
// by an ILogApiFactory and shared by every component that logs on it. Nothing
// in the logger is locked: main thread only.
struct ILogApi : ILoggerThresholdFilter {
    virtual void log(const ELogLevel& level, const std::string_view& message) noexcept = 0;
    virtual const std::string& getName() = 0;
};

} // namespace ox::core::logger
