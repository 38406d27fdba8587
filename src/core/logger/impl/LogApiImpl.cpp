#include "core/logger/impl/LogApiImpl.hpp"

#include "platform/LocalTime.hpp"

#include <ctime>
#include <fmt/chrono.h>
#include <fmt/format.h>

namespace ox::core::logger::impl {

LogApiImpl::LogApiImpl(const std::string_view& name, const ELogLevel& threshold,
                       std::weak_ptr<ILoggerMachinery> machinery)
    : LoggerThresholdFilter(threshold)
    , machinery(std::move(machinery))
    , name(name) {}

ELogLevel LogApiImpl::setThreshold(const ELogLevel& level) {
    return LoggerThresholdFilter::setThreshold(level);
}

ELogLevel LogApiImpl::getThreshold() {
    return LoggerThresholdFilter::getThreshold();
}

bool LogApiImpl::isEnabled(const ELogLevel& level) {
    return LoggerThresholdFilter::isEnabled(level);
}

void LogApiImpl::log(const ELogLevel& level, const std::string_view& message) noexcept {
    const std::shared_ptr<ILoggerMachinery> root = machinery.lock();
    if (!root) {
        return;
    }
    try {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        platform::localTime(now, local);
        // The message is an argument, never a format string: braces in it stay as they are.
        const std::string line = fmt::format("{:%Y-%m-%d %H:%M:%S} (l:{}) {} > {}", local,
                                             logLevelTag(level), name, message);
        root->dispatch(level, line);
    } catch (...) {
        // Logging never reports failures to its caller; a line that cannot be
        // built (out of memory) or stored is dropped.
    }
}

const std::string& LogApiImpl::getName() {
    return name;
}

} // namespace ox::core::logger::impl
