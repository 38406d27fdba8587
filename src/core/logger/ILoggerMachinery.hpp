#pragma once

#include "core/logger/ILogWriter.hpp"

#include <memory>
#include <string_view>

namespace ox::core::logger {

struct ILogApiFactory;

// The logger root: owns the writers and fans every finished line out to them.
// Owned by the application through a shared pointer; channels hold it weakly.
// Main thread only.
struct ILoggerMachinery {
    virtual ~ILoggerMachinery() = default;
    virtual bool addWriter(std::shared_ptr<ILogWriter> writer) = 0;
    virtual bool removeWriter(std::shared_ptr<ILogWriter> writer) = 0;
    virtual void dispatch(const ELogLevel& level, const std::string_view& line) = 0;
    virtual std::shared_ptr<ILogApiFactory> getLogApiFactory() = 0;
};

} // namespace ox::core::logger
