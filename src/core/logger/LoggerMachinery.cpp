#include "core/logger/LoggerMachinery.hpp"

#include "core/logger/impl/LogApiImpl.hpp"

#include <algorithm>

namespace ox::core::logger {

LoggerMachinery::~LoggerMachinery() {
    writers.clear();
}

bool LoggerMachinery::addWriter(std::shared_ptr<ILogWriter> writer) {
    if (!writer) {
        return false;
    }
    writers.push_back(std::move(writer));
    return true;
}

bool LoggerMachinery::removeWriter(std::shared_ptr<ILogWriter> writer) {
    const auto removed = std::erase_if(
        writers, [&](const std::shared_ptr<ILogWriter>& entry) { return entry == writer; });
    return removed > 0;
}

void LoggerMachinery::dispatch(const ELogLevel& level, const std::string_view& line) {
    for (const auto& entry : writers) {
        // Own reference for the call, in case a writer drops its last owner meanwhile.
        const std::shared_ptr<ILogWriter> writer = entry;
        writer->write(level, line);
    }
}

std::shared_ptr<ILogApiFactory> LoggerMachinery::getLogApiFactory() {
    return shared_from_this();
}

std::shared_ptr<ILogApi> LoggerMachinery::createLogApi(const std::string_view& name,
                                                       const ELogLevel& threshold) {
    std::weak_ptr<ILoggerMachinery> root =
        std::static_pointer_cast<ILoggerMachinery>(shared_from_this());
    return std::make_shared<impl::LogApiImpl>(name, threshold, std::move(root));
}

} // namespace ox::core::logger
