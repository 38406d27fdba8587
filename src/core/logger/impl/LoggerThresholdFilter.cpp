#include "core/logger/impl/LoggerThresholdFilter.hpp"

namespace ox::core::logger::impl {

ELogLevel LoggerThresholdFilter::setThreshold(const ELogLevel& level) {
    const ELogLevel previous = getThreshold();
    threshold = level;
    return previous;
}

ELogLevel LoggerThresholdFilter::getThreshold() {
    return threshold;
}

bool LoggerThresholdFilter::isEnabled(const ELogLevel& level) {
    return static_cast<std::uint8_t>(level) >= static_cast<std::uint8_t>(threshold);
}

} // namespace ox::core::logger::impl
