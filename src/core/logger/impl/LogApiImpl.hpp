#pragma once

#include "core/logger/ILogApi.hpp"
#include "core/logger/ILoggerMachinery.hpp"
#include "core/logger/impl/LoggerThresholdFilter.hpp"

#include <memory>
#include <string>
#include <string_view>

namespace ox::core::logger::impl {

// A channel: stamps messages with local time, level tag and its name and hands
// the line to the root. Holds the root weakly; once the root is gone, log()
// silently does nothing. Main thread only.
class LogApiImpl : public ILogApi, public LoggerThresholdFilter {
public:
    LogApiImpl(const std::string_view& name, const ELogLevel& threshold,
               std::weak_ptr<ILoggerMachinery> machinery);

    ELogLevel setThreshold(const ELogLevel& level) override;
    ELogLevel getThreshold() override;
    bool isEnabled(const ELogLevel& level) override;

    void log(const ELogLevel& level, const std::string_view& message) noexcept override;
    const std::string& getName() override;

private:
    std::weak_ptr<ILoggerMachinery> machinery;
    std::string name;
};

} // namespace ox::core::logger::impl
