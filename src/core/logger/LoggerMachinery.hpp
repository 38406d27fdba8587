#pragma once

#include "core/logger/ILogApiFactory.hpp"
#include "core/logger/ILogWriter.hpp"
#include "core/logger/ILoggerMachinery.hpp"

#include <memory>
#include <vector>

namespace ox::core::logger {

// The logger root. Must be owned by a shared pointer (create it with
// std::make_shared): the factory hands itself out through shared_from_this and
// channels keep only a weak reference back, so they never keep it alive.
// Main thread only.
class LoggerMachinery : public ILoggerMachinery,
                        public ILogApiFactory,
                        public std::enable_shared_from_this<LoggerMachinery> {
public:
    LoggerMachinery() = default;
    ~LoggerMachinery() override;

    bool addWriter(std::shared_ptr<ILogWriter> writer) override;
    bool removeWriter(std::shared_ptr<ILogWriter> writer) override;
    void dispatch(const ELogLevel& level, const std::string_view& line) override;
    std::shared_ptr<ILogApiFactory> getLogApiFactory() override;

    std::shared_ptr<ILogApi> createLogApi(const std::string_view& name,
                                          const ELogLevel& threshold) override;

private:
    std::vector<std::shared_ptr<ILogWriter>> writers;
};

} // namespace ox::core::logger
