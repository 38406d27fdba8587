#include "core/logger/impl/BackInsertIterator.hpp"

namespace ox::core::logger::impl {

BackInsertIterator::BackInsertIterator(std::vector<std::string>* lines, const ELogLevel& threshold)
    : LoggerThresholdFilter(threshold)
    , lines(lines) {}

ELogLevel BackInsertIterator::setThreshold(const ELogLevel& level) {
    return LoggerThresholdFilter::setThreshold(level);
}

ELogLevel BackInsertIterator::getThreshold() {
    return LoggerThresholdFilter::getThreshold();
}

bool BackInsertIterator::isEnabled(const ELogLevel& level) {
    return LoggerThresholdFilter::isEnabled(level);
}

void BackInsertIterator::write(const ELogLevel& level, const std::string_view& line) {
    if (lines != nullptr && isEnabled(level)) {
        lines->emplace_back(line);
    }
}

} // namespace ox::core::logger::impl
